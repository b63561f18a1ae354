#include "tables/frmMesasAbiertas.h"

#include "tables/tests/TablesFixture.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

namespace nerin {
namespace {

class frmMesasAbiertasTest : public fakes::TablesFixture {
protected:
    frmMesasAbiertas& pantalla() {
        if (!m_pantalla) {
            m_pantalla = std::make_unique<frmMesasAbiertas>(*context, acceso);
            m_pantalla->show();
        }
        return *m_pantalla;
    }
    template <typename T> T* control(const char* nombre) {
        T* encontrado = pantalla().findChild<T*>(QString::fromLatin1(nombre));
        EXPECT_NE(encontrado, nullptr) << nombre;
        return encontrado;
    }
    void pulsar(const char* nombre) {
        if (auto* b = control<QPushButton>(nombre))
            QTest::mouseClick(b, Qt::LeftButton);
    }
    QTableWidget* grid() { return control<QTableWidget>("Spread"); }
    // The "Mesa" column of the grid, in order.
    QStringList mesas() {
        QStringList lista;
        for (int r = 0; r < grid()->rowCount(); ++r)
            lista.append(grid()->item(r, 2)->text());
        return lista;
    }
    void elegir(int fila) { grid()->selectRow(fila); }
    // Which of the buttons are offered, in a fixed order.
    QStringList visibles() {
        QStringList lista;
        for (const char* nombre : {"cmdAbrirMesa", "cmdVerMesa", "cmdPagar", "cmdTransferir", "cmdUtilerias",
                                   "cmdSalir", "cmdAceptar", "cmdCancelar"}) {
            if (control<QPushButton>(nombre)->isVisible())
                lista.append(QString::fromLatin1(nombre));
        }
        return lista;
    }
    void abrirDetras(int mesa, int empleado) {
        exec(QStringLiteral("DECLARE @f bigint EXEC Abrir_Mesa @nNumMesa=%1, @nControl=1, @nIDEmpleado=%2, "
                            "@sTipo='N', @nHuespedes=2, @nFolio=@f OUTPUT")
                 .arg(mesa)
                 .arg(empleado));
    }

