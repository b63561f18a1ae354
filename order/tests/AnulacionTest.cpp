#include "order/Anulacion.h"

#include "order/AgregarProducto.h"
#include "order/GuardarProductos.h"
#include "order/tests/OrderFixture.h"
#include "printing/ImpresorasTerminal.h"
#include "startup/tests/RecordingNavegacion.h"

#include <QRegularExpression>

namespace nerin::fakes {
namespace {

// Order 1 (table 5) of mesero1, who may not cancel prepared dishes: SOPA DE TORTILLA (1, kitchen) is
// prepared, FLAN NAPOLITANO (5, $65) is not, and the prepared PAQUETE EJECUTIVO (10) has the components
// 11 and 12.
class AnulacionTest : public OrderFixture {
protected:
    void SetUp() override {
        OrderFixture::SetUp();
        nav = RecordingNavegacion();
        razon = RazonAnulacion{3, QStringLiteral("PLATILLO DEVUELTO"), false};
        abrir(1);
        iniciar(1, QStringLiteral("mesero1"));
        ultimoTrabajo = field(QStringLiteral("SELECT isnull(max(ID_Trabajo),0) FROM Cola_Trabajo")).toInt();
    }
    void iniciar(qint16 empleado, const QString& usuario) {
        context->iniciarSesion(Sesion(empleado, usuario, {}, false));
        context->setNavegacion(&nav);
        ASSERT_TRUE(comanda->MostrarProductosComandaActual());
        guardar = std::make_unique<GuardarProductos>(*comanda);
        anulacion = std::make_unique<Anulacion>(*comanda, *guardar, [this] { return razon; });
    }
    int fila(qint32 folio) {
        const QList<LineaComanda>& lineas = comanda->cuadricula().lineas();
        for (int i = 0; i < lineas.size(); ++i)
            if (lineas.at(i).folio == folio && lineas.at(i).esProducto())
                return i;
        ADD_FAILURE() << "no line for item " << folio;
        return 0;
    }
    bool cancelar(std::initializer_list<qint32> folios, QList<int> filas = {}) {
        for (qint32 folio : folios)
            filas << fila(folio);
        std::sort(filas.begin(), filas.end());
        return anulacion->cancelar(filas);
    }
    QString estado(qint32 folio) {
        const DbValue motivo =
            field(QStringLiteral("SELECT isnull(ID_Tipo_Anulacion,0) FROM ProductosXCuenta WHERE "
                                 "ID_ProductosXCuenta=%1")
                      .arg(folio));
        return motivo.isNull() ? QStringLiteral("borrado") : QStringLiteral("razón ") + motivo.toString();
    }
    QString total() {
        return field(QStringLiteral("SELECT Total FROM Cuenta WHERE ID_Comanda=1")).toString();
    }
    // The lines queued since the test began, each "printer:text".
    QStringList impreso() {
        SqliteConnection conexion(dbFolder() + "/DBNERIN.db");
        EXPECT_TRUE(conexion.open().isOk());
        auto filas = conexion.query(
            QStringLiteral("SELECT t.ID_Impresora, l.Texto FROM Cola_Trabajo t, Cola_Linea l WHERE "
                           "l.ID_Trabajo=t.ID_Trabajo AND l.Num_Linea > 10 AND t.ID_Trabajo > %1 ORDER BY "
                           "t.ID_Trabajo, l.Num_Linea")
                .arg(ultimoTrabajo));
        QStringList lineas;
        for (const QList<DbValue>& f : filas->rows())
            lineas << f.value(0).toString() + u':' + f.value(1).toString();
        return lineas;
    }

