#include "keyboards/NumeroTecleado.h"

#include <limits>

namespace nerin {

void NumeroTecleado::fijar(qint64 numero) {
    m_texto.clear();
    agregar(QString::number(numero));
}

bool NumeroTecleado::agregar(QStringView texto) {
    bool todo = true;
    for (const QChar c : texto) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            m_texto.append(c);
        else
            todo = false;
    }
    return todo;
}

void NumeroTecleado::borrar() {
    if (!m_texto.isEmpty())
        m_texto.chop(1);
}

NumeroTecleado::Resultado NumeroTecleado::convertir(qint64 minimo, qint64 maximo) const {
    // Accumulates digit by digit and stops as soon as the value passes the maximum, so a long run of
    // digits is refused instead of overflowing.
    qint64 valor = 0;
    bool fueraDeRango = false;
    for (const QChar c : m_texto) {
        const qint64 digito = c.unicode() - u'0';
        if (valor > (std::numeric_limits<qint64>::max() - digito) / 10) {
            fueraDeRango = true;
            break;
        }
        valor = valor * 10 + digito;
        if (valor > maximo) {
            fueraDeRango = true;
            break;
        }
    }
    if (fueraDeRango || valor < minimo) {
        return Resultado{false, 0,
                         QStringLiteral("El número debe estar entre %1 y %2").arg(minimo).arg(maximo)};
    }
    return Resultado{true, valor, {}};
}

} // namespace nerin
