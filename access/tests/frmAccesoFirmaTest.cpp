// Signing in on the access screen: cards typed on the keyboard, written into the card box or swiped on
// the serial reader press the confirm button, and the screen follows what the sign-in decided.
#include "access/frmAcceso.h"
#include "access/tests/SignInFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace nerin {
namespace {

using fakes::Tarjeta;

// mesero1's card exactly as the README lists it for typing.
const QString kTarjetaDemo =
    QStringLiteral("%4B982B0A976B1AC75E3B7E1383183B54_N50781204220193362812101000000011_");

class frmAccesoFirmaTest : public fakes::SignInFixture {
protected:
    std::unique_ptr<frmAcceso> pantalla(const QString& clave = kClave, CardReader* lector = nullptr) {
        firmarListo(clave);
        frmAcceso::Opciones opciones;
        opciones.logo = m_dir.filePath(QStringLiteral("Logo.Nerin"));
        opciones.titulo = QStringLiteral("Nerin");
        opciones.version = QStringLiteral("0.1.0");
        opciones.pantallaCompleta = false;
        opciones.reloj = reloj();
        opciones.terminarPrograma = terminar();
        opciones.lector = lector;
        auto screen = std::make_unique<frmAcceso>(*context, std::move(opciones));
        screen->showAccessScreen(true);
        return screen;
    }
    template <typename T> static T* control(QWidget& w, const char* nombre) {
        T* found = w.findChild<T*>(QString::fromLatin1(nombre));
        EXPECT_NE(found, nullptr) << nombre;
        return found;
    }
    bool refrescando(QWidget& w) { return control<QTimer>(w, "tmrMoverLogo")->isActive(); }
    bool entro() {
        return logLines(QStringLiteral("NerinComTra")).filter(QStringLiteral("Entrando al sistema")).size() ==
               1;
    }
};

TEST_F(frmAccesoFirmaTest, ADemoCardTypedOnTheKeyboardSignsInAndOpensTheTables) {
    auto screen = pantalla(kClaveDemo);
    EXPECT_TRUE(control<QPushButton>(*screen, "cmdAccesar")->isEnabled());
    // A swipe broken off by the next one is a reading error.
    QTest::keyClicks(screen.get(), kTarjetaDemo.left(10));
    QTest::keyClicks(screen.get(), kTarjetaDemo);

    EXPECT_EQ(nav.mesas, QList<Navegacion::ModoMesas>{Navegacion::ModoMesas::Normal});
    EXPECT_EQ(terminalDe(1), 1);
    EXPECT_EQ(context->sesion().usuario(), QStringLiteral("mesero1"));
    EXPECT_FALSE(refrescando(*screen));
    EXPECT_TRUE(entro());
    EXPECT_FALSE(control<QLabel>(*screen, "lblIngresando")->isVisible());
    EXPECT_TRUE(control<QLineEdit>(*screen, "txtUsuario")->text().isEmpty());
    EXPECT_TRUE(prompts.asked().isEmpty());
    const QStringList log = logLines(QStringLiteral("NerinComTra"));
    EXPECT_EQ(log.filter(QStringLiteral(">>>>>>>>>>>>>>>>>>TARJETA ERR:1")).size(), 1);
    const QStringList tarjeta = log.filter(QStringLiteral(">>>>>>>>>>>>>>>>>>>>>> TARJETA: "));
    ASSERT_EQ(tarjeta.size(), 1);
    EXPECT_TRUE(tarjeta[0].endsWith(QStringLiteral("TARJETA: ") + kTarjetaDemo.section(u'_', 0, 0)));
}

TEST_F(frmAccesoFirmaTest, KeysSentToTheHiddenCardBoxThenEnterSignIn) {
    asignarTodas();
    auto screen = pantalla();
    QLineEdit* caja = control<QLineEdit>(*screen, "txtUsuario");
    const QString texto = tarjetaDe(3).texto();
    QTest::keyClicks(caja, texto.left(30));
    EXPECT_EQ(caja->text(), texto.left(30));
    QTest::keyClicks(caja, texto.mid(30));
    QTest::keyClick(caja, Qt::Key_Return);
    EXPECT_EQ(terminalDe(3), 1);
    EXPECT_EQ(nav.mesas.size(), 1);
}

TEST_F(frmAccesoFirmaTest, TheWholeTextWrittenIntoTheBoxSignsInWithTheConfirmButton) {
    asignarTodas();
    auto screen = pantalla();
    control<QLineEdit>(*screen, "txtUsuario")->setText(tarjetaDe(4).texto());
    control<QPushButton>(*screen, "cmdAccesar")->click();
    EXPECT_EQ(terminalDe(4), 1);
    EXPECT_EQ(nav.mesas.size(), 1);
}

TEST_F(frmAccesoFirmaTest, TheSerialReadersSwipePressesTheConfirmButton) {
    asignarTodas();
    fakes::LectorSerialDePrueba lector;
    auto screen = pantalla(kClave, &lector);
    ASSERT_TRUE(lector.activo);
    const Tarjeta t = tarjetaDe(1);
    lector.fallar(7);
    lector.deslizar(t.pista1, t.pista2);

    EXPECT_EQ(terminalDe(1), 1);
    EXPECT_EQ(nav.mesas.size(), 1);
    EXPECT_FALSE(lector.activo); // released for the screens the employee works on
    const QStringList log = logLines(QStringLiteral("NerinComTra"));
    EXPECT_EQ(log.filter(QStringLiteral(">>>>>>>>>>>>>>>>>>TARJETA ERR:7")).size(), 1);
    const QStringList tarjeta = log.filter(QStringLiteral(">>>>>>>>>>>>>>>>>>>>>> TARJETA: "));
    ASSERT_EQ(tarjeta.size(), 1);
    EXPECT_TRUE(tarjeta[0].endsWith(QStringLiteral("TARJETA: %") + t.pista1));

    // Back on the access screen the reader is claimed again.
    screen->returnToAccess(QStringLiteral("frmMesasAbiertas"), false);
    EXPECT_TRUE(lector.activo);
    EXPECT_TRUE(refrescando(*screen));
}

TEST_F(frmAccesoFirmaTest, AnInvalidCardLeavesTheScreenWaiting) {
    auto screen = pantalla();
    QTest::keyClicks(screen.get(), QStringLiteral("%ABCDEF_N123_"));
    EXPECT_EQ(prompts.mensajes(), QStringList{QStringLiteral("Tarjeta inválida")});
    EXPECT_TRUE(refrescando(*screen));
    EXPECT_FALSE(entro());
    EXPECT_TRUE(nav.ninguna());
    EXPECT_FALSE(control<QLabel>(*screen, "lblIngresando")->isVisible());
    EXPECT_TRUE(control<QLineEdit>(*screen, "txtUsuario")->text().isEmpty());
}

TEST_F(frmAccesoFirmaTest, ARefusedEmployeeLeavesTheScreenWaiting) {
    asignarTodas();
    exec(QStringLiteral("UPDATE Empleado SET ID_Terminal=2 WHERE Id_Empleado=1"));
    auto screen = pantalla();
    QTest::keyClicks(screen.get(), tarjetaDe(1).texto());
    EXPECT_EQ(prompts.mensajes(), QStringList{QStringLiteral("Está firmado en la terminal MESEROS SALON")});
    EXPECT_TRUE(refrescando(*screen));
    EXPECT_FALSE(control<QLabel>(*screen, "lblIngresando")->isVisible());
    EXPECT_TRUE(nav.ninguna());
}

TEST_F(frmAccesoFirmaTest, DecliningTheDirectTableReleasesTheEmployee) {
    asignarTodas();
    auto screen = pantalla();
    prompts.answerMensaje(Prompts::kAnswerNo);
    QTest::keyClicks(screen.get(), tarjetaDe(2).texto());
    EXPECT_EQ(prompts.mensajes(), QStringList{QStringLiteral("Desea Abrir nueva mesa ?")});
    EXPECT_EQ(terminalDe(2), 0);
    EXPECT_FALSE(context->sesion().activa());
    EXPECT_FALSE(context->sesion().permiso(68));
    EXPECT_TRUE(refrescando(*screen));
    EXPECT_TRUE(nav.ninguna());
}

TEST_F(frmAccesoFirmaTest, KeyAOrTheLogoOpenTheCardRegistrationWhenSomeoneHasNoCard) {
    auto screen = pantalla();
    QTest::keyClick(screen.get(), Qt::Key_A);
    EXPECT_EQ(nav.registros, 0);
    exec(QStringLiteral("UPDATE Empleado SET Num_Tarjeta=NULL WHERE Id_Empleado=3"));
    QTest::keyClick(screen.get(), Qt::Key_A);
    EXPECT_EQ(nav.registros, 1);
    QTest::mouseClick(control<QLabel>(*screen, "imgLogo"), Qt::LeftButton);
    EXPECT_EQ(nav.registros, 2);
    // Inside a card text the letter is part of the card.
    QTest::keyClicks(screen.get(), QStringLiteral("%A"));
    EXPECT_EQ(nav.registros, 2);
    EXPECT_EQ(control<QLineEdit>(*screen, "txtUsuario")->text(), QStringLiteral("%A"));
}

TEST_F(frmAccesoFirmaTest, WithoutAServerCardsAreIgnored) {
    asignarTodas();
    setSetting(QStringLiteral("Servidor"), m_dir.filePath(QStringLiteral("ninguna")));
    build();
    context->setNavegacion(&nav);
    frmAcceso::Opciones opciones;
    opciones.pantallaCompleta = false;
    opciones.reloj = reloj();
    opciones.terminarPrograma = terminar();
    frmAcceso screen(*context, std::move(opciones));
    screen.showAccessScreen(false);
    EXPECT_FALSE(control<QPushButton>(screen, "cmdAccesar")->isEnabled());
    QTest::keyClicks(&screen, tarjetaDe(1).texto());
    QTest::keyClick(&screen, Qt::Key_A);
    EXPECT_TRUE(prompts.asked().isEmpty());
    EXPECT_TRUE(nav.ninguna());
}

} // namespace
} // namespace nerin
