#include "ui/AjusteTexto.h"

#include <QFontInfo>
#include <QFontMetricsF>

namespace nerin {

namespace {

// Splits a word too wide for `ancho` into pieces that fit, each of at least one letter.
QStringList cortarPalabra(const QString& palabra, const QFontMetricsF& medidas, qreal ancho) {
    QStringList piezas;
    QString pieza;
    for (const QChar letra : palabra) {
        if (!pieza.isEmpty() && medidas.horizontalAdvance(pieza + letra) > ancho) {
            piezas.append(pieza);
            pieza.clear();
        }
        pieza += letra;
    }
    if (!pieza.isEmpty())
        piezas.append(pieza);
    return piezas;
}

} // namespace

QStringList AjusteTexto::partir(const QString& texto, const QFontMetricsF& medidas, qreal ancho,
                                bool cortarPalabras, bool* desborda) {
    *desborda = false;
    QStringList lineas;
    const QStringList parrafos = texto.split(QLatin1Char('\n'));
    for (const QString& parrafo : parrafos) {
        QString linea;
        const QStringList palabras = parrafo.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (const QString& palabra : palabras) {
            QStringList piezas{palabra};
            if (medidas.horizontalAdvance(palabra) > ancho) {
                if (cortarPalabras)
                    piezas = cortarPalabra(palabra, medidas, ancho);
                else
                    *desborda = true;
            }
            for (const QString& pieza : piezas) {
                const QString junta = linea.isEmpty() ? pieza : linea + QLatin1Char(' ') + pieza;
                if (!linea.isEmpty() && medidas.horizontalAdvance(junta) > ancho) {
                    lineas.append(linea);
                    linea = pieza;
                } else {
                    linea = junta;
                }
            }
        }
        lineas.append(linea);
    }
    // A single letter wider than the key cannot be broken any further.
    for (const QString& linea : std::as_const(lineas))
        if (medidas.horizontalAdvance(linea) > ancho)
            *desborda = true;
    return lineas;
}

qreal AjusteTexto::alto(qsizetype lineas, const QFontMetricsF& medidas) {
    // Lines are drawn a line spacing apart; the last one needs only its own height.
    return static_cast<qreal>(lineas) * medidas.height() +
           static_cast<qreal>(std::max<qsizetype>(0, lineas - 1)) * std::max<qreal>(0, medidas.leading());
}

TextoAjustado AjusteTexto::ajustar(const QString& texto, const QFont& letra, const QSize& espacio,
                                   int minimo) {
    QFont prueba = letra;
    TextoAjustado ajuste;
    const auto intentar = [&](int pixeles, bool cortarPalabras) {
        prueba.setPixelSize(pixeles);
        const QFontMetricsF medidas(prueba);
        bool desborda = false;
        ajuste.lineas = partir(texto, medidas, espacio.width(), cortarPalabras, &desborda);
        ajuste.pixeles = pixeles;
        ajuste.cabe = !desborda && alto(ajuste.lineas.size(), medidas) <= espacio.height();
        return ajuste.cabe;
    };
    const int inicial = pixelesDe(letra);
    for (int pixeles = inicial; pixeles >= minimo; --pixeles)
        if (intentar(pixeles, false))
            return ajuste;
    for (int pixeles = std::min(minimo, inicial); pixeles >= kLetraIlegible; --pixeles)
        if (intentar(pixeles, true))
            return ajuste;
    return ajuste;
}

QString AjusteTexto::sinAtajos(const QString& texto) {
    QString limpio;
    limpio.reserve(texto.size());
    for (qsizetype i = 0; i < texto.size(); ++i) {
        if (texto.at(i) == QLatin1Char('&') && i + 1 < texto.size())
            ++i;
        limpio += texto.at(i);
    }
    return limpio;
}

int AjusteTexto::pixelesDe(const QFont& letra) {
    return letra.pixelSize() > 0 ? letra.pixelSize() : QFontInfo(letra).pixelSize();
}

} // namespace nerin
