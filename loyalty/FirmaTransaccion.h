#pragma once

#include <QString>

namespace nerin {

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
};

// The default signature: the MD5 digest of the input, as 32 upper-case hexadecimal digits.
class FirmaMd5 : public FirmaTransaccion {
public:
    QString firmar(const QString& entrada) const override;
};

} // namespace nerin
