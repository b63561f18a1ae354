#include "tables/MesaNueva.h"

#include "tables/BloqueoComanda.h"
#include "tables/tests/TablesFixture.h"

#include <atomic>
#include <thread>

namespace nerin {
namespace {

using Servicio = MesaNueva::Servicio;

class MesaNuevaTest : public fakes::TablesFixture {
protected:
    MesaNueva::Resultado aceptar(const QString& numero, Servicio servicio) {
        MesaNueva mesa(*context);
        return mesa.Aceptar(numero, servicio);
    }
    void huespedes(qint64 n) { preguntas.answerNumero({false, n, false}); }
    // "Num_Mesa|Tipo|ID_Empleado|CantHuespedes|Control|EnUsoPor" of an order.
    QString orden(qint32 folio) {
        SqliteConnection c(archivoBase());
        EXPECT_TRUE(c.open().isOk());
        auto rs =
            c.query(QStringLiteral("SELECT Num_Mesa, Tipo, ID_Empleado, CantHuespedes, Control, EnUsoPor "
                                   "FROM Comanda WHERE ID_Comanda=%1")
                        .arg(folio));
        if (!rs || rs->eof())
            return {};
        QStringList campos;
        for (int i = 0; i < rs->fieldCount(); ++i)
            campos.append(rs->value(i).toString());
        return campos.join(u'|');
    }
    void cerrarTodas() { exec(QStringLiteral("UPDATE Comanda SET Abierta=0, Fecha_Cierre=getdate()")); }
};

TEST_F(MesaNuevaTest, ADiningRoomTableOpensWithItsNumberAndGuestsAndTheOrderScreenFollows) {
    firmar(4);
    context->terminal = 2;
    huespedes(4);
    const MesaNueva::Resultado r = aceptar(QStringLiteral("12"), Servicio::Comedor);
    ASSERT_TRUE(r.abierta);
    EXPECT_EQ(r.numMesa, 12);
    EXPECT_EQ(r.folio, 4);                               // the demo's orders are 1 to 3
    EXPECT_EQ(orden(4), QStringLiteral("12|N|4|4|2|4")); // locked by the waiter who opened it
    EXPECT_EQ(navegacion.rutas, QStringList{QStringLiteral("comanda 4/2 cuenta 1 tipo N")});
    EXPECT_EQ(contar(QStringLiteral("SELECT COUNT(*) FROM Cuenta WHERE ID_Comanda=4 AND Control=2")), 1);
    // The guests keypad: its title, and without its "ABIERTO" key.
    ASSERT_EQ(preguntas.pedidos.size(), 1);
    EXPECT_EQ(preguntas.pedidos[0].titulo, QStringLiteral("Número de Huéspedes"));
    EXPECT_FALSE(preguntas.pedidos[0].mostrarAbierto);
    EXPECT_TRUE(preguntas.mensajes().isEmpty());
}

TEST_F(MesaNuevaTest, AnEmptyNumberForTheDiningRoomIsRefusedAndNothingIsSent) {
    firmar(1);
    for (const QString& vacio : {QString(), QStringLiteral("abc")}) {
        const MesaNueva::Resultado r = aceptar(vacio, Servicio::Comedor);
        EXPECT_FALSE(r.abierta);
        EXPECT_FALSE(r.vaciarNumero);
    }
    EXPECT_EQ(preguntas.mensajes(), QStringList(2, QStringLiteral("No se indico el número de mesa")));
    EXPECT_EQ(preguntas.asked()[0].estilo, Prompts::kOk);
    EXPECT_EQ(ordenes(), 4);
    EXPECT_TRUE(navegacion.rutas.isEmpty());
}

TEST_F(MesaNuevaTest, AnOpenNumberIsRefusedNamingTheWaiterAndTheBoxIsEmptied) {
    firmar(4);
    const MesaNueva::Resultado r = aceptar(QStringLiteral("5"), Servicio::Comedor);
    EXPECT_FALSE(r.abierta);
    EXPECT_TRUE(r.vaciarNumero);
    EXPECT_EQ(preguntas.mensajes(),
              QStringList{QStringLiteral("La mesa 5 está abierta por ROSA MENDOZA RUIZ")});
    EXPECT_EQ(preguntas.asked()[0].estilo, Prompts::kExclamation);
    EXPECT_TRUE(preguntas.pedidos.isEmpty()); // no guests asked
    EXPECT_EQ(ordenes(), 4);
}

TEST_F(MesaNuevaTest, TakeAwayAndDeliveryTakeTheNextNumberWhateverWasTyped) {
    struct Caso {
        const char* tecleado;
        Servicio servicio;
        bool sinMesas;
        qint16 numero;
        const char* tipo;
    } casos[] = {
        {"5", Servicio::ParaLlevar, false, 16, "B"}, // an open number is ignored
        {"", Servicio::ParaLlevar, false, 17, "B"},  // the one just opened counts
        {"900", Servicio::Domicilio, false, 18, "O"},
        {"", Servicio::Domicilio, true, 1000, "O"}, // no table open at all
        {"3", Servicio::ParaLlevar, true, 1000, "B"},
    };
    firmar(1);
    for (const Caso& caso : casos) {
        if (caso.sinMesas)
            cerrarTodas();
        navegacion.rutas.clear();
        const MesaNueva::Resultado r = aceptar(QString::fromUtf8(caso.tecleado), caso.servicio);
        ASSERT_TRUE(r.abierta) << caso.tecleado;
        EXPECT_EQ(r.numMesa, caso.numero) << caso.tecleado;
        EXPECT_EQ(orden(r.folio),
                  QStringLiteral("%1|%2|1|0|1|1").arg(caso.numero).arg(QString::fromUtf8(caso.tipo)));
        EXPECT_EQ(navegacion.rutas,
                  QStringList{QStringLiteral("comanda %1/1 cuenta 1 tipo %2").arg(r.folio).arg(caso.tipo)});
    }
    EXPECT_TRUE(preguntas.pedidos.isEmpty());
    EXPECT_TRUE(preguntas.mensajes().isEmpty());
}

TEST_F(MesaNuevaTest, DiningRoomNumberZeroTakesTheNextNumberOrStaysZero) {
    firmar(1);
    huespedes(2);
    MesaNueva::Resultado r = aceptar(QStringLiteral("0"), Servicio::Comedor);
    ASSERT_TRUE(r.abierta);
    EXPECT_EQ(r.numMesa, 16);
    cerrarTodas();
    r = aceptar(QStringLiteral("000"), Servicio::Comedor);
    ASSERT_TRUE(r.abierta);
    EXPECT_EQ(r.numMesa, 0);
    EXPECT_EQ(orden(r.folio), QStringLiteral("0|N|1|0|1|1")); // the second keypad was cancelled: 0 guests
}

TEST_F(MesaNuevaTest, NumbersBeyondATableNumberAreRefusedNeverWrapped) {
    struct Caso {
        const char* tecleado;
        bool abierta;
        qint16 numero;
    } casos[] = {
        {"32767", true, 32767},
        {"32768", false, -1},
        {"65541", false, -1}, // would wrap to 5, an open table
        {"99999999999999999999999", false, -1},
        {"1a2", true, 12}, // only digits count
    };
    firmar(1);
    for (const Caso& caso : casos) {
        preguntas = {};
        const MesaNueva::Resultado r = aceptar(QString::fromUtf8(caso.tecleado), Servicio::Comedor);
        EXPECT_EQ(r.abierta, caso.abierta) << caso.tecleado;
        EXPECT_EQ(r.numMesa, caso.numero) << caso.tecleado;
        if (!caso.abierta) {
            EXPECT_EQ(preguntas.mensajes(),
                      QStringList{QStringLiteral("El número debe estar entre 0 y 32767")});
        }
    }
    EXPECT_EQ(ordenes(), 6);
}

TEST_F(MesaNuevaTest, WhenTheHighestNumberIsTakenNoNextNumberIsInvented) {
    firmar(1);
    exec(QStringLiteral("UPDATE Comanda SET Num_Mesa=32767 WHERE ID_Comanda=2"));
    const MesaNueva::Resultado r = aceptar(QString(), Servicio::ParaLlevar);
    EXPECT_FALSE(r.abierta);
    EXPECT_EQ(preguntas.mensajes(), QStringList{QStringLiteral("No hay números de mesa disponibles")});
    EXPECT_EQ(ordenes(), 4);
}

TEST_F(MesaNuevaTest, ANumberOpenedByAnotherTerminalAfterTheCheckIsRefusedAsOccupied) {
    firmar(1, true);
    auto otra = otraTerminal(2, 4);
    intercalador->antesDe([](const QString& texto) { return texto == u"Abrir_Mesa"; },
                          [&] {
                              otra->prompts.answerNumero({false, 3, false});
                              MesaNueva suya(*otra->context);
                              EXPECT_TRUE(suya.Aceptar(QStringLiteral("12"), Servicio::Comedor).abierta);
                          });
    huespedes(4);
    const MesaNueva::Resultado r = aceptar(QStringLiteral("12"), Servicio::Comedor);
    EXPECT_FALSE(r.abierta);
    EXPECT_TRUE(r.vaciarNumero);
    EXPECT_EQ(preguntas.mensajes(),
              QStringList{QStringLiteral("La mesa 12 está abierta por PEDRO GARCIA NAVA")});
    EXPECT_EQ(contar(QStringLiteral("SELECT COUNT(*) FROM Comanda WHERE Num_Mesa=12")), 1);
    EXPECT_TRUE(navegacion.rutas.isEmpty());
    EXPECT_TRUE(messageBox.shown.isEmpty());
}

TEST_F(MesaNuevaTest, AnOrderTakenByAnotherTerminalTheMomentItOpensIsNotShown) {
    firmar(1, true);
    auto otra = otraTerminal(2, 4);
    // Terminal 2 lists every open table and takes the new one before terminal 1 locks it.
    intercalador->antesDe(
        [](const QString& texto) { return texto.startsWith(u"UPDATE Comanda SET EnUsoPor"); },
        [&] {
            BloqueoComanda suyo(*otra->baseDatos, otra->bitacora);
            EXPECT_EQ(suyo.tomar(4, 4).estado, BloqueoComanda::Estado::Tomada);
        });
    huespedes(2);
    const MesaNueva::Resultado r = aceptar(QStringLiteral("12"), Servicio::Comedor);
    EXPECT_FALSE(r.abierta);
    EXPECT_TRUE(r.vaciarNumero);
    EXPECT_EQ(preguntas.mensajes(), QStringList{QStringLiteral("Mesa en uso por PEDRO GARCIA NAVA")});
    EXPECT_TRUE(navegacion.rutas.isEmpty());
    EXPECT_EQ(enUsoPor(4), 4);
}

TEST_F(MesaNuevaTest, TwoTerminalsOpeningTheSameNumberAtOnceGetOneOrderAndOneRefusal) {
    firmar(1);
    auto una = otraTerminal(1, 1);
    auto otra = otraTerminal(2, 4);
    for (int ronda = 0; ronda < 10; ++ronda) {
        const QString numero = QString::number(100 + ronda);
        una->prompts = {};
        otra->prompts = {};
        una->prompts.answerNumero({false, 2, false});
        otra->prompts.answerNumero({false, 2, false});
        std::atomic<int> listos{0};
        MesaNueva::Resultado r1;
        MesaNueva::Resultado r2;
        const auto correr = [&](fakes::OtraTerminal& t, MesaNueva::Resultado& r) {
            MesaNueva mesa(*t.context);
            ++listos;
            while (listos < 2) {
            }
            r = mesa.Aceptar(numero, Servicio::Comedor);
        };
        std::thread a(correr, std::ref(*una), std::ref(r1));
        std::thread b(correr, std::ref(*otra), std::ref(r2));
        a.join();
        b.join();
        ASSERT_NE(r1.abierta, r2.abierta) << "ronda " << ronda;
        const fakes::OtraTerminal& rechazada = r1.abierta ? *otra : *una;
        const QString mesero =
            r1.abierta ? QStringLiteral("ROSA MENDOZA RUIZ") : QStringLiteral("PEDRO GARCIA NAVA");
        EXPECT_EQ(rechazada.prompts.mensajes(),
                  QStringList{QStringLiteral("La mesa %1 está abierta por %2").arg(numero, mesero)});
        EXPECT_EQ(contar(QStringLiteral("SELECT COUNT(*) FROM Comanda WHERE Num_Mesa=") + numero), 1);
    }
}

TEST_F(MesaNuevaTest, AFailedOpeningIsReportedAndOpensNoOrderScreen) {
    firmar(1);
    exec(QStringLiteral("DROP TABLE Cuenta"));
    const MesaNueva::Resultado r = aceptar(QString(), Servicio::ParaLlevar);
    EXPECT_FALSE(r.abierta);
    EXPECT_TRUE(navegacion.rutas.isEmpty());
    const QStringList lineas = logLines(QStringLiteral("NerinComTra"));
    EXPECT_EQ(lineas.filter(QStringLiteral("**************ERROR***************")).size(), 1);
    EXPECT_EQ(lineas.filter(QStringLiteral(" cmdAceptar-")).size(), 1) << lineas.join(u'\n').toStdString();
}

} // namespace
} // namespace nerin
