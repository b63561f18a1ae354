#include "cashier/AnexoComanda.h"

#include "cashier/tests/CajaFixture.h"
#include "data/tests/InterleavingConnection.h"

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

// Terminal 1 reads the order's records; before it numbers its own, terminal 3 numbers its record of
// the same order.
TEST_F(AnexoComandaTest, TwoTerminalsNumberingRecordsOfOneOrderAtOnceNeverShareANumber) {
    exec(QStringLiteral("INSERT INTO Comanda (ID_Comanda, Control, Num_Mesa, ID_Empleado, Num_Anexo) VALUES "
                        "(2, 2, 15, 1, 0), (2, 3, 15, 1, NULL)"));
    abrir();
    InterleavingConnection* intercalada = nullptr;
    const QString archivo = dbFolder() + QStringLiteral("/DBNERIN.db");
    BaseDatos terminal1(
        [&intercalada, archivo] {
            auto conexion =
                std::make_unique<InterleavingConnection>(std::make_unique<SqliteConnection>(archivo));
            intercalada = conexion.get();
            return conexion;
        },
        *bitacora, messageBox, [] {}, QStringLiteral("clave"));
    ASSERT_TRUE(terminal1.ConectarBD());
    QString deLaTerminal3;
    intercalada->antesDe([](const QString& texto) { return !texto.startsWith(QStringLiteral("SELECT")); },
                         [&] { deLaTerminal3 = AnexoComanda(*baseDatos, 2, 3); });
    EXPECT_EQ(AnexoComanda(terminal1, 2, 1), QStringLiteral("-2"));
    EXPECT_EQ(deLaTerminal3, QStringLiteral("-1"));
}

} // namespace
} // namespace nerin::fakes
