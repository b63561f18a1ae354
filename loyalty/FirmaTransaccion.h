#pragma once

#include <QString>
#include <memory>

namespace nerin {

class TerminalContext;

// How a loyalty transaction is signed: the service checks the hash of each transaction it receives,
// so the terminal must hash the same input in the same way. Implementations are chosen by setting.
class FirmaTransaccion {
public:
    virtual ~FirmaTransaccion() = default;

    // The hash text of `entrada`.
    virtual QString firmar(const QString& entrada) const = 0;

    // What is hashed: the salt, the transaction date "ddmmyyyy", the card number and the amount, in
    // this order, with nothing between them.
    static QString entrada(const QString& fecha, const QString& tarjeta, const QString& monto);

    // The signer called `nombre`: "MD5" (also when empty) is the only one today. Any other name
    // gives MD5 as well and sets `desconocida`, so that the caller can say so.
    static std::unique_ptr<FirmaTransaccion> crear(const QString& nombre, bool* desconocida = nullptr);
    // The signer the terminal's setting "FirmaLealtad" names; an unknown name is written to the log.
    static std::unique_ptr<FirmaTransaccion> deLaTerminal(TerminalContext& context);
};

// The default signature: the MD5 digest of the input, as 32 upper-case hexadecimal digits.
class FirmaMd5 : public FirmaTransaccion {
public:
    QString firmar(const QString& entrada) const override;
};

} // namespace nerin
