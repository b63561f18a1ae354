#include "cashier/AnexoComanda.h"

#include "cashier/tests/CajaFixture.h"

#include <gtest/gtest.h>

namespace nerin::fakes {
namespace {

using AnexoComandaTest = CajaFixture;

TEST_F(AnexoComandaTest, TheOnlyRecordOfAnOrderHasNoSuffix) {
    abrir();
    EXPECT_EQ(AnexoComanda(*baseDatos, 2, 1), QString());
    EXPECT_TRUE(field(QStringLiteral("SELECT Num_Anexo FROM Comanda WHERE ID_Comanda=2")).isNull());
}

TEST_F(AnexoComandaTest, TheFirstRecordAskedKeepsThePlainFolioAndTheOthersAreNumbered) {
    exec(QStringLiteral("INSERT INTO Comanda (ID_Comanda, Control, Num_Mesa, ID_Empleado) VALUES (2, 2, 15, "
                        "1), (2, 3, 15, 1)"));
    abrir();
    EXPECT_EQ(AnexoComanda(*baseDatos, 2, 2), QString());
    EXPECT_EQ(AnexoComanda(*baseDatos, 2, 1), QStringLiteral("-1"));
    EXPECT_EQ(AnexoComanda(*baseDatos, 2, 3), QStringLiteral("-2"));
    // Asking again gives the same suffixes.
    EXPECT_EQ(AnexoComanda(*baseDatos, 2, 2), QString());
    EXPECT_EQ(AnexoComanda(*baseDatos, 2, 1), QStringLiteral("-1"));
    EXPECT_EQ(
        rows(QStringLiteral("SELECT Control, Num_Anexo FROM Comanda WHERE ID_Comanda=2 ORDER BY Control")),
        (QStringList{QStringLiteral("1|1"), QStringLiteral("2|0"), QStringLiteral("3|2")}));
}

} // namespace
} // namespace nerin::fakes
