#include "server/tsql/PostgresDialect.h"

#include "server/tsql/Keywords.h"
#include "server/tsql/SqlBuilder.h"

namespace nerin::tsql {

namespace {

// PostgreSQL folds only ASCII letters of a bare name to lower case, so a name with any other
// character is quoted and folded here.
bool isBareNameCharacter(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') || u == u'_' ||
           u == u'$';
}

// T-SQL functions PostgreSQL has with the same meaning, called by their name in lower case; every
// other function of the map is the run-time library's nerin_ and its name.
constexpr const char16_t* native[] = {u"COUNT",    u"SUM",    u"AVG",  u"MIN",   u"MAX",
                                      u"COALESCE", u"NULLIF", u"ABS",  u"FLOOR", u"CEILING",
                                      u"LTRIM",    u"RTRIM",  u"ASCII"};

// The run-time library's conversion functions, one per family of target types.
struct Family {
    const char16_t* type;
    const char16_t* function;
};
constexpr Family families[] = {
    {u"int", u"nerin_convert_int"},
    {u"bigint", u"nerin_convert_int"},
    {u"smallint", u"nerin_convert_int"},
    {u"tinyint", u"nerin_convert_int"},
    {u"bit", u"nerin_convert_bit"},
    {u"money", u"nerin_convert_numeric"},
    {u"smallmoney", u"nerin_convert_numeric"},
    {u"decimal", u"nerin_convert_numeric"},
    {u"numeric", u"nerin_convert_numeric"},
    {u"float", u"nerin_convert_float"},
    {u"real", u"nerin_convert_float"},
    {u"char", u"nerin_convert_text"},
    {u"varchar", u"nerin_convert_text"},
    {u"nchar", u"nerin_convert_text"},
    {u"nvarchar", u"nerin_convert_text"},
    {u"text", u"nerin_convert_text"},
    {u"ntext", u"nerin_convert_text"},
    {u"sysname", u"nerin_convert_text"},
    {u"datetime", u"nerin_convert_datetime"},
    {u"smalldatetime", u"nerin_convert_datetime"},
    {u"date", u"nerin_convert_datetime"},
};

// Column types by T-SQL type; `keepsLength` when the T-SQL length follows.
struct Type {
    const char16_t* tsql;
    const char16_t* postgres;
    bool keepsLength;
};
constexpr Type types[] = {
    {u"int", u"integer", false},
    {u"integer", u"integer", false},
    {u"bigint", u"bigint", false},
    {u"smallint", u"smallint", false},
    {u"tinyint", u"smallint", false},
    {u"bit", u"smallint", false},
    {u"money", u"numeric(19,4)", false},
    {u"smallmoney", u"numeric(19,4)", false},
    {u"decimal", u"numeric", true},
    {u"numeric", u"numeric", true},
    {u"float", u"double precision", false},
    {u"real", u"real", false},
    {u"datetime", u"timestamp(3)", false},
    {u"smalldatetime", u"timestamp(3)", false},
    {u"date", u"date", false},
    {u"char", u"char", true},
    {u"nchar", u"char", true},
    {u"varchar", u"varchar", true},
    {u"nvarchar", u"varchar", true},
    {u"sysname", u"varchar(128)", false},
    {u"text", u"text", false},
    {u"ntext", u"text", false},
    {u"image", u"bytea", false},
    {u"varbinary", u"bytea", false},
    {u"binary", u"bytea", false},
};

} // namespace

bool PostgresDialect::needsQuotes(QStringView name) const {
    if (name.isEmpty() || (name[0] >= u'0' && name[0] <= u'9') || name[0] == u'$')
        return true;
    for (QChar c : name) {
        if (!isBareNameCharacter(c))
            return true;
    }
    return Keywords::isPostgresKeyword(name);
}

QString PostgresDialect::quotedName(QStringView name) const {
    return SqlBuilder::doubleQuoted(name.toString().toLower());
}

QString PostgresDialect::literalMarker(int n) const {
    return u'$' + QString::number(n);
}

// The target numbers each distinct variable after the highest literal before it runs the text.
QString PostgresDialect::variableMarker(const QString& name) const {
    return name;
}

QString PostgresDialect::parameterPrologue(int highestLiteral) const {
    Q_UNUSED(highestLiteral);
    return {};
}

Dialect::RowLimit PostgresDialect::rowLimit() const {
    return {LimitPlace::AtEnd, QStringLiteral("LIMIT"), {}};
}

// PostgreSQL takes NULL as larger than any value.
QString PostgresDialect::nullsSortLowest(bool descending) const {
    return descending ? QStringLiteral("NULLS LAST") : QStringLiteral("NULLS FIRST");
}

QString PostgresDialect::lastIdentity() const {
    return QStringLiteral("nerin_last_identity()");
}

// The run-time library gives "+" T-SQL's meaning on texts and dates; "-" on a date is a function,
// since its result depends on whether the other operand is a date too.
Dialect::OperationText PostgresDialect::operation(Operation operation) const {
    if (operation == Operation::Add)
        return {QStringLiteral("("), QStringLiteral("+"), QStringLiteral(")")};
    return {QStringLiteral("nerin_sub("), QStringLiteral(","), QStringLiteral(")")};
}

// PostgreSQL refuses LIKE under the nondeterministic nerin_ci, so the text is matched under ICU's
// deterministic root collation with ILIKE ignoring case; accents still count, as under nerin_ci.
// Its LIKE takes "\" as an escape unless told otherwise; T-SQL's has none.
Dialect::LikeText PostgresDialect::like() const {
    return {QStringLiteral("COLLATE \"und-x-icu\""), QStringLiteral("ILIKE"), QStringLiteral("NOT ILIKE"),
            QStringLiteral("ESCAPE ''"), false};
}

QString PostgresDialect::functionName(const FunctionMap::Entry& function) const {
    if (function.name == u"ISNULL")
        return QStringLiteral("coalesce");
    if (function.name == u"SCOPE_IDENTITY")
        return lastIdentity().chopped(2);
    for (const char16_t* name : native) {
        if (function.name == QStringView(name))
            return function.name.toLower();
    }
    return QStringLiteral("nerin_") + function.name.toLower();
}

QString PostgresDialect::conversionFunction(QStringView type) const {
    const QStringView base = type.left(type.indexOf(u'(')).trimmed();
    for (const Family& f : families) {
        if (base.compare(QStringView(f.type), Qt::CaseInsensitive) == 0)
            return QString::fromUtf16(f.function);
    }
    return QStringLiteral("nerin_convert_") + base.toString().toLower();
}

QString PostgresDialect::rowIdentifier() const {
    return QStringLiteral("ctid");
}

QString PostgresDialect::createTable(bool temporary) const {
    return temporary ? QStringLiteral("CREATE TEMPORARY TABLE") : QStringLiteral("CREATE TABLE");
}

QString PostgresDialect::temporarySchema() const {
    return QStringLiteral("pg_temp");
}

QString PostgresDialect::truncateTable() const {
    return QStringLiteral("TRUNCATE TABLE");
}

// PostgreSQL writes through a view of one table, and checks its WHERE when asked to.
bool PostgresDialect::keepsViewCheckOption() const {
    return true;
}

QString PostgresDialect::identityColumn() const {
    return QStringLiteral("integer GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY");
}

// Money is exact to four places, as in SQL Server; a date and time keeps milliseconds. Types the
// engine does not know keep their name, for PostgreSQL to accept or refuse.
Dialect::ColumnType PostgresDialect::columnType(QStringView type, bool exactFraction) const {
    Q_UNUSED(exactFraction);
    for (const Type& t : types) {
        if (type.compare(QStringView(t.tsql), Qt::CaseInsensitive) == 0)
            return {QString::fromUtf16(t.postgres), t.keepsLength};
    }
    return {type.toString(), true};
}

QString PostgresDialect::collation(bool caseSensitive) const {
    return caseSensitive ? QStringLiteral("COLLATE \"C\"") : QStringLiteral("COLLATE nerin_ci");
}

// PostgreSQL refuses a collation on a number or a date; a value whose type it infers (a string, a
// parameter bound as unknown) takes it, or drops it when it becomes a number.
bool PostgresDialect::collatesAnyValue() const {
    return false;
}

Dialect::Enclosure PostgresDialect::computedColumn() const {
    return {QStringLiteral("GENERATED ALWAYS AS ("), QStringLiteral(") STORED")};
}

// The run-time library's schema nerin_information_schema lists the database's own objects as SQL
// Server does; PostgreSQL's information_schema lists its own.
QString PostgresDialect::catalogueView(QStringView view) const {
    return QStringLiteral("nerin_information_schema.") + view.toString().toLower();
}

bool PostgresDialect::forgetsDeclaredNames() const {
    return true;
}

} // namespace nerin::tsql
