#include "server/tsql/SqliteCatalogue.h"

#include <sqlite3.h>

namespace nerin::tsql {

QStringList SqliteCatalogue::columnsOf(const QString& table) {
    const QString key = table.toLower();
    if (auto found = m_columns.constFind(key); found != m_columns.constEnd())
        return *found;
    const bool temporary = table.startsWith(u'#') || table.startsWith(QStringLiteral("INFORMATION_SCHEMA."));
    const Columns columns = readColumns(temporary ? QStringLiteral("temp") : QStringLiteral("main"), table);
    // A table that does not exist is not remembered: it may be created by the next statement.
    if (!columns.names.isEmpty()) {
        m_columns.insert(key, columns.names);
        if (!columns.identity.isEmpty())
            m_identities.insert(key, columns.identity);
    }
    return columns.names;
}

QString SqliteCatalogue::identityColumnOf(const QString& table) {
    if (columnsOf(table).isEmpty())
        return {};
    return m_identities.value(table.toLower());
}

QString SqliteCatalogue::viewDefinition(const QString& view) {
    if (!m_views) {
        m_views.emplace();
        sqlite3_stmt* statement = nullptr;
        // A database the engine did not create has no such table: it knows no view text.
        if (sqlite3_prepare_v2(m_db, "SELECT name, definition FROM main.nerin_views", -1, &statement,
                               nullptr) == SQLITE_OK) {
            while (sqlite3_step(statement) == SQLITE_ROW) {
                m_views->insert(
                    QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)))
                        .toLower(),
                    QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 1))));
            }
        }
        sqlite3_finalize(statement);
    }
    return m_views->value(view.toLower());
}

// An identity column is written as the table's INTEGER PRIMARY KEY with AUTOINCREMENT, and only an
// INTEGER PRIMARY KEY can carry AUTOINCREMENT.
SqliteCatalogue::Columns SqliteCatalogue::readColumns(const QString& schema, const QString& table) const {
    Columns columns;
    sqlite3_stmt* statement = nullptr;
    const QByteArray sql =
        QStringLiteral("SELECT c.name, c.pk = 1 AND EXISTS (SELECT 1 FROM %1.sqlite_master m "
                       "WHERE m.name = ?1 COLLATE NOCASE AND m.type = 'table' "
                       "AND m.sql LIKE '%AUTOINCREMENT%') FROM pragma_table_info(?1, ?2) c")
            .arg(schema)
            .toUtf8();
    if (sqlite3_prepare_v2(m_db, sql.constData(), -1, &statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement);
        return columns;
    }
    const QByteArray tableName = table.toUtf8();
    const QByteArray schemaName = schema.toUtf8();
    sqlite3_bind_text(statement, 1, tableName.constData(), static_cast<int>(tableName.size()),
                      SQLITE_TRANSIENT);
    sqlite3_bind_text(statement, 2, schemaName.constData(), static_cast<int>(schemaName.size()),
                      SQLITE_TRANSIENT);
    while (sqlite3_step(statement) == SQLITE_ROW) {
        const QString name =
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
        columns.names.append(name);
        if (sqlite3_column_int(statement, 1) != 0)
            columns.identity = name;
    }
    sqlite3_finalize(statement);
    return columns;
}

} // namespace nerin::tsql
