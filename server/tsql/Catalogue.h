#pragma once

#include <QString>
#include <QStringList>

namespace nerin::tsql {

// What the translator needs to know of the database it translates for: the columns of tables and
// views, the connection's temporary tables included. Names compare without regard to case.
class Catalogue {
public:
    virtual ~Catalogue() = default;

    // The column names of a table or view, in order; empty when there is no such table. A name
    // starting with "#" is one of the connection's temporary tables.
    virtual QStringList columnsOf(const QString& table) = 0;

    // The identity column of a table, or empty when it has none or there is no such table.
    virtual QString identityColumnOf(const QString& table) {
        Q_UNUSED(table);
        return {};
    }

    // What is remembered of a table, or of every table, is read again after a change of schema.
    virtual void forget(const QString& table) { Q_UNUSED(table); }
    virtual void forgetAll() {}

    // The T-SQL text of CREATE VIEW for a view, or empty when there is no such view or its text was
    // not kept.
    virtual QString viewDefinition(const QString& view) {
        Q_UNUSED(view);
        return {};
    }
};

} // namespace nerin::tsql
