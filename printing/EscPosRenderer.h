#pragma once

#include <QByteArray>
#include <QStringList>

namespace nerin {

// Turns the marked-up lines of one print job into the bytes an ESC/POS receipt printer prints:
//
//   ESC @                 initialise (every job starts from the printer's defaults)
//   ESC t n               the code page: PC850 (n = 2) or WPC1252 (n = 16)
//   ESC E 1 / ESC E 0     bold on and off ("<B>")
//   GS ! 0x01             double height ("<H>")
//   GS ! 0x11             double width and height ("<XH>", which wins over "<H>")
//   GS ! 0x00             normal size
//   LF                    end of a printed line
//   ESC d 4, GS V 1       at the end of the job: feed four lines past the print head, partial cut
//
// A style command is sent only when the style of the next text differs from the printer's, and any
// style still on is switched off before the feed, so that the cut paper is not fed in double height.
// Letters the code page has no byte for print as "?". Texts are composed (NFC) before encoding, so
// an "n" followed by a combining tilde prints as one "ñ".
class EscPosRenderer {
public:
    enum class CodePage { Pc850, Wpc1252 };

    explicit EscPosRenderer(CodePage codePage = CodePage::Pc850) : m_codePage(codePage) {}

    QByteArray render(const QStringList& lines) const;

    CodePage codePage() const { return m_codePage; }

private:
    CodePage m_codePage;
};

} // namespace nerin
