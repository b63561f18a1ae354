// A terminal switched off mid-service loses nothing that was stored: the real program runs a whole
// service (items with modifiers stored and sent to the kitchen, a sent dish cancelled with its slip, the
// account split, one account paid with three payments and the other with one, the table closed) and
// is killed with SIGKILL just before one of the things it sends to the database. After each kill the
// terminal starts again, the print queue is printed twice, and the books are checked.
//
// The kill points are every NERIN_MUERTES_PASO-th send (2 unless set; 1 tries every one), shared out
// among the test's shards so that each stays short.
#include "app/tests/TerminalDriveFixture.h"
#include "tables/tests/MuerteConnection.h"

#include <QtGlobal>

namespace nerin {
namespace {

using namespace fakes;

constexpr int kTramos = 10;

// The service; it ends back at the access screen.
QStringList servicio() {
    return {
        kTarjetaMesero1, QStringLiteral("click cmdAbrirMesa"), QStringLiteral("click cmd2"),
        QStringLiteral("click cmd1"), QStringLiteral("click cmdAceptar"), QStringLiteral("enter 4"),
        // A steak with its doneness and a free modifier, two soups, a lemonade, an arrachera with its
        // doneness; the steak goes to the kitchen, which stores everything.
        QStringLiteral("type 2000000000102"), QStringLiteral("click cmdInsBarras"),
        QStringLiteral("click cmdModificar"), QStringLiteral("click cmdModificador2"),
        QStringLiteral("click imgTecladoModif"), QStringLiteral("enter SIN SAL"),
        QStringLiteral("click cmdRegresar"), QStringLiteral("type 2000000000101"),
        QStringLiteral("click cmdInsBarras"), QStringLiteral("type 2000000000101"),
        QStringLiteral("click cmdInsBarras"), QStringLiteral("type 2000000000103"),
        QStringLiteral("click cmdInsBarras"), QStringLiteral("type 2000000000117"),
        QStringLiteral("click cmdInsBarras"), QStringLiteral("click cmdModificar"),
        QStringLiteral("click cmdModificador3"), QStringLiteral("click cmdRegresar"),
        QStringLiteral("select grdComanda 1"), QStringLiteral("click cmdPreparar"),
        // Out to the tables and back; one soup goes, then is cancelled under the manager's card.
        QStringLiteral("click cmdListaMesas"), QStringLiteral("select Spread 3"),
        QStringLiteral("click cmdVerMesa"), QStringLiteral("select grdComanda 2"),
        QStringLiteral("click cmdPreparar"), QStringLiteral("select grdComanda 9"),
        QStringLiteral("expect grdComanda SOPA DE TORTILLA"), QStringLiteral("click cmdCancelar"),
        QStringLiteral("expect lblTitulo Validar Permiso"), kTarjetaGerente1,
        QStringLiteral("select grdAnulaciones 3"), QStringLiteral("expect lblTotal $597.50 M.N."),
        // The steak to an account of its own.
        QStringLiteral("click cmdDividir"), QStringLiteral("select grdCuenta 1"),
        QStringLiteral("click cmdAgregar"), QStringLiteral("click cmdAceptar"),
        QStringLiteral("expect lblTotal $352.00 M.N."),
        // Two card payments, one with a tip, and cash with change.
        QStringLiteral("click cmdPagar"), QStringLiteral("click cmdTipoPago2"), QStringLiteral("type 100"),
        QStringLiteral("click cmdPropina"), QStringLiteral("type 10"), QStringLiteral("click cmdAceptar"),
        QStringLiteral("click cmdTipoPago2"), QStringLiteral("type 100"), QStringLiteral("click cmdAceptar"),
        QStringLiteral("click cmdTipoPago1"), QStringLiteral("enter 200"), QStringLiteral("click cmdAceptar"),
        // The steak's account in cash; the table closes.
        QStringLiteral("click cmdOtrasCuentas"), QStringLiteral("select grdCuentas 2"),
        QStringLiteral("click cmdVer"), QStringLiteral("expect lblTotal $245.50 M.N."),
        QStringLiteral("click cmdPagar"), QStringLiteral("click cmdTipoPago1"), QStringLiteral("enter 300"),
        QStringLiteral("click cmdAceptar"), QStringLiteral("expect-message ¡Desea Facturar?"),
        QStringLiteral("answer no"), QStringLiteral("expect-message ¿Cerrar la mesa?"),
        QStringLiteral("answer yes"), QStringLiteral("click cmdSalir"),
        QStringLiteral("expect lblTerminal CAJA PRINCIPAL")};
}

// The order the service opens: the demo has orders 1 to 3.
const QString kOrden = QStringLiteral("ID_Comanda=4");

class MuerteDriveTest : public TerminalDriveFixture, public ::testing::WithParamInterface<int> {
protected:
    void TearDown() override { qunsetenv("NERIN_MATAR_EN"); }

