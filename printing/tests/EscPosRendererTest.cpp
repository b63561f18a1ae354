#include "printing/EscPosRenderer.h"

#include "printing/AlinearTexto.h"

#include <gtest/gtest.h>

using nerin::EscPosRenderer;

namespace {

const QByteArray kInicio850("\x1B@\x1Bt\x02", 5);
const QByteArray kInicio1252("\x1B@\x1Bt\x10", 5);
const QByteArray kCorte("\x1B"
                        "d\x04\x1D"
                        "V\x01",
                        6);

struct Caso {
    const char* nombre;
    QStringList lineas;
    QByteArray cuerpo; // the bytes between the job's start and its feed and cut
};

QByteArray bytes(const char* texto) {
    return QByteArray(texto);
}

void comprobar(const Caso& caso, EscPosRenderer::CodePage pagina = EscPosRenderer::CodePage::Pc850) {
    const QByteArray inicio = pagina == EscPosRenderer::CodePage::Pc850 ? kInicio850 : kInicio1252;
    EXPECT_EQ(EscPosRenderer(pagina).render(caso.lineas), inicio + caso.cuerpo + kCorte) << caso.nombre;
}

} // namespace

TEST(EscPosRenderer, StylesAreSentOnlyWhenTheyChangeAndSwitchedOffBeforeTheCut) {
    const Caso casos[] = {
        {"plain", {"ABC"}, bytes("ABC\n")},
        {"bold",
         {"<B>Total</B>"},
         bytes("\x1B"
               "E\x01Total\n\x1B"
               "E") +
             '\0'},
        {"bold in lower case, mid-line",
         {"<b>x</b> y"},
         bytes("\x1B"
               "E\x01x\x1B"
               "E") +
             '\0' + bytes(" y\n")},
        {"large",
         {"<H>A</H>"},
         bytes("\x1D!\x01"
               "A\n\x1D!") +
             '\0'},
        {"extra-large",
         {"<xh>A</Xh>"},
         bytes("\x1D!\x11"
               "A\n\x1D!") +
             '\0'},
        {"closed in the other order, after a break",
         {"<N><H><B>Total </H></B>"},
         bytes("\n\x1B"
               "E\x01\x1D!\x01Total \n\x1B"
               "E") +
             '\0' + bytes("\x1D!") + '\0'},
        {"extra-large inside large",
         {"<H><XH>a</XH>b</H>"},
         bytes("\x1D!\x11"
               "a\x1D!\x01"
               "b\n\x1D!") +
             '\0'},
        {"bold opened twice stays until closed twice",
         {"<B><B>a</B>b</B>c"},
         bytes("\x1B"
               "E\x01"
               "ab\x1B"
               "E") +
             '\0' + bytes("c\n")},
        {"a style spans lines",
         {"<B>a", "b</B>", "c"},
         bytes("\x1B"
               "E\x01"
               "a\nb\n\x1B"
               "E") +
             '\0' + bytes("c\n")},
        {"a close never opened does nothing", {"</B>a</XH>"}, bytes("a\n")},
        {"a tag with no text sends nothing", {"<B></B>a"}, bytes("a\n")},
        {"other angle brackets are text", {"<5 PZ> <b"}, bytes("<5 PZ> <b\n")},
    };
    for (const Caso& caso : casos)
        comprobar(caso);
}

TEST(EscPosRenderer, LineBreaks) {
    const Caso casos[] = {
        {"each line ends with a line feed", {"a", "b"}, bytes("a\nb\n")},
        {"an empty line prints empty", {""}, bytes("\n")},
        {"<N> alone is one empty line", {"<N>"}, bytes("\n")},
        {"<N><N> is two", {"<N><N>"}, bytes("\n\n")},
        {"<N> inside a line", {"a<N>b"}, bytes("a\nb\n")},
        {"<N> at the end is the line's end", {"a<N>"}, bytes("a\n")},
        {"<n> in lower case", {"a<n>b"}, bytes("a\nb\n")},
        {"tags after the last break add no line", {"a<N></B>"}, bytes("a\n")},
        {"carriage return and line feed", {"a\r\nb"}, bytes("a\nb\n")},
        {"a lone line feed", {"a\nb"}, bytes("a\nb\n")},
        {"a lone carriage return is dropped", {"a\rb"}, bytes("ab\n")},
        {"the report header's notice",
         {"\r\n* COLUMNAS MAXIMAS SON 32\r\n\r\n"},
         bytes("\n* COLUMNAS MAXIMAS SON 32\n\n")},
        {"a tab is a space; other control characters never reach the printer",
         {QStringLiteral("a\tb\x1B@\x1DV") + QChar(0x7F) + QChar(0x9B)},
         bytes("a b@V\n")},
    };
    for (const Caso& caso : casos)
        comprobar(caso);
}

TEST(EscPosRenderer, SpanishLettersInEitherCodePage) {
    const QStringList lineas = {QStringLiteral("ñÑáéíóúü¿¡$")};
    comprobar({"PC850", lineas, bytes("\xA4\xA5\xA0\x82\xA1\xA2\xA3\x81\xA8\xAD$\n")},
              EscPosRenderer::CodePage::Pc850);
    comprobar({"WPC1252", lineas, bytes("\xF1\xD1\xE1\xE9\xED\xF3\xFA\xFC\xBF\xA1$\n")},
              EscPosRenderer::CodePage::Wpc1252);
}

TEST(EscPosRenderer, LettersWithoutAByteAndDecomposedLetters) {
    const QStringList euro = {QStringLiteral("€5")};
    comprobar({"no euro in PC850", euro, bytes("?5\n")}, EscPosRenderer::CodePage::Pc850);
    comprobar({"euro in WPC1252", euro,
               bytes("\x80"
                     "5\n")},
              EscPosRenderer::CodePage::Wpc1252);
    comprobar({"n and a combining tilde", {QStringLiteral("An\u0303o")}, bytes("A\xA4o\n")});
}

TEST(EscPosRenderer, AnEmptyJobIsStillInitialisedFedAndCut) {
    comprobar({"no lines", {}, QByteArray()});
}

TEST(EscPosRenderer, FixedWidthLinesTakeOneByteForEachCharacter) {
    const QString linea =
        nerin::AlinearTexto(QStringLiteral("Piña colada"), 20, nerin::kAlinearIzquierda, true) +
        nerin::AlinearTexto(QStringLiteral("$95.00"), 12, nerin::kAlinearDerecha, true);
    ASSERT_EQ(linea.size(), 32);
    for (const auto pagina : {EscPosRenderer::CodePage::Pc850, EscPosRenderer::CodePage::Wpc1252}) {
        const QByteArray trabajo = EscPosRenderer(pagina).render({linea});
        EXPECT_EQ(trabajo.size(), kInicio850.size() + 32 + 1 + kCorte.size());
    }
}
