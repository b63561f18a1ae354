#include "printing/ImpresorasTerminal.h"
#include "printing/PruebaImpresion.h"
#include "printing/tests/ColaFixture.h"

using nerin::ImpresorasTerminal;

namespace nerin::fakes {

class ColaImpresionTest : public ColaFixture {};

// The number of the job written last, which closing gives its queue row.
class ColaEscritaTest : public ColaImpresionTest {
protected:
    qint32 escrito() {
        return rows(QStringLiteral("SELECT MAX(ID_Trabajo) FROM Cola_Trabajo")).value(0).toInt();
    }
};

TEST_F(ColaEscritaTest, AJobReachesTheQueueWholeWithItsLinesInOrderOnlyOnceClosed) {
    const qint32 trabajo = cola->AbrirTrabajo(QStringLiteral("T"), 1, QStringLiteral("gerente1"));
    ASSERT_GT(trabajo, 0);
    for (const char* texto : {"<B>uno</B>", "dos", "<N>", "tres"})
        ASSERT_TRUE(cola->AgregarLinea(trabajo, QString::fromUtf8(texto)));
    // Until it is closed, a terminal that goes down leaves nothing half-written behind.
    EXPECT_EQ(rows(QStringLiteral("SELECT COUNT(*) FROM Cola_Trabajo")), QStringList({"0"}));
    ASSERT_TRUE(cola->CerrarTrabajo(trabajo));
    EXPECT_EQ(rows(QStringLiteral("SELECT Num_Linea, Texto FROM Cola_Linea WHERE ID_Trabajo = %1 ORDER BY "
                                  "Num_Linea")
                       .arg(escrito())),
              QStringList({"1|<B>uno</B>", "2|dos", "3|<N>", "4|tres"}));
    EXPECT_EQ(
        rows(QStringLiteral("SELECT Tipo, ID_Impresora, Usuario, Estado, CASE WHEN Fecha_Cierre IS NULL "
                            "THEN 0 ELSE 1 END FROM Cola_Trabajo WHERE ID_Trabajo = %1")
                 .arg(escrito())),
        QStringList({"T|1|gerente1|P|1"}));
}

TEST_F(ColaEscritaTest, JobsWrittenAtTheSameTimeKeepTheirOwnLines) {
    const qint32 a = cola->AbrirTrabajo(QStringLiteral("P"), 2, QStringLiteral("mesero1"));
    const qint32 b = cola->AbrirTrabajo(QStringLiteral("P"), 3, QStringLiteral("mesero1"));
    ASSERT_NE(a, b);
    ASSERT_TRUE(cola->AgregarLinea(a, QStringLiteral("a1")));
    ASSERT_TRUE(cola->AgregarLinea(b, QStringLiteral("b1")));
    ASSERT_TRUE(cola->AgregarLinea(a, QStringLiteral("a2")));
    ASSERT_TRUE(cola->CerrarTrabajo(b));
    EXPECT_EQ(lineas(escrito()), QStringList({"b1"}));
    ASSERT_TRUE(cola->CerrarTrabajo(a));
    EXPECT_EQ(lineas(escrito()), QStringList({"a1", "a2"}));
}

TEST_F(ColaEscritaTest, OnlyAnOpenJobTakesLinesOrCanBeClosed) {
    const qint32 trabajo = cola->AbrirTrabajo(QStringLiteral("T"), 1, QStringLiteral("gerente1"));
    ASSERT_TRUE(cola->CerrarTrabajo(trabajo));
    EXPECT_FALSE(cola->AgregarLinea(trabajo, QStringLiteral("tarde")));
    EXPECT_FALSE(cola->CerrarTrabajo(trabajo));
    EXPECT_FALSE(cola->AgregarLinea(trabajo + 100, QStringLiteral("a nadie")));
    EXPECT_FALSE(cola->CerrarTrabajo(trabajo + 100));
    EXPECT_TRUE(cola->fallaReportada().isEmpty());
    EXPECT_TRUE(lineas(escrito()).isEmpty());
    EXPECT_EQ(rows(QStringLiteral("SELECT COUNT(*) FROM Cola_Trabajo")), QStringList({"1"}));
    EXPECT_TRUE(messageBox.shown.isEmpty());
}

TEST_F(ColaEscritaTest, QuotesPrintAsTheyStandWhetherTheCallerDoubledThemOrNot) {
    const qint32 trabajo = cola->AbrirTrabajo(QStringLiteral("T"), 1, QStringLiteral("o'hara"));
    ASSERT_GT(trabajo, 0);
    ASSERT_TRUE(cola->AgregarLinea(trabajo, BaseDatos::DuplicarComillas(QStringLiteral("CAFÉ D'ORO"))));
    ASSERT_TRUE(cola->AgregarLinea(trabajo, QStringLiteral("CAFÉ D'ORO")));
    ASSERT_TRUE(cola->AgregarLinea(trabajo, QStringLiteral("x'; DELETE FROM Cola_Linea; --")));
    ASSERT_TRUE(cola->AgregarLinea(trabajo, BaseDatos::DuplicarComillas(QStringLiteral("''"))));
    ASSERT_TRUE(cola->CerrarTrabajo(trabajo));
    EXPECT_EQ(lineas(escrito()),
              QStringList({"CAFÉ D'ORO", "CAFÉ D'ORO", "x'; DELETE FROM Cola_Linea; --", "''"}));
    EXPECT_EQ(rows(QStringLiteral("SELECT Usuario FROM Cola_Trabajo WHERE ID_Trabajo = %1").arg(escrito())),
              QStringList({"o'hara"}));
}

TEST_F(ColaEscritaTest, APrintersRedirectionIsAppliedWhenTheJobIsWritten) {
    exec(QStringLiteral("UPDATE Impresora SET Redirigido = 3 WHERE ID_Impresora = 2"));
    for (const qint32 impresora : {2, 99})
        ASSERT_TRUE(
            cola->CerrarTrabajo(cola->AbrirTrabajo(QStringLiteral("P"), impresora, QStringLiteral("m"))));
    EXPECT_EQ(rows(QStringLiteral("SELECT ID_Impresora FROM Cola_Trabajo ORDER BY ID_Trabajo")),
              QStringList({"3", "99"}));
}

TEST_F(ColaEscritaTest, AFailingDatabaseIsReportedOnceAndLeavesNoJob) {
    exec(QStringLiteral("DROP TABLE Cola_Linea"));
    const qint32 trabajo = cola->AbrirTrabajo(QStringLiteral("T"), 1, QStringLiteral("gerente1"));
    ASSERT_TRUE(cola->AgregarLinea(trabajo, QStringLiteral("x")));
    EXPECT_FALSE(cola->CerrarTrabajo(trabajo));
    EXPECT_FALSE(cola->fallaReportada().isEmpty());
    EXPECT_EQ(rows(QStringLiteral("SELECT COUNT(*) FROM Cola_Trabajo")), QStringList({"0"}));
    // Reported once, by the data layer, to the event log.
    QFile log(bitacora->rutaArchivo());
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(log.readAll()).count(QStringLiteral("ME-2147217865")), 1);
}

