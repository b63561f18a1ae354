#include "printing/EscPosRenderer.h"

#include <gtest/gtest.h>

using nerin::EscPosRenderer;

namespace {

const QByteArray kInicio850("\x1B@\x1Bt\x02", 5);
const QByteArray kInicio1252("\x1B@\x1Bt\x10", 5);
const QByteArray kCorte = QByteArray::fromHex("1b64041d5601");

struct Caso {
    const char* nombre;
    QStringList lineas;
    QByteArray cuerpo; // the bytes between the job's start and its feed and cut
};

// The text with the printer commands written by name: {B} and {/B} bold on and off, {H} double
// height, {XH} double size and {/H} normal size.
QByteArray bytes(const char* texto) {
    QByteArray salida(texto);
    const std::pair<const char*, const char*> comandos[] = {
        {"{B}", "1b4501"}, {"{/B}", "1b4500"}, {"{H}", "1d2101"}, {"{XH}", "1d2111"}, {"{/H}", "1d2100"},
    };
    for (const auto& [nombre, comando] : comandos)
        salida.replace(nombre, QByteArray::fromHex(comando));
    return salida;
}

void comprobar(const Caso& caso, EscPosRenderer::CodePage pagina = EscPosRenderer::CodePage::Pc850) {
    const QByteArray inicio = pagina == EscPosRenderer::CodePage::Pc850 ? kInicio850 : kInicio1252;
    EXPECT_EQ(EscPosRenderer(pagina).render(caso.lineas), inicio + caso.cuerpo + kCorte) << caso.nombre;
}

} // namespace

TEST(EscPosRenderer, StylesAreSentOnlyWhenTheyChangeAndSwitchedOffBeforeTheCut) {
    const Caso casos[] = {
        {"plain", {"ABC"}, bytes("ABC\n")},
        {"bold", {"<B>Total</B>"}, bytes("{B}Total\n{/B}")},
        {"bold in lower case, mid-line", {"<b>x</b> y"}, bytes("{B}x{/B} y\n")},
        {"large", {"<H>A</H>"}, bytes("{H}A\n{/H}")},
        {"extra-large", {"<xh>A</Xh>"}, bytes("{XH}A\n{/H}")},
        {"closed in the other order, after a break",
         {"<N><H><B>Total </H></B>"},
         bytes("\n{B}{H}Total \n{/B}{/H}")},
        {"extra-large inside large", {"<H><XH>a</XH>b</H>"}, bytes("{XH}a{H}b\n{/H}")},
        {"bold opened twice stays until closed twice", {"<B><B>a</B>b</B>c"}, bytes("{B}ab{/B}c\n")},
        {"a style spans lines", {"<B>a", "b</B>", "c"}, bytes("{B}a\nb\n{/B}c\n")},
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

TEST(EscPosRenderer, SpanishLettersTakeOneByteOfTheCodePageAndOthersAQuestionMark) {
    using Pagina = EscPosRenderer::CodePage;
    const QString letras = QStringLiteral("ñÑáéíóúü¿¡$");
    const struct {
        Caso caso;
        Pagina pagina;
    } casos[] = {
        {{"PC850", {letras}, bytes("\xA4\xA5\xA0\x82\xA1\xA2\xA3\x81\xA8\xAD$\n")}, Pagina::Pc850},
        {{"WPC1252", {letras}, bytes("\xF1\xD1\xE1\xE9\xED\xF3\xFA\xFC\xBF\xA1$\n")}, Pagina::Wpc1252},
        {{"no euro in PC850", {QStringLiteral("€5")}, bytes("?5\n")}, Pagina::Pc850},
        {{"euro in WPC1252", {QStringLiteral("€5")}, QByteArray::fromHex("80350a")}, Pagina::Wpc1252},
        {{"n and a combining tilde", {QStringLiteral("An\u0303o")}, bytes("A\xA4o\n")}, Pagina::Pc850},
    };
    for (const auto& [caso, pagina] : casos)
        comprobar(caso, pagina);
}

TEST(EscPosRenderer, AnEmptyJobIsStillInitialisedFedAndCut) {
    comprobar({"no lines", {}, QByteArray()});
}
