#include "text/DatePattern.h"

#include "text/SpanishNames.h"

#include <algorithm>
#include <cstdlib>

namespace nerin {

namespace {

QString twoDigits(int value) {
    return QString::number(value).rightJustified(2, u'0');
}

QString numberOfWidth(int value, int width) {
    return width == 1 ? QString::number(value) : twoDigits(value);
}

} // namespace

DatePattern::DatePattern(QStringView pattern) {
    tokenize(pattern);
    resolveMinutes();
    m_twelveHour = std::any_of(m_tokens.begin(), m_tokens.end(),
                               [](const Token& token) { return token.field == Field::AmPm; });
}

void DatePattern::tokenize(QStringView pattern) {
    qsizetype i = 0;
    while (i < pattern.size()) {
        const QStringView rest = pattern.mid(i);
        if (rest.startsWith(u"am/pm", Qt::CaseInsensitive) || rest.startsWith(u"ampm", Qt::CaseInsensitive)) {
            m_tokens.push_back({Field::AmPm, 0, {}});
            i += rest[2] == u'/' ? 5 : 4;
            continue;
        }
        const QChar letter = pattern[i].toLower();
        Field field = Field::Literal;
        int maxWidth = 2;
        switch (letter.unicode()) {
        case u'd':
            field = Field::Day;
            maxWidth = 4;
            break;
        case u'm':
            field = Field::Month;
            maxWidth = 4;
            break;
        case u'y':
            field = Field::Year;
            maxWidth = 4;
            break;
        case u'h':
            field = Field::Hour;
            break;
        case u'n':
            field = Field::Minute;
            break;
        case u's':
            field = Field::Second;
            break;
        default:
            if (m_tokens.empty() || m_tokens.back().field != Field::Literal)
                m_tokens.push_back({Field::Literal, 0, {}});
            m_tokens.back().literal += pattern[i];
            ++i;
            continue;
        }
        int run = 0;
        for (; i < pattern.size() && pattern[i].toLower() == letter; ++i)
            ++run;
        // A long run is several tokens, the widest first ("yyy" is "yy" then "y").
        while (run > 0) {
            int width = std::min(run, maxWidth);
            if (field == Field::Year && width == 3)
                width = 2;
            m_tokens.push_back({field, width, {}});
            run -= width;
        }
    }
}

void DatePattern::resolveMinutes() {
    for (std::size_t k = 0; k < m_tokens.size(); ++k) {
        if (m_tokens[k].field != Field::Month || m_tokens[k].width > 2)
            continue;
        const Token* before = nearestField(k, false);
        const Token* after = nearestField(k, true);
        if ((before && before->field == Field::Hour) || (after && after->field == Field::Second))
            m_tokens[k].field = Field::Minute;
    }
}

const DatePattern::Token* DatePattern::nearestField(std::size_t from, bool forward) const {
    if (forward) {
        for (std::size_t k = from + 1; k < m_tokens.size(); ++k) {
            if (m_tokens[k].field != Field::Literal)
                return &m_tokens[k];
        }
    } else {
        for (std::size_t k = from; k-- > 0;) {
            if (m_tokens[k].field != Field::Literal)
                return &m_tokens[k];
        }
    }
    return nullptr;
}

QString DatePattern::format(QDate date, QTime time) const {
    QString text;
    for (const Token& token : m_tokens) {
        switch (token.field) {
        case Field::Literal:
            text += token.literal;
            break;
        case Field::Day:
            if (token.width <= 2)
                text += numberOfWidth(date.day(), token.width);
            else if (token.width == 3)
                text += SpanishNames::dayAbbreviation(date.dayOfWeek());
            else
                text += SpanishNames::dayName(date.dayOfWeek());
            break;
        case Field::Month:
            if (token.width <= 2)
                text += numberOfWidth(date.month(), token.width);
            else if (token.width == 3)
                text += SpanishNames::monthAbbreviation(date.month());
            else
                text += SpanishNames::monthName(date.month());
            break;
        case Field::Year:
            if (token.width == 1)
                text += QString::number(date.dayOfYear());
            else if (token.width == 2)
                text += twoDigits(std::abs(date.year()) % 100);
            else
                text += QString::number(date.year()).rightJustified(4, u'0');
            break;
        case Field::Hour: {
            int hour = time.hour();
            if (m_twelveHour)
                hour = hour % 12 == 0 ? 12 : hour % 12;
            text += numberOfWidth(hour, token.width);
            break;
        }
        case Field::Minute:
            text += numberOfWidth(time.minute(), token.width);
            break;
        case Field::Second:
            text += numberOfWidth(time.second(), token.width);
            break;
        case Field::AmPm:
            text += QStringView(time.hour() < 12 ? u"AM" : u"PM");
            break;
        }
    }
    return text;
}

} // namespace nerin
