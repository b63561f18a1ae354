#include "server/tsql/SqliteErrors.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <sqlite3.h>

namespace nerin::tsql {

namespace {

const QString kConstraintState = QStringLiteral("23000");

// A name as SQLite writes it in a message, without the schema it may carry ("main.Mesa").
QString withoutSchema(QString name) {
    for (const QLatin1String schema : {QLatin1String("main."), QLatin1String("temp.")}) {
        if (name.startsWith(schema, Qt::CaseInsensitive))
            return name.mid(schema.size());
    }
    return name;
}

// "Mesa.Numero" as the table and the column.
QPair<QString, QString> tableAndColumn(const QString& qualified) {
    const qsizetype dot = qualified.lastIndexOf(u'.');
    if (dot < 0)
        return {QString(), qualified};
    return {qualified.left(dot), qualified.mid(dot + 1)};
}

// The database's name as the server would give it: the file's name without its extension. The
// connection's temporary tables live in the server's temporary database.
QString databaseName(sqlite3* db, const QString& table) {
    if (table.startsWith(u'#'))
        return QStringLiteral("tempdb");
    const char* file = sqlite3_db_filename(db, "main");
    const QString name = file ? QFileInfo(QString::fromUtf8(file)).completeBaseName() : QString();
    return name.isEmpty() ? QStringLiteral("tempdb") : name;
}

// The unique index created by CREATE UNIQUE INDEX on exactly `columns` of `table`, if there is one: a
// duplicate in it is a duplicate key row, not a violated key constraint.
QString uniqueIndexOn(sqlite3* db, const QString& table, const QStringList& columns) {
    sqlite3_stmt* statement = nullptr;
    const char* sql = "SELECT l.name, group_concat(i.name, ',') FROM pragma_index_list(?1) l, "
                      "pragma_index_info(l.name) i WHERE l.\"unique\" AND l.origin = 'c' GROUP BY l.name";
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement);
        return {};
    }
    const QByteArray tableName = table.toUtf8();
    sqlite3_bind_text(statement, 1, tableName.constData(), static_cast<int>(tableName.size()),
                      SQLITE_TRANSIENT);
    QString found;
    while (found.isEmpty() && sqlite3_step(statement) == SQLITE_ROW) {
        const QString indexed =
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 1)));
        if (indexed.compare(columns.join(u','), Qt::CaseInsensitive) == 0)
            found = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
    }
    sqlite3_finalize(statement);
    return found;
}

EngineError constraintError(sqlite3* db, const QString& message, QStringView verb) {
    const int extended = sqlite3_extended_errcode(db);
    const QString detail = message.section(QStringLiteral(": "), 1);
    auto error = [](int native, QString text) {
        return EngineError{Status::Code::DatabaseError, native, kConstraintState, std::move(text)};
    };
    switch (extended) {
    case SQLITE_CONSTRAINT_NOTNULL: {
        const auto [table, column] = tableAndColumn(detail);
        return error(515, QStringLiteral("Cannot insert the value NULL into column '%1', table '%2.dbo.%3'; "
                                         "column does not allow nulls. %4 fails.")
                              .arg(column, databaseName(db, table), table, verb));
    }
    case SQLITE_CONSTRAINT_PRIMARYKEY:
    case SQLITE_CONSTRAINT_UNIQUE: {
        QStringList columns;
        QString table;
        for (const QString& qualified : detail.split(QStringLiteral(", "))) {
            const auto parts = tableAndColumn(qualified);
            table = parts.first;
            columns.append(parts.second);
        }
        if (extended == SQLITE_CONSTRAINT_UNIQUE) {
            if (const QString index = uniqueIndexOn(db, table, columns); !index.isEmpty())
                return error(2601, QStringLiteral("Cannot insert duplicate key row in object 'dbo.%1' with "
                                                  "unique index '%2'.")
                                       .arg(table, index));
        }
        const bool primary = extended == SQLITE_CONSTRAINT_PRIMARYKEY;
        return error(2627,
                     QStringLiteral("Violation of %1 constraint '%2_%3'. Cannot insert duplicate key in "
                                    "object 'dbo.%3'.")
                         .arg(primary ? QStringLiteral("PRIMARY KEY") : QStringLiteral("UNIQUE KEY"),
                              primary ? QStringLiteral("PK") : QStringLiteral("UQ"), table));
    }
    case SQLITE_CONSTRAINT_CHECK:
        return error(547, QStringLiteral("The %1 statement conflicted with the CHECK constraint \"%2\".")
                              .arg(verb, detail));
    case SQLITE_CONSTRAINT_FOREIGNKEY:
        return error(
            547,
            verb == u"DELETE"
                ? QStringLiteral("The DELETE statement conflicted with the REFERENCE constraint.")
                : QStringLiteral("The %1 statement conflicted with the FOREIGN KEY constraint.").arg(verb));
    default:
        return error(2627, message);
    }
}

