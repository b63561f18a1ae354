#include "keyboards/frmTecladoNumerico.h"

#include "data/Bitacora.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
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

TEST_F(frmTecladoNumericoTest, DigitKeysAppendAndAceptarConverts) {
    pulsar("cmd4");
    pulsar("cmd0");
    pulsar("cmd7");
    EXPECT_EQ(numero(), QStringLiteral("407"));
    pulsar("cmdAceptar");
    EXPECT_FALSE(teclado.Cancelado());
    EXPECT_EQ(teclado.numero(), 407);
    EXPECT_FALSE(teclado.isVisible());
}

TEST_F(frmTecladoNumericoTest, BackOnEmptyLeavesItEmptyAndClearEmpties) {
    pulsar("cmdBorrar");
    EXPECT_EQ(numero(), QString());
    pulsar("cmd1");
    pulsar("cmd2");
    pulsar("cmdBorrar");
    EXPECT_EQ(numero(), QStringLiteral("1"));
    pulsar("cmd3");
    pulsar("cmdLimpiar");
    EXPECT_EQ(numero(), QString());
}

TEST_F(frmTecladoNumericoTest, CancelarSetsCanceladoWhateverWasTyped) {
    pulsar("cmd9");
    pulsar("cmdCancelar");
    EXPECT_TRUE(teclado.Cancelado());
    EXPECT_FALSE(teclado.isVisible());
}

TEST_F(frmTecladoNumericoTest, ShowsTitleAndDefaultNumAndTheOpenKeyCanBeHidden) {
    teclado.setTitulo(QStringLiteral("Número de personas"));
    teclado.setDefaultNum(2);
    EXPECT_EQ(teclado.findChild<QLabel*>(QStringLiteral("lblTitulo"))->text(),
              QStringLiteral("Número de personas"));
    EXPECT_EQ(numero(), QStringLiteral("2"));
    EXPECT_TRUE(teclado.findChild<QPushButton*>(QStringLiteral("cmdAbierto"))->isVisible());
    teclado.setMostrarAbierto(false);
    EXPECT_FALSE(teclado.findChild<QPushButton*>(QStringLiteral("cmdAbierto"))->isVisible());
}

TEST_F(frmTecladoNumericoTest, AbiertoClosesWithTheOpenFlag) {
    pulsar("cmdAbierto");
    EXPECT_FALSE(teclado.Cancelado());
    EXPECT_TRUE(teclado.abierto());
}

TEST_F(frmTecladoNumericoTest, ANumberOutsideTheRangeIsRefusedAndTheKeypadStaysOpen) {
    teclado.setRango(0, 32767);
    QTest::keyClicks(&teclado, QStringLiteral("70000"));
    pulsar("cmdAceptar");
    ASSERT_EQ(avisos.size(), 1);
    EXPECT_EQ(avisos.first(), QStringLiteral("El número debe estar entre 0 y 32767"));
    EXPECT_TRUE(teclado.isVisible());
    EXPECT_EQ(numero(), QStringLiteral("70000"));
    QTest::keyClick(&teclado, Qt::Key_Backspace);
    QTest::keyClick(&teclado, Qt::Key_Return);
    EXPECT_EQ(teclado.numero(), 7000);
    EXPECT_FALSE(teclado.Cancelado());
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

TEST(frmTecladoNumericoLog, LoadAndUnloadAreWrittenToTheEventLog) {
    QTemporaryDir dir;
    Bitacora bitacora(dir.path());
    { frmTecladoNumerico teclado(&bitacora); }
    QFile archivo(bitacora.rutaArchivo());
    ASSERT_TRUE(archivo.open(QIODevice::ReadOnly));
    const QString texto = QString::fromUtf8(archivo.readAll());
    EXPECT_TRUE(texto.contains(QStringLiteral("frmTecladoNumerico.load")));
    EXPECT_TRUE(texto.contains(QStringLiteral("frmtecladonumerico.unload")));
    EXPECT_LT(texto.indexOf(QStringLiteral(".load")), texto.indexOf(QStringLiteral(".unload")));
}

} // namespace
} // namespace nerin
