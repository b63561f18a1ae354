#include "keyboards/frmTecladoNumerico.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace nerin {
namespace {

class frmTecladoNumericoTest : public ::testing::Test {
protected:
    frmTecladoNumericoTest() {
        teclado.setAviso([this](const QString& m) { avisos.append(m); });
        teclado.show();
    }
    void pulsar(const char* nombre) {
        QPushButton* b = teclado.findChild<QPushButton*>(QString::fromLatin1(nombre));
        ASSERT_NE(b, nullptr) << nombre;
        QTest::mouseClick(b, Qt::LeftButton);
    }
    QString numero() { return teclado.findChild<QLineEdit*>(QStringLiteral("txtNumero"))->text(); }

    frmTecladoNumerico teclado{nullptr};
    QStringList avisos;
};

// What is and is not a number in range is NumeroTecleado's; here, that the keys edit the shown
// number, a refused number leaves the keypad open as typed, and each way out closes it.
TEST_F(frmTecladoNumericoTest, KeysEditTheNumberAndAceptarTakesItOnlyWithinTheRange) {
    teclado.setRango(0, 32767);
    pulsar("cmdBorrar");
    pulsar("cmd1");
    pulsar("cmdLimpiar");
    EXPECT_EQ(numero(), QString());
    for (const char* tecla : {"cmd7", "cmd0", "cmd0", "cmd0", "cmd0"})
        pulsar(tecla);
    pulsar("cmdAceptar");
    EXPECT_EQ(avisos, QStringList{QStringLiteral("El número debe estar entre 0 y 32767")});
    EXPECT_TRUE(teclado.isVisible());
    EXPECT_EQ(numero(), QStringLiteral("70000"));
    pulsar("cmdBorrar");
    pulsar("cmdAceptar");
    EXPECT_FALSE(teclado.Cancelado());
    EXPECT_EQ(teclado.numero(), 7000);
    EXPECT_FALSE(teclado.isVisible());
}

TEST_F(frmTecladoNumericoTest, CancelarAndAbiertoCloseWithTheirFlags) {
    teclado.show();
    pulsar("cmd9");
    pulsar("cmdCancelar");
    EXPECT_TRUE(teclado.Cancelado());
    EXPECT_FALSE(teclado.isVisible());
    teclado.show();
    pulsar("cmdAbierto");
    EXPECT_FALSE(teclado.Cancelado());
    EXPECT_TRUE(teclado.abierto());
}

TEST_F(frmTecladoNumericoTest, PhysicalKeyboardTypesOnlyDigitsAndPasteTakesTheDigits) {
    QTest::keyClicks(&teclado, QStringLiteral("1x2"));
    EXPECT_EQ(numero(), QStringLiteral("12"));
    QTest::keyClick(&teclado, Qt::Key_Delete);
    QApplication::clipboard()->setText(QStringLiteral("12a3"));
    QTest::keyClick(&teclado, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(numero(), QStringLiteral("123"));
    // Both the typed "x" and the pasted "a" were said.
    EXPECT_EQ(avisos, QStringList(2, QStringLiteral("Solo se pueden teclear números")));
    QTest::keyClick(&teclado, Qt::Key_Escape);
    EXPECT_TRUE(teclado.Cancelado());
}

TEST(frmTecladoNumericoModal, RefusalShowsAMessageWindowOverTheKeypad) {
    frmTecladoNumerico teclado(nullptr);
    teclado.setRango(1, 99);
    teclado.setDefaultNum(500);
    QString mensaje;
    // The keypad refuses 500 with a message window; OK closes it and the keypad is still open.
    QTimer::singleShot(0, [&] {
        QApplication::activeModalWidget()->findChild<QPushButton*>(QStringLiteral("cmdAceptar"))->click();
    });
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(0, [&] {
            QWidget* msg = QApplication::activeModalWidget();
            ASSERT_EQ(msg->objectName(), QStringLiteral("frmMsg"));
            mensaje = msg->findChild<QLabel*>(QStringLiteral("lblMensaje"))->text();
            msg->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
            QTimer::singleShot(0, [] {
                QWidget* keypad = QApplication::activeModalWidget();
                ASSERT_EQ(keypad->objectName(), QStringLiteral("frmTecladoNumerico"));
                keypad->findChild<QPushButton*>(QStringLiteral("cmdCancelar"))->click();
            });
        });
    });
    teclado.mostrar();
    EXPECT_EQ(mensaje, QStringLiteral("El número debe estar entre 1 y 99"));
    EXPECT_TRUE(teclado.Cancelado());
}

} // namespace
} // namespace nerin
