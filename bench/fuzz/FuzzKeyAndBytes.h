#pragma once

#include "text/Cp1252.h"

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <cstddef>
#include <cstdint>

// A fuzz input read as a key text and the bytes to work on: the first byte says how many of the next
// bytes are the key (its value modulo `keyLimit`, and never more than there are), the rest are the
// bytes. The input must not be empty.
struct FuzzKeyAndBytes {
    QString key;
    QByteArray bytes;

    static FuzzKeyAndBytes split(const uint8_t* data, size_t size, unsigned keyLimit) {
        const size_t keyLength = std::min<size_t>(data[0] % keyLimit, size - 1);
        const auto* chars = reinterpret_cast<const char*>(data + 1);
        return {nerin::Cp1252::decode(QByteArrayView(chars, static_cast<qsizetype>(keyLength))),
                QByteArray(chars + keyLength, static_cast<qsizetype>(size - 1 - keyLength))};
    }
};
