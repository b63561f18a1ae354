// A short busy night in the test run: three real terminals serving in a loop on one database with two
// print-queue programs, on SQLite and on PostgreSQL. Nothing lost, doubled, unprinted or failed.
#include "bench/sabado/Noche.h"
#include "server/postgres/testing/PgDemoDatabase.h"

#include <gtest/gtest.h>

namespace nerin::carga {
namespace {

class NocheCortaTest : public ::testing::TestWithParam<const char*> {
protected:
    static void TearDownTestSuite() { testing::PgDemoDatabase::borrarDemo(); }
};

INSTANTIATE_TEST_SUITE_P(Motores, NocheCortaTest, ::testing::Values("sqlite", "postgres"),
                         [](const ::testing::TestParamInfo<const char*>& motor) {
                             return std::string(motor.param);
                         });

TEST_P(NocheCortaTest, ThreeTerminalsServingAtOnceLoseAndDoubleNothing) {
    const QString motor = QString::fromLatin1(GetParam());
    if (motor == QLatin1String("postgres") && testing::PgTestDatabase::clusterConnInfo().isEmpty())
        GTEST_SKIP() << testing::PgTestDatabase::skipReason().toStdString();
    OpcionesNoche opciones;
    opciones.segundos = 20;
    opciones.terminales = 3;
    opciones.pausaMs = 50;
    opciones.terminal = QStringLiteral(NERIN_TERMINAL_BINARY);
    opciones.printq = QStringLiteral(NERIN_PRINTQ_BINARY);
    const Result<Noche> noche = correrNoche(motor, opciones);
    ASSERT_TRUE(noche) << noche.status().message().toStdString();
    EXPECT_EQ(noche->faltas, QStringList());
    // Every terminal served at least twice, so that a table closed by one is opened again.
    EXPECT_GE(noche->servicios, 2 * opciones.terminales);
}

} // namespace
} // namespace nerin::carga
