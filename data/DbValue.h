#pragma once

#include "text/Currency.h"

#include <QDateTime>
#include <QString>
#include <variant>

namespace nerin {

// One field read from the database, or a parameter value sent to it: NULL, an integer, a double, an
// amount of money, a text or a date and time. Reading a value as another kind converts it the way the
// terminal expects of a database field (a NULL reads as 0, "" or an invalid date; numbers in text form
// read as numbers; money converts exactly).
class DbValue {
public:
    enum class Type { Null, Integer, Double, Currency, Text, DateTime };

    DbValue() = default;
    DbValue(qint64 value) : m_value(value) {}
    DbValue(int value) : m_value(static_cast<qint64>(value)) {}
    DbValue(double value) : m_value(value) {}
    DbValue(nerin::Currency value) : m_value(value) {}
    DbValue(QString value) : m_value(std::move(value)) {}
    DbValue(const char* value) : m_value(QString::fromUtf8(value)) {}
    DbValue(QDateTime value) : m_value(std::move(value)) {}

    Type type() const { return static_cast<Type>(m_value.index()); }
    bool isNull() const { return type() == Type::Null; }

    // Whole numbers: doubles and money are rounded half away from zero; texts that do not hold a
    // number read as 0.
    qint64 toInt() const;
    double toDouble() const;
    // Exact for integers, money and decimal texts; doubles are read as the shortest decimal that
    // gives them back, so a money column stored as 99.95 reads as exactly 99.95.
    nerin::Currency toCurrency() const;
    // How a field shows as text: numbers without thousands separators and without trailing zeros,
    // dates as "dd/mm/yyyy hh:mm:ss" (time left out when it is midnight), NULL as "".
    QString toString() const;
    // Dates, and texts in the stored form "yyyy-mm-dd hh:mm:ss[.zzz]" or "dd/mm/yyyy[ hh:mm[:ss]]".
    QDateTime toDateTime() const;

    bool operator==(const DbValue& other) const = default;

private:
    std::variant<std::monostate, qint64, double, nerin::Currency, QString, QDateTime> m_value;
};

} // namespace nerin
