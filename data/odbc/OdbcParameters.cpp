#include "data/odbc/OdbcParameters.h"

#include <algorithm>

namespace nerin {

namespace {

using ParamType = DbCommand::ParamType;
using Direction = DbCommand::Direction;

// Room for an output text declared without a size.
constexpr qsizetype kDefaultOutputChars = 8000;
// Room for a decimal(38, s) as text: 38 digits, sign, point and terminator, rounded up.
constexpr size_t kDecimalTextBytes = 48;

// Dates go as ISO 8601 text, which SQL Server reads the same whatever the session's date format.
QString parameterText(const DbValue& value) {
    if (value.type() == DbValue::Type::DateTime) {
        const QDateTime stamp = value.toDateTime();
        return stamp.toString(stamp.time().msec() == 0 ? u"yyyy-MM-ddTHH:mm:ss" : u"yyyy-MM-ddTHH:mm:ss.zzz");
    }
    return value.toString();
}

SQLSMALLINT ioType(Direction direction) {
    switch (direction) {
    case Direction::Output:
        return SQL_PARAM_OUTPUT;
    case Direction::InputOutput:
        return SQL_PARAM_INPUT_OUTPUT;
    case Direction::Input:
        break;
    }
    return SQL_PARAM_INPUT;
}

qsizetype terminatedLength(const SQLWCHAR* text, qsizetype capacity) {
    qsizetype length = 0;
    while (length < capacity && text[length] != 0)
        ++length;
    return length;
}

} // namespace

OdbcParameters::OdbcParameters(const QList<DbCommand::Parameter>& parameters) {
    m_slots.reserve(static_cast<size_t>(parameters.size()));
    for (const DbCommand::Parameter& parameter : parameters)
        m_slots.push_back(makeSlot(parameter));
}

OdbcParameters::Slot OdbcParameters::makeSlot(const DbCommand::Parameter& parameter) {
    Slot slot;
    slot.type = parameter.type;
    slot.direction = parameter.direction;
    slot.name = parameter.name;
    const bool sends = parameter.direction != Direction::Output && !parameter.value.isNull();
    const bool receives = parameter.direction != Direction::Input;
    const qsizetype declared = parameter.size > 0 ? parameter.size : 0;
    slot.indicator = sends ? 0 : SQL_NULL_DATA;

    switch (parameter.type) {
    case ParamType::BigInt:
    case ParamType::Integer:
        slot.integer = sends ? parameter.value.toInt() : 0;
        break;
    case ParamType::Char:
    case ParamType::LongText: {
        const QString text = sends ? parameterText(parameter.value) : QString();
        qsizetype capacity = text.size();
        if (receives)
            capacity = std::max(capacity, declared > 0 ? declared : kDefaultOutputChars);
        slot.text = toSqlWide(text);
        slot.text.resize(static_cast<size_t>(capacity) + 1, 0);
        if (sends)
            slot.indicator = static_cast<SQLLEN>(text.size()) * static_cast<SQLLEN>(sizeof(SQLWCHAR));
        const qsizetype columnSize =
            parameter.type == ParamType::Char && declared > 0 ? declared : std::max<qsizetype>(capacity, 1);
        slot.columnSize = static_cast<SQLULEN>(columnSize);
        break;
    }
    case ParamType::Currency: {
        const QByteArray text = sends ? parameter.value.toCurrency().toPlainText().toLatin1() : QByteArray();
        slot.decimal.assign(text.begin(), text.end());
        slot.decimal.resize(std::max(slot.decimal.size() + 1, kDecimalTextBytes), 0);
        if (sends)
            slot.indicator = SQL_NTS;
        slot.columnSize = 19;
        break;
    }
    }
    return slot;
}

bool OdbcParameters::bind(SQLHSTMT statement) {
    for (size_t i = 0; i < m_slots.size(); ++i) {
        Slot& slot = m_slots[i];
        const auto number = static_cast<SQLUSMALLINT>(i + 1);
        const SQLSMALLINT io = ioType(slot.direction);
        SQLRETURN rc = SQL_ERROR;
        switch (slot.type) {
        case ParamType::BigInt:
        case ParamType::Integer:
            rc = SQLBindParameter(statement, number, io, SQL_C_SBIGINT,
                                  slot.type == ParamType::BigInt ? SQL_BIGINT : SQL_INTEGER, 0, 0,
                                  &slot.integer, 0, &slot.indicator);
            break;
        case ParamType::Char:
        case ParamType::LongText:
            rc = SQLBindParameter(statement, number, io, SQL_C_WCHAR,
                                  slot.type == ParamType::Char ? SQL_CHAR : SQL_WLONGVARCHAR, slot.columnSize,
                                  0, slot.text.data(),
                                  static_cast<SQLLEN>(slot.text.size() * sizeof(SQLWCHAR)), &slot.indicator);
            break;
        case ParamType::Currency:
            rc = SQLBindParameter(statement, number, io, SQL_C_CHAR, SQL_DECIMAL, slot.columnSize, 4,
                                  slot.decimal.data(), static_cast<SQLLEN>(slot.decimal.size()),
                                  &slot.indicator);
            break;
        }
        if (!odbcSucceeded(rc))
            return false;
    }
    return true;
}

void OdbcParameters::writeOutputs(DbCommand& command) const {
    for (const Slot& slot : m_slots) {
        if (slot.direction != Direction::Input)
            command.setParameter(slot.name, outputValue(slot));
    }
}

DbValue OdbcParameters::outputValue(const Slot& slot) {
    if (slot.indicator == SQL_NULL_DATA)
        return {};
    switch (slot.type) {
    case ParamType::BigInt:
    case ParamType::Integer:
        return DbValue(static_cast<qint64>(slot.integer));
    case ParamType::Char:
    case ParamType::LongText: {
        const auto capacity = static_cast<qsizetype>(slot.text.size()) - 1;
        const qsizetype length =
            slot.indicator < 0
                ? terminatedLength(slot.text.data(), capacity)
                : std::min(static_cast<qsizetype>(slot.indicator) / static_cast<qsizetype>(sizeof(SQLWCHAR)),
                           capacity);
        return DbValue(fromSqlWide(slot.text.data(), length));
    }
    case ParamType::Currency: {
        const auto end = std::find(slot.decimal.begin(), slot.decimal.end(), SQLCHAR{0});
        const QString text = QString::fromLatin1(reinterpret_cast<const char*>(slot.decimal.data()),
                                                 static_cast<qsizetype>(end - slot.decimal.begin()));
        if (const auto money = Currency::parse(text))
            return DbValue(*money);
        return DbValue(text);
    }
    }
    return {};
}

} // namespace nerin
