#pragma once

#include "server/tsql/Catalogue.h"

#include <QHash>
#include <optional>

struct sqlite3;

namespace nerin::tsql {

// The catalogue of one SQLite connection, read from the database itself and remembered until
// forget() or forgetAll() is called after a change of schema.
class SqliteCatalogue : public Catalogue {
public:
    explicit SqliteCatalogue(sqlite3* db) : m_db(db) {}

    QStringList columnsOf(const QString& table) override;
    QString identityColumnOf(const QString& table) override;
    QString viewDefinition(const QString& view) override;

    void forget(const QString& table) override {
        m_columns.remove(table.toLower());
        m_identities.remove(table.toLower());
    }
    void forgetAll() override {
        m_columns.clear();
        m_identities.clear();
        m_views.reset();
    }

private:
    struct Columns {
        QStringList names;
        QString identity;
    };
    Columns readColumns(const QString& schema, const QString& table) const;

    sqlite3* m_db;
    QHash<QString, QStringList> m_columns;
    QHash<QString, QString> m_identities;           // of the tables in m_columns that have one
    std::optional<QHash<QString, QString>> m_views; // definitions by lower-case name, read once
};

} // namespace nerin::tsql
