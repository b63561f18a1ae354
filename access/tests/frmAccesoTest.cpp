#include "access/frmAcceso.h"

#include "access/tests/AccessFixture.h"

#include <QEventLoop>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

namespace nerin {
namespace {

class frmAccesoTest : public fakes::AccessFixture {
protected:
    std::unique_ptr<frmAcceso> crear(const QString& logo = QString()) {
        build();
        // Start-up leaves the connection open when the server answered; a test without one finds out
        // here, as start-up would.
        baseDatos->ConectarBD();
        frmAcceso::Opciones opciones;
        opciones.logo = logo.isEmpty() ? m_dir.filePath(QStringLiteral("Logo.Nerin")) : logo;
        opciones.titulo = QStringLiteral("Nerin");
        opciones.version = QStringLiteral("0.1.0");
        opciones.mesero = QStringLiteral("M");
        opciones.pantallaCompleta = false;
        opciones.reloj = reloj();
        opciones.terminarPrograma = terminar();
        return std::make_unique<frmAcceso>(*context, std::move(opciones));
    }
    template <typename T> static T* control(QWidget& screen, const char* nombre) {
        T* found = screen.findChild<T*>(QString::fromLatin1(nombre));
        EXPECT_NE(found, nullptr) << nombre;
        return found;
    }
    static QString texto(QWidget& screen, const char* nombre) {
        QLabel* label = control<QLabel>(screen, nombre);
        return label ? label->text() : QString();
    }
};

TEST_F(frmAccesoTest, LogoIsATextLabelWhenTheFileIsMissing) {
    auto screen = crear();
    QLabel* logo = control<QLabel>(*screen, "imgLogo");
    EXPECT_EQ(logo->text(), QStringLiteral("NERIN"));
    EXPECT_TRUE(logo->pixmap().isNull());
}

TEST_F(frmAccesoTest, LogoShowsThePictureWhenTheFileIsThere) {
    const QString archivo = m_dir.filePath(QStringLiteral("Logo.Nerin"));
    QImage imagen(40, 20, QImage::Format_RGB32);
    imagen.fill(Qt::red);
    ASSERT_TRUE(imagen.save(archivo, "PNG"));
    auto screen = crear(archivo);
    QLabel* logo = control<QLabel>(*screen, "imgLogo");
    EXPECT_FALSE(logo->pixmap().isNull());
    EXPECT_EQ(logo->pixmap().size(), QSize(40, 20));
}

TEST_F(frmAccesoTest, ShowingWithServerFillsTheLabelsAndStartsTheRefresh) {
    setFechaTrabajo(QDate(2026, 12, 6));
    auto screen = crear();
    screen->showAccessScreen(true);

    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(texto(*screen, "lblTerminal"), QStringLiteral("CAJA PRINCIPAL"));
    EXPECT_EQ(texto(*screen, "lblVersion"), QStringLiteral("Nerin 0.1.0 (M)"));
    EXPECT_EQ(texto(*screen, "lblFecha"),
              QStringLiteral("Trabajo: 06 dic 26      Sistema: 06 dic 26   09:30"));
    EXPECT_TRUE(control<QTimer>(*screen, "tmrMoverLogo")->isActive());
    EXPECT_FALSE(control<QTimer>(*screen, "tmrBuscaServidor")->isActive());
    EXPECT_TRUE(control<QPushButton>(*screen, "cmdAccesar")->isEnabled());
    EXPECT_NE(control<QLineEdit>(*screen, "txtUsuario"), nullptr);
    EXPECT_FALSE(control<QLabel>(*screen, "lblDesconectada")->isVisible());
    const QStringList lineas = logLines(QStringLiteral("NerinComTra"));
    ASSERT_FALSE(lineas.isEmpty());
    EXPECT_TRUE(lineas.last().endsWith(QStringLiteral("frmAcceso load")));
}

TEST_F(frmAccesoTest, GridsAreHiddenWithoutRows) {
    auto screen = crear();
    screen->showAccessScreen(true);
    EXPECT_FALSE(control<QTableWidget>(*screen, "grdTerminales")->isVisible());
    EXPECT_FALSE(control<QTableWidget>(*screen, "grdImpresoras")->isVisible());
}

TEST_F(frmAccesoTest, GridsAreShownWithRows) {
    insertarFilas();
    auto screen = crear();
    screen->showAccessScreen(true);
    auto* terminales = control<QTableWidget>(*screen, "grdTerminales");
    auto* impresoras = control<QTableWidget>(*screen, "grdImpresoras");
    ASSERT_TRUE(terminales->isVisible());
    ASSERT_TRUE(impresoras->isVisible());
    EXPECT_EQ(terminales->rowCount(), 1);
    EXPECT_EQ(terminales->item(0, 0)->text(), QStringLiteral("TERRAZA"));
    EXPECT_EQ(terminales->item(0, 1)->text(), QStringLiteral("INACTIVA"));
    EXPECT_EQ(impresoras->item(0, 3)->text(), QStringLiteral("BARRA"));
}

TEST_F(frmAccesoTest, GridRowsDisappearOnTheNextRefreshOnceGone) {
    insertarFilas();
    auto screen = crear();
    screen->showAccessScreen(true);
    exec(QStringLiteral("UPDATE Terminal SET Estado_Terminal='A'"));
    screen->refrescar();
    EXPECT_FALSE(control<QTableWidget>(*screen, "grdTerminales")->isVisible());
    EXPECT_TRUE(control<QTableWidget>(*screen, "grdImpresoras")->isVisible());
}

TEST_F(frmAccesoTest, LogoStepsMoveTheLogoAndRefreshTheClock) {
    setFechaTrabajo(QDate(2026, 12, 6));
    auto screen = crear();
    screen->resize(800, 600);
    screen->showAccessScreen(true);
    QLabel* logo = control<QLabel>(*screen, "imgLogo");
    const QPoint antes = logo->pos();
    ahora = ahora.addSecs(60);

    for (int i = 0; i < frmAcceso::kPasosPorRefresco - 1; ++i)
        screen->moverLogo();
    EXPECT_NE(logo->pos(), antes);
    EXPECT_TRUE(texto(*screen, "lblFecha").endsWith(QStringLiteral("09:30")));
    screen->moverLogo();
    EXPECT_TRUE(texto(*screen, "lblFecha").endsWith(QStringLiteral("09:31")));
}

TEST_F(frmAccesoTest, ALastingDatabaseErrorShowsOneBoxAtATime) {
    fallarConsultasDe(QStringLiteral("Vw_Impresoras"));
    auto screen = crear();
    int abiertos = 0;
    int masAbiertos = 0;
    messageBox.mientras = [&] {
        // A box stands until a person closes it; meanwhile the screen's timers keep running. Past
        // three boxes the test has seen enough.
        if (messageBox.shown.size() > 3)
            return;
        masAbiertos = std::max(masAbiertos, ++abiertos);
        QEventLoop espera;
        QTimer::singleShot(frmAcceso::kIntervaloLogo * frmAcceso::kPasosPorRefresco * 3 / 2, &espera,
                           &QEventLoop::quit);
        espera.exec();
        --abiertos;
    };
    screen->showAccessScreen(true);
    EXPECT_EQ(masAbiertos, 1);
    EXPECT_EQ(messageBox.shown.size(), 1);
    EXPECT_TRUE(control<QTimer>(*screen, "tmrMoverLogo")->isActive()) << "the refresh goes on afterwards";
}

TEST_F(frmAccesoTest, RefreshAfterTheWorkingDayEndsTheDayAndStops) {
    const QDate hoy = QDate::currentDate();
    ahora = QDateTime(hoy, QTime(7, 0));
    setFechaTrabajo(hoy.addDays(-1));
    auto screen = crear();
    screen->showAccessScreen(true);

    EXPECT_EQ(platform.requests, QStringList{QStringLiteral("restart")});
    EXPECT_EQ(terminaciones, 1);
    EXPECT_FALSE(control<QTimer>(*screen, "tmrMoverLogo")->isActive());
}

TEST_F(frmAccesoTest, WithoutServerTheSearchRunsUntilTheServerAnswers) {
    setSetting(QStringLiteral("Servidor"), m_dir.filePath(QStringLiteral("ninguna")));
    auto screen = crear();
    screen->showAccessScreen(false);
    EXPECT_TRUE(control<QLabel>(*screen, "lblDesconectada")->isVisible());
    EXPECT_TRUE(control<QTimer>(*screen, "tmrBuscaServidor")->isActive());
    EXPECT_FALSE(control<QTimer>(*screen, "tmrMoverLogo")->isActive());
}

TEST_F(frmAccesoTest, ServerFoundBySearchStartsTheRefresh) {
    auto screen = crear();
    screen->showAccessScreen(false);
    screen->buscarServidor();
    EXPECT_FALSE(control<QTimer>(*screen, "tmrBuscaServidor")->isActive());
    EXPECT_TRUE(control<QTimer>(*screen, "tmrMoverLogo")->isActive());
    EXPECT_FALSE(control<QLabel>(*screen, "lblDesconectada")->isVisible());
    EXPECT_EQ(texto(*screen, "lblTerminal"), QStringLiteral("CAJA PRINCIPAL"));
}

TEST_F(frmAccesoTest, ReturningToAccessClearsTheCardBoxAndRestartsTheRefresh) {
    auto screen = crear();
    screen->showAccessScreen(true);
    control<QTimer>(*screen, "tmrMoverLogo")->stop();
    control<QLineEdit>(*screen, "txtUsuario")->setText(QStringLiteral("%ABC"));
    screen->returnToAccess(QStringLiteral("frmMesas"), false);
    EXPECT_TRUE(control<QLineEdit>(*screen, "txtUsuario")->text().isEmpty());
    EXPECT_TRUE(control<QTimer>(*screen, "tmrMoverLogo")->isActive());
}

// Draws the screen as it stands on a 1024x768 terminal with rows in both grids. With NERIN_SHOT_DIR
// set, the picture is saved there as acceso.png (the README's screenshot).
TEST_F(frmAccesoTest, DrawsTheWholeScreen) {
    setFechaTrabajo(ahora.date());
    insertarFilas();
    auto screen = crear();
    screen->resize(1024, 768);
    screen->showAccessScreen(true);
    for (int i = 0; i < 25; ++i)
        screen->moverLogo();
    const QImage imagen = screen->grab().toImage();
    ASSERT_EQ(imagen.size(), QSize(1024, 768));
    const QString carpeta = qEnvironmentVariable("NERIN_SHOT_DIR");
    if (!carpeta.isEmpty()) {
        EXPECT_TRUE(imagen.save(carpeta + QStringLiteral("/acceso.png")));
    }
}

} // namespace
} // namespace nerin