    RecordingNavegacion nav;
    std::unique_ptr<GuardarProductos> guardar;
    std::unique_ptr<Anulacion> anulacion;
    std::optional<RazonAnulacion> razon;
    qint64 ultimoTrabajo = 0;
};

// Items not sent yet are removed without permission, reason or slip; a line never stored only leaves
// the grid.
TEST_F(AnulacionTest, UnsentItemsAreRemovedWithoutPermissionOrSlip) {
    const qint64 flanes =
        field(QStringLiteral("SELECT Existencia FROM Producto WHERE ID_Producto=104")).toInt();
    AgregarProducto agregar(*comanda);
    const int nueva = agregar.AñadirProductoAComanda(101, TipoLinea::Producto)->fila;
    faultyConnection->clearStatements();
    ASSERT_TRUE(cancelar({5}, {nueva}));
    EXPECT_EQ(estado(5), "borrado");
    EXPECT_EQ(field(QStringLiteral("SELECT Existencia FROM Producto WHERE ID_Producto=104")).toInt(),
              flanes + 1);
    EXPECT_EQ(total().toDouble(), 85 + 32 + 95 + 189 + 245.5);
    EXPECT_TRUE(impreso().isEmpty());
    EXPECT_TRUE(nav.rutas.isEmpty());
    EXPECT_FALSE(faultyConnection->statements().join(u'\n').contains(u"Insertar_Producto"));
    EXPECT_FALSE(comanda->cuadricula().hayNoGuardadas());
}

// Every check runs first: a refusal over a sent dish leaves the unsent one selected with it too.
TEST_F(AnulacionTest, ARefusalCancelsNothing) {
    const struct {
        const char* caso;
        const char* preparar;
        bool autorizado;
        bool conRazon;
        const char* aviso;
    } casos[] = {
        {"no permission", "", false, true, "No tiene privilegios para cancelar productos preparados"},
        {"payment",
         "INSERT INTO Pago (ID_Comanda, Control, Num_Cuenta, ID_Tipo_Pago, Monto_Pago) VALUES (1, 1, 1, 1, "
         "10)",
         true, true,
         "Ya existen pagos para esta cuenta, para realizar la cancelación es necesario anular los pagos"},
        {"courtesy", "INSERT INTO Cortesia (ID_ProductosXCuenta, ID_Tipo_Cortesia, Monto) VALUES (1, 1, 85)",
         true, true, "Existen una cortesia asignada a este producto, primero elimine la cortesia!"},
        {"no local printer", "UPDATE Impresora SET EsDeCheques=0 WHERE ID_Terminal=1", true, true,
         ImpresorasTerminal::kSinLocal},
        {"no reason", "", true, false, ""},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.caso);
        SetUp();
        if (*caso.preparar)
            exec(QString::fromUtf8(caso.preparar));
        nav.autorizado = caso.autorizado;
        if (!caso.conRazon)
            razon.reset();
        const QString antes = total();
        EXPECT_FALSE(cancelar({1, 5}));
        EXPECT_EQ(estado(1), "razón 0");
        EXPECT_EQ(estado(5), "razón 0");
        EXPECT_EQ(total(), antes);
        EXPECT_TRUE(impreso().isEmpty());
        if (*caso.aviso) {
            ASSERT_FALSE(prompts.asked().isEmpty());
            EXPECT_EQ(prompts.asked().last().texto, QString::fromUtf8(caso.aviso));
        }
    }
}

// The slip names whoever's permission allowed the cancellation, with the quotes of the names kept.
TEST_F(AnulacionTest, TheSlipNamesWhoAllowedItTheWaiterAndTheTable) {
    const struct {
        qint16 empleado;
        const char* usuario;
        qint32 autoriza;
        int tarjetas;
        const char* gerente;
    } casos[] = {
        {1, "o'mesero", 2, 1, "JUAN D'PEREZ LOPEZ"},
        {2, "gerente1", 0, 0, "JUAN D'PEREZ LOPEZ"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.usuario);
        SetUp();
        exec(QStringLiteral("UPDATE Empleado SET Apellido_Paterno='D''PEREZ' WHERE Id_Empleado=2"));
        exec(QStringLiteral("UPDATE Empleado SET Apellido_Materno='O''RUIZ', Usuario='o''mesero' WHERE "
                            "Id_Empleado=1"));
        iniciar(caso.empleado, QString::fromUtf8(caso.usuario));
        nav.empleadoAutoriza = caso.autoriza;
        ASSERT_TRUE(cancelar({1}));
        EXPECT_EQ(nav.rutas.size(), caso.tarjetas);
        EXPECT_EQ(
            impreso().mid(0, 2).join(u'\n'),
            QStringLiteral("1:<B>    *** Cancelaciones ***</B><N>06/12/2026 09:30<N><N>Gerente: ") +
                QString::fromUtf8(caso.gerente) +
                QStringLiteral("<N>Empleado: ROSA MENDOZA O'RUIZ<N>Mesa: 5<N>Comanda: 1<N>Razón: PLATILLO "
                               "DEVUELTO\n1:1 SOPA DE TORTILLA  $85.00  (PLATILLO DEVUELTO)"));
    }
}

// Whoever cancels first prints the slip: a second press on the same screen, or another terminal that
// got there first, prints nothing more.
TEST_F(AnulacionTest, AnItemIsCancelledAndPrintedOnce) {
    ASSERT_TRUE(cancelar({1}));
    const qint64 lineas = impreso().size();
    ASSERT_GT(lineas, 0);
    EXPECT_TRUE(anulacion->cancelar({fila(1)}));
    EXPECT_EQ(impreso().size(), lineas);

    SetUp();
    exec(QStringLiteral("UPDATE ProductosXCuenta SET ID_Tipo_Anulacion=4,Empleado_Anulacion=2 WHERE "
                        "ID_ProductosXCuenta=1"));
    EXPECT_TRUE(cancelar({1}));
    EXPECT_EQ(estado(1), "razón 4");
    EXPECT_TRUE(impreso().isEmpty());
}

// A failure anywhere in the cancellation undoes all of it: the item stays live and nothing is queued;
// the failure is reported and logged, the employee stays, and the next press works.
TEST_F(AnulacionTest, AFailurePartWayLeavesTheItemAsItWasAndNoSlip) {
    for (const char* sentencia : {"UPDATE ProductosXCuenta", "INSERT INTO Bitacora", "Agregar_Cancelacion",
                                  "Totalizar_Cuenta", "Mandar_Impresion_C", "DROP TABLE #Tmp_Imprimir_C"}) {
        SCOPED_TRACE(sentencia);
        SetUp();
        const QString antes = total();
        faultyConnection->failAt(busyDatabase(1, QString::fromUtf8(sentencia)));
        EXPECT_TRUE(cancelar({1, 5}));
        EXPECT_EQ(estado(1), "razón 0");
        EXPECT_EQ(estado(5), "razón 0");
        EXPECT_EQ(total(), antes);
        EXPECT_TRUE(impreso().isEmpty());
        EXPECT_FALSE(logLines(QStringLiteral("NerinComTra")).filter(QStringLiteral("cmdCancelar")).isEmpty());
        EXPECT_TRUE(faultyConnection->promptsInTransaction().isEmpty());
        EXPECT_TRUE(context->sesion().activa());
        ASSERT_TRUE(cancelar({1}));
        EXPECT_EQ(estado(1), "razón 3");
    }
}

// A package head takes its components: each item is sent once however many of its lines are selected.
TEST_F(AnulacionTest, CancellingAPackageHeadCancelsItsComponents) {
    faultyConnection->clearStatements();
    ASSERT_TRUE(cancelar({10, 11, 12}, {fila(10) + 1}));
    for (qint32 folio : {10, 11, 12})
        EXPECT_EQ(estado(folio), "razón 3") << folio;
    const QString enviadas = faultyConnection->statements().join(u'\n');
    EXPECT_EQ(enviadas.count(QStringLiteral("Agregar_Cancelacion")), 1);
    const QStringList lineas = impreso();
    EXPECT_EQ(lineas
                  .filter(QRegularExpression(QStringLiteral("^1:1 (PAQUETE EJECUTIVO|SOPA DE FIDEO|AGUA "
                                                            "HORCHATA)")))
                  .size(),
              3)
        << lineas.join(u'\n').toStdString();
    EXPECT_EQ(lineas.filter(QStringLiteral("CANCELAR AGUA HORCHATA")).size(), 1);
    EXPECT_EQ(total().toDouble(), 85 + 32 + 95 + 65 + 245.5);
}

} // namespace
} // namespace nerin::fakes
