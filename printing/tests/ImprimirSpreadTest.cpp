#include "printing/ImprimirSpread.h"

#include "printing/PlainTextRenderer.h"
#include "printing/tests/ColaFixture.h"
#include "printing/tests/TableGrid.h"

#include <QDir>

using CellType = nerin::PrintableGrid::CellType;
using Cell = nerin::PrintableGrid::Cell;

namespace nerin::fakes {

class ImprimirSpreadTest : public ColaFixture {
protected:
    // The only job in the queue.
    qint32 trabajo() {
        return rows(QStringLiteral("SELECT MAX(ID_Trabajo) FROM Cola_Trabajo")).value(0).toInt();
    }
    // The job's lines after the report header (whose lines end with the time it was printed).
    QStringList cuerpo() {
        QStringList todas = lineas(trabajo());
        const qsizetype hora = todas.indexOf(QStringLiteral("   Impreso a las: 09:05:09 PM"));
        return hora < 0 ? todas : todas.mid(hora + 1);
    }
    // One row of three text columns, the first holding `primera`: the line the first cell gives.
    QString primeraCelda(const Cell& primera, bool ajustar, bool conTitulos = false, int titleColumns = 0,
                         int titleRows = 0) {
        TableGrid grid;
        grid.titleColumns = titleColumns;
        grid.titleRows = titleRows;
        grid.rows = {{primera, Cell{QStringLiteral("x")}, Cell{QStringLiteral("y")}}};
        if (!ImprimirSpread(*contexto, *cola, grid, ajustar, conTitulos))
            return QStringLiteral("(not printed)");
        const QStringList todas = cuerpo();
        // The other two cells come out as " x        " and " y        ".
        const QString resto = QStringLiteral(" x         y        ");
        const QString linea = todas.value(0);
        return linea.endsWith(resto) ? linea.chopped(resto.size()) : linea;
    }
};

TEST_F(ImprimirSpreadTest, CellsAreLaidOutByTheirType) {
    // Three visible columns on a 32-column ticket: (32 - 3) / 3 = 9 columns each, after a space.
    struct Caso {
        const char* nombre;
        Cell cell;
        bool ajustar;
        const char* esperado;
    };
    const Caso casos[] = {
        {"text is trimmed and left-aligned", {"  Sopa  "}, false, " Sopa     "},
        {"long text is cut", {"Ensalada César"}, false, " Ensalada "},
        {"long text fitted takes whole columns",
         {"Ensalada César grande"},
         true,
         " Ensalada César grande      "},
        {"currency as $0.00 to the right", {"1234.5", CellType::Currency}, false, "  $1234.50"},
        {"currency rounds to cents", {"0.125", CellType::Currency}, false, "     $0.13"},
        {"an empty currency cell stays empty", {"", CellType::Currency}, false, "          "},
        {"a long amount is cut and still right-aligned",
         {"12345678.9", CellType::Currency},
         false,
         " $12345678"},
        {"a long amount fitted", {"12345678.9", CellType::Currency}, true, " $12345678.90"},
        {"percent", {"16", CellType::Percent}, false, "       16%"},
        {"an empty percent cell stays empty", {" ", CellType::Percent}, false, "          "},
        {"a button is a bold title", {" Total ", CellType::Button}, false, " <B>Total    </B>"},
        {"a date is bold to the right", {"6/12/26", CellType::Date}, false, " <B>  6/12/26</B>"},
        {"a time is bold to the right", {"21:05", CellType::Time}, false, " <B>    21:05</B>"},
        {"bold text", {"Sopa", CellType::Text, true}, false, " <B>Sopa     </B>"},
        {"above 14 points is large", {"Sopa", CellType::Text, false, 15}, false, " <H>Sopa     </H>"},
        {"14 points is not", {"Sopa", CellType::Text, false, 14}, false, " Sopa     "},
        {"above 18 points is extra-large",
         {"Sopa", CellType::Text, false, 18.5},
         false,
         " <XH>Sopa     </XH>"},
        {"bold and extra-large", {"Sopa", CellType::Text, true, 20}, false, " <XH><B>Sopa     </B></XH>"},
        {"quotes are kept", {"D'Angelo"}, false, " D'Angelo "},
    };
    for (const Caso& caso : casos) {
        exec(QStringLiteral("DELETE FROM Cola_Linea"));
        EXPECT_EQ(primeraCelda(caso.cell, caso.ajustar), QString::fromUtf8(caso.esperado)) << caso.nombre;
    }
}

TEST_F(ImprimirSpreadTest, TitleCellsAreBoldWhateverTheirSize) {
    EXPECT_EQ(primeraCelda({"Mesa", CellType::Text, false, 20}, false, false, 1),
              QStringLiteral(" <B>Mesa     </B>"));
    EXPECT_EQ(primeraCelda({"Mesa", CellType::Text, true}, false, false, 1),
              QStringLiteral(" <B><B>Mesa     </B></B>"));
    // A title row prints only with conTitulos; then every cell of it is a title.
    EXPECT_EQ(primeraCelda({"Mesa", CellType::Text, false, 20}, false, true, 0, 1),
              QStringLiteral(" <B>Mesa     </B> <B>x        </B> <B>y        </B>"));
    EXPECT_EQ(primeraCelda({"Mesa"}, false, false, 0, 1), QString());
}

TEST_F(ImprimirSpreadTest, AGridWithEveryColumnHiddenPrintsEmptyLines) {
    TableGrid grid;
    grid.rows = {{Cell{"a"}, Cell{"b"}}, {Cell{"c"}, Cell{"d"}}, {Cell{"e"}, Cell{"f"}}};
    grid.hidden = {0, 1};
    ASSERT_TRUE(ImprimirSpread(*contexto, *cola, grid, false, false));
    EXPECT_EQ(cuerpo(), QStringList({"<N>", "<N>", "<N>"}));
}

TEST_F(ImprimirSpreadTest, ATicketWidthOfZeroLaysOutAThirtyTwoColumnTicket) {
    contexto->anchoTicket = 0;
    TableGrid grid;
    grid.rows = {{Cell{"Sopa"}, Cell{"85", CellType::Currency}}};
    ASSERT_TRUE(ImprimirSpread(*contexto, *cola, grid, false, false));
    // (32 - 2) / 2 = 15 columns each.
    EXPECT_EQ(cuerpo(), QStringList({" Sopa                     $85.00"}));
}

TEST_F(ImprimirSpreadTest, MoreColumnsThanTheTicketHasRoomForGetOneCharacterEach) {
    TableGrid grid;
    QList<Cell> fila;
    for (int i = 0; i < 40; ++i)
        fila.append(Cell{QStringLiteral("%1").arg(i % 10)});
    grid.rows = {fila};
    ASSERT_TRUE(ImprimirSpread(*contexto, *cola, grid, true, false));
    EXPECT_EQ(cuerpo().value(0).size(), 80);
}

TEST_F(ImprimirSpreadTest, WithoutATicketPrinterNothingIsQueued) {
    contexto->terminal = 3;
    TableGrid grid;
    grid.rows = {{Cell{"a"}}};
    EXPECT_FALSE(ImprimirSpread(*contexto, *cola, grid, false, false));
    EXPECT_EQ(prompts.mensajes(), QStringList({"No hay definidas impresoras locales en esta terminal"}));
    EXPECT_EQ(rows(QStringLiteral("SELECT COUNT(*) FROM Cola_Trabajo")), QStringList({"0"}));
}

TEST_F(ImprimirSpreadTest, AFailureHalfwayIsLoggedAndLeavesNoJob) {
    TableGrid grid;
    grid.rows = {{Cell{"bien"}}, {Cell{"roto"}}, {Cell{"nunca"}}};
    grid.onCell = [this](int row, int) {
        if (row == 1)
            exec(QStringLiteral("DROP TABLE Cola_Linea"));
    };
    EXPECT_FALSE(ImprimirSpread(*contexto, *cola, grid, false, false));
    EXPECT_EQ(rows(QStringLiteral("SELECT COUNT(*) FROM Cola_Trabajo")), QStringList({"0"}));
    QFile log(bitacora->rutaArchivo());
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(log.readAll()).contains(QStringLiteral("ImprimirSpread")));
}

