#include "access/LogoRebote.h"

#include <gtest/gtest.h>

namespace nerin {
namespace {

const QRect kArea(0, 0, 100, 50);
const QSize kLogo(20, 10);

TEST(LogoRebote, StepsAcrossAndDown) {
    LogoRebote rebote(QPoint(6, 4));
    EXPECT_EQ(rebote.siguiente(kArea, kLogo, QPoint(10, 10)), QPoint(16, 14));
}

TEST(LogoRebote, TurnsBackAtTheRightAndBottomEdges) {
    LogoRebote rebote(QPoint(6, 4));
    EXPECT_EQ(rebote.siguiente(kArea, kLogo, QPoint(78, 38)), QPoint(80, 40));
    EXPECT_EQ(rebote.paso(), QPoint(-6, -4));
    EXPECT_EQ(rebote.siguiente(kArea, kLogo, QPoint(80, 40)), QPoint(74, 36));
}

TEST(LogoRebote, TurnsBackAtTheLeftAndTopEdges) {
    LogoRebote rebote(QPoint(-6, -4));
    EXPECT_EQ(rebote.siguiente(kArea, kLogo, QPoint(3, 2)), QPoint(0, 0));
    EXPECT_EQ(rebote.paso(), QPoint(6, 4));
}

TEST(LogoRebote, LogoLargerThanTheAreaStaysAtItsCorner) {
    LogoRebote rebote(QPoint(6, 4));
    EXPECT_EQ(rebote.siguiente(QRect(5, 5, 10, 10), QSize(40, 40), QPoint(30, 30)), QPoint(5, 5));
}

TEST(LogoRebote, LogoOutsideTheAreaIsBroughtBack) {
    LogoRebote rebote(QPoint(6, 4));
    EXPECT_EQ(rebote.siguiente(kArea, kLogo, QPoint(500, 500)), QPoint(80, 40));
}

} // namespace
} // namespace nerin
