#include "server/tsql/SqliteDialect.h"

#include "server/tsql/Keywords.h"
#include "server/tsql/SqlBuilder.h"

namespace nerin::tsql {

namespace {

// Characters SQLite accepts in a bare name: ASCII letters, digits, "_" and "$", and anything past
// ASCII.
bool isBareNameCharacter(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') || u == u'_' ||
           u == u'$' || u >= 0x80;
}

// The T-SQL functions SQLite calls by another name: SQLite's own with the same meaning, or the
// engine's run-time functions. Any other function of the map keeps its name, in lower case (SQLite
// has floor and ceiling from its math functions).
struct Renamed {
    const char16_t* tsql;
    const char16_t* sqlite;
};
constexpr Renamed renamed[] = {
    {u"ISNULL", u"ifnull"},
    {u"GETDATE", u"nerin_getdate"},
    {u"DATEADD", u"nerin_dateadd"},
    {u"DATEDIFF", u"nerin_datediff"},
    {u"DATEPART", u"nerin_datepart"},
    {u"YEAR", u"nerin_year"},
    {u"MONTH", u"nerin_month"},
    {u"DAY", u"nerin_day"},
    {u"SUBSTRING", u"nerin_substring"},
    {u"LEN", u"nerin_len"},
    {u"CHARINDEX", u"nerin_charindex"},
    {u"LEFT", u"nerin_left"},
    {u"RIGHT", u"nerin_right"},
    {u"SPACE", u"nerin_space"},
    {u"REPLICATE", u"nerin_replicate"},
    {u"UPPER", u"nerin_upper"},
    {u"LOWER", u"nerin_lower"},
    {u"ISNUMERIC", u"nerin_isnumeric"},
    {u"ROUND", u"nerin_round"},
    {u"STR", u"nerin_str"},
    {u"SCOPE_IDENTITY", u"last_insert_rowid"},
    {u"IDENT_CURRENT", u"nerin_ident_current"},
    {u"ASCII", u"unicode"},
    {u"REPLACE", u"nerin_replace"},
    {u"CHAR", u"nerin_char"},
};

} // namespace

bool SqliteDialect::needsQuotes(QStringView name) const {
    if (name.isEmpty() || (name[0] >= u'0' && name[0] <= u'9') || name[0] == u'$')
        return true;
    for (QChar c : name) {
        if (!isBareNameCharacter(c))
            return true;
    }
    return Keywords::isSqliteKeyword(name);
}

// SQLite compares names without regard to case, quoted or not.
QString SqliteDialect::quotedName(QStringView name) const {
    return SqlBuilder::doubleQuoted(name);
}

QString SqliteDialect::literalMarker(int n) const {
    return u'?' + QString::number(n);
}

QString SqliteDialect::variableMarker(const QString& name) const {
    return name;
}

// SQLite numbers "@x" one past the highest "?N" seen before it in the text, so "@x" written before
// "?2" would share slot 2 with it; a leading WITH that mentions the highest ?N keeps every "@x" above.
QString SqliteDialect::parameterPrologue(int highestLiteral) const {
    return QStringLiteral("WITH \"nerin$parametros\" AS (SELECT ?%1)").arg(highestLiteral);
}

Dialect::RowLimit SqliteDialect::rowLimit() const {
    return {LimitPlace::AtEnd, QStringLiteral("LIMIT"), {}};
}

// SQLite takes NULL as smaller than any value.
QString SqliteDialect::nullsSortLowest(bool descending) const {
    Q_UNUSED(descending);
    return {};
}

QString SqliteDialect::lastIdentity() const {
    return QStringLiteral("last_insert_rowid()");
}

// SQLite's "+" only adds numbers and "-" knows no dates, so both become run-time functions.
Dialect::OperationText SqliteDialect::operation(Operation operation) const {
    const QString name =
        operation == Operation::Add ? QStringLiteral("nerin_add(") : QStringLiteral("nerin_sub(");
    return {name, QStringLiteral(","), QStringLiteral(")")};
}

// The engine's like() function, registered over SQLite's, reads T-SQL's patterns under NERIN_CI.
Dialect::LikeText SqliteDialect::like() const {
    return {{}, QStringLiteral("LIKE"), QStringLiteral("NOT LIKE"), {}, true};
}

QString SqliteDialect::functionName(const FunctionMap::Entry& function) const {
    for (const Renamed& r : renamed) {
        if (function.name == QStringView(r.tsql))
            return QString::fromUtf16(r.sqlite);
    }
    return function.name.toLower();
}

// One run-time function converts to every type: SQLite values carry their own type.
QString SqliteDialect::conversionFunction(QStringView type) const {
    Q_UNUSED(type);
    return QStringLiteral("nerin_convert");
}

QString SqliteDialect::rowIdentifier() const {
    return QStringLiteral("rowid");
}

QString SqliteDialect::createTable(bool temporary) const {
    return temporary ? QStringLiteral("CREATE TEMP TABLE") : QStringLiteral("CREATE TABLE");
}

QString SqliteDialect::temporarySchema() const {
    return QStringLiteral("temp");
}

// SQLite has no TRUNCATE; a DELETE without WHERE empties the table at once.
QString SqliteDialect::truncateTable() const {
    return QStringLiteral("DELETE FROM");
}

// SQLite views cannot be written through.
bool SqliteDialect::keepsViewCheckOption() const {
    return false;
}

// AUTOINCREMENT keeps SQL Server's rule that a value once given is not given again, even after the
// row with the highest one is deleted.
QString SqliteDialect::identityColumn() const {
    return QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
}

// T-SQL type names stay: SQLite takes a column's affinity from them. Money and decimals with a
// fraction get floating-point affinity too, so that a whole amount stored in them still divides as
// a decimal (10 * 5 / 100 is 0.5, not 0) as the server's exact types do; the declared type still
// starts with the T-SQL name, which is how reads recognise money. sysname is nvarchar(128) in SQL
// Server; SQLite would read it as a number.
Dialect::ColumnType SqliteDialect::columnType(QStringView type, bool exactFraction) const {
    if (type.compare(u"sysname", Qt::CaseInsensitive) == 0)
        return {QStringLiteral("nvarchar(128)"), false};
    if (exactFraction)
        return {type.toString() + QStringLiteral(" float"), true};
    return {type.toString(), true};
}

QString SqliteDialect::collation(bool caseSensitive) const {
    return caseSensitive ? QStringLiteral("COLLATE BINARY") : QStringLiteral("COLLATE NERIN_CI");
}

// SQLite ignores a collation on anything but a text.
bool SqliteDialect::collatesAnyValue() const {
    return true;
}

Dialect::Enclosure SqliteDialect::computedColumn() const {
    return {QStringLiteral("AS ("), QStringLiteral(")")};
}

// The connection's temporary views that InformationSchema::install() creates.
QString SqliteDialect::catalogueView(QStringView view) const {
    return SqlBuilder::doubleQuoted(QStringLiteral("INFORMATION_SCHEMA.") + view.toString());
}

bool SqliteDialect::forgetsDeclaredNames() const {
    return false;
}

} // namespace nerin::tsql
