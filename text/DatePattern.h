#pragma once

#include <QDate>
#include <QString>
#include <QStringView>
#include <QTime>
#include <vector>

namespace nerin {

// A date format pattern split into tokens once, with "m" and "mm" already told apart as month or
// minutes. The rules it applies are those documented on TextFormat::dateTime().
class DatePattern {
public:
    explicit DatePattern(QStringView pattern);

    // Both values must be valid.
    QString format(QDate date, QTime time) const;

private:
    enum class Field { Literal, Day, Month, Year, Hour, Minute, Second, AmPm };
    struct Token {
        Field field = Field::Literal;
        // Letters in the token, 1..4; unused for literals and AM/PM.
        int width = 0;
        QString literal;
    };

    void tokenize(QStringView pattern);
    void resolveMinutes();
    const Token* nearestField(std::size_t from, bool forward) const;

    std::vector<Token> m_tokens;
    bool m_twelveHour = false;
};

} // namespace nerin
