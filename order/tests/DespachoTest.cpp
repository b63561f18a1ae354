#include "order/Despacho.h"

#include "order/AgregarProducto.h"
#include "order/GuardarProductos.h"
#include "order/Paquetes.h"
#include "order/tests/OrderFixture.h"

#include <QThread>

namespace nerin::fakes {
namespace {

// Order 3 of mesero2 (employee 4): SOPA DE TORTILLA (101) goes to the kitchen printer, LIMONADA (103)
// to the bar.
class DespachoTest : public OrderFixture {
protected:
    void SetUp() override {
        OrderFixture::SetUp();
        abrir(3, 4);
        context->iniciarSesion(Sesion(4, QStringLiteral("mesero2"), {}, false));
        ASSERT_TRUE(comanda->MostrarProductosComandaActual());
        agregar = std::make_unique<AgregarProducto>(*comanda);
        guardar = std::make_unique<GuardarProductos>(*comanda);
        despacho = std::make_unique<Despacho>(*comanda, *guardar);
        trabajosAntes = contar(QStringLiteral("Cola_Trabajo"));
    }
    int nueva(qint32 producto) {
        return agregar->AñadirProductoAComanda(producto, TipoLinea::Producto)->fila;
    }
    qint32 folio(int fila) { return comanda->cuadricula().lineas().at(fila).folio; }
    // The kitchen lines queued since the test began, each "printer:text".
    QStringList cocina() {
        SqliteConnection conexion(dbFolder() + "/DBNERIN.db");
        EXPECT_TRUE(conexion.open().isOk());
        auto filas =
            conexion.query(QStringLiteral("SELECT t.ID_Impresora, l.Texto FROM Cola_Trabajo t, Cola_Linea l "
                                          "WHERE l.ID_Trabajo=t.ID_Trabajo AND l.Num_Linea > 10 AND "
                                          "t.ID_Trabajo > %1 ORDER BY t.ID_Trabajo, l.Num_Linea")
                               .arg(ultimoTrabajo()));
        QStringList lineas;
        for (const QList<DbValue>& fila : filas->rows())
            lineas << fila.value(0).toString() + u':' + fila.value(1).toString();
        return lineas;
    }
    qint64 ultimoTrabajo() {
        if (m_ultimo < 0)
            m_ultimo = field(QStringLiteral("SELECT isnull(max(ID_Trabajo),0) FROM Cola_Trabajo")).toInt();
        return m_ultimo;
    }
    qint64 preparado(qint32 folio) {
        return field(QStringLiteral("SELECT Preparado FROM ProductosXCuenta WHERE ID_ProductosXCuenta=%1")
                         .arg(folio))
            .toInt();
    }
    QList<int> filaDe(int fila) { return {fila}; }
    int encabezado(qint16 tiempo) {
        for (int i = 0; i < comanda->cuadricula().size(); ++i)
            if (comanda->cuadricula().lineas().at(i).tipo == TipoLinea::Tiempo &&
                comanda->cuadricula().lineas().at(i).tiempo == tiempo)
                return i;
        return -1;
    }

