#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace nerin {

// A number format pattern taken apart: literal prefix, digit placeholders, literal suffix. The rules
// it applies are those documented on TextFormat::number().
class NumberPattern {
public:
    // No value when the pattern has no digit placeholder.
    static std::optional<NumberPattern> parse(QStringView pattern);

    // Writes a decimal given by its sign and the digits of its magnitude, before and after the point
    // (either may be empty; leading zeros of the whole part are allowed).
    QString format(bool negative, QString wholeDigits, QString fractionDigits) const;

private:
    NumberPattern() = default;

    QString m_prefix;
    QString m_suffix;
    int m_minWholeDigits = 0;
    bool m_grouping = false;
    bool m_hasPoint = false;
    int m_minDecimals = 0;
    int m_maxDecimals = 0;
};

} // namespace nerin
