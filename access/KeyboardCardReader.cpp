#include "access/KeyboardCardReader.h"

namespace nerin {

namespace {

constexpr int kPistasMinimas = 2;

} // namespace

bool KeyboardCardReader::activar(Receptor receptor) {
    m_receptor = std::move(receptor);
    m_activo = true;
    limpiar();
    return true;
}

void KeyboardCardReader::desactivar() {
    m_activo = false;
    limpiar();
}

void KeyboardCardReader::limpiar() {
    m_texto.clear();
    m_esperadas = 0;
    m_terminadas = 0;
    m_anunciando = false;
    m_descartando = false;
}

void KeyboardCardReader::teclear(const QString& texto) {
    for (const QChar c : texto) {
        if (c == u'\r' || c == u'\n')
            confirmar();
        else
            caracter(c);
    }
}

void KeyboardCardReader::comenzar() {
    limpiar();
    m_texto = QStringLiteral("%");
    m_esperadas = 1;
    m_anunciando = true;
}

void KeyboardCardReader::caracter(QChar c) {
    if (!m_activo)
        return;
    if (c == u'%') {
        if (m_anunciando) {
            ++m_esperadas;
            return;
        }
        const bool interrumpida = esTarjeta() && !m_descartando;
        comenzar();
        if (interrumpida)
            fallar(kErrorInterrumpida);
        return;
    }
    if (m_descartando)
        return;
    if (esTarjeta()) {
        m_anunciando = false;
        // The U.S. layout's keys for the track end and the second track's start.
        if (c == u'?')
            c = u'_';
        else if (c == u';' && m_texto.endsWith(u'_'))
            c = u'Ñ';
    }
    m_texto.append(c);
    if (esTarjeta() && c == u'_' && ++m_terminadas >= std::max(m_esperadas, kPistasMinimas)) {
        entregar();
        return;
    }
    if (m_texto.size() > kLongitudMaxima) {
        entregar();
        m_descartando = true;
        fallar(kErrorDemasiadoLarga);
    }
}

void KeyboardCardReader::confirmar() {
    if (!m_activo)
        return;
    if (m_descartando) {
        limpiar();
        return;
    }
    if (m_texto.isEmpty())
        return;
    if (esTarjeta() && m_texto.endsWith(u'_'))
        return;
    entregar();
}

void KeyboardCardReader::entregar() {
    const QString tarjeta = m_texto;
    limpiar();
    // The receiver may sign somebody in and open other screens before it returns; this reader's state
    // is already clear for the next swipe by then.
    if (m_receptor.tarjeta)
        m_receptor.tarjeta(tarjeta);
}

void KeyboardCardReader::fallar(int codigo) {
    if (m_receptor.error)
        m_receptor.error(codigo);
}

} // namespace nerin
