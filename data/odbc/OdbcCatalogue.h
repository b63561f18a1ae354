#pragma once

#include "server/tsql/Catalogue.h"

#include <QHash>

namespace nerin {

// The columns of the tables and views of an ODBC data source, for the rewrite of the statements sent
// to it: as the driver's catalogue function (SQLColumns) lists them, and for the connection's
// temporary tables ("#T"), which that function does not see, as a query for no rows describes them.
// What was found is remembered until forgotten; a table not found is looked up again the next time,
// since it may have been created since. A failure of the driver reads as a table not found.
class OdbcCatalogue : public tsql::Catalogue {
public:
    // `connection` is the handle (SQLHDBC) of an open connection, which must outlive the catalogue.
    explicit OdbcCatalogue(void* connection) : m_connection(connection) {}

    QStringList columnsOf(const QString& table) override;
    void forget(const QString& table) override { m_columns.remove(table.toLower()); }
    void forgetAll() override { m_columns.clear(); }

private:
    QStringList listedColumns(const QString& table) const;
    QStringList describedColumns(const QString& table) const;

    void* m_connection;
    QHash<QString, QStringList> m_columns; // by table name in lower case
};

} // namespace nerin
