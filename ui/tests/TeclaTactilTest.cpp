#include "ui/TeclaTactil.h"

#include "ui/TouchTheme.h"

#include <QDialog>
#include <gtest/gtest.h>

namespace nerin {
namespace {

// A key of the theme on a screen of the theme, as the screens make them.
class TeclaTactilTest : public ::testing::Test {
protected:
    TeclaTactilTest() {
        TouchTheme::apply(&pantalla);
        tecla = dynamic_cast<TeclaTactil*>(TouchTheme::tecla(QStringLiteral("CREMA DE CHAMPIÑONES"),
                                                             QStringLiteral("cmdProducto7"), &pantalla));
        pantalla.show();
    }

    QDialog pantalla;
    TeclaTactil* tecla = nullptr;
};

TEST_F(TeclaTactilTest, DrawsInsideTheStyleSheetsBorderAndPadding) {
    ASSERT_NE(tecla, nullptr);
    tecla->setGeometry(0, 0, 200, 80);
    // 2 px of border and 4 px by 10 px of padding on each side.
    EXPECT_EQ(tecla->areaTexto(), QRect(12, 6, 176, 68));
}

TEST_F(TeclaTactilTest, FitsAgainWhenResizedOrGivenANewCaption) {
    ASSERT_NE(tecla, nullptr);
    tecla->setGeometry(0, 0, 300, 60);
    EXPECT_EQ(tecla->ajuste().lineas, QStringList{QStringLiteral("CREMA DE CHAMPIÑONES")});
    EXPECT_EQ(tecla->ajuste().pixeles, TouchTheme::kLetraTecla);

    tecla->setGeometry(0, 0, 100, 90);
    EXPECT_GT(tecla->ajuste().lineas.size(), 1);
    EXPECT_LT(tecla->ajuste().pixeles, TouchTheme::kLetraTecla);
    EXPECT_TRUE(tecla->ajuste().cabe);

    // Paging reuses keys with new captions.
    tecla->setText(QStringLiteral("PAN"));
    EXPECT_EQ(tecla->ajuste().lineas, QStringList{QStringLiteral("PAN")});
    EXPECT_EQ(tecla->ajuste().pixeles, TouchTheme::kLetraTecla);
    // The caption is kept as it was given; only the drawing is wrapped.
    EXPECT_EQ(tecla->text(), QStringLiteral("PAN"));
    EXPECT_FALSE(tecla->grab().isNull());
}

} // namespace
} // namespace nerin
