#pragma once

#include <QString>
#include <QStringList>

namespace nerin {

// The text a job prints, without its styles: for previews on screen, files a person reads, and tests.
// Lines end with "\n" and follow the same line rules as the printer (PrintMarkup); tags take no room.
class PlainTextRenderer {
public:
    static QString render(const QStringList& lines);
};

} // namespace nerin
