#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <ostream>

// Readable failure messages for Qt values in GoogleTest assertions.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QByteArray& bytes, std::ostream* out) {
    *out << "0x" << bytes.toHex().toStdString();
}

inline void PrintTo(const QStringList& texts, std::ostream* out) {
    *out << "{\"" << texts.join(QStringLiteral("\", \"")).toStdString() << "\"}";
}
