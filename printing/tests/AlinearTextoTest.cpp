#include "printing/AlinearTexto.h"

#include <gtest/gtest.h>

using nerin::AlinearTexto;

namespace {

struct Caso {
    const char* texto;
    int ancho;
    int alineacion;
    bool truncar;
    const char* esperado;
};

// Each row names the layout it checks; "|" marks are not part of the results.
const Caso kCasos[] = {
    // Left: padded on the right; a longer text is cut or continued on a second, unpadded line.
    {"Sopa", 8, 0, true, "Sopa    "},
    {"Sopa", 4, 0, false, "Sopa"},
    {"Ensalada César", 8, 0, true, "Ensalada"},
    {"Ensalada César", 8, 0, false, "Ensalada<N> César"},
    // Right: padded on the left; the rest is right-aligned in its own line.
    {"12.50", 8, 1, true, "   12.50"},
    {"Hamburguesa", 8, 1, true, "Hamburgu"},
    {"Hamburguesa", 8, 1, false, "Hamburgu<N>     esa"},
    // Centre: half the room on each side, halves to even, so the result may be a column off.
    {"ab", 8, 2, true, "   ab   "},                     // 6 spare: 3 each side
    {"abc", 8, 2, true, "  abc  "},                     // 5 spare: 2.5 → 2, one column short
    {"a", 8, 2, true, "    a    "},                     // 7 spare: 3.5 → 4, one column long
    {"abcdefg", 8, 2, true, "abcdefg"},                 // 1 spare: 0.5 → 0
    {"abcdefghij", 8, 2, false, "abcdefgh<N>   ij   "}, // rest of 2 centred: (16 − 10) / 2 = 3
    {"abcdefghijk", 8, 7, false, "abcdefgh<N>  ijk  "}, // any other value centres: 2.5 → 2
    // Columns are characters: accented letters and "Ñ" take one each.
    {"Ñoño", 6, 0, true, "Ñoño  "},
    {"Piña colada", 4, 1, true, "Piña"},
    // A rest longer than the line is not wrapped again, and gets no negative padding.
    {"abcdefghijklmnop", 5, 1, false, "abcde<N>fghijklmnop"},
    {"abcdefghijklmnop", 5, 2, false, "abcde<N>fghijklmnop"},
    {"abcdefghijklmnop", 5, 0, false, "abcde<N>fghijklmnop"},
    // Degenerate widths never fail.
    {"abc", 0, 0, true, ""},
    {"abc", 0, 1, false, "<N>abc"},
    {"abc", -4, 2, true, ""},
    {"", 3, 1, true, "   "},
};

} // namespace

TEST(AlinearTexto, LaysTextOutInFixedColumns) {
    for (const Caso& caso : kCasos) {
        EXPECT_EQ(AlinearTexto(QString::fromUtf8(caso.texto), caso.ancho, caso.alineacion, caso.truncar),
                  QString::fromUtf8(caso.esperado))
            << caso.texto << " ancho " << caso.ancho << " alineación " << caso.alineacion;
    }
}
