#include "tables/BloqueoComanda.h"

#include "tables/tests/TablesFixture.h"

#include <atomic>
#include <thread>

namespace nerin {
namespace {

using Estado = BloqueoComanda::Estado;

class BloqueoComandaTest : public fakes::TablesFixture {
protected:
    BloqueoComanda::Resultado tomar(qint32 idComanda, qint16 empleado) {
        BloqueoComanda bloqueo(*baseDatos, *bitacora);
        return bloqueo.tomar(idComanda, empleado);
    }
};

TEST_F(BloqueoComandaTest, WhoMayTakeAnOrderByWhoHoldsIt) {
    struct Caso {
        qint64 enUsoPor;
        Estado esperado;
        qint64 despues;
        const char* nombre;
    } casos[] = {
        {0, Estado::Tomada, 1, ""},                 // free
        {1, Estado::Tomada, 1, ""},                 // already ours (a stale lock of our own)
        {4, Estado::EnUso, 4, "PEDRO GARCIA NAVA"}, // another employee
        {99, Estado::Tomada, 1, ""},                // somebody who is no employee
    };
    firmar(1);
    for (const Caso& caso : casos) {
        exec(QStringLiteral("UPDATE Comanda SET EnUsoPor=%1 WHERE ID_Comanda=1").arg(caso.enUsoPor));
        const BloqueoComanda::Resultado resultado = tomar(1, 1);
        EXPECT_EQ(resultado.estado, caso.esperado) << caso.enUsoPor;
        EXPECT_EQ(resultado.nombre, QString::fromUtf8(caso.nombre)) << caso.enUsoPor;
        EXPECT_EQ(enUsoPor(1), caso.despues) << caso.enUsoPor;
    }
}

TEST_F(BloqueoComandaTest, TakingIsLoggedAsAChangeAndAMissingOrderIsNoneToTake) {
    firmar(1);
    EXPECT_EQ(tomar(1, 1).estado, Estado::Tomada);
    const QStringList lineas = logLines(QStringLiteral("NerinComTra"));
    ASSERT_GE(lineas.size(), 2);
    EXPECT_TRUE(lineas.last().endsWith(QStringLiteral("UPDATE Comanda SET EnUsoPor=1 WHERE ID_Comanda=1 AND "
                                                      "(EnUsoPor=0 OR EnUsoPor=1 OR EnUsoPor NOT IN (SELECT "
                                                      "ID_Empleado FROM Empleado))")));
    EXPECT_EQ(tomar(777, 1).estado, Estado::NoExiste);
}

TEST_F(BloqueoComandaTest, AnotherTerminalTakingItBetweenTheCheckAndTheUpdateWins) {
    firmar(1, true);
    auto otra = otraTerminal(2, 4);
    // Terminal 2 takes order 1 after terminal 1 read it as free, just before terminal 1's update.
    intercalador->antesDe([](const QString& sql) { return sql.startsWith(u"UPDATE Comanda SET EnUsoPor"); },
                          [&] {
                              BloqueoComanda suyo(*otra->baseDatos, otra->bitacora);
                              EXPECT_EQ(suyo.tomar(1, 4).estado, Estado::Tomada);
                          });
    const BloqueoComanda::Resultado resultado = tomar(1, 1);
    EXPECT_EQ(resultado.estado, Estado::EnUso);
    EXPECT_EQ(resultado.nombre, QStringLiteral("PEDRO GARCIA NAVA"));
    EXPECT_EQ(enUsoPor(1), 4);
}

TEST_F(BloqueoComandaTest, TwoTerminalsAtTheSameMomentNeverBothGetTheOrder) {
    firmar(1);
    auto una = otraTerminal(1, 1);
    auto otra = otraTerminal(2, 4);
    for (int ronda = 0; ronda < 20; ++ronda) {
        exec(QStringLiteral("UPDATE Comanda SET EnUsoPor=0 WHERE ID_Comanda=2"));
        std::atomic<int> listos{0};
        BloqueoComanda::Resultado r1;
        BloqueoComanda::Resultado r2;
        const auto correr = [&listos](fakes::OtraTerminal& t, qint16 empleado, BloqueoComanda::Resultado& r) {
            BloqueoComanda bloqueo(*t.baseDatos, t.bitacora);
            ++listos;
            while (listos < 2) {
            }
            r = bloqueo.tomar(2, empleado);
        };
        std::thread a(correr, std::ref(*una), qint16{1}, std::ref(r1));
        std::thread b(correr, std::ref(*otra), qint16{4}, std::ref(r2));
        a.join();
        b.join();
        const int tomadas = (r1.estado == Estado::Tomada ? 1 : 0) + (r2.estado == Estado::Tomada ? 1 : 0);
        ASSERT_EQ(tomadas, 1) << "ronda " << ronda;
        if (r1.estado == Estado::Tomada) {
            EXPECT_EQ(r2.nombre, QStringLiteral("ROSA MENDOZA RUIZ"));
            EXPECT_EQ(enUsoPor(2), 1);
        } else {
            EXPECT_EQ(r1.nombre, QStringLiteral("PEDRO GARCIA NAVA"));
            EXPECT_EQ(enUsoPor(2), 4);
        }
    }
}

} // namespace
} // namespace nerin