    std::unique_ptr<frmMesasAbiertas> m_pantalla;
};

TEST_F(frmMesasAbiertasTest, TheGridListsTheWaitersTablesByNumberInTallRows) {
    firmar(1);
    abrirDetras(9, 4);
    EXPECT_EQ(mesas(), (QStringList{QStringLiteral("5"), QStringLiteral("15")}));
    const int alto = grid()->horizontalHeader()->sizeHint().height() + 40;
    EXPECT_EQ(grid()->rowHeight(0), alto);
    EXPECT_EQ(grid()->rowHeight(1), alto);
    EXPECT_EQ(grid()->horizontalHeaderItem(2)->text(), QStringLiteral("Mesa"));
    EXPECT_EQ(grid()->currentRow(), 0);
    EXPECT_EQ(control<QLabel>("lblEmpleado")->text(), QStringLiteral("mesero1"));
    EXPECT_EQ(control<QLabel>("lblTitulo")->text(), QStringLiteral("SELECCIONAR MESA"));
}

TEST_F(frmMesasAbiertasTest, PrintedRowsAreBlueAndPermission42ShowsEveryTable) {
    firmar(2);
    abrirDetras(9, 4);
    exec(QStringLiteral("UPDATE Cuenta SET Num_Impresiones=1 WHERE ID_Comanda=2"));
    EXPECT_EQ(mesas(), (QStringList{QStringLiteral("5"), QStringLiteral("9"), QStringLiteral("15")}));
    const QColor azul = grid()->item(2, 0)->foreground().color();
    EXPECT_EQ(grid()->item(2, 6)->foreground().color(), azul);
    EXPECT_NE(grid()->item(0, 0)->foreground().color(), azul);
    EXPECT_NE(grid()->item(2, 7)->foreground().color(), azul); // columns 1 to 7 only
}

TEST_F(frmMesasAbiertasTest, ButtonsAreEnabledByPermission) {
    firmar(1); // a waiter: no 49
    EXPECT_TRUE(control<QPushButton>("cmdAbrirMesa")->isEnabled());
    EXPECT_TRUE(control<QPushButton>("cmdVerMesa")->isEnabled());
    EXPECT_TRUE(control<QPushButton>("cmdTransferir")->isEnabled());
    EXPECT_FALSE(control<QPushButton>("cmdPagar")->isEnabled());
}

TEST_F(frmMesasAbiertasTest, EachModeOffersItsOwnButtonsAndTitle) {
    firmar(2);
    EXPECT_EQ(visibles(), (QStringList{"cmdAbrirMesa", "cmdVerMesa", "cmdPagar", "cmdTransferir",
                                       "cmdUtilerias", "cmdSalir"}));
    pantalla().setTransferirMesero(true);
    EXPECT_EQ(visibles(), (QStringList{"cmdTransferir", "cmdCancelar"}));
    EXPECT_EQ(control<QLabel>("lblTitulo")->text(), QStringLiteral("Transferir Mesa"));
    pantalla().setAsignarCortesia(true);
    EXPECT_EQ(visibles(), (QStringList{"cmdAceptar", "cmdCancelar"}));
    EXPECT_EQ(control<QLabel>("lblTitulo")->text(), QStringLiteral("Seleccionar mesa"));
    pantalla().setAsignarCortesia(false);
    EXPECT_EQ(pantalla().modo(), MesasAbiertas::Modo::Normal);
    // The route to the screen brings it back in the mode asked for.
    pantalla().hide();
    pantalla().mostrar(MesasAbiertas::Modo::Cortesia);
    EXPECT_TRUE(pantalla().isVisible());
    EXPECT_EQ(visibles(), (QStringList{"cmdAceptar", "cmdCancelar"}));
}

TEST_F(frmMesasAbiertasTest, VerMesaOpensTheSelectedTableAndStepsBack) {
    firmar(1);
    elegir(1);
    pulsar("cmdVerMesa");
    EXPECT_EQ(navegacion.rutas, QStringList{QStringLiteral("comanda 2/1 cuenta 1 tipo -")});
    EXPECT_FALSE(pantalla().isVisible());
    EXPECT_EQ(enUsoPor(2), 1);
}

TEST_F(frmMesasAbiertasTest, ARefusedTableLeavesTheScreenAsItWas) {
    firmar(2);
    pulsar("cmdPagar"); // nothing printed
    EXPECT_TRUE(pantalla().isVisible());
    EXPECT_EQ(preguntas.mensajes(), QStringList{QStringLiteral("Aun no se imprime la cuenta!")});
    EXPECT_TRUE(navegacion.rutas.isEmpty());
}

TEST_F(frmMesasAbiertasTest, WithNoTablesVerMesaPagarAndTransferirDoNothing) {
    firmar(4);
    pantalla().setTransferirMesero(false);
    ASSERT_EQ(grid()->rowCount(), 0);
    pulsar("cmdVerMesa");
    pulsar("cmdTransferir");
    EXPECT_TRUE(pantalla().isVisible());
    EXPECT_TRUE(navegacion.rutas.isEmpty());
    EXPECT_TRUE(preguntas.asked().isEmpty());
}

TEST_F(frmMesasAbiertasTest, TransferirShowsTheTransfersAndReadsTheGridAgain) {
    firmar(1);
    navegacion.alTransferir = [this] {
        exec(QStringLiteral("UPDATE Comanda SET Num_Mesa=25 WHERE ID_Comanda=1"));
    };
    pulsar("cmdTransferir");
    EXPECT_EQ(navegacion.rutas, QStringList{QStringLiteral("transferirMesas 1/1 mesa 5")});
    EXPECT_EQ(mesas(), (QStringList{QStringLiteral("15"), QStringLiteral("25")}));
}

TEST_F(frmMesasAbiertasTest, CourtesyModeAceptarOpensTheCourtesyScreenAndCancelarTheFunctionsMenu) {
    firmar(1);
    pantalla().setAsignarCortesia(true);
    elegir(1);
    pulsar("cmdAceptar");
    EXPECT_EQ(navegacion.rutas, QStringList{QStringLiteral("cortesias 2/1 15")});
    // The courtesy screen was modal: the open tables stand again, in the normal mode.
    EXPECT_TRUE(pantalla().isVisible());
    EXPECT_EQ(pantalla().modo(), MesasAbiertas::Modo::Normal);

    pantalla().setTransferirMesero(true);
    pulsar("cmdCancelar");
    EXPECT_EQ(navegacion.rutas.last(), QStringLiteral("funciones"));
    EXPECT_FALSE(pantalla().isVisible());
    EXPECT_EQ(pantalla().modo(), MesasAbiertas::Modo::Normal);
}

TEST_F(frmMesasAbiertasTest, UtileriasAndSalir) {
    firmar(1);
    pulsar("cmdUtilerias");
    EXPECT_EQ(navegacion.rutas, QStringList{QStringLiteral("funciones")});
    EXPECT_FALSE(pantalla().isVisible());
    pantalla().show();
    pulsar("cmdSalir");
    EXPECT_EQ(acceso.returns, QStringList{QStringLiteral("frmMesasAbiertas unload")});
    EXPECT_FALSE(context->sesion().activa());
}

TEST_F(frmMesasAbiertasTest, AbrirMesaOpensTheNewTableScreenAndStepsBackWhenATableOpened) {
    firmar(1);
    pantalla();
    bool visto = false;
    QTimer::singleShot(0, [&] {
        QWidget* nueva = QApplication::activeModalWidget();
        ASSERT_NE(nueva, nullptr);
        visto = nueva->objectName() == u"frmMesaNueva";
        QTest::mouseClick(nueva->findChild<QRadioButton*>(QStringLiteral("optParaLlevar")), Qt::LeftButton);
        QTest::mouseClick(nueva->findChild<QPushButton*>(QStringLiteral("cmdAceptar")), Qt::LeftButton);
    });
    pulsar("cmdAbrirMesa");
    EXPECT_TRUE(visto);
    EXPECT_EQ(navegacion.rutas, QStringList{QStringLiteral("comanda 4/1 cuenta 1 tipo B")});
    EXPECT_FALSE(pantalla().isVisible());

    // Cancelled: the screen stays.
    pantalla().show();
    QTimer::singleShot(0, [] {
        if (QWidget* nueva = QApplication::activeModalWidget())
            QTest::mouseClick(nueva->findChild<QPushButton*>(QStringLiteral("cmdCancelar")), Qt::LeftButton);
    });
    pulsar("cmdAbrirMesa");
    EXPECT_TRUE(pantalla().isVisible());
    EXPECT_EQ(navegacion.rutas.size(), 1);
}

TEST_F(frmMesasAbiertasTest, ShowingTheScreenAgainReadsTheGridAgainAndKeepsTheChosenTable) {
    firmar(1);
    elegir(1);
    pantalla().hide();
    abrirDetras(1, 1);
    pantalla().show();
    EXPECT_EQ(mesas(), (QStringList{QStringLiteral("1"), QStringLiteral("5"), QStringLiteral("15")}));
    EXPECT_EQ(grid()->currentRow(), 2);
}

TEST_F(frmMesasAbiertasTest, TheScrollButtonsMoveTheGrid) {
    firmar(1);
    for (int mesa = 30; mesa < 60; ++mesa)
        abrirDetras(mesa, 1);
    pantalla().hide();
    pantalla().show();
    QScrollBar* barra = grid()->verticalScrollBar();
    ASSERT_GT(barra->maximum(), 0);
    EXPECT_EQ(barra->value(), 0);
    pulsar("cmdAbajo");
    pulsar("cmdAbajo");
    const int bajado = barra->value();
    EXPECT_GT(bajado, 0);
    pulsar("cmdArriba");
    EXPECT_LT(barra->value(), bajado);
}

TEST_F(frmMesasAbiertasTest, LoadingAndUnloadingAreLogged) {
    firmar(1);
    pantalla();
    m_pantalla.reset();
    const QStringList lineas = logLines(QStringLiteral("NerinComTra"));
    EXPECT_EQ(lineas.filter(QStringLiteral("frmMesasAbiertas.Load")).size(), 1);
    EXPECT_EQ(lineas.filter(QStringLiteral("frmMesasAbiertas.Unload")).size(), 1);
}

} // namespace
} // namespace nerin
