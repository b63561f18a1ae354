#include "keyboards/FrmTecladoHora.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace nerin {
namespace {

class FrmTecladoHoraTest : public ::testing::Test {
protected:
    FrmTecladoHoraTest() { teclado.show(); }
    void pulsar(const char* nombre) {
        QPushButton* b = teclado.findChild<QPushButton*>(QString::fromLatin1(nombre));
        ASSERT_NE(b, nullptr) << nombre;
        QTest::mouseClick(b, Qt::LeftButton);
    }
    QString hora() { return teclado.findChild<QLabel*>(QStringLiteral("lblHora"))->text(); }

    FrmTecladoHora teclado;
};

TEST_F(FrmTecladoHoraTest, ShowsTheTimeOnATwelveHourClock) {
    teclado.setHora(QTime(14, 5, 33));
    EXPECT_EQ(hora(), QStringLiteral("02:05 PM"));
    EXPECT_EQ(teclado.getHora(), QTime(14, 5));
    teclado.setHora(QTime(0, 0));
    EXPECT_EQ(hora(), QStringLiteral("12:00 AM"));
}

TEST_F(FrmTecladoHoraTest, UpAndDownKeysMoveHourAndMinuteAndWrap) {
    teclado.setHora(QTime(23, 59));
    pulsar("cmdMinutoArriba");
    EXPECT_EQ(teclado.getHora(), QTime(23, 0)); // the minute wraps within the hour
    pulsar("cmdHoraArriba");
    EXPECT_EQ(teclado.getHora(), QTime(0, 0));
    pulsar("cmdHoraAbajo");
    pulsar("cmdMinutoAbajo");
    EXPECT_EQ(teclado.getHora(), QTime(23, 59));
    EXPECT_EQ(hora(), QStringLiteral("11:59 PM"));
    pulsar("cmdAceptar");
    EXPECT_FALSE(teclado.Cancelado());
}

TEST_F(FrmTecladoHoraTest, PhysicalKeyboardMovesTheTimeAndCancels) {
    teclado.setHora(QTime(8, 30));
    QTest::keyClick(&teclado, Qt::Key_Up);
    QTest::keyClick(&teclado, Qt::Key_PageUp);
    EXPECT_EQ(teclado.getHora(), QTime(9, 31));
    QTest::keyClick(&teclado, Qt::Key_Down);
    QTest::keyClick(&teclado, Qt::Key_PageDown);
    EXPECT_EQ(teclado.getHora(), QTime(8, 30));
    QTest::keyClick(&teclado, Qt::Key_Escape);
    EXPECT_TRUE(teclado.Cancelado());
}

} // namespace
} // namespace nerin
