#pragma once

#include <QFont>
#include <QSize>
#include <QString>
#include <QStringList>

class QFontMetricsF;

namespace nerin {

// A caption laid out to fit a rectangle: the lines to draw and the font size they are drawn in.
struct TextoAjustado {
    QStringList lineas;
    int pixeles = 0;
    // False when not even the smallest size tried holds the caption; the lines are then the smallest
    // tried, letters all there, and overflow the rectangle.
    bool cabe = true;
};

// Fits captions of any length into touch keys without losing a letter: the text is broken into lines
// at spaces (its own line breaks are kept), and the font steps down a pixel at a time from the given
// font's size until every word and every line fits. Below `minimo` pixels whole words are given up
// before legibility: words too wide are broken between letters at `minimo`, and only when that still
// does not fit does the font go on shrinking, down to kLetraIlegible.
class AjusteTexto {
public:
    static constexpr int kLetraMinima = 10;
    static constexpr int kLetraIlegible = 6;

    static TextoAjustado ajustar(const QString& texto, const QFont& letra, const QSize& espacio,
                                 int minimo = kLetraMinima);

    // The lines of `texto` no wider than `ancho`, broken at spaces and at its own line breaks; a word
    // wider than `ancho` takes a line of its own, or is broken between letters when `cortarPalabras`.
    // `desborda` tells whether any line stays wider than `ancho`.
    static QStringList partir(const QString& texto, const QFontMetricsF& medidas, qreal ancho,
                              bool cortarPalabras, bool* desborda);

    // The height that `lineas` take when drawn one under the other.
    static qreal alto(qsizetype lineas, const QFontMetricsF& medidas);

    // The caption as a button shows it: "&&" is an ampersand, a single "&" marks a shortcut and is
    // not drawn.
    static QString sinAtajos(const QString& texto);

    // The font's size in pixels, whether it was given in pixels or in points.
    static int pixelesDe(const QFont& letra);
};

} // namespace nerin
