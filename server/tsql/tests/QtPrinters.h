#pragma once

#include <QString>
#include <ostream>

// Lets failing expectations on Qt texts print the text instead of its bytes.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE
