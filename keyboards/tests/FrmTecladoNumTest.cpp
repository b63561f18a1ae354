#include "keyboards/FrmTecladoNum.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace nerin {
namespace {

class FrmTecladoNumTest : public ::testing::Test {
protected:
    FrmTecladoNumTest() {
        teclado.setAviso([this](const QString& m) { avisos.append(m); });
        teclado.setOriginal(Currency::fromUnits(50), Prompts::ValueCheck::None);
        teclado.show();
    }
    void pulsar(const char* nombre) {
        QPushButton* b = teclado.findChild<QPushButton*>(QString::fromLatin1(nombre));
        ASSERT_NE(b, nullptr) << nombre;
        QTest::mouseClick(b, Qt::LeftButton);
    }
    void teclear(const char* teclas) {
        for (const char* t = teclas; *t; ++t)
            pulsar(*t == '.' ? "cmdPunto"
                             : QStringLiteral("cmd%1").arg(QLatin1Char(*t)).toLatin1().constData());
    }
    QString valor() { return teclado.findChild<QLineEdit*>(QStringLiteral("txtValor"))->text(); }

    FrmTecladoNum teclado;
    QStringList avisos;
};

TEST_F(FrmTecladoNumTest, StartsAtTheOriginalAndTheFirstKeyReplacesIt) {
    EXPECT_EQ(valor(), QStringLiteral("50"));
    teclear("12.5");
    EXPECT_EQ(valor(), QStringLiteral("12.5"));
    pulsar("cmdPunto"); // a second point is refused and said
    EXPECT_EQ(avisos, QStringList{QStringLiteral("Solo se pueden teclear números y un punto decimal")});
    pulsar("cmdBorrar");
    EXPECT_EQ(valor(), QStringLiteral("12."));
    pulsar("cmdAceptar");
    EXPECT_FALSE(teclado.Cancelado());
    EXPECT_EQ(teclado.valor(), Currency::fromRaw(120000));
}

TEST_F(FrmTecladoNumTest, PercentageStartsAtOneHundredAndRefusesMore) {
    teclado.findChild<QCheckBox*>(QStringLiteral("chkPorcentaje"))->click();
    EXPECT_TRUE(teclado.porcentaje());
    EXPECT_EQ(valor(), QStringLiteral("100"));
    teclear("100.5");
    pulsar("cmdAceptar");
    ASSERT_EQ(avisos, QStringList{QStringLiteral("El valor no puede ser mayor a 100%")});
    EXPECT_TRUE(teclado.isVisible());
    pulsar("cmdLimpiar");
    teclear("15");
    pulsar("cmdAceptar");
    EXPECT_FALSE(teclado.Cancelado());
    EXPECT_EQ(teclado.valor(), Currency::fromUnits(15));
}

// The messages of each mode are ValorTecleado's; here, that the screen applies the mode it was given,
// refuses what cannot be read, and stays open until a value passes.
TEST_F(FrmTecladoNumTest, RefusalsKeepTheKeypadOpenUntilAValuePasses) {
    teclado.setOriginal(Currency::fromUnits(50), Prompts::ValueCheck::Equal);
    teclear("51");
    pulsar("cmdAceptar");
    pulsar("cmdLimpiar");
    teclear(".");
    pulsar("cmdAceptar");
    EXPECT_EQ(avisos, QStringList({QStringLiteral("El valor no es igual al valor original"),
                                   QStringLiteral("El valor no es válido")}));
    EXPECT_TRUE(teclado.isVisible());
    pulsar("cmdLimpiar");
    QTest::keyClicks(&teclado, QStringLiteral("50.00"));
    QTest::keyClick(&teclado, Qt::Key_Enter);
    EXPECT_EQ(avisos.size(), 2);
    EXPECT_FALSE(teclado.Cancelado());
    EXPECT_EQ(teclado.valor(), Currency::fromUnits(50));
}

TEST_F(FrmTecladoNumTest, PhysicalKeyboardTypesAndCancels) {
    QTest::keyClicks(&teclado, QStringLiteral("7a.2"));
    EXPECT_EQ(valor(), QStringLiteral("7.2"));
    QTest::keyClick(&teclado, Qt::Key_Backspace);
    EXPECT_EQ(valor(), QStringLiteral("7."));
    QTest::keyClick(&teclado, Qt::Key_Escape);
    EXPECT_TRUE(teclado.Cancelado());
}

} // namespace
} // namespace nerin
