#pragma once

#include "text/Currency.h"

#include <QString>
#include <QTime>
#include <optional>

namespace nerin {

// How domain code asks people: the message window and the on-screen keyboards. The screens implement
// it with modal windows; tests use a scripted implementation. Every call returns only when the person
// has answered.
class Prompts {
public:
    // Message styles, as the standard message-box values: buttons plus an icon.
    static constexpr int kOk = 0;
    static constexpr int kYesNo = 4;
    static constexpr int kCritical = 16;
    static constexpr int kExclamation = 48;
    // Answer codes.
    static constexpr int kAnswerOk = 1;
    static constexpr int kAnswerCancel = 2;
    static constexpr int kAnswerYes = 6;
    static constexpr int kAnswerNo = 7;

    struct NumberRequest {
        QString titulo;
        qint64 defaultNum = 0;
        // The range of what the number is for (a 16-bit table number, a 32-bit folio): a number outside
        // it is refused with a message and the keypad stays open.
        qint64 minimo = 0;
        qint64 maximo = 2147483647;
        bool mostrarAbierto = true; // the "ABIERTO" key
    };
    struct NumberAnswer {
        bool cancelado = true;
        qint64 numero = 0;
        bool abierto = false; // "ABIERTO" was pressed
    };

    struct TextRequest {
        QString titulo;
        QString inicial;
        bool mbTexto = false; // show "*" for each character (passwords)
        int maximo = 0;       // longest text the caller takes; 0 for no limit
    };
    struct TextAnswer {
        bool cancelado = true;
        QString texto;
    };

    struct TimeAnswer {
        bool cancelado = true;
        QTime hora;
    };

    struct PaymentRequest {
        QString titulo;
        Currency monto; // the pending amount the keypad starts with
    };
    struct PaymentAnswer {
        bool cancelado = true;
        Currency monto;
        Currency propina;
        QString referencia;
    };

    // How the value keypad checks the value against the original.
    enum class ValueCheck { None = 0, NotLess = 1, NotGreater = 2, Equal = 3 };
    struct ValueRequest {
        QString titulo;
        Currency original;
        ValueCheck modo = ValueCheck::None;
        bool porcentaje = false; // start as a percentage (100)
    };
    struct ValueAnswer {
        bool cancelado = true;
        Currency valor;
        bool porcentaje = false;
    };

    virtual ~Prompts() = default;

    // The message window: `estilo` is a sum of the style values; returns the answer code.
    virtual int Mensaje(const QString& texto, int estilo) = 0;
    virtual NumberAnswer numero(const NumberRequest& request) = 0;
    virtual TextAnswer texto(const TextRequest& request) = 0;
    virtual TimeAnswer hora(const QTime& inicial) = 0;
    virtual PaymentAnswer pago(const PaymentRequest& request) = 0;
    virtual ValueAnswer valor(const ValueRequest& request) = 0;
};

} // namespace nerin
