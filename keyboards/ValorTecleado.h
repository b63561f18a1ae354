#pragma once

#include "keyboards/Prompts.h"
#include "text/Currency.h"

#include <QString>
#include <QStringView>
#include <optional>

namespace nerin {

// The value being typed on the value keypad (digits and one "."), and the checks of the caller's mode
// against the original value.
class ValorTecleado {
public:
    // Appends a digit or the decimal point. A second "." or any other character is refused: false,
    // and nothing is appended.
    bool agregar(QChar c);
    // Appends the text only when all of it can go in ("1e300" or "-5" is refused whole): an amount
    // is never made of the pieces of something else.
    bool agregar(QStringView texto);

    static constexpr const char* kSoloNumeros = "Solo se pueden teclear números y un punto decimal";
    void borrar();
    void limpiar() { m_texto.clear(); }
    void fijar(const QString& texto);
    const QString& texto() const { return m_texto; }
    // The value typed; an empty text is 0. No value when it cannot be read (a lone ".").
    std::optional<Currency> valor() const;

    // The message that refuses `valor`, or an empty text when it passes. A percentage may not pass
    // 100; an amount is checked against the original by the mode.
    static QString revisar(Currency valor, bool porcentaje, Currency original, Prompts::ValueCheck modo);

private:
    QString m_texto;
};

} // namespace nerin
