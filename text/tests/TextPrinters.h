#pragma once

#include "text/Currency.h"

#include <QString>
#include <ostream>

// Readable failure messages for the types these tests compare.

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace nerin {

inline void PrintTo(Currency value, std::ostream* os) {
    *os << value.toPlainText().toStdString();
}

} // namespace nerin
