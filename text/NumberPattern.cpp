#include "text/NumberPattern.h"

namespace nerin {

namespace {

bool isPlaceholder(QChar c) {
    return c == u'#' || c == u'0';
}

bool allZeros(const QString& digits) {
    for (QChar c : digits) {
        if (c != u'0')
            return false;
    }
    return true;
}

// Adds one to the last digit, carrying; "" and "99" become "1" and "100".
void incrementDigits(QString& digits) {
    qsizetype k = digits.size() - 1;
    for (; k >= 0 && digits[k] == u'9'; --k)
        digits[k] = u'0';
    if (k < 0)
        digits.prepend(u'1');
    else
        digits[k] = QChar(digits[k].unicode() + 1);
}

} // namespace

std::optional<NumberPattern> NumberPattern::parse(QStringView pattern) {
    const qsizetype size = pattern.size();
    qsizetype start = 0;
    // A "." opens the number only when a placeholder follows it, so that a prefix such as "M.N. "
    // stays literal.
    while (start < size && !isPlaceholder(pattern[start]) &&
           !(pattern[start] == u'.' && start + 1 < size && isPlaceholder(pattern[start + 1])))
        ++start;
    if (start == size)
        return std::nullopt;

    NumberPattern result;
    result.m_prefix = pattern.left(start).toString();
    qsizetype i = start;
    for (; i < size && (isPlaceholder(pattern[i]) || pattern[i] == u','); ++i) {
        if (pattern[i] == u'0')
            ++result.m_minWholeDigits;
        else if (pattern[i] == u',')
            result.m_grouping = true;
    }
    if (i < size && pattern[i] == u'.') {
        result.m_hasPoint = true;
        for (++i; i < size && isPlaceholder(pattern[i]); ++i) {
            ++result.m_maxDecimals;
            if (pattern[i] == u'0')
                result.m_minDecimals = result.m_maxDecimals;
        }
    }
    result.m_suffix = pattern.mid(i).toString();
    return result;
}

QString NumberPattern::format(bool negative, QString wholeDigits, QString fractionDigits) const {
    if (fractionDigits.size() > m_maxDecimals) {
        // Half away from zero on the magnitude: the first dropped digit decides alone.
        const bool roundUp = fractionDigits[m_maxDecimals] >= u'5';
        fractionDigits.truncate(m_maxDecimals);
        if (roundUp) {
            QString digits = wholeDigits + fractionDigits;
            incrementDigits(digits);
            wholeDigits = digits.left(digits.size() - fractionDigits.size());
            fractionDigits = digits.right(fractionDigits.size());
        }
    }
    while (fractionDigits.size() > m_minDecimals && fractionDigits.endsWith(u'0'))
        fractionDigits.chop(1);
    while (fractionDigits.size() < m_minDecimals)
        fractionDigits.append(u'0');

    const bool zero = allZeros(wholeDigits) && allZeros(fractionDigits);
    qsizetype leadingZeros = 0;
    while (leadingZeros < wholeDigits.size() && wholeDigits[leadingZeros] == u'0')
        ++leadingZeros;
    wholeDigits.remove(0, leadingZeros);
    if (wholeDigits.size() < m_minWholeDigits)
        wholeDigits = wholeDigits.rightJustified(m_minWholeDigits, u'0');
    if (m_grouping) {
        for (qsizetype k = wholeDigits.size() - 3; k > 0; k -= 3)
            wholeDigits.insert(k, u',');
    }

    QString text;
    if (negative && !zero)
        text += u'-';
    text += m_prefix;
    text += wholeDigits;
    if (m_hasPoint) {
        text += u'.';
        text += fractionDigits;
    }
    text += m_suffix;
    return text;
}

} // namespace nerin