// Errors of the statement's text or of the objects it names, from SQLite's message.
EngineError statementError(const QString& message) {
    static const QRegularExpression syntax(QStringLiteral("^near \"(.*)\": syntax error$"));
    static const QRegularExpression hasNoColumn(QStringLiteral("^table (.+) has no column named (.+)$"));
    static const QRegularExpression alreadyExists(QStringLiteral("^(?:table|view) (.+) already exists$"));
    static const QRegularExpression valueCount(
        QStringLiteral("^(?:table .+ has \\d+ columns but \\d+ values were supplied|"
                       "\\d+ values for \\d+ columns)$"));
    static const QRegularExpression isView(QStringLiteral("^cannot modify (.+) because it is a view$"));
    const QString detail = message.section(QStringLiteral(": "), 1);
    const auto text = [](int native, const char* state, QString what) {
        return EngineError{Status::Code::CommandTextError, native, QString::fromLatin1(state),
                           std::move(what)};
    };

    if (message.startsWith(QStringLiteral("no such table: ")))
        return EngineError::notFound(QStringLiteral("Invalid object name '%1'.").arg(withoutSchema(detail)),
                                     208);
    if (message.startsWith(QStringLiteral("no such view: ")))
        return EngineError::notFound(
            QStringLiteral("Cannot drop the view '%1', because it does not exist or you "
                           "do not have permission.")
                .arg(withoutSchema(detail)),
            3701);
    if (message.startsWith(QStringLiteral("no such column: ")))
        return {Status::Code::NotFound, 207, QStringLiteral("42S22"),
                QStringLiteral("Invalid column name '%1'.").arg(tableAndColumn(detail).second)};
    if (message.startsWith(QStringLiteral("no such index: ")))
        return text(3701, "42S12",
                    QStringLiteral("Cannot drop the index '%1', because it does not exist or you do not have "
                                   "permission.")
                        .arg(withoutSchema(detail)));
    if (const auto m = hasNoColumn.match(message); m.hasMatch())
        return text(207, "42S22", QStringLiteral("Invalid column name '%1'.").arg(m.captured(2)));
    if (message.startsWith(QStringLiteral("ambiguous column name: ")))
        return text(209, "42000",
                    QStringLiteral("Ambiguous column name '%1'.").arg(tableAndColumn(detail).second));
    if (const auto m = alreadyExists.match(message); m.hasMatch())
        return text(2714, "42S01",
                    QStringLiteral("There is already an object named '%1' in the database.")
                        .arg(withoutSchema(m.captured(1))));
    if (const auto m = syntax.match(message); m.hasMatch())
        return text(102, "42000", QStringLiteral("Incorrect syntax near '%1'.").arg(m.captured(1)));
    if (message.startsWith(QStringLiteral("SELECTs to the left and right of")))
        return text(
            205, "42000",
            QStringLiteral("All queries combined using a UNION, INTERSECT or EXCEPT operator must have "
                           "an equal number of expressions in their target lists."));
    if (valueCount.match(message).hasMatch())
        return text(
            213, "21S01",
            QStringLiteral("Column name or number of supplied values does not match table definition."));
    if (const auto m = isView.match(message); m.hasMatch())
        return text(4405, "42000",
                    QStringLiteral("View or function '%1' is not updatable because the modification affects "
                                   "multiple base tables.")
                        .arg(m.captured(1)));
    if (message.startsWith(QStringLiteral("Conversion failed")))
        return text(245, "22018", message);
    return EngineError::commandText(message);
}

} // namespace

EngineError classifySqliteError(int code, sqlite3* db, QStringView verb) {
    const QString message = QString::fromUtf8(sqlite3_errmsg(db));
    switch (code & 0xFF) {
    case SQLITE_CONSTRAINT:
        return constraintError(db, message, verb);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return {Status::Code::DatabaseError, 1222, QStringLiteral("S1000"),
                QStringLiteral("La base de datos está ocupada por otra terminal; intente de nuevo.")};
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
    case SQLITE_FULL:
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_NOMEM:
    case SQLITE_PROTOCOL:
        return {Status::Code::LostLink, static_cast<int>(code), QStringLiteral("08S01"), message};
    case SQLITE_INTERRUPT:
        return {Status::Code::DatabaseError, 0, QStringLiteral("HY008"), message};
    default:
        return statementError(message);
    }
}

} // namespace nerin::tsql