    // Runs the service, killed just before send `k`; false when it ran to its end instead.
    bool conducirHasta(qint64 k) {
        qputenv("NERIN_MATAR_EN", QByteArray::number(k));
        const int salida = conducir(servicio());
        qunsetenv("NERIN_MATAR_EN");
        if (salida == -1)
            return true;
        EXPECT_EQ(salida, 0) << "k=" << k << "\n" << m_errores.toStdString();
        return false;
    }

    // The sends of a whole service.
    qint64 envios() {
        EXPECT_FALSE(conducirHasta(std::numeric_limits<int>::max()));
        const QString marca = QStringLiteral(" envíos a la base de datos");
        const qsizetype fin = m_errores.indexOf(marca);
        const qsizetype inicio = m_errores.lastIndexOf(u' ', fin - 1) + 1;
        return fin < 0 ? 0 : m_errores.mid(inicio, fin - inicio).toLongLong();
    }

    qint64 numero(const QString& sql) { return valor(sql).toInt(); }

    // What is wrong in the database after the service was cut short and the queue printed.
    QStringList faltas() {
        QStringList malas = descuadres(baseDeDatos(), QStringLiteral("c.") + kOrden);
        const auto contar = [this, &malas](const char* que, const QString& sql, qint64 esperado) {
            const qint64 hay = numero(sql);
            if (hay != esperado)
                malas.append(QStringLiteral("%1: %2 y no %3").arg(QLatin1String(que)).arg(hay).arg(esperado));
        };
        const QString articulos = QStringLiteral("FROM ProductosXCuenta p WHERE p.") + kOrden;
        const QString modificadores = QStringLiteral(
            "(SELECT COUNT(*) FROM Modificador m WHERE m.ID_ProductosXCuenta=p.ID_ProductosXCuenta)");
        // Every item whole: the steak with both modifiers, the arrachera with its doneness.
        contar("artículos sin sus modificadores",
               QStringLiteral("SELECT COUNT(*) ") + articulos + QStringLiteral(" AND ") + modificadores +
                   QStringLiteral(" <> CASE p.ID_Producto WHEN 102 THEN 2 WHEN 117 THEN 1 ELSE 0 END"),
               0);
        // Payments whole, and an account paid exactly when its payments cover it.
        const QString pagado =
            QStringLiteral("ISNULL((SELECT SUM(Monto_Pago) FROM Pago g WHERE g.ID_Comanda=c.ID_Comanda AND "
                           "g.Control=c.Control AND g.Num_Cuenta=c.Num_Cuenta),0)");
        contar("cuentas con Pagada que no cuadra con sus pagos",
               QStringLiteral("SELECT COUNT(*) FROM Cuenta c WHERE c.") + kOrden +
                   QStringLiteral(" AND Pagada <> CASE WHEN ") + pagado +
                   QStringLiteral(" >= Total AND Total > 0 THEN 1 ELSE 0 END"),
               0);
        const qint64 pagos =
            numero(QStringLiteral("SELECT COUNT(*) FROM Pago WHERE Num_Cuenta=1 AND ") + kOrden);
        if (pagos != 0 && pagos != 3)
            malas.append(QStringLiteral("%1 pagos de la cuenta 1 y no 0 ni 3").arg(pagos));
        contar("mesa cerrada con cuentas sin pagar",
               QStringLiteral("SELECT COUNT(*) FROM Comanda o, Cuenta c WHERE o.ID_Comanda=c.ID_Comanda AND "
                              "o.Abierta=0 AND c.Pagada=0 AND c.") +
                   kOrden,
               0);
        // Every job whole and printed once; a second printing prints nothing more.
        contar("trabajos de impresión a medias",
               QStringLiteral("SELECT COUNT(*) FROM Cola_Trabajo WHERE Estado<>'I'"), 0);
        const QString cocina = impresoEn("cocina.txt");
        const QString caja = impresoEn("caja.txt");
        const qint64 canceladas = numero(QStringLiteral("SELECT COUNT(*) ") + articulos +
                                         QStringLiteral(" AND ID_Tipo_Anulacion IS NOT NULL"));
        const auto impreso = [&malas](const char* que, const QString& en, const QString& texto,
                                      qint64 veces) {
            if (en.count(texto) != veces)
                malas.append(QStringLiteral("%1 «%2» impreso %3 veces y no %4")
                                 .arg(QLatin1String(que), texto)
                                 .arg(en.count(texto))
                                 .arg(veces));
        };
        impreso("cocina", cocina, QStringLiteral("FILETE MIGNON"),
                numero(QStringLiteral("SELECT COUNT(*) ") + articulos +
                       QStringLiteral(" AND ID_Producto=102 AND Preparado=1")));
        impreso("cocina", cocina, QStringLiteral("SOPA DE TORTILLA"),
                numero(QStringLiteral("SELECT COUNT(*) ") + articulos +
                       QStringLiteral(" AND ID_Producto=101 AND Preparado=1")) +
                    canceladas);
        impreso("cocina", cocina, QStringLiteral("CANCELAR SOPA DE TORTILLA"), canceladas);
        impreso("caja", caja, QStringLiteral("*** Cancelaciones ***"), canceladas);
        imprimirCola();
        if (impresoEn("cocina.txt") != cocina || impresoEn("caja.txt") != caja)
            malas.append(QStringLiteral("la segunda impresión de la cola imprimió algo"));
        // Nobody left signed in at the terminal that went down, no order left locked.
        contar("órdenes bloqueadas", QStringLiteral("SELECT COUNT(*) FROM Comanda WHERE EnUsoPor<>0"), 0);
        contar("empleados firmados en la terminal",
               QStringLiteral("SELECT COUNT(*) FROM Empleado WHERE ID_Terminal<>0"), 0);
        return malas;
    }
};

INSTANTIATE_TEST_SUITE_P(Tramos, MuerteDriveTest, ::testing::Range(0, kTramos));

TEST_P(MuerteDriveTest, KilledAtAnySendTheServiceIsWholeOrNotThereAndTheTerminalStartsFree) {
    const qint64 total = envios();
    ASSERT_GT(total, 200) << m_errores.toStdString();
    const qint64 paso = qEnvironmentVariableIsSet("NERIN_MUERTES_PASO")
                            ? std::max(1, qEnvironmentVariableIntValue("NERIN_MUERTES_PASO"))
                            : 2;
    int probados = 0;
    for (qint64 k = 1 + GetParam() * paso; k <= total; k += kTramos * paso) {
        SetUp();
        ASSERT_TRUE(conducirHasta(k)) << "k=" << k << " ended before its kill";
        // The terminal starts again and stands at the access screen.
        EXPECT_EQ(conducir({QStringLiteral("expect lblTerminal CAJA PRINCIPAL")}), 0)
            << "k=" << k << "\n"
            << m_errores.toStdString();
        imprimirCola();
        EXPECT_EQ(faltas(), QStringList()) << "k=" << k;
        ++probados;
    }
    std::printf("%d puntos de muerte probados de %lld envíos\n", probados, static_cast<long long>(total));
}

} // namespace
} // namespace nerin
