#pragma once

#include <QStringList>
#include <QStringView>

namespace nerin {

// The print markup of every document: "<N>" breaks a line, "<B>" "</B>" bold, "<H>" "</H>" large
// and "<XH>" "</XH>" extra-large print. Tags are matched without regard to case, may be nested and
// may be closed in any order; a carriage return and line feed pair also breaks a line. Anything
// between "<" and ">" that is not one of these tags is ordinary text.
//
// walk() reads the lines of one job and tells a sink what to print, so that every renderer (the
// printer's bytes, the plain-text preview) reads the markup the same way:
// - each handed-over line ends with a line break, unless it already ends with one ("<N>" alone is one
//   empty line, "<N><N>" two, and an empty line is an empty line);
// - a lone line feed breaks the line too; a lone carriage return is dropped, since it would print
//   the next text over the same line;
// - a tab prints as a space, and every other control character is dropped, so that no text can
//   smuggle printer commands into a job;
// - styles last until closed, across lines, within the job; a closing tag that was never opened does
//   nothing.
class PrintMarkup {
public:
    enum class Tag { Bold, Large, ExtraLarge };
    enum class Size { Normal, Large, ExtraLarge };

    class Sink {
    public:
        virtual ~Sink() = default;
        // Printable text, never empty, free of tags and control characters.
        virtual void text(QStringView text) = 0;
        virtual void lineBreak() = 0;
        // The style after a tag: opened styles are counted, so "<B><B>x</B>" is still bold after x.
        virtual void style(bool bold, Size size) = 0;
    };

    static void walk(const QStringList& lines, Sink& sink);
};

} // namespace nerin
