#include "data/odbc/OdbcCatalogue.h"

#include "data/odbc/OdbcStatement.h"
#include "data/odbc/OdbcSupport.h"

namespace nerin {

QStringList OdbcCatalogue::columnsOf(const QString& table) {
    const QString key = table.toLower();
    if (const auto found = m_columns.constFind(key); found != m_columns.cend())
        return *found;
    const QStringList columns = table.startsWith(u'#') ? describedColumns(table) : listedColumns(table);
    if (!columns.isEmpty())
        m_columns.insert(key, columns);
    return columns;
}

// The table name is a search pattern, in which "_" stands for any character, so the rows of other
// tables may come too; only those of the first table of this name (in whichever schema the driver
// lists first) count.
QStringList OdbcCatalogue::listedColumns(const QString& table) const {
    OdbcStatement statement(static_cast<SQLHDBC>(m_connection));
    if (!statement.isAllocated())
        return {};
    std::vector<SQLWCHAR> name = toSqlWide(table);
    if (!odbcSucceeded(
            SQLColumnsW(statement.handle(), nullptr, 0, nullptr, 0, name.data(), SQL_NTS, nullptr, 0)))
        return {};
    RecordSet rows;
    if (!statement.readResult(rows))
        return {};
    QStringList columns;
    QString schema;
    bool first = true;
    for (; !rows.eof(); rows.moveNext()) {
        if (rows.value(u"TABLE_NAME").toString().compare(table, Qt::CaseInsensitive) != 0)
            continue;
        const QString rowSchema = rows.value(u"TABLE_SCHEM").toString();
        if (first)
            schema = rowSchema;
        first = false;
        if (rowSchema == schema)
            columns.append(rows.value(u"COLUMN_NAME").toString());
    }
    return columns;
}

QStringList OdbcCatalogue::describedColumns(const QString& table) const {
    OdbcStatement statement(static_cast<SQLHDBC>(m_connection));
    if (!statement.isAllocated())
        return {};
    QString quoted = table;
    quoted.replace(u']', QStringLiteral("]]"));
    if (!odbcSucceeded(statement.execute(QStringLiteral("SELECT * FROM [%1] WHERE 1 = 0").arg(quoted))))
        return {};
    RecordSet rows;
    if (!statement.readResult(rows))
        return {};
    return rows.columns();
}

} // namespace nerin
