#pragma once

#include "text/Currency.h"

#include <QString>

namespace nerin {

// Amounts in words, as tickets and invoices print their totals: "Ciento veinte pesos 50/100".
// `idioma` is "ESPAÑOL" or "INGLES" in any case; anything other than "INGLES" reads as Spanish.

// The whole amount: the integer part in words followed by the currency, then the cents, with the
// first letter upper-cased. Spanish gives "<words> <moneda> NN/100"; English gives
// "<Words> Dollars and NN Cents". The cents are the decimal digits as they stand (callers round to
// two decimals first; 12.345 prints 345/100). The Spanish integer part of exactly one reads
// "Un peso", with `moneda` in the singular; a negative amount is read as its magnitude preceded by
// "Menos" ("Minus").
QString MontoANombre(Currency monto, const QString& idioma, const QString& moneda);

// The words of a group of up to three digits ("" for "000"), with a trailing space where a word
// follows naturally ("doscientos ").
QString NombreCientos(const QString& grupo, const QString& idioma);

// The words of two digits from 10 to 99; "" when the pair is not such a number.
QString NombreDecenas(const QString& par, const QString& idioma);

// The word of a digit from 1 to 9; "" for 0 or anything else.
QString NombreDigito(const QString& digito, const QString& idioma);

} // namespace nerin
