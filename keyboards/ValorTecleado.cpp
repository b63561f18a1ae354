#include "keyboards/ValorTecleado.h"

namespace nerin {

void ValorTecleado::agregar(QChar c) {
    if (c == QLatin1Char('.')) {
        if (!m_texto.contains(c))
            m_texto.append(c);
    } else if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
        m_texto.append(c);
    }
}

void ValorTecleado::agregar(QStringView texto) {
    for (const QChar c : texto)
        agregar(c);
}

void ValorTecleado::borrar() {
    if (!m_texto.isEmpty())
        m_texto.chop(1);
}

void ValorTecleado::fijar(const QString& texto) {
    m_texto.clear();
    agregar(texto);
}

std::optional<Currency> ValorTecleado::valor() const {
    if (m_texto.isEmpty())
        return Currency{};
    return Currency::parse(m_texto);
}

QString ValorTecleado::revisar(Currency valor, bool porcentaje, Currency original, Prompts::ValueCheck modo) {
    if (porcentaje) {
        if (valor > Currency::fromUnits(100))
            return QStringLiteral("El valor no puede ser mayor a 100%");
        return {};
    }
    switch (modo) {
    case Prompts::ValueCheck::None:
        return {};
    case Prompts::ValueCheck::NotLess:
        return valor < original ? QStringLiteral("El valor no puede ser menor al original") : QString();
    case Prompts::ValueCheck::NotGreater:
        return valor > original ? QStringLiteral("El valor no puede ser mayor al valor original") : QString();
    case Prompts::ValueCheck::Equal:
        return valor != original ? QStringLiteral("El valor no es igual al valor original") : QString();
    }
    return {};
}

} // namespace nerin
