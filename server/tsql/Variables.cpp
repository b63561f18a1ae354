#include "server/tsql/Variables.h"

#include "server/tsql/DateTimeText.h"

#include <cmath>

namespace nerin::tsql {

namespace {

struct TypeName {
    QString base;    // lower case, without length
    int length = -1; // -1: none given; 0: (max)
};

TypeName splitType(const QString& type) {
    TypeName result;
    const qsizetype paren = type.indexOf(u'(');
    result.base = (paren < 0 ? type : type.left(paren)).trimmed().toLower();
    if (paren >= 0) {
        const QString inside = type.mid(paren + 1).section(u')', 0, 0).section(u',', 0, 0).trimmed();
        result.length = inside.compare(QStringLiteral("max"), Qt::CaseInsensitive) == 0 ? 0 : inside.toInt();
    }
    return result;
}

EngineError conversionError(const DbValue& value, const QString& type) {
    return {Status::Code::CommandTextError, 245, QStringLiteral("22018"),
            QStringLiteral("Conversion failed when converting the value '%1' to data type %2.")
                .arg(value.toString(), type)};
}

EngineResult<DbValue> toInteger(const DbValue& value, const QString& type, bool isBit) {
    qint64 number = 0;
    switch (value.type()) {
    case DbValue::Type::Integer:
        number = value.toInt();
        break;
    case DbValue::Type::Double:
    case DbValue::Type::Currency: {
        const double d = value.toDouble();
        if (!std::isfinite(d) || std::fabs(d) > 9.2e18)
            return conversionError(value, type);
        number = static_cast<qint64>(std::trunc(d));
        break;
    }
    case DbValue::Type::Text: {
        bool ok = false;
        number = value.toString().trimmed().toLongLong(&ok);
        if (!ok)
            return conversionError(value, type);
        break;
    }
    default:
        return conversionError(value, type);
    }
    if (isBit)
        number = number != 0 ? 1 : 0;
    return DbValue(number);
}

QString asText(const DbValue& value) {
    switch (value.type()) {
    case DbValue::Type::Currency:
        return value.toCurrency().roundedTo(2, RoundingMode::HalfAwayFromZero).toPlainText();
    case DbValue::Type::DateTime:
        return canonicalDateTime(value.toDateTime());
    default:
        return value.toString();
    }
}

} // namespace

EngineResult<DbValue> Variables::convert(const DbValue& value, const QString& type) {
    if (value.isNull())
        return DbValue();
    const TypeName name = splitType(type);
    const QString& base = name.base;
    if (base == u"int" || base == u"bigint" || base == u"smallint" || base == u"tinyint" || base == u"bit")
        return toInteger(value, type, base == u"bit");
    if (base == u"money" || base == u"smallmoney" || base == u"decimal" || base == u"numeric") {
        if (value.type() == DbValue::Type::Text) {
            const auto parsed = Currency::parse(value.toString());
            if (!parsed)
                return conversionError(value, type);
            return DbValue(*parsed);
        }
        if (value.type() == DbValue::Type::DateTime)
            return conversionError(value, type);
        return DbValue(value.toCurrency());
    }
    if (base == u"float" || base == u"real") {
        if (value.type() == DbValue::Type::Text) {
            bool ok = false;
            const double d = value.toString().trimmed().toDouble(&ok);
            return ok ? EngineResult<DbValue>(DbValue(d))
                      : EngineResult<DbValue>(conversionError(value, type));
        }
        return DbValue(value.toDouble());
    }
    if (base == u"datetime" || base == u"smalldatetime" || base == u"date") {
        if (value.type() == DbValue::Type::DateTime)
            return value;
        if (auto parsed = parseAnyDateTime(value.toString()))
            return DbValue(*parsed);
        return conversionError(value, type);
    }
    if (base == u"char" || base == u"nchar" || base == u"varchar" || base == u"nvarchar") {
        QString text = asText(value);
        // A declared length of none is one character, as the server has it; (max) is no limit.
        const int length = name.length < 0 ? 1 : name.length;
        if (length > 0) {
            text.truncate(length);
            if (base == u"char" || base == u"nchar")
                text = text.leftJustified(length, u' ');
        }
        return DbValue(text);
    }
    if (base == u"text" || base == u"ntext")
        return DbValue(asText(value));
    return value;
}

EngineStatus Variables::declare(const QString& name, const QString& type) {
    const QString key = name.toLower();
    if (m_values.contains(key))
        return EngineError::commandText(
            QStringLiteral(
                "The variable name '%1' has already been declared. Variable names must be unique within "
                "a query batch or stored procedure.")
                .arg(name),
            134);
    m_values.insert(key, Variable{type, DbValue()});
    return EngineStatus::ok();
}

EngineStatus Variables::assign(const QString& name, const DbValue& value) {
    auto found = m_values.find(name.toLower());
    if (found == m_values.end())
        return EngineError::commandText(QStringLiteral("Debe declarar la variable escalar \"%1\".").arg(name),
                                        137);
    auto converted = convert(value, found->type);
    if (!converted)
        return converted.status();
    found->value = std::move(converted).value();
    return EngineStatus::ok();
}

std::optional<DbValue> Variables::value(const QString& name) const {
    auto found = m_values.constFind(name.toLower());
    if (found == m_values.constEnd())
        return std::nullopt;
    return found->value;
}

} // namespace nerin::tsql
