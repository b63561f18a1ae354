#pragma once

#include <QString>

namespace nerin {

class TerminalContext;

// The check of a swiped loyalty card and its local mirror. A loyalty card's track reads "%", the
// check digest, "_N" (or "_Ñ", as the reader types it), the 15-digit card number and "_".
//
// validar() checks the track against its card number ("Tarjeta Invalida!", nothing sent). Off line
// the card is accepted on that check alone ("OffLine: Tarjeta Valida!"). On line the service is asked
// for the card's balance; the owner's name and the balances it replies are written to the card's row
// of Clientes, whose key (CveCliente) is the card number, and only then is the card accepted. A reply
// whose points or pesos are not numbers refuses the card and writes nothing. Every refusal is told to
// the person once, through the message window; no transaction is open meanwhile.
class ValidacionTarjeta {
public:
    static constexpr const char* kInvalida = "Tarjeta Invalida!";
    static constexpr const char* kOffLine = "OffLine: Tarjeta Valida!";
    static constexpr const char* kSaldoNoValido =
        "El servicio de lealtad envió un saldo que no es un número. La tarjeta no se aceptó.";
    // Loyalty customers are written as customer type 1 (fiscal customers are type 2): the service's
    // reply carries no type of its own.
    static constexpr int kTipoTarjeta = 1;

    explicit ValidacionTarjeta(TerminalContext& context);

    // The swiped text as the card check reads it: from its first "%" on (the whole track, number
    // included), trimmed, upper-cased, ending in "_". Empty when it holds no "%".
    static QString convertir(const QString& texto);
    // The 15 digits after the first "_N" or "_Ñ" of a converted track; empty when there are none.
    static QString numeroTarjeta(const QString& track);
    // Whether a customer key is a loyalty card: card numbers have 15 digits, local customers' keys
    // fewer.
    static bool esTarjetaLealtad(qint64 cveCliente);
    // Whether a balance the service replied is a number: digits, with a decimal point and decimals.
    static bool esSaldo(const QString& texto);

    // Checks the swiped text and, `enLinea`, asks the balance and mirrors it. True when accepted.
    bool validar(const QString& texto, bool enLinea);

    QString cliente() const { return m_cliente; }
    QString nombre() const { return m_nombre; }
    QString puntos() const { return m_puntos; }
    QString pesos() const { return m_pesos; }

    // Mirrors the balance the service replied for card `tarjeta` into its row of Clientes, made when
    // missing. False, with nothing written, when the points or the pesos are not numbers (the person is
    // told) or when the database failed (already reported).
    bool reflejar(const QString& tarjeta, const QString& nombre, const QString& puntos, const QString& pesos);

private:
    bool rechazar(const QString& mensaje);

    TerminalContext& m_context;
    QString m_cliente;
    QString m_nombre;
    QString m_puntos;
    QString m_pesos;
};

} // namespace nerin
