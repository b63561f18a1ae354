#include "server/tsql/SqliteValues.h"

#include "server/tsql/DateTimeText.h"
#include "text/Cp1252.h"

#include <sqlite3.h>

namespace nerin::tsql {

namespace {

bool isDateType(const char* declared) {
    if (!declared)
        return false;
    const QByteArray lower = QByteArray(declared).toLower();
    return lower.startsWith("datetime") || lower.startsWith("smalldatetime") || lower == "date";
}

bool isMoneyType(const char* declared) {
    if (!declared)
        return false;
    const QByteArray lower = QByteArray(declared).toLower();
    return lower.startsWith("money") || lower.startsWith("smallmoney");
}

DbValue textValue(sqlite3_stmt* statement, int column, bool dateColumn) {
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    const int size = sqlite3_column_bytes(statement, column);
    const std::string_view view(bytes ? bytes : "", static_cast<std::size_t>(size));
    // Dates are stored as text; a text in exactly the stored form is a date whatever the column.
    if ((dateColumn || (view.size() == kCanonicalLength && hasCanonicalShape(view)))) {
        if (auto parsed = parseDateTimeText(view))
            return DbValue(QDateTime(parsed->date, parsed->time));
    }
    return DbValue(QString::fromUtf8(bytes, size));
}

} // namespace

QByteArray binaryLiteralBytes(const Token& token) {
    QByteArray digits = token.text.sliced(2).toLatin1();
    if (digits.size() % 2 != 0)
        digits.prepend('0');
    return QByteArray::fromHex(digits);
}

DbValue literalValue(const Token& token) {
    if (token.kind == Token::Kind::String) {
        // Only a text that starts with a digit and holds a date separator can be a date; most texts
        // are names and codes, and are bound without a second look.
        const QString& text = token.text;
        const bool mayBeDate = text.size() >= 8 && text.size() <= 40 && text.front().isDigit() &&
                               (text.contains(u'/') || text.contains(u'-'));
        if (mayBeDate) {
            if (auto stored = canonicalize(text))
                return DbValue(*stored);
        }
        return DbValue(text);
    }
    if (token.isBinary())
        return DbValue(Cp1252::decode(binaryLiteralBytes(token)));
    bool ok = false;
    const qint64 whole = token.text.toLongLong(&ok);
    if (ok)
        return DbValue(whole);
    return DbValue(token.text.toDouble());
}

int bindValue(sqlite3_stmt* statement, int index, const DbValue& value) {
    switch (value.type()) {
    case DbValue::Type::Null:
        return sqlite3_bind_null(statement, index);
    case DbValue::Type::Integer:
        return sqlite3_bind_int64(statement, index, value.toInt());
    case DbValue::Type::Double:
    case DbValue::Type::Currency:
        return sqlite3_bind_double(statement, index, value.toDouble());
    case DbValue::Type::Text: {
        const QByteArray utf8 = value.toString().toUtf8();
        return sqlite3_bind_text64(statement, index, utf8.constData(),
                                   static_cast<sqlite3_uint64>(utf8.size()), SQLITE_TRANSIENT, SQLITE_UTF8);
    }
    case DbValue::Type::DateTime: {
        const QByteArray utf8 = canonicalDateTime(value.toDateTime()).toUtf8();
        return sqlite3_bind_text64(statement, index, utf8.constData(),
                                   static_cast<sqlite3_uint64>(utf8.size()), SQLITE_TRANSIENT, SQLITE_UTF8);
    }
    }
    return SQLITE_MISUSE;
}

QStringList columnNames(sqlite3_stmt* statement) {
    QStringList names;
    const int count = sqlite3_column_count(statement);
    for (int i = 0; i < count; ++i) {
        const QString name = QString::fromUtf8(sqlite3_column_name(statement, i));
        // A column that is an expression without a name has none, as the server returns it: SQLite
        // names it after its own text ("nerin_add(?1, ?2)", "1", "COUNT(*)").
        static const QString expressionSigns = QStringLiteral("()?@+-*/',|=<>");
        bool unnamed = name.isEmpty() || name.front().isDigit();
        for (const QChar c : name)
            unnamed = unnamed || expressionSigns.contains(c);
        names.append(unnamed ? QString() : name);
    }
    return names;
}

QList<DbValue> readRow(sqlite3_stmt* statement) {
    const int count = sqlite3_column_count(statement);
    QList<DbValue> row;
    row.reserve(count);
    for (int i = 0; i < count; ++i) {
        const char* declared = sqlite3_column_decltype(statement, i);
        switch (sqlite3_column_type(statement, i)) {
        case SQLITE_NULL:
            row.append(DbValue());
            break;
        case SQLITE_INTEGER: {
            const qint64 number = sqlite3_column_int64(statement, i);
            row.append(isMoneyType(declared) ? DbValue(DbValue(number).toCurrency()) : DbValue(number));
            break;
        }
        case SQLITE_FLOAT: {
            const double number = sqlite3_column_double(statement, i);
            row.append(isMoneyType(declared) ? DbValue(DbValue(number).toCurrency()) : DbValue(number));
            break;
        }
        default:
            row.append(textValue(statement, i, isDateType(declared)));
            break;
        }
    }
    return row;
}

} // namespace nerin::tsql
