#include "server/postgres/PgValues.h"

#include <QTimeZone>
#include <cmath>
#include <limits>

namespace nerin {

namespace {

QByteArray doubleText(double value) {
    if (std::isnan(value))
        return QByteArrayLiteral("NaN");
    if (std::isinf(value))
        return value > 0 ? QByteArrayLiteral("Infinity") : QByteArrayLiteral("-Infinity");
    return QByteArray::number(value, 'g', QLocale::FloatingPointShortest);
}

double readDouble(const QByteArray& text) {
    if (text == "NaN")
        return std::numeric_limits<double>::quiet_NaN();
    if (text == "Infinity")
        return std::numeric_limits<double>::infinity();
    if (text == "-Infinity")
        return -std::numeric_limits<double>::infinity();
    return text.toDouble();
}

// "yyyy-mm-dd[ hh:mm:ss[.ffffff]][+hh[:mm[:ss]]]" as the server writes dates in the ISO style. The
// fraction is cut to milliseconds, the precision of QDateTime. No value for texts the server writes for
// special dates ("infinity", BC years).
std::optional<QDateTime> readDateTime(const QByteArray& text, bool withZone) {
    if (text.size() < 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const QDate date(text.left(4).toInt(), text.mid(5, 2).toInt(), text.mid(8, 2).toInt());
    if (!date.isValid())
        return std::nullopt;
    QTime time(0, 0);
    int offsetSeconds = 0;
    if (text.size() >= 19 && text[10] == ' ') {
        int milliseconds = 0;
        qsizetype at = 19;
        if (at < text.size() && text[at] == '.') {
            int digits = 0;
            for (++at; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
                if (digits++ < 3)
                    milliseconds = milliseconds * 10 + (text[at] - '0');
            }
            for (; digits < 3; ++digits)
                milliseconds *= 10;
        }
        time = QTime(text.mid(11, 2).toInt(), text.mid(14, 2).toInt(), text.mid(17, 2).toInt(), milliseconds);
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
            const int sign = text[at] == '-' ? -1 : 1;
            const QList<QByteArray> parts = text.mid(at + 1).split(':');
            int seconds = 0;
            for (qsizetype i = 0; i < parts.size() && i < 3; ++i)
                seconds += parts[i].toInt() * (i == 0 ? 3600 : i == 1 ? 60 : 1);
            offsetSeconds = sign * seconds;
        } else if (at != text.size()) {
            return std::nullopt;
        }
        if (!time.isValid())
            return std::nullopt;
    } else if (text.size() != 10) {
        return std::nullopt;
    }
    if (withZone)
        return QDateTime(date, time, QTimeZone(offsetSeconds)).toLocalTime();
    return QDateTime(date, time);
}

} // namespace

PgValues::Parameter PgValues::parameter(const DbValue& value) {
    switch (value.type()) {
    case DbValue::Type::Null:
        return {};
    case DbValue::Type::Integer:
        return {kInt8, QByteArray::number(value.toInt()), false};
    case DbValue::Type::Double:
        return {kFloat8, doubleText(value.toDouble()), false};
    case DbValue::Type::Currency:
        return {kNumeric, value.toCurrency().toPlainText().toLatin1(), false};
    case DbValue::Type::Text:
        return {kText, value.toString().toUtf8(), false};
    case DbValue::Type::DateTime: {
        const QDateTime local = value.toDateTime().toLocalTime();
        if (!local.isValid())
            return {};
        return {kTimestamp, local.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")).toLatin1(), false};
    }
    }
    return {};
}

DbValue PgValues::field(unsigned int type, const char* text, int length) {
    if (!text)
        return DbValue();
    const QByteArray bytes = QByteArray::fromRawData(text, length);
    switch (type) {
    case kInt2:
    case kInt4:
    case kInt8:
    case kOid:
        return DbValue(bytes.toLongLong());
    case kBool:
        return DbValue(bytes == "t" ? 1 : 0);
    case kFloat4:
    case kFloat8:
        return DbValue(readDouble(bytes));
    case kNumeric:
        if (const std::optional<Currency> money = Currency::parse(QString::fromLatin1(bytes)))
            return DbValue(*money);
        return DbValue(readDouble(bytes));
    case kDate:
    case kTimestamp:
    case kTimestampTz:
        if (const std::optional<QDateTime> when = readDateTime(bytes, type == kTimestampTz))
            return DbValue(*when);
        break;
    default:
        break;
    }
    return DbValue(QString::fromUtf8(bytes));
}

} // namespace nerin
