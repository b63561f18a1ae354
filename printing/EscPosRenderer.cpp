#include "printing/EscPosRenderer.h"

#include "printing/Cp850.h"
#include "printing/PrintMarkup.h"
#include "text/Cp1252.h"

#include <QString>

namespace nerin {

namespace {

constexpr char kEsc = 0x1B;
constexpr char kGs = 0x1D;

class EscPosSink : public PrintMarkup::Sink {
public:
    EscPosSink(QByteArray& out, EscPosRenderer::CodePage codePage) : m_out(out), m_codePage(codePage) {}

    void text(QStringView text) override {
        if (m_wantBold != m_bold) {
            m_out.append(kEsc).append('E').append(m_wantBold ? '\x01' : '\x00');
            m_bold = m_wantBold;
        }
        if (m_wantSize != m_size) {
            m_out.append(kGs).append('!').append(sizeByte(m_wantSize));
            m_size = m_wantSize;
        }
        // Most text is already composed; normalising only what is not spares the copy.
        const bool ascii = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
        if (ascii) {
            for (const QChar c : text)
                m_out.append(static_cast<char>(c.unicode()));
            return;
        }
        const QString composed = text.toString().normalized(QString::NormalizationForm_C);
        m_out.append(m_codePage == EscPosRenderer::CodePage::Pc850 ? Cp850::encode(composed)
                                                                   : Cp1252::encode(composed));
    }

    void lineBreak() override { m_out.append('\n'); }

    void style(bool bold, PrintMarkup::Size size) override {
        m_wantBold = bold;
        m_wantSize = size;
    }

    void finish() {
        if (m_bold)
            m_out.append(kEsc).append('E').append('\x00');
        if (m_size != PrintMarkup::Size::Normal)
            m_out.append(kGs).append('!').append('\x00');
    }

private:
    static char sizeByte(PrintMarkup::Size size) {
        switch (size) {
        case PrintMarkup::Size::Large:
            return '\x01';
        case PrintMarkup::Size::ExtraLarge:
            return '\x11';
        default:
            return '\x00';
        }
    }

    QByteArray& m_out;
    EscPosRenderer::CodePage m_codePage;
    bool m_bold = false;
    bool m_wantBold = false;
    PrintMarkup::Size m_size = PrintMarkup::Size::Normal;
    PrintMarkup::Size m_wantSize = PrintMarkup::Size::Normal;
};

} // namespace

QByteArray EscPosRenderer::render(const QStringList& lines) const {
    QByteArray out;
    qsizetype expected = 16;
    for (const QString& line : lines)
        expected += line.size() + 4;
    out.reserve(expected);
    out.append(kEsc).append('@');
    out.append(kEsc).append('t').append(m_codePage == CodePage::Pc850 ? '\x02' : '\x10');
    EscPosSink sink(out, m_codePage);
    PrintMarkup::walk(lines, sink);
    sink.finish();
    out.append(kEsc).append('d').append('\x04');
    out.append(kGs).append('V').append('\x01');
    return out;
}

} // namespace nerin
