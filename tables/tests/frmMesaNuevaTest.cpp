#include "tables/frmMesaNueva.h"

#include "tables/tests/TablesFixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace nerin {
namespace {

class frmMesaNuevaTest : public fakes::TablesFixture {
protected:
    frmMesaNueva& pantalla() {
        if (!m_pantalla) {
            m_pantalla = std::make_unique<frmMesaNueva>(*context);
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
        if (auto* b = control<QAbstractButton>(nombre))
            QTest::mouseClick(b, Qt::LeftButton);
    }
    QString numero() { return control<QLineEdit>("txtMesa")->text(); }

    std::unique_ptr<frmMesaNueva> m_pantalla;
};

TEST_F(frmMesaNuevaTest, TheKeypadAndAPhysicalKeyboardTypeTheNumber) {
    firmar(1);
    pulsar("cmd1");
    pulsar("cmd2");
    pulsar("cmd0");
    EXPECT_EQ(numero(), QStringLiteral("120"));
    pulsar("cmdAtras");
    EXPECT_EQ(numero(), QStringLiteral("12"));
    pulsar("cmdBorrar");
    EXPECT_EQ(numero(), QString());
    pulsar("cmdAtras"); // nothing to remove
    EXPECT_EQ(numero(), QString());

    QTest::keyClicks(&pantalla(), QStringLiteral("7x-3"));
    EXPECT_EQ(numero(), QStringLiteral("73")); // other keys are ignored
    QTest::keyClick(&pantalla(), Qt::Key_Backspace);
    EXPECT_EQ(numero(), QStringLiteral("7"));
    QTest::keyClick(&pantalla(), Qt::Key_Delete);
    EXPECT_EQ(numero(), QString());
}

TEST_F(frmMesaNuevaTest, DiningRoomIsTheDefaultAndEnterAcceptsFromTheKeyboard) {
    firmar(1);
    EXPECT_TRUE(control<QRadioButton>("optComedor")->isChecked());
    preguntas.answerNumero({false, 4, false});
    QTest::keyClicks(&pantalla(), QStringLiteral("21"));
    QTest::keyClick(&pantalla(), Qt::Key_Return);
    EXPECT_FALSE(pantalla().isVisible());
    EXPECT_EQ(pantalla().numeroMesa(), 21);
    EXPECT_FALSE(pantalla().Cancelado());
    EXPECT_EQ(navegacion.rutas, QStringList{QStringLiteral("comanda 4/1 cuenta 1 tipo N")});
}

TEST_F(frmMesaNuevaTest, ARefusedNumberKeepsTheScreenOpenWithItsButtonsEnabled) {
    firmar(4);
    pulsar("cmdAceptar"); // empty
    EXPECT_TRUE(pantalla().isVisible());
    EXPECT_TRUE(control<QPushButton>("cmdAceptar")->isEnabled());
    EXPECT_TRUE(control<QPushButton>("cmdCancelar")->isEnabled());
    pulsar("cmd5");
    pulsar("cmdAceptar"); // open, by mesero1
    EXPECT_TRUE(pantalla().isVisible());
    EXPECT_EQ(numero(), QString());
    EXPECT_EQ(preguntas.mensajes(),
              (QStringList{QStringLiteral("No se indico el número de mesa"),
                           QStringLiteral("La mesa 5 está abierta por ROSA MENDOZA RUIZ")}));
    EXPECT_TRUE(control<QPushButton>("cmdAceptar")->isEnabled());
    EXPECT_TRUE(navegacion.rutas.isEmpty());
}

TEST_F(frmMesaNuevaTest, TakeAwayAndDeliveryOpenWithoutANumber) {
    firmar(1);
    pulsar("optDomicilio");
    pulsar("cmdAceptar");
    EXPECT_FALSE(pantalla().isVisible());
    EXPECT_EQ(pantalla().numeroMesa(), 16);
    EXPECT_EQ(navegacion.rutas, QStringList{QStringLiteral("comanda 4/1 cuenta 1 tipo O")});
    EXPECT_TRUE(preguntas.asked().isEmpty());
}

TEST_F(frmMesaNuevaTest, CancelarAndEscapeGiveMinusOneAndCancelado) {
    firmar(1);
    pulsar("cmd9");
    pulsar("cmdCancelar");
    EXPECT_FALSE(pantalla().isVisible());
    EXPECT_EQ(pantalla().numeroMesa(), -1);
    EXPECT_TRUE(pantalla().Cancelado());
    m_pantalla.reset();
    QTest::keyClick(&pantalla(), Qt::Key_Escape);
    EXPECT_FALSE(pantalla().isVisible());
    EXPECT_TRUE(pantalla().Cancelado());
    EXPECT_EQ(ordenes(), 4);
}

TEST_F(frmMesaNuevaTest, LoadingAndUnloadingAreLogged) {
    firmar(1);
    pantalla();
    m_pantalla.reset();
    const QStringList lineas = logLines(QStringLiteral("NerinComTra"));
    EXPECT_EQ(lineas.filter(QStringLiteral("frmMesaNueva.Load")).size(), 1);
    EXPECT_EQ(lineas.filter(QStringLiteral("frmMesaNueva.Unload")).size(), 1);
}

} // namespace
} // namespace nerin
