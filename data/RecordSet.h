#pragma once

#include "data/DbValue.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace nerin {

// The rows of one result, held in memory and read forward with a current row, as the screens read
// their recordsets: check eof(), read fields, moveNext(). A result never keeps a statement open on the
// database, so reading it slowly never holds a lock.
class RecordSet {
public:
    RecordSet() = default;
    explicit RecordSet(QStringList columns) : m_columns(std::move(columns)) {}

    void addRow(QList<DbValue> row) { m_rows.append(std::move(row)); }

    const QStringList& columns() const { return m_columns; }
    // Gives the column at `column` another name, its rows untouched; a position that does not exist
    // changes nothing.
    void renameColumn(int column, const QString& name) {
        if (column >= 0 && column < m_columns.size())
            m_columns[column] = name;
    }
    int fieldCount() const { return static_cast<int>(m_columns.size()); }
    int recordCount() const { return static_cast<int>(m_rows.size()); }

    // True when there is no current row: the result is empty or has been read to its end.
    bool eof() const { return m_current >= m_rows.size(); }
    void moveNext() {
        if (!eof())
            ++m_current;
    }
    void moveFirst() { m_current = 0; }

    // A field of the current row by position, or by column name without regard to case. A position
    // or name that does not exist, or a read at eof, gives NULL.
    DbValue value(int column) const;
    DbValue value(QStringView name) const;
    // The position of a column by name without regard to case, or -1.
    int columnIndex(QStringView name) const;

    // All rows, for code that walks the result itself (grids, printouts).
    const QList<QList<DbValue>>& rows() const { return m_rows; }

private:
    QStringList m_columns;
    QList<QList<DbValue>> m_rows;
    qsizetype m_current = 0;
};

} // namespace nerin
