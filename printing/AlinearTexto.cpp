#include "printing/AlinearTexto.h"

#include <algorithm>

namespace nerin {

namespace {

QString espacios(qsizetype cuantos) {
    return QString(std::max<qsizetype>(cuantos, 0), u' ');
}

// Half of `n`, rounded to the nearest whole number with halves to even (2.5 → 2, 3.5 → 4).
qsizetype mitadAlPar(qsizetype n) {
    const qsizetype mitad = n / 2;
    if (n % 2 == 0)
        return mitad;
    // n is odd: n/2 lies exactly halfway between mitad and its neighbour away from zero.
    const qsizetype vecino = n > 0 ? mitad + 1 : mitad - 1;
    return mitad % 2 == 0 ? mitad : vecino;
}

QString centrar(const QString& texto, qsizetype sobrante) {
    const QString relleno = espacios(mitadAlPar(sobrante));
    return relleno + texto + relleno;
}

} // namespace

QString AlinearTexto(const QString& texto, int ancho, int alineacion, bool truncar) {
    const qsizetype w = std::max(ancho, 0);
    const qsizetype largo = texto.size();

    if (largo <= w) {
        switch (alineacion) {
        case kAlinearIzquierda:
            return texto + espacios(w - largo);
        case kAlinearDerecha:
            return espacios(w - largo) + texto;
        default:
            return centrar(texto, w - largo);
        }
    }

    const QString primera = texto.left(w);
    if (truncar)
        return primera;
    const QString resto = texto.mid(w);
    const QString salto = QStringLiteral("<N>");
    switch (alineacion) {
    case kAlinearIzquierda:
        return primera + salto + resto;
    case kAlinearDerecha:
        return primera + salto + espacios(2 * w - largo) + resto;
    default:
        return primera + salto + centrar(resto, 2 * w - largo);
    }
}

} // namespace nerin
