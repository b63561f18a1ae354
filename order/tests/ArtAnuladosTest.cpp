#include "order/ArtAnulados.h"

#include "order/TicketCancelacion.h"
#include "order/tests/OrderFixture.h"
#include "printing/ImpresorasTerminal.h"

#include <optional>

namespace nerin::fakes {
namespace {

// Order 2 has a second part (Control 2, table 7) served by PEDRO GARCIA NAVA, where a dish was
// cancelled by the manager; the first part is ROSA's. The names carry quotes.
class ArtAnuladosTest : public OrderFixture {
protected:
    void SetUp() override {
        OrderFixture::SetUp();
        exec(QStringLiteral("INSERT INTO Comanda (ID_Comanda, Control, Num_Mesa, Tipo, ID_Empleado, Abierta, "
                            "fecha_trabajo) SELECT 2, 2, 7, 'N', 4, 1, Valor_Cad FROM Parametros WHERE "
                            "Id_Parametro='FECHA_TRABAJO'"));
        exec(QStringLiteral(
            "INSERT INTO ProductosXCuenta (ID_Comanda, Control, ID_Producto, Precio, Preparado, "
            "ID_Tipo_Anulacion, Empleado_Anulacion, Hora_Anulacion, Nombre_Producto) VALUES "
            "(2, 2, 117, 235, 1, 3, 2, '06/12/2026 13:45', 'ARRACHERA')"));
        exec(QStringLiteral("UPDATE Empleado SET Apellido_Materno='O''NAVA' WHERE Id_Empleado=4"));
        exec(QStringLiteral("UPDATE Empleado SET Apellido_Paterno='D''PEREZ' WHERE Id_Empleado=2"));
        abrir(2);
        anulados.emplace(*context);
        ASSERT_TRUE(anulados->cargar());
        ASSERT_EQ(anulados->lista().recordCount(), 1);
    }

    qint64 trabajos() { return field(QStringLiteral("SELECT COUNT(*) FROM Cola_Trabajo")).toInt(); }

    std::optional<ArtAnulados> anulados;
};

TEST_F(ArtAnuladosTest, ReprintQueuesTheSlipHeaderOfTheOrderPartsWaiter) {
    ASSERT_TRUE(anulados->imprimir(0));
    EXPECT_EQ(field(QStringLiteral("SELECT Tipo FROM Cola_Trabajo ORDER BY ID_Trabajo DESC")).toString(),
              "T");
    EXPECT_EQ(field(QStringLiteral("SELECT l.Texto FROM Cola_Linea l WHERE l.ID_Trabajo=(SELECT "
                                   "MAX(ID_Trabajo) FROM Cola_Trabajo)"))
                  .toString(),
              QStringLiteral("<B>    *** Cancelaciones ***</B><N>06/12/2026 13:45<N><N>Gerente: JUAN D'PEREZ "
                             "LOPEZ<N>Empleado: PEDRO GARCIA O'NAVA<N>Mesa: 7<N>Comanda: 2<N>"
                             "Razón: PLATILLO DEVUELTO"));
}

TEST_F(ArtAnuladosTest, ReprintWithoutALocalPrinterTellsAndQueuesNothing) {
    exec(QStringLiteral("UPDATE Impresora SET EsDeCheques=0 WHERE ID_Terminal=1"));
    const qint64 antes = trabajos();
    EXPECT_FALSE(anulados->imprimir(0));
    ASSERT_FALSE(prompts.asked().isEmpty());
    EXPECT_EQ(prompts.asked().last().texto, ImpresorasTerminal::kSinLocal);
    EXPECT_EQ(trabajos(), antes);
}

// The header goes into SQL text too, when items are cancelled: its quotes come doubled.
TEST(TicketCancelacionTest, HeaderDoublesTheQuotesOfItsNames) {
    TicketCancelacion ticket;
    ticket.gerente = QStringLiteral("D'PEREZ");
    ticket.empleado = QStringLiteral("O'NAVA");
    ticket.razon = QStringLiteral("'");
    EXPECT_TRUE(ticket.encabezado().endsWith(
        QStringLiteral("Gerente: D''PEREZ<N>Empleado: O''NAVA<N>Mesa: <N>Comanda: 0<N>Razón: ''")))
        << ticket.encabezado().toStdString();
}

} // namespace
} // namespace nerin::fakes