TEST_F(ColaImpresionTest, ATypeThatIsNotOneLetterOpensNothing) {
    EXPECT_EQ(cola->AbrirTrabajo(QString(), 1, QStringLiteral("gerente1")), 0);
    EXPECT_EQ(cola->AbrirTrabajo(QStringLiteral("TT"), 1, QStringLiteral("gerente1")), 0);
    EXPECT_EQ(rows(QStringLiteral("SELECT COUNT(*) FROM Cola_Trabajo")), QStringList({"0"}));
}

// The printer lookups, by terminal: the demo's terminal 1 has printer 1 for tickets and invoices,
// terminal 2 printer 4 for tickets and no fiscal printer, terminal 3 none.
TEST_F(ColaImpresionTest, PrinterLookupsFindTheTerminalsPrintersOrSaySoWithTheirMessages) {
    struct Caso {
        qint16 terminal;
        std::optional<qint32> local;
        std::optional<qint32> fiscal;
        QStringList mensajes;
    };
    const Caso casos[] = {
        {1, 1, 1, {}},
        {2, 4, std::nullopt, {ImpresorasTerminal::kSinFiscal}},
        {3,
         std::nullopt,
         std::nullopt,
         {ImpresorasTerminal::kSinLocal, ImpresorasTerminal::kSinLocalReportes,
          ImpresorasTerminal::kSinFiscal}},
    };
    for (const Caso& caso : casos) {
        ScriptedPrompts vistos;
        ContextoImpresion ctx = *contexto;
        ctx.terminal = caso.terminal;
        ctx.mensaje = [&vistos](const QString& texto, int estilo) { return vistos.Mensaje(texto, estilo); };
        const ImpresorasTerminal impresoras(ctx);
        EXPECT_EQ(impresoras.local(), caso.local) << caso.terminal;
        EXPECT_EQ(impresoras.localReportes(), caso.local) << caso.terminal;
        EXPECT_EQ(impresoras.fiscal(), caso.fiscal) << caso.terminal;
        EXPECT_EQ(vistos.mensajes(), caso.mensajes) << caso.terminal;
    }
}

TEST_F(ColaImpresionTest, PrintTestQueuesOneJobForEveryActivePrinter) {
    exec(QStringLiteral("UPDATE Impresora SET Estado_Impresora = 'I' WHERE ID_Impresora = 3"));
    exec(QStringLiteral("UPDATE Impresora SET Nombre_Impresora = 'D''ANGELO' WHERE ID_Impresora = 4"));
    EXPECT_EQ(PruebaImpresion(*contexto, *cola), 3);
    EXPECT_EQ(
        rows(QStringLiteral("SELECT t.Tipo, t.ID_Impresora, t.Usuario, t.Estado, l.Num_Linea, l.Texto "
                            "FROM Cola_Trabajo t INNER JOIN Cola_Linea l ON l.ID_Trabajo = t.ID_Trabajo "
                            "ORDER BY t.ID_Trabajo, l.Num_Linea")),
        QStringList({"P|1|gerente1|P|1|<H>PRUEBA IMPRESION</H>", "P|1|gerente1|P|2|<B>CAJA</B>",
                     "P|2|gerente1|P|1|<H>PRUEBA IMPRESION</H>", "P|2|gerente1|P|2|<B>COCINA</B>",
                     "P|4|gerente1|P|1|<H>PRUEBA IMPRESION</H>", "P|4|gerente1|P|2|<B>D'ANGELO</B>"}));
}

TEST_F(ColaImpresionTest, PrintTestWithNobodySignedInIsQueuedAsSystem) {
    contexto->usuario.clear();
    exec(QStringLiteral("UPDATE Impresora SET Estado_Impresora = 'I' WHERE ID_Impresora <> 2"));
    EXPECT_EQ(PruebaImpresion(*contexto, *cola), 1);
    EXPECT_EQ(rows(QStringLiteral("SELECT Usuario FROM Cola_Trabajo")), QStringList({"System"}));
}

} // namespace nerin::fakes
