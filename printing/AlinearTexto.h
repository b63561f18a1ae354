#pragma once

#include <QString>

namespace nerin {

// How AlinearTexto places a text in its columns; any value other than left and right centres.
enum Alineacion : int { kAlinearIzquierda = 0, kAlinearDerecha = 1, kAlinearCentro = 2 };

// Lays a text out in `ancho` columns of a fixed-width ticket, counting characters (an "Ñ" takes one
// column). A shorter text is padded with spaces; a centred text gets the same number of spaces on
// each side, half the room rounded to the nearest whole number with halves to even, so it may come
// out one column short or long. A longer text is cut to `ancho` characters when `truncar` is set;
// otherwise the rest follows after a "<N>" line break, aligned the same way in a second line that is
// not wrapped again (a rest longer than the line is printed whole). A negative width counts as 0.
QString AlinearTexto(const QString& texto, int ancho, int alineacion, bool truncar);

} // namespace nerin
