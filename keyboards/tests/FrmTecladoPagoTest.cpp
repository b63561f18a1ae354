#include "keyboards/FrmTecladoPago.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace nerin {
namespace {

class FrmTecladoPagoTest : public ::testing::Test {
protected:
    FrmTecladoPagoTest() {
        teclado.setAviso([this](const QString& m) { avisos.append(m); });
        teclado.setMonto(Currency::fromRaw(12345000)); // 1,234.50
        teclado.show();
    }
    void pulsar(const char* nombre) {
        QPushButton* b = teclado.findChild<QPushButton*>(QString::fromLatin1(nombre));
        ASSERT_NE(b, nullptr) << nombre;
        QTest::mouseClick(b, Qt::LeftButton);
    }
    QString campo(const char* nombre) {
        return teclado.findChild<QLineEdit*>(QString::fromLatin1(nombre))->text();
    }

    FrmTecladoPago teclado;
    QStringList avisos;
};

TEST_F(FrmTecladoPagoTest, StartsWithThePendingAmountFormatted) {
    EXPECT_EQ(campo("txtMonto"), QStringLiteral("1,234.50"));
    EXPECT_EQ(campo("txtPropina"), QStringLiteral("0.00"));
    EXPECT_EQ(campo("txtReferencia"), QString());
    pulsar("cmdAceptar");
    EXPECT_FALSE(teclado.Cancelado());
    EXPECT_EQ(teclado.monto(), Currency::fromRaw(12345000));
    EXPECT_EQ(teclado.propina(), Currency{});
}

TEST_F(FrmTecladoPagoTest, KeysWriteIntoTheChosenField) {
    pulsar("cmd5");
    pulsar("cmd0");
    pulsar("cmd0");
    EXPECT_EQ(campo("txtMonto"), QStringLiteral("500"));
    pulsar("cmdPropina");
    EXPECT_EQ(teclado.campo(), FrmTecladoPago::Propina);
    pulsar("cmd5");
    pulsar("cmdPunto");
    pulsar("cmd5");
    pulsar("cmdReferencia");
    pulsar("cmd7");
    pulsar("cmd7");
    pulsar("cmdBorrar");
    EXPECT_EQ(campo("txtMonto"), QStringLiteral("500"));
    EXPECT_EQ(campo("txtPropina"), QStringLiteral("5.5"));
    EXPECT_EQ(campo("txtReferencia"), QStringLiteral("7"));
    pulsar("cmdAceptar");
    EXPECT_EQ(teclado.monto(), Currency::fromUnits(500));
    EXPECT_EQ(teclado.propina(), Currency::fromRaw(55000));
    EXPECT_EQ(teclado.referencia(), QStringLiteral("7"));
}

TEST_F(FrmTecladoPagoTest, AnAmountThatIsNotMoneyIsRefused) {
    pulsar("cmdPunto");
    pulsar("cmdAceptar");
    EXPECT_EQ(avisos, QStringList{QStringLiteral("El monto no es válido")});
    EXPECT_TRUE(teclado.isVisible());
    EXPECT_EQ(teclado.campo(), FrmTecladoPago::Monto);
}

TEST_F(FrmTecladoPagoTest, QuotesLettersSignsAndExponentsAreRefusedWithAMessage) {
    QTest::keyClicks(&teclado, QStringLiteral("20"));
    for (const char* malo : {"'", "a", "-", "e"}) {
        avisos.clear();
        QTest::keyClicks(&teclado, QString::fromLatin1(malo));
        EXPECT_EQ(avisos, QStringList{QStringLiteral("Solo se pueden teclear números y un punto decimal")})
            << malo;
    }
    EXPECT_EQ(campo("txtMonto"), QStringLiteral("20"));
    // Pasted whole, "1e300" is not taken in pieces.
    QTest::keyClick(&teclado, Qt::Key_Tab);
    QKeyEvent pegado(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("1e300"));
    QCoreApplication::sendEvent(&teclado, &pegado);
    EXPECT_EQ(campo("txtPropina"), QString());
}

TEST_F(FrmTecladoPagoTest, PhysicalKeyboardTypesChangesFieldAndCancels) {
    QTest::keyClicks(&teclado, QStringLiteral("20"));
    QTest::keyClick(&teclado, Qt::Key_Tab);
    QTest::keyClick(&teclado, Qt::Key_Tab);
    EXPECT_EQ(teclado.campo(), FrmTecladoPago::Referencia);
    QTest::keyClicks(&teclado, QStringLiteral("AB12"));
    EXPECT_EQ(campo("txtMonto"), QStringLiteral("20"));
    EXPECT_EQ(campo("txtReferencia"), QStringLiteral("AB12"));
    QTest::keyClick(&teclado, Qt::Key_Escape);
    EXPECT_TRUE(teclado.Cancelado());
}

} // namespace
} // namespace nerin
