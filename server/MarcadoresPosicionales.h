#pragma once

#include <QString>

namespace nerin {

// ODBC commands mark their parameters with "?", bound in order. The embedded database binds named
// variables instead, so each "?" outside quoted text, quoted names and comments becomes "@__p1",
// "@__p2", ... in the order they appear.
struct MarcadoresPosicionales {
    QString texto;   // the command with its markers named
    int cuantos = 0; // how many markers there were

    static MarcadoresPosicionales nombrar(const QString& comando);
    static QString nombre(int posicion); // "@__p" + position, counted from 1
};

} // namespace nerin
