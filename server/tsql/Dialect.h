#pragma once

#include "server/tsql/FunctionMap.h"

#include <QString>
#include <QStringView>

namespace nerin::tsql {

// The words of the translator's output that belong to the database it translates for. The rewriters
// read T-SQL and decide what each statement means; whatever the target writes its own way (and not
// as T-SQL or as standard SQL every target shares) they ask for here. Each function states the T-SQL
// meaning its text must carry in the target. A dialect holds no state that changes: one instance
// serves any number of translators at once.
class Dialect {
public:
    virtual ~Dialect() = default;

    // --- Names and parameters ---

    // Whether `name`, written bare, would not be read as this same name (a keyword of the target,
    // a character it does not take in a bare name). Such names are written in double quotes.
    virtual bool needsQuotes(QStringView name) const = 0;
    // A name written in double quotes, spelled so that it names what the name written bare in any
    // case names (T-SQL names ignore case).
    virtual QString quotedName(QStringView name) const = 0;
    // The marker of the `n`-th value lifted out of a statement (from 1), bound by that number.
    virtual QString literalMarker(int n) const = 0;
    // The marker of a parameter bound by name; `name` is the variable as "@x", in lower case.
    virtual QString variableMarker(const QString& name) const = 0;
    // Text put before the statement proper when a named parameter is written before a numbered one,
    // so that each marker still takes its own value; `highestLiteral` is the highest number used.
    // Empty when the target numbers its markers without regard to their order.
    virtual QString parameterPrologue(int highestLiteral) const = 0;

    // --- Queries and changes ---

    // How TOP n is written: `before`, the row count as an expression, then `after`. AfterSelect puts
    // it right after SELECT [ALL | DISTINCT]; AtEnd after the ORDER BY of its SELECT.
    enum class LimitPlace { AfterSelect, AtEnd };
    struct RowLimit {
        LimitPlace place;
        QString before;
        QString after;
    };
    virtual RowLimit rowLimit() const = 0;

    // Words after an item of ORDER BY that sort NULL as the lowest value, as T-SQL does: first when
    // ascending, last when `descending`. Empty when the target sorts NULL so already.
    virtual QString nullsSortLowest(bool descending) const = 0;

    // An expression with the value of @@IDENTITY: the identity value of the last row inserted on
    // this connection, NULL when none was.
    virtual QString lastIdentity() const = 0;

    // How a T-SQL operator is written: `open`, the left operand, `separator`, the right operand,
    // then `close` ("nerin_add(", ",", ")" for a function; "(", "+", ")" for an operator).
    //   Add            "+": adds numbers, concatenates texts, adds days to a date; NULL gives NULL.
    //   SubtractDates  "-" with a date on either side: a date less days, or days between dates.
    enum class Operation { Add, SubtractDates };
    struct OperationText {
        QString open;
        QString separator;
        QString close;
    };
    virtual OperationText operation(Operation operation) const = 0;

    // How "a [NOT] LIKE p" is written, matching without regard to case as T-SQL's LIKE does under the
    // default collation: `collation` after the left operand (empty when none is needed), then
    // `like` or `notLike`, the pattern, and `noEscape` when no ESCAPE clause follows, so that no
    // character of the pattern escapes another (empty when none does by default). Without
    // `characterClasses` a pattern with T-SQL's "[abc]" is refused.
    struct LikeText {
        QString collation;
        QString like;
        QString notLike;
        QString noEscape;
        bool characterClasses = true;
    };
    virtual LikeText like() const = 0;

    // The name under which the target calls a T-SQL function of the map. Its arguments are written
    // as the entry's shape says (a date part or a type as a quoted text first), so the function must
    // take them that way and give T-SQL's result.
    virtual QString functionName(const FunctionMap::Entry& function) const = 0;
    // The name of the function that CAST and CONVERT to the T-SQL type `type` become ("varchar(10)",
    // "money", as written, in lower case). It takes the type as a quoted text, the value, and
    // CONVERT's style when given, and gives the value as that type.
    virtual QString conversionFunction(QStringView type) const = 0;

    // A column every table has that tells its rows apart, for "DELETE t FROM t JOIN ..." written as
    // "DELETE FROM t WHERE <it> IN (SELECT alias.<it> FROM ...)".
    virtual QString rowIdentifier() const = 0;

    // --- Definitions ---

    // The words before the table name of a CREATE TABLE, and of the "CREATE TABLE x AS <query>" that
    // SELECT ... INTO becomes. A temporary table ("#x") lives until the connection closes, seen by
    // this connection alone.
    virtual QString createTable(bool temporary) const = 0;
    // The schema that qualifies a temporary table where its name alone would not find it (DROP
    // TABLE #x); empty when none is needed.
    virtual QString temporarySchema() const = 0;
    // The words before the table name that remove every row of the table (TRUNCATE TABLE).
    virtual QString truncateTable() const = 0;
    // Whether a view keeps WITH CHECK OPTION: false when the target's views cannot be written
    // through, so that there is nothing to check.
    virtual bool keepsViewCheckOption() const = 0;

    // The type and key of an IDENTITY(1,1) column: whole numbers given in increasing order on
    // insert when no value is given. The column becomes the table's primary key, so that any other
    // primary key of the table is written as UNIQUE.
    virtual QString identityColumn() const = 0;
    // The type of a column declared as the T-SQL type `type` (as written, without its length);
    // `exactFraction` for money, smallmoney, and decimal or numeric with digits after the point.
    // When `keepsLength` the T-SQL length follows the text: "(10)", "(10,2)".
    struct ColumnType {
        QString text;
        bool keepsLength = true;
    };
    virtual ColumnType columnType(QStringView type, bool exactFraction) const = 0;
    // The clause that makes a text column compare without regard to case (SQL Server's default
    // collation), or by its exact characters when `caseSensitive`.
    virtual QString collation(bool caseSensitive) const = 0;
    // Whether collation(false) may follow a value of any type, as the comparisons of values that are
    // not columns need it. When not, it follows only a value known to be a text, so that two values
    // of unknown type (variables) compare as the target compares texts by default.
    virtual bool collatesAnyValue() const = 0;
    // What goes around the expression of a computed column ("Total AS Precio * Cantidad").
    struct Enclosure {
        QString before;
        QString after;
    };
    virtual Enclosure computedColumn() const = 0;

    // --- Catalogue ---

    // The name of the target's view that answers for SQL Server's INFORMATION_SCHEMA.<view> ("TABLES",
    // "COLUMNS", "VIEWS", "ROUTINES", in upper case), with its quotes.
    virtual QString catalogueView(QStringView view) const = 0;
    // Whether the target forgets how a table's names and column types were written (it folds the
    // names' case, writes T-SQL types as its own), so that the engine notes them as it creates the
    // table for INFORMATION_SCHEMA to give back.
    virtual bool forgetsDeclaredNames() const = 0;
};

} // namespace nerin::tsql
