#include "keyboards/frmTecladoLibre.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace nerin {
namespace {

class frmTecladoLibreTest : public ::testing::Test {
protected:
    frmTecladoLibreTest() { teclado.show(); }
    QPushButton* tecla(const QString& nombre) { return teclado.findChild<QPushButton*>(nombre); }
    void pulsar(const QString& nombre) {
        QPushButton* b = tecla(nombre);
        ASSERT_NE(b, nullptr) << nombre.toStdString();
        ASSERT_TRUE(b->isVisible()) << nombre.toStdString();
        QTest::mouseClick(b, Qt::LeftButton);
    }
    QString campo() { return teclado.findChild<QLineEdit*>(QStringLiteral("txtTexto"))->text(); }

    frmTecladoLibre teclado;
};

TEST_F(frmTecladoLibreTest, LetterKeysSpaceAndDeleteEditTheText) {
    for (const char* nombre : {"cmdH", "cmdO", "cmdL", "cmdA", "cmdEspacio", "cmdEnie", "cmd1", "cmdComa"})
        pulsar(QString::fromLatin1(nombre));
    EXPECT_EQ(campo(), QStringLiteral("HOLA Ñ1,"));
    pulsar(QStringLiteral("cmdBorrar"));
    EXPECT_EQ(campo(), QStringLiteral("HOLA Ñ1"));
    pulsar(QStringLiteral("cmdBorrarTodo"));
    EXPECT_EQ(campo(), QString());
    pulsar(QStringLiteral("cmdBorrar"));
    EXPECT_EQ(campo(), QString());
}

TEST_F(frmTecladoLibreTest, LayoutKeySwitchesLayoutsAndShowsTheOtherOne) {
    QPushButton* distribucion = tecla(QStringLiteral("cmdDistribucion"));
    EXPECT_FALSE(teclado.alfabetico());
    EXPECT_EQ(distribucion->text(), QStringLiteral("ABCDEF..."));
    EXPECT_FALSE(tecla(QStringLiteral("cmdDiagonal"))->isVisible()); // "/" is only in the alphabetical one
    // Typewriter order: Q follows the digit row, A starts the third row.
    EXPECT_LT(tecla(QStringLiteral("cmd0"))->y(), tecla(QStringLiteral("cmdQ"))->y());
    EXPECT_LT(tecla(QStringLiteral("cmdQ"))->x(), tecla(QStringLiteral("cmdW"))->x());
    EXPECT_LT(tecla(QStringLiteral("cmdQ"))->y(), tecla(QStringLiteral("cmdA"))->y());

    pulsar(QStringLiteral("cmdDistribucion"));
    EXPECT_TRUE(teclado.alfabetico());
    EXPECT_EQ(distribucion->text(), QStringLiteral("QWERTY..."));
    EXPECT_EQ(tecla(QStringLiteral("cmdA"))->y(), tecla(QStringLiteral("cmdB"))->y());
    EXPECT_LT(tecla(QStringLiteral("cmdA"))->x(), tecla(QStringLiteral("cmdB"))->x());
    EXPECT_LT(tecla(QStringLiteral("cmd1"))->y(), tecla(QStringLiteral("cmdA"))->y());
    pulsar(QStringLiteral("cmdDiagonal"));
    EXPECT_EQ(campo(), QStringLiteral("/"));
    pulsar(QStringLiteral("cmdDistribucion"));
    EXPECT_FALSE(teclado.alfabetico());
}

TEST_F(frmTecladoLibreTest, EveryCharacterOfBothLayoutsHasAKey) {
    const QString todas =
        QString::fromUtf8(frmTecladoLibre::kQwerty) + QString::fromUtf8(frmTecladoLibre::kAlfabetico);
    for (const QChar c : todas) {
        QPushButton* b = tecla(frmTecladoLibre::nombreTecla(c));
        ASSERT_NE(b, nullptr) << QString(c).toStdString();
        EXPECT_EQ(b->text(), QString(c));
        EXPECT_GE(b->minimumHeight(), 48);
    }
}

TEST_F(frmTecladoLibreTest, MbTextoShowsAStarPerCharacterButKeepsTheText) {
    teclado.setMbTexto(true);
    QTest::keyClicks(&teclado, QStringLiteral("clave"));
    EXPECT_EQ(campo(), QStringLiteral("*****"));
    QTest::keyClick(&teclado, Qt::Key_Return);
    EXPECT_FALSE(teclado.Cancelado());
    EXPECT_EQ(teclado.texto(), QStringLiteral("clave"));
}

TEST_F(frmTecladoLibreTest, MaximumLengthRefusesFurtherCharacters) {
    teclado.setMaximo(3);
    teclado.setTexto(QStringLiteral("ABCDE"));
    EXPECT_EQ(campo(), QStringLiteral("ABC"));
    teclado.setTexto(QStringLiteral("AB"));
    pulsar(QStringLiteral("cmdX"));
    pulsar(QStringLiteral("cmdY"));
    EXPECT_EQ(teclado.texto(), QStringLiteral("ABX"));
}

TEST_F(frmTecladoLibreTest, PhysicalKeyboardTypesDeletesAndCancels) {
    teclado.setTexto(QStringLiteral("SIN"));
    QTest::keyClicks(&teclado, QStringLiteral(" sal"));
    QTest::keyClick(&teclado, Qt::Key_Backspace);
    EXPECT_EQ(campo(), QStringLiteral("SIN sa"));
    QTest::keyClick(&teclado, Qt::Key_Escape);
    EXPECT_TRUE(teclado.Cancelado());
    EXPECT_FALSE(teclado.isVisible());
}

} // namespace
} // namespace nerin
