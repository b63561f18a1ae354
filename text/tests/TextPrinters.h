#pragma once

#include "base/tests/QtPrinters.h"
#include "text/Currency.h"

#include <ostream>

// Readable failure messages for the money these tests compare.

namespace nerin {

inline void PrintTo(Currency value, std::ostream* os) {
    *os << value.toPlainText().toStdString();
}

} // namespace nerin
