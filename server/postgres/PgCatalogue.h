#pragma once

#include "server/tsql/Catalogue.h"

#include <QHash>
#include <optional>

namespace nerin {

class PgConnection;

// The catalogue of one PostgreSQL connection, read from the server's system catalogues (the
// connection's temporary tables among the tables it sees) and remembered until forget() or
// forgetAll() is called after a change of schema. A failed read is an empty answer, as for a table
// that does not exist; no query it sends can fail on a missing table, so that it never aborts the
// caller's transaction.
class PgCatalogue : public tsql::Catalogue {
public:
    // `connection` must outlive the catalogue.
    explicit PgCatalogue(PgConnection& connection) : m_connection(connection) {}

    QStringList columnsOf(const QString& table) override;
    QString identityColumnOf(const QString& table) override;
    QString viewDefinition(const QString& view) override;

    void forget(const QString& table) override;
    void forgetAll() override;

private:
    struct Columns {
        QStringList names;
        QString identity;
    };
    const Columns* columns(const QString& table);

    PgConnection& m_connection;
    QHash<QString, Columns> m_columns;              // by lower-case name, of tables that exist
    std::optional<QHash<QString, QString>> m_views; // definitions by lower-case name, read once
};

} // namespace nerin