// A sales summary as the report screens print it: one title row, a title column, a hidden column,
// amounts and a total.
TEST_F(ImprimirSpreadTest, ASalesSummaryPrintsAsItsExpectedFile) {
    TableGrid grid;
    grid.titleRows = 1;
    grid.titleColumns = 1;
    grid.hidden = {1};
    grid.rows = {
        {Cell{"Pago"}, Cell{"Cuentas"}, Cell{"Importe"}, Cell{"%"}},
        {Cell{"EFECTIVO"}, Cell{"12"}, Cell{"3450.5", CellType::Currency}, Cell{"61.2", CellType::Percent}},
        {Cell{"TARJETA CRÉDITO"}, Cell{"5"}, Cell{"2187", CellType::Currency},
         Cell{"38.8", CellType::Percent}},
        {Cell{"DÓLARES"}, Cell{"0"}, Cell{"", CellType::Currency}, Cell{"", CellType::Percent}},
        {Cell{"TOTAL", CellType::Button}, Cell{"17", CellType::Text, true},
         Cell{"5637.5", CellType::Currency, true, 16}, Cell{"100", CellType::Percent}},
    };
    ASSERT_TRUE(ImprimirSpread(*contexto, *cola, grid, false, true));
    QFile esperado(QStringLiteral(NERIN_PRINTING_EXPECTED "/resumen_ventas.txt"));
    ASSERT_TRUE(esperado.open(QIODevice::ReadOnly));
    // The file marks the end of each printed line with "|", so that trailing spaces stay visible.
    EXPECT_EQ(PlainTextRenderer::render(lineas(trabajo())).replace(u'\n', QStringLiteral("|\n")),
              QString::fromUtf8(esperado.readAll()));
}

} // namespace nerin::fakes
