#pragma once

#include <QList>
#include <QString>
#include <optional>

namespace nerin {

// The texts the loyalty service exchanges. A request or a reply is "{", then its fields, each a
// double-quoted "Key:value", separated by ",", then "}":
//
//   {"TempCard:1234567","CardNumber:123456789012345","OperationType:A"}
//
// A reply's first value is its result code ("1" is success) and its second the service's message.
class TramaLealtad {
public:
    struct Campo {
        QString clave; // without its colon
        QString valor;

        bool operator==(const Campo&) const = default;
    };

    struct Respuesta {
        QList<Campo> campos;

        QString codigo() const { return campos.isEmpty() ? QString() : campos.first().valor; }
        // Empty when the reply carries a single pair.
        QString mensaje() const { return campos.size() < 2 ? QString() : campos.at(1).valor; }
        bool exito() const { return codigo() == QLatin1String("1"); }
    };

    // The request text of `campos`. The frame has no way to escape a double quote, so one inside a
    // value (a customer's name, say) is left out: kept, it would end the field early and shift
    // every field after it.
    static QString armar(const QList<Campo>& campos);

    // The fields of a reply, or none when the text lacks the frame (after trimming it must begin with
    // "{" and a double quote and end with a double quote and "}"). Each field is split at its FIRST
    // colon, so a message such as "Error: tarjeta vencida" keeps its own colons; a field without a
    // colon is a key with an empty value. Double quotes are removed from keys and values.
    static std::optional<Respuesta> leer(const QString& texto);

    // Whether a value is a whole number written with digits only (no sign, no point), as the service
    // takes card numbers, amounts in cents and keys; the empty text is not.
    static bool soloDigitos(const QString& valor);
};

} // namespace nerin