    std::unique_ptr<AgregarProducto> agregar;
    std::unique_ptr<GuardarProductos> guardar;
    std::unique_ptr<Despacho> despacho;
    qint64 trabajosAntes = 0;
    qint64 m_ultimo = -1;
};

TEST_F(DespachoTest, PreparingANewLineStoresItPreparedAndPrintsItOnceWithItsModifiers) {
    ultimoTrabajo();
    const int sopa = nueva(101);
    LineaComanda modificador;
    modificador.tipo = TipoLinea::Modificador;
    modificador.texto = QStringLiteral("*SIN SAL*");
    // The same modifier twice: the second is refused when stored, and so not printed either.
    comanda->cuadricula().insertar(sopa + 1, modificador);
    comanda->cuadricula().insertar(sopa + 1, modificador);
    ASSERT_TRUE(despacho->preparar(filaDe(sopa)));
    ASSERT_GT(folio(sopa), 0);
    EXPECT_EQ(preparado(folio(sopa)), 1);
    EXPECT_FALSE(
        field(QStringLiteral("SELECT Hora_Preparacion FROM ProductosXCuenta WHERE ID_ProductosXCuenta=%1")
                  .arg(folio(sopa)))
            .isNull());
    EXPECT_EQ(cocina(), (QStringList{QStringLiteral("2:<H><B>SOPA DE TORTILLA</B></H>"),
                                     QStringLiteral("2:<N><H><B>*SIN SAL*</B></H>")}));
    EXPECT_TRUE(comanda->cuadricula().lineas().at(sopa).preparado);

    // Pressing it again, or storing again, sends nothing more.
    EXPECT_TRUE(despacho->preparar(filaDe(sopa)));
    EXPECT_TRUE(guardar->GuardarYPrepararNuevos());
    EXPECT_EQ(cocina().size(), 2);
}

TEST_F(DespachoTest, AStoredLineIsSentOnceEvenWhenAnotherTerminalSentItMeanwhile) {
    ultimoTrabajo();
    const int sopa = nueva(101);
    const int limonada = nueva(103);
    ASSERT_TRUE(guardar->GuardarYPrepararNuevos());
    EXPECT_TRUE(cocina().isEmpty()) << "storing alone sends nothing";
    // Another terminal sends the soup; this screen still shows it unsent.
    exec(QStringLiteral("UPDATE ProductosXCuenta SET Preparado=1 WHERE ID_ProductosXCuenta=%1")
             .arg(folio(sopa)));
    ASSERT_TRUE(despacho->preparar({sopa, limonada}));
    EXPECT_EQ(cocina(), QStringList{QStringLiteral("3:<H><B>LIMONADA</B></H>")});
    EXPECT_EQ(preparado(folio(limonada)), 1);
}

TEST_F(DespachoTest, AComponentGoesWithItsOwnHeadOrAloneWhenItHasNone) {
    ultimoTrabajo();
    Paquetes paquetes(*comanda, *agregar);
    qint32 cabezas[3] = {};
    for (qint32& cabeza : cabezas) {
        const auto agregada = paquetes.insertar(201);
        ASSERT_TRUE(agregada);
        ASSERT_TRUE(guardar->GuardarYPrepararNuevos());
        cabeza = folio(agregada->fila);
    }
    for (qint32 cabeza : {cabezas[0], cabezas[2]}) {
        int fila = 0;
        while (folio(fila) != cabeza)
            ++fila;
        ASSERT_TRUE(paquetes.elegir(201, 114, fila));
    }
    ASSERT_TRUE(guardar->GuardarYPrepararNuevos());
    exec(QStringLiteral("UPDATE ProductosXCuenta SET ID_Tipo_Anulacion=1 WHERE ID_ProductosXCuenta=%1")
             .arg(cabezas[2]));
    // The second package and the first one's component in a later course: there the component
    // shows below the second package's head, its own being in the first course.
    exec(QStringLiteral("UPDATE ProductosXCuenta SET Tiempo_requerido=2 WHERE ID_ProductosXCuenta=%1 OR "
                        "(ID_Paquete=%2 AND ID_Producto=114)")
             .arg(cabezas[1])
             .arg(cabezas[0]));
    ASSERT_TRUE(comanda->MostrarProductosComandaActual());
    QList<qint32> componentes;
    for (int fila = 0; fila < comanda->cuadricula().size(); ++fila)
        if (comanda->cuadricula().lineas().at(fila).tipo == TipoLinea::Componente)
            componentes << folio(fila);
    ASSERT_EQ(componentes.size(), 2);

    for (qint32 componente : componentes) {
        int fila = 0;
        while (folio(fila) != componente)
            ++fila;
        ASSERT_TRUE(despacho->preparar({fila}));
    }
    const struct {
        qint32 folio;
        qint64 preparado;
    } casos[] = {{cabezas[0], 1}, {componentes[0], 1}, {cabezas[1], 0}, {componentes[1], 1}};
    for (const auto& caso : casos)
        EXPECT_EQ(preparado(caso.folio), caso.preparado) << caso.folio;
    EXPECT_EQ(cocina().size(), 3) << "the first package and the component without a head, once each";
}

TEST_F(DespachoTest, HeldLinesWaitForTheirCourseWhichSendsThemOnce) {
    ultimoTrabajo();
    ASSERT_TRUE(despacho->elegirTiempo(2));
    EXPECT_EQ(field(QStringLiteral("SELECT Ultimo_Tiempo FROM Cuenta WHERE ID_Comanda=3")).toInt(), 2);
    const int sopa = nueva(101);
    despacho->retener(filaDe(sopa));
    ASSERT_TRUE(guardar->GuardarYPrepararNuevos());
    EXPECT_TRUE(cocina().isEmpty());
    EXPECT_EQ(preparado(folio(sopa)), 0);

    context->setFuncion(6, true);
    ASSERT_TRUE(comanda->MostrarProductosComandaActual());
    const int curso = encabezado(2);
    ASSERT_GE(curso, 0);
    EXPECT_TRUE(despacho->siguienteTiempo({curso}));
    EXPECT_EQ(cocina(), QStringList{QStringLiteral("2:<H><B>SOPA DE TORTILLA</B></H>")});
    EXPECT_TRUE(despacho->siguienteTiempo({encabezado(2)}));
    EXPECT_EQ(cocina().size(), 1) << "a course released twice sends nothing new";
}

TEST_F(DespachoTest, HoldingAStoredLineThenPreparingItSendsItOnceAndTheCourseDoesNotRepeatIt) {
    ultimoTrabajo();
    context->setFuncion(6, true);
    const int sopa = nueva(101);
    ASSERT_TRUE(guardar->GuardarYPrepararNuevos());
    despacho->retener(filaDe(sopa));
    ASSERT_TRUE(guardar->GuardarYPrepararNuevos());
    EXPECT_EQ(field(QStringLiteral("SELECT Retenido FROM ProductosXCuenta WHERE ID_ProductosXCuenta=%1")
                        .arg(folio(sopa)))
                  .toInt(),
              1);
    ASSERT_TRUE(despacho->preparar(filaDe(sopa)));
    ASSERT_TRUE(comanda->MostrarProductosComandaActual());
    EXPECT_TRUE(despacho->siguienteTiempo({encabezado(1)}));
    EXPECT_EQ(cocina(), QStringList{QStringLiteral("2:<H><B>SOPA DE TORTILLA</B></H>")});
}

TEST_F(DespachoTest, RefusalsOfHoldingAndReleasing) {
    const int sopa = nueva(101);
    ASSERT_TRUE(despacho->preparar(filaDe(sopa)));
    despacho->retener(filaDe(sopa));
    EXPECT_EQ(prompts.mensajes().last(), QStringLiteral("No se puede retener un producto ya preparado"));
    EXPECT_EQ(comanda->cuadricula().lineas().at(sopa).despacho, MarcaDespacho::Preparar);
    EXPECT_FALSE(despacho->siguienteTiempo({0, 1}));
    EXPECT_EQ(prompts.mensajes().last(), QStringLiteral("Debe elegir un tiempo!"));
    EXPECT_FALSE(despacho->siguienteTiempo(filaDe(sopa)));
    EXPECT_EQ(prompts.mensajes().last(), QStringLiteral("Elija el tiempo!"));
}

TEST_F(DespachoTest, UserNamesThatAreNotPlainWordsReleaseTheirCourse) {
    context->setFuncion(6, true);
    const int sopa = nueva(101);
    despacho->retener(filaDe(sopa));
    ASSERT_TRUE(guardar->GuardarYPrepararNuevos());
    ASSERT_TRUE(comanda->MostrarProductosComandaActual());
    context->iniciarSesion(Sesion(4, QStringLiteral("2da O'Hara-Ruiz"), {}, false));
    EXPECT_TRUE(despacho->siguienteTiempo({encabezado(1)}));
    EXPECT_EQ(preparado(folio(sopa)), 1);
}

TEST_F(DespachoTest, ProductsWithoutPrintersAreMarkedButPrintNothing) {
    ultimoTrabajo();
    exec(QStringLiteral("UPDATE Producto SET ID_Grupo_Impresoras=0 WHERE ID_Producto=101"));
    const int sopa = nueva(101);
    ASSERT_TRUE(despacho->preparar(filaDe(sopa)));
    EXPECT_EQ(preparado(folio(sopa)), 1);
    EXPECT_TRUE(cocina().isEmpty());
}

TEST_F(DespachoTest, ServingTimesOfferTrabajaYSaleAndEachCourse) {
    const QList<Despacho::Tiempo> tiempos = despacho->tiempos();
    ASSERT_EQ(tiempos.size(), 4);
    EXPECT_EQ(tiempos.at(0).caption, QStringLiteral("Trabaja y Sale"));
    EXPECT_EQ(tiempos.at(3).caption, QStringLiteral("Tiempo 3"));
}

TEST_F(DespachoTest, TwoTerminalsReleasingTheSameCourseAtOnceSendItOnce) {
    ultimoTrabajo();
    for (int i = 0; i < 6; ++i)
        despacho->retener(filaDe(nueva(i % 2 ? 101 : 103)));
    ASSERT_TRUE(guardar->GuardarYPrepararNuevos());
    const QString archivo = dbFolder() + "/DBNERIN.db";
    auto soltar = [archivo] {
        SqliteConnection conexion(archivo);
        const bool soltado = conexion.open().isOk() &&
                             conexion.execute(QStringLiteral("Mandar_Tiempo 3,1,'mesero2',1")).isOk();
        EXPECT_TRUE(soltado);
    };
    std::unique_ptr<QThread> una(QThread::create(soltar));
    std::unique_ptr<QThread> otra(QThread::create(soltar));
    una->start();
    otra->start();
    una->wait();
    otra->wait();
    // Six held items: three soups to the kitchen and three lemonades to the bar, each once.
    EXPECT_EQ(cocina().size(), 6);
    EXPECT_EQ(contar(QStringLiteral("ProductosXCuenta WHERE ID_Comanda=3 AND Retenido=1 AND Preparado=0")),
              0);
}

} // namespace
} // namespace nerin::fakes
