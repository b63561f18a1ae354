#include "reports/HojaResumen.h"

#include <gtest/gtest.h>

namespace nerin {
namespace {

Currency pesos(const char* texto) {
    return *Currency::parse(QString::fromLatin1(texto));
}

TEST(HojaResumenTest, SumsAreExactAndEmptyRangesGiveZero) {
    HojaResumen hoja({QStringLiteral("Tipo"), QStringLiteral("Monto"), QStringLiteral("Propina")});
    hoja.agregarMontos(QStringLiteral("EFECTIVO"), {pesos("0.10"), pesos("0.20")});
    hoja.agregarTexto({QStringLiteral("sin importe")});
    hoja.agregarMontos(QStringLiteral("TARJETA"), {pesos("0.20"), pesos("0.05")});
    const struct {
        int columna, desde, hasta;
        const char* suma;
    } casos[] = {
        {1, 1, 3, "0.30"},                  // 0.1 + 0.2 exactly, never 0.30000000000000004
        {2, 1, 3, "0.25"},  {1, 2, 2, "0"}, // a row without amounts
        {1, 1, 0, "0"},                     // no rows: an empty day
        {1, 3, 99, "0.20"},                 // past the last row
        {0, 1, 3, "0"},                     // a column of texts
    };
    for (const auto& caso : casos)
        EXPECT_EQ(hoja.suma(caso.columna, caso.desde, caso.hasta), pesos(caso.suma))
            << caso.columna << " " << caso.desde << ":" << caso.hasta;

    const int fila = hoja.agregarSuma(QStringLiteral("SUMA:"), 1, hoja.filas(), {1, 2}, true);
    EXPECT_EQ(hoja.celda(fila, 1).monto, pesos("0.30"));
    EXPECT_EQ(hoja.celda(fila, 2).monto, pesos("0.25"));
    EXPECT_TRUE(hoja.celda(fila, 0).negrita);
}

TEST(HojaResumenTest, PrintsTitlesAmountsAndHidesColumns) {
    HojaResumen hoja({QStringLiteral("Tipo"), QStringLiteral("Monto"), QStringLiteral("Clase")});
    hoja.agregarMontos(QStringLiteral("EFECTIVO"), {pesos("1234.5")});
    hoja.setColumnaOculta(2, true);
    EXPECT_EQ(hoja.rowCount(), 2);
    EXPECT_EQ(hoja.cell(0, 1).text, QStringLiteral("Monto"));
    EXPECT_TRUE(hoja.cell(0, 1).bold);
    EXPECT_EQ(hoja.cell(1, 1).text, QStringLiteral("1234.5"));
    EXPECT_EQ(hoja.cell(1, 1).type, PrintableGrid::CellType::Currency);
    EXPECT_EQ(hoja.cell(1, 0).type, PrintableGrid::CellType::Text);
    EXPECT_TRUE(hoja.columnHidden(2));
    EXPECT_FALSE(hoja.columnHidden(1));
}

} // namespace
} // namespace nerin
