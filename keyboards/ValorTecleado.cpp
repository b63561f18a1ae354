#include "keyboards/ValorTecleado.h"

namespace nerin {

bool ValorTecleado::agregar(QChar c) {
    const bool punto = c == QLatin1Char('.');
    if ((punto && m_texto.contains(c)) || (!punto && (c < QLatin1Char('0') || c > QLatin1Char('9'))))
        return false;
    m_texto.append(c);
    return true;
}

bool ValorTecleado::agregar(QStringView texto) {
    const QString antes = m_texto;
    for (const QChar c : texto) {
        if (!agregar(c)) {
            m_texto = antes;
            return false;
        }
    }
    return true;
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
