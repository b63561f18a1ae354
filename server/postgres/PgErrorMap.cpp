#include "server/postgres/PgErrorMap.h"

#include <QRegularExpression>

namespace nerin {

namespace {

PgError make(Status::Code code, qint64 native, const QString& sqlState, const QString& message) {
    return PgError{code, DbError{native, message, sqlState}, false};
}

// The first name the server quoted in its message ("relation \"mesa\" does not exist"), or empty.
QString quotedName(const QString& message) {
    static const QRegularExpression quoted(QStringLiteral("\"([^\"]*)\""));
    return quoted.match(message).captured(1);
}

// A column as the server names it: "c", or "t.c" when it was qualified ("column reference "c" is
// ambiguous").
QString columnName(const QString& message) {
    static const QRegularExpression column(QStringLiteral("^column (?:reference )?(?:\"([^\"]*)\"|(\\S+)) "));
    const QRegularExpressionMatch m = column.match(message);
    const QString name = m.captured(1).isEmpty() ? m.captured(2) : m.captured(1);
    return name.section(u'.', -1);
}

// The database a table lives in as SQL Server names it: the session's temporary tables live in tempdb.
QString databaseOf(const PgErrorMap::Details& details) {
    if (details.table.startsWith(u'#') || details.database.isEmpty())
        return QStringLiteral("tempdb");
    return details.database;
}

// The T-SQL name of the type the server names in a conversion failure.
QString tsqlType(const QString& type) {
    if (type == u"integer")
        return QStringLiteral("int");
    if (type == u"double precision")
        return QStringLiteral("float");
    return type;
}

PgError conversionError(const QString& sqlState, const QString& message) {
    static const QRegularExpression badInput(
        QStringLiteral("^invalid input syntax for type ([a-z ]+): \"(.*)\"$"));
    const QRegularExpressionMatch m = badInput.match(message);
    if (sqlState != u"22P02")
        return make(
            Status::Code::CommandTextError, 241, sqlState,
            QStringLiteral("Conversion failed when converting date and/or time from character string."));
    if (!m.hasMatch())
        return make(Status::Code::CommandTextError, 245, sqlState, message);
    const QString type = m.captured(1);
    if (type.startsWith(u"timestamp") || type == u"date" || type.startsWith(u"time"))
        return make(
            Status::Code::CommandTextError, 241, sqlState,
            QStringLiteral("Conversion failed when converting date and/or time from character string."));
    if (type == u"numeric" || type == u"double precision" || type == u"real")
        return make(Status::Code::CommandTextError, 8114, sqlState,
                    QStringLiteral("Error converting data type varchar to %1.").arg(tsqlType(type)));
    return make(Status::Code::CommandTextError, 245, sqlState,
                QStringLiteral("Conversion failed when converting the varchar value '%1' to data type %2.")
                    .arg(m.captured(2), tsqlType(type)));
}

PgError uniqueError(const QString& sqlState, const PgErrorMap::Details& details) {
    const QString& name = details.constraint;
    const QString& table = details.table;
    // Keys declared without a name are named by the server "<table>_pkey" and "<table>_<columns>_key";
    // any other name is an index made by CREATE UNIQUE INDEX.
    const bool primary = name.endsWith(u"_pkey") || name.startsWith(u"pk_", Qt::CaseInsensitive);
    const bool key = primary || name.endsWith(u"_key") || name.startsWith(u"uq_", Qt::CaseInsensitive);
    if (!key)
        return make(
            Status::Code::DatabaseError, 2601, sqlState,
            QStringLiteral("Cannot insert duplicate key row in object 'dbo.%1' with unique index '%2'.")
                .arg(table, name));
    return make(Status::Code::DatabaseError, 2627, sqlState,
                QStringLiteral("Violation of %1 constraint '%2_%3'. Cannot insert duplicate key in object "
                               "'dbo.%3'.")
                    .arg(primary ? QStringLiteral("PRIMARY KEY") : QStringLiteral("UNIQUE KEY"),
                         primary ? QStringLiteral("PK") : QStringLiteral("UQ"), table));
}

PgError constraintError(const QString& sqlState, const QString& message, const PgErrorMap::Details& details) {
    const QString verb = details.verb.isEmpty() ? QStringLiteral("INSERT") : details.verb;
    if (sqlState == u"23502") {
        const QString column = details.column.isEmpty() ? quotedName(message) : details.column;
        return make(Status::Code::DatabaseError, 515, sqlState,
                    QStringLiteral("Cannot insert the value NULL into column '%1', table '%2.dbo.%3'; column "
                                   "does not allow nulls. %4 fails.")
                        .arg(column, databaseOf(details), details.table, verb));
    }
    if (sqlState == u"23505")
        return uniqueError(sqlState, details);
    if (sqlState == u"23514")
        return make(Status::Code::DatabaseError, 547, sqlState,
                    QStringLiteral("The %1 statement conflicted with the CHECK constraint \"%2\".")
                        .arg(verb, details.constraint));
    if (sqlState == u"23503")
        return make(
            Status::Code::DatabaseError, 547, sqlState,
            verb == u"DELETE"
                ? QStringLiteral("The DELETE statement conflicted with the REFERENCE constraint.")
                : QStringLiteral("The %1 statement conflicted with the FOREIGN KEY constraint.").arg(verb));
    return make(Status::Code::DatabaseError, 2627, sqlState, message);
}

PgError statementError(const QString& sqlState, const QString& message) {
    const auto text = [&](int native, QString what) {
        return make(Status::Code::CommandTextError, native, sqlState, std::move(what));
    };
    if (sqlState == u"42P01")
        return make(Status::Code::NotFound, 208, sqlState,
                    QStringLiteral("Invalid object name '%1'.").arg(quotedName(message)));
    if (sqlState == u"42703")
        return make(Status::Code::NotFound, 207, sqlState,
                    QStringLiteral("Invalid column name '%1'.").arg(columnName(message)));
    if (sqlState == u"42883")
        return make(Status::Code::NotFound, 2812, sqlState, message);
    if (sqlState == u"42501")
        return text(229, message);
    if (sqlState == u"42702")
        return text(209, QStringLiteral("Ambiguous column name '%1'.").arg(columnName(message)));
    if (sqlState == u"42P07")
        return text(2714, QStringLiteral("There is already an object named '%1' in the database.")
                              .arg(quotedName(message)));
    if (sqlState == u"42601" && message.startsWith(u"syntax error at or near "))
        return text(102, QStringLiteral("Incorrect syntax near '%1'.").arg(quotedName(message)));
    if (sqlState == u"42601" && message.contains(u"INSERT has more"))
        return text(213, QStringLiteral("Column name or number of supplied values does not match table "
                                        "definition."));
    if (sqlState == u"42601" && message.startsWith(u"each UNION query must have the same number"))
        return text(205, QStringLiteral("All queries combined using a UNION, INTERSECT or EXCEPT operator "
                                        "must have an equal number of expressions in their target lists."));
    return text(102, message);
}

} // namespace

PgError PgErrorMap::classify(const QString& sqlState, const QString& message, bool linkLost,
                             const Details& details) {
    const QStringView category = QStringView(sqlState).left(2);
    // A connection that is gone, or that the server is ending (shutdown, crash, an administrator),
    // cannot be used again: the terminal has to reconnect.
    if (linkLost || category == u"08" || sqlState.startsWith(u"57P0"))
        return make(Status::Code::LostLink, 0, sqlState.isEmpty() ? QStringLiteral("08S01") : sqlState,
                    message);
    // Another machine's conflicting work: the caller runs its transaction again; when it has tried
    // enough, the person is told to try again.
    if (sqlState == u"40001" || sqlState == u"40P01" || sqlState == u"55P03") {
        PgError error = make(
            Status::Code::DatabaseError,
            sqlState == u"40P01"   ? 1205
            : sqlState == u"55P03" ? 1222
                                   : 3960,
            sqlState, QStringLiteral("La base de datos está ocupada por otra terminal; intente de nuevo."));
        error.retryable = sqlState != u"55P03";
        return error;
    }
    if (category == u"42")
        return statementError(sqlState, message);
    // Constraint violations are plain database errors shown to the person.
    if (category == u"23")
        return constraintError(sqlState, message, details);
    if (sqlState == u"22012")
        return make(Status::Code::CommandTextError, 8134, sqlState,
                    QStringLiteral("Divide by zero error encountered."));
    if (sqlState == u"22001")
        return make(Status::Code::CommandTextError, 8152, sqlState,
                    QStringLiteral("String or binary data would be truncated."));
    if (sqlState == u"22003")
        return make(Status::Code::CommandTextError, 8115, sqlState,
                    QStringLiteral("Arithmetic overflow error converting expression to data type numeric."));
    if (sqlState == u"22P02" || sqlState == u"22007" || sqlState == u"22008")
        return conversionError(sqlState, message);
    if (category == u"22")
        return make(Status::Code::CommandTextError, 245, sqlState, message);
    if (sqlState == u"57014")
        return make(Status::Code::DatabaseError, 0, QStringLiteral("HY008"), message);
    return make(Status::Code::DatabaseError, 50000, sqlState, message);
}

} // namespace nerin
