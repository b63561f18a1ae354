#include "data/DbValue.h"

#include "text/TextFormat.h"

#include <cmath>
#include <limits>

namespace nerin {

namespace {

// The stored form of dates in the embedded database, with or without milliseconds.
QDateTime parseStoredDateTime(const QString& text) {
    const QString trimmed = text.trimmed();
    for (const char* format : {"yyyy-MM-dd HH:mm:ss.zzz", "yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd HH:mm",
                               "yyyy-MM-dd", "yyyy-MM-ddTHH:mm:ss.zzz", "yyyy-MM-ddTHH:mm:ss"}) {
        const QDateTime value = QDateTime::fromString(trimmed, QString::fromLatin1(format));
        if (value.isValid())
            return value;
    }
    if (const auto written = TextFormat::parseDateTime(trimmed))
        return *written;
    // A time alone ("08:30") is that time on the database's day zero.
    for (const char* format : {"H:mm", "H:mm:ss"}) {
        const QTime time = QTime::fromString(trimmed, QString::fromLatin1(format));
        if (time.isValid())
            return QDateTime(QDate(1900, 1, 1), time);
    }
    return {};
}

qint64 roundToInt(double value) {
    if (!std::isfinite(value))
        return 0;
    const double rounded = std::round(value);
    if (rounded >= 9.2e18 || rounded <= -9.2e18)
        return 0;
    return static_cast<qint64>(rounded);
}

} // namespace

qint64 DbValue::toInt() const {
    switch (type()) {
    case Type::Integer:
        return std::get<qint64>(m_value);
    case Type::Double:
        return roundToInt(std::get<double>(m_value));
    case Type::Currency:
        return std::get<Currency>(m_value).roundedTo(0, RoundingMode::HalfAwayFromZero).wholePart();
    case Type::Text: {
        bool ok = false;
        const QString text = std::get<QString>(m_value).trimmed();
        const qint64 whole = text.toLongLong(&ok);
        if (ok)
            return whole;
        const double number = text.toDouble(&ok);
        return ok ? roundToInt(number) : 0;
    }
    case Type::Null:
    case Type::DateTime:
        break;
    }
    return 0;
}

double DbValue::toDouble() const {
    switch (type()) {
    case Type::Integer:
        return static_cast<double>(std::get<qint64>(m_value));
    case Type::Double:
        return std::get<double>(m_value);
    case Type::Currency:
        return std::get<Currency>(m_value).toDouble();
    case Type::Text: {
        bool ok = false;
        const double number = std::get<QString>(m_value).trimmed().toDouble(&ok);
        return ok ? number : 0.0;
    }
    case Type::Null:
    case Type::DateTime:
        break;
    }
    return 0.0;
}

Currency DbValue::toCurrency() const {
    switch (type()) {
    case Type::Integer: {
        const qint64 units = std::get<qint64>(m_value);
        constexpr qint64 kLimit = std::numeric_limits<qint64>::max() / Currency::kScale;
        return units >= -kLimit && units <= kLimit ? Currency::fromUnits(units) : Currency();
    }
    case Type::Double:
        return Currency::fromDouble(std::get<double>(m_value)).value_or(Currency());
    case Type::Currency:
        return std::get<Currency>(m_value);
    case Type::Text:
        return Currency::parse(std::get<QString>(m_value)).value_or(Currency());
    case Type::Null:
    case Type::DateTime:
        break;
    }
    return Currency();
}

QString DbValue::toString() const {
    switch (type()) {
    case Type::Null:
        return {};
    case Type::Integer:
        return QString::number(std::get<qint64>(m_value));
    case Type::Double: {
        const double value = std::get<double>(m_value);
        return std::isfinite(value)
                   ? QString::number(value, 'g', std::numeric_limits<double>::max_digits10 - 2)
                   : QString();
    }
    case Type::Currency:
        return std::get<Currency>(m_value).toPlainText();
    case Type::Text:
        return std::get<QString>(m_value);
    case Type::DateTime: {
        const QDateTime& value = std::get<QDateTime>(m_value);
        if (value.time() == QTime(0, 0))
            return TextFormat::dateTime(value, u"dd/mm/yyyy");
        return TextFormat::dateTime(value, u"dd/mm/yyyy hh:mm:ss");
    }
    }
    return {};
}

QDateTime DbValue::toDateTime() const {
    switch (type()) {
    case Type::DateTime:
        return std::get<QDateTime>(m_value);
    case Type::Text:
        return parseStoredDateTime(std::get<QString>(m_value));
    case Type::Null:
    case Type::Integer:
    case Type::Double:
    case Type::Currency:
        break;
    }
    return {};
}

} // namespace nerin
