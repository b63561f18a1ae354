#pragma once

#include "server/tsql/Dialect.h"

namespace nerin::tsql {

// PostgreSQL with the engine's run-time library installed in the database (functions nerin_*, the
// "+" and "-" operators on texts and dates) and the nondeterministic collation nerin_ci. Parameters
// are "$n" for lifted values and "@x" for variables, which the target numbers after them. Quoted names
// are written in lower case, as PostgreSQL folds bare ones.
class PostgresDialect : public Dialect {
public:
    bool needsQuotes(QStringView name) const override;
    QString quotedName(QStringView name) const override;
    QString literalMarker(int n) const override;
    QString variableMarker(const QString& name) const override;
    QString parameterPrologue(int highestLiteral) const override;

    RowLimit rowLimit() const override;
    QString nullsSortLowest(bool descending) const override;
    QString lastIdentity() const override;
    OperationText operation(Operation operation) const override;
    LikeText like() const override;
    QString functionName(const FunctionMap::Entry& function) const override;
    QString conversionFunction(QStringView type) const override;
    QString rowIdentifier() const override;

    QString createTable(bool temporary) const override;
    QString temporarySchema() const override;
    QString truncateTable() const override;
    bool keepsViewCheckOption() const override;
    QString identityColumn() const override;
    ColumnType columnType(QStringView type, bool exactFraction) const override;
    QString collation(bool caseSensitive) const override;
    bool collatesAnyValue() const override;
    Enclosure computedColumn() const override;

    QString catalogueView(QStringView view) const override;
    bool forgetsDeclaredNames() const override;
};

} // namespace nerin::tsql
