#include "server/postgres/PgCatalogue.h"

#include "server/postgres/PgConnection.h"

namespace nerin {

namespace {

// The columns of the table or view of that name, whatever its case, that the connection sees
// first on its search path (its temporary tables before the others), with whether each is an
// identity column.
const QString kColumns = QStringLiteral(
    "SELECT a.attname, a.attidentity <> '' FROM pg_catalog.pg_attribute a "
    "WHERE a.attrelid = (SELECT c.oid FROM pg_catalog.pg_class c "
    "JOIN pg_catalog.pg_namespace n ON n.oid = c.relnamespace "
    "WHERE lower(c.relname) = lower($1) AND c.relkind IN ('r', 'v', 'm', 'p', 'f') "
    "AND pg_catalog.pg_table_is_visible(c.oid) "
    "ORDER BY c.relnamespace <> pg_catalog.pg_my_temp_schema(), c.relname <> lower($1) LIMIT 1) "
    "AND a.attnum > 0 AND NOT a.attisdropped ORDER BY a.attnum");

} // namespace

QStringList PgCatalogue::columnsOf(const QString& table) {
    const Columns* found = columns(table);
    return found ? found->names : QStringList();
}

QString PgCatalogue::identityColumnOf(const QString& table) {
    const Columns* found = columns(table);
    return found ? found->identity : QString();
}

const PgCatalogue::Columns* PgCatalogue::columns(const QString& table) {
    const QString key = table.toLower();
    if (auto found = m_columns.constFind(key); found != m_columns.constEnd())
        return &*found;
    auto rows = m_connection.query(kColumns, {DbValue(table)});
    if (!rows || rows->recordCount() == 0)
        return nullptr; // not remembered: the next statement may create it
    Columns read;
    for (const QList<DbValue>& row : rows->rows()) {
        read.names.append(row[0].toString());
        if (row[1].toInt() != 0)
            read.identity = row[0].toString();
    }
    return &*m_columns.insert(key, std::move(read));
}

QString PgCatalogue::viewDefinition(const QString& view) {
    if (!m_views) {
        m_views.emplace();
        // A database the engine did not create has no such table: it knows no view text.
        auto exists = m_connection.query(QStringLiteral("SELECT to_regclass('nerin_views') IS NOT NULL"));
        if (exists && exists->recordCount() == 1 && exists->rows()[0][0].toInt() != 0) {
            if (auto rows = m_connection.query(QStringLiteral("SELECT name, definition FROM nerin_views"))) {
                for (const QList<DbValue>& row : rows->rows())
                    m_views->insert(row[0].toString().toLower(), row[1].toString());
            }
        }
    }
    return m_views->value(view.toLower());
}

void PgCatalogue::forget(const QString& table) {
    m_columns.remove(table.toLower());
    m_views.reset();
}

void PgCatalogue::forgetAll() {
    m_columns.clear();
    m_views.reset();
}

} // namespace nerin
