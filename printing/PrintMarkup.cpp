#include "printing/PrintMarkup.h"

#include <QString>
#include <algorithm>

namespace nerin {

namespace {

enum class Token { None, Break, OpenBold, CloseBold, OpenLarge, CloseLarge, OpenExtra, CloseExtra };

struct KnownTag {
    QStringView text;
    Token token;
};

constexpr KnownTag kTags[] = {
    {u"<N>", Token::Break},        {u"<B>", Token::OpenBold},    {u"</B>", Token::CloseBold},
    {u"<H>", Token::OpenLarge},    {u"</H>", Token::CloseLarge}, {u"<XH>", Token::OpenExtra},
    {u"</XH>", Token::CloseExtra},
};

// The tag that starts at `at` (which holds a "<"), and its length.
Token tagAt(QStringView line, qsizetype at, qsizetype& length) {
    for (const KnownTag& tag : kTags) {
        if (line.mid(at, tag.text.size()).compare(tag.text, Qt::CaseInsensitive) == 0) {
            length = tag.text.size();
            return tag.token;
        }
    }
    return Token::None;
}

bool isControl(char16_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

class Walker {
public:
    explicit Walker(PrintMarkup::Sink& sink) : m_sink(sink) {}

    void line(QStringView line) {
        m_endsWithBreak = false;
        const qsizetype n = line.size();
        for (qsizetype i = 0; i < n; ++i) {
            const char16_t c = line[i].unicode();
            if (c == u'<') {
                qsizetype length = 0;
                const Token token = tagAt(line, i, length);
                if (token != Token::None) {
                    apply(token);
                    i += length - 1;
                    continue;
                }
            }
            if (c == u'\r') {
                if (i + 1 < n && line[i + 1] == u'\n') {
                    apply(Token::Break);
                    ++i;
                }
                continue;
            }
            if (c == u'\n') {
                apply(Token::Break);
                continue;
            }
            if (c == u'\t') {
                m_pending.append(u' ');
                continue;
            }
            if (!isControl(c))
                m_pending.append(QChar(c));
        }
        flush();
        if (!m_endsWithBreak)
            m_sink.lineBreak();
    }

private:
    void flush() {
        if (m_pending.isEmpty())
            return;
        m_sink.text(m_pending);
        m_pending.clear();
        m_endsWithBreak = false;
    }

    void apply(Token token) {
        flush();
        if (token == Token::Break) {
            m_sink.lineBreak();
            m_endsWithBreak = true;
            return;
        }
        const bool wasBold = m_bold > 0;
        const PrintMarkup::Size wasSize = size();
        switch (token) {
        case Token::OpenBold:
            ++m_bold;
            break;
        case Token::CloseBold:
            m_bold = std::max(m_bold - 1, 0);
            break;
        case Token::OpenLarge:
            ++m_large;
            break;
        case Token::CloseLarge:
            m_large = std::max(m_large - 1, 0);
            break;
        case Token::OpenExtra:
            ++m_extra;
            break;
        case Token::CloseExtra:
            m_extra = std::max(m_extra - 1, 0);
            break;
        default:
            break;
        }
        if (wasBold != (m_bold > 0) || wasSize != size())
            m_sink.style(m_bold > 0, size());
    }

    // Extra-large wins over large while both are open.
    PrintMarkup::Size size() const {
        if (m_extra > 0)
            return PrintMarkup::Size::ExtraLarge;
        return m_large > 0 ? PrintMarkup::Size::Large : PrintMarkup::Size::Normal;
    }

    PrintMarkup::Sink& m_sink;
    QString m_pending;
    bool m_endsWithBreak = false;
    int m_bold = 0;
    int m_large = 0;
    int m_extra = 0;
};

} // namespace

void PrintMarkup::walk(const QStringList& lines, Sink& sink) {
    Walker walker(sink);
    for (const QString& line : lines)
        walker.line(line);
}

} // namespace nerin
