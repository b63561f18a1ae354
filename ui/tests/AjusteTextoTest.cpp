#include "ui/AjusteTexto.h"

#include <QFontMetricsF>
#include <gtest/gtest.h>

namespace nerin {
namespace {

QString sinEspacios(QString texto) {
    texto.remove(u' ');
    texto.remove(u'\n');
    return texto;
}

// How the font of a fitted caption compares with the key's own.
enum class Letra { Propia, Menor, Ilegible };

struct Caso {
    const char* nombre;
    const char* texto;
    QSize espacio;
    Letra letra;
    bool cabe;
    QStringList lineas; // empty: not checked
};

TEST(AjusteTexto, FitsCaptionsWithoutLosingALetter) {
    const Caso casos[] = {
        {"a short caption stays as it is",
         "Cerrar",
         {120, 44},
         Letra::Propia,
         true,
         {QStringLiteral("Cerrar")}},
        {"words wrap before the font steps down",
         "SALADAS Y CREMAS",
         {140, 80},
         Letra::Propia,
         true,
         {QStringLiteral("SALADAS Y"), QStringLiteral("CREMAS")}},
        {"the caption's own line breaks are kept",
         "SOPA DE\nTORTILLA\n(2)",
         {400, 100},
         Letra::Propia,
         true,
         {QStringLiteral("SOPA DE"), QStringLiteral("TORTILLA"), QStringLiteral("(2)")}},
        {"a word wider than the key steps the font down",
         "CHAMPIÑONES",
         {90, 44},
         Letra::Menor,
         true,
         {QStringLiteral("CHAMPIÑONES")}},
        {"lines too many for the height step the font down",
         "CREMA DE CHAMPIÑONES AL AJILLO CON CREMA",
         {200, 44},
         Letra::Menor,
         true,
         {}},
        {"below the floor a word is broken between letters",
         "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJ",
         {60, 80},
         Letra::Menor,
         true,
         {}},
        {"what fits nowhere overflows at the smallest size, letters all there",
         "ABCDEFGHIJKLMNOPQRSTUVWXYZ ABCDEFGHIJKLMNOPQRSTUVWXYZ",
         {8, 8},
         Letra::Ilegible,
         false,
         {}},
        {"extra spaces are not drawn",
         "  Abrir   mesa ",
         {200, 44},
         Letra::Propia,
         true,
         {QStringLiteral("Abrir mesa")}},
    };
    QFont letra;
    letra.setPixelSize(20);
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        const QString texto = QString::fromUtf8(caso.texto);
        const TextoAjustado ajuste = AjusteTexto::ajustar(texto, letra, caso.espacio);
        EXPECT_EQ(ajuste.cabe, caso.cabe);
        EXPECT_EQ(sinEspacios(ajuste.lineas.join(u'\n')), sinEspacios(texto));
        if (!caso.lineas.isEmpty()) {
            EXPECT_EQ(ajuste.lineas, caso.lineas);
        }
        switch (caso.letra) {
        case Letra::Propia:
            EXPECT_EQ(ajuste.pixeles, 20);
            break;
        case Letra::Menor:
            EXPECT_LT(ajuste.pixeles, 20);
            EXPECT_GE(ajuste.pixeles, AjusteTexto::kLetraIlegible);
            break;
        case Letra::Ilegible:
            EXPECT_EQ(ajuste.pixeles, AjusteTexto::kLetraIlegible);
            break;
        }
        if (!ajuste.cabe)
            continue;
        // What was said to fit does: every line within the width, all of them within the height.
        QFont dibujada = letra;
        dibujada.setPixelSize(ajuste.pixeles);
        const QFontMetricsF medidas(dibujada);
        for (const QString& linea : ajuste.lineas)
            EXPECT_LE(medidas.horizontalAdvance(linea), caso.espacio.width()) << linea.toStdString();
        EXPECT_LE(AjusteTexto::alto(ajuste.lineas.size(), medidas), caso.espacio.height());
    }
}

TEST(AjusteTexto, TakesTheLargestSizeThatFits) {
    // One pixel more than the size chosen no longer fits whole words.
    QFont letra;
    letra.setPixelSize(24);
    const QString texto = QStringLiteral("OTRAS CUENTAS");
    const QSize espacio(90, 50);
    const TextoAjustado ajuste = AjusteTexto::ajustar(texto, letra, espacio);
    ASSERT_TRUE(ajuste.cabe);
    ASSERT_LT(ajuste.pixeles, 24);
    letra.setPixelSize(ajuste.pixeles + 1);
    const QFontMetricsF medidas(letra);
    bool desborda = false;
    const QStringList lineas = AjusteTexto::partir(texto, medidas, espacio.width(), false, &desborda);
    EXPECT_TRUE(desborda || AjusteTexto::alto(lineas.size(), medidas) > espacio.height());
}

TEST(AjusteTexto, DropsShortcutMarksAsAButtonDoes) {
    const struct {
        const char* texto;
        const char* mostrado;
    } casos[] = {
        {"&Aceptar", "Aceptar"}, {"PAN && MANTEQUILLA", "PAN & MANTEQUILLA"}, {"&&&x", "&x"}, {"R&", "R&"}};
    for (const auto& caso : casos)
        EXPECT_EQ(AjusteTexto::sinAtajos(QString::fromUtf8(caso.texto)), QString::fromUtf8(caso.mostrado))
            << caso.texto;
}

} // namespace
} // namespace nerin
