#include "tables/TransferirMesa.h"

#include "tables/tests/TablesFixture.h"

namespace nerin {
namespace {

using Servicio = TransferirMesa::Servicio;

class TransferirMesaTest : public fakes::TablesFixture {
protected:
    TransferirMesa::Resultado mover(const QString& numero, Servicio servicio,
                                    MesasAbiertas::Fila origen = {1, 1, 5}) {
        TransferirMesa transferir(*context);
        return transferir.mover(origen, numero, servicio);
    }
    // "Num_Mesa|Tipo|ID_Empleado" of an order.
    QString orden(qint32 id, qint32 control = 1) {
        return field(QStringLiteral(
                         "SELECT CAST(Num_Mesa AS varchar(6)) + '|' + Tipo + '|' + CAST(ID_Empleado AS "
                         "varchar(6)) FROM Comanda WHERE ID_Comanda=%1 AND Control=%2")
                         .arg(id)
                         .arg(control))
            .toString();
    }
    QString ultimaBitacora() {
        return field(QStringLiteral("SELECT Texto FROM Bitacora ORDER BY ID_Bitacora DESC")).toString();
    }
};

// Demo: order 1 is table 5, order 2 table 15, both open; order 3 (table 3) is closed. An order of
// another terminal shares order 1's number: it must never be touched.
TEST_F(TransferirMesaTest, MovesToANumberAsTheKindOfServiceAndTheOccupancyAllow) {
    struct Caso {
        const char* numero;
        Servicio servicio;
        const char* queda; // Num_Mesa|Tipo|ID_Empleado of order 1 afterwards
        const char* mensaje;
        bool hecho;
        bool vaciar;
    };
    const Caso casos[] = {
        {"22", Servicio::Comedor, "22|N|1", "", true, false},
        {"5", Servicio::Comedor, "5|N|1", "", true, false}, // its own number
        {"3", Servicio::Comedor, "3|N|1", "", true, false}, // a closed order's number is free
        {"15", Servicio::Comedor, "5|N|1", "La mesa 15 está abierta por ROSA MENDOZA RUIZ", false, true},
        {"", Servicio::Comedor, "5|N|1", "No se indico el número de mesa", false, false},
        {"15", Servicio::ParaLlevar, "15|B|1", "", true, false}, // take-away numbers are not checked
        {"", Servicio::ParaLlevar, "16|B|1", "", true, false},   // the next free number
        {"", Servicio::Domicilio, "16|O|1", "", true, false},
    };
    for (const Caso& caso : casos) {
        SetUp();
        firmar(1);
        exec(QStringLiteral(
            "INSERT INTO Comanda (ID_Comanda, Control, Num_Mesa, Abierta) VALUES (1, 2, 40, 0)"));
        const qsizetype antes = preguntas.mensajes().size();
        const TransferirMesa::Resultado r = mover(QString::fromUtf8(caso.numero), caso.servicio);
        const QString donde = QStringLiteral("%1 %2").arg(caso.numero).arg(static_cast<int>(caso.servicio));
        EXPECT_EQ(r.hecho, caso.hecho) << donde.toStdString();
        EXPECT_EQ(r.vaciarNumero, caso.vaciar) << donde.toStdString();
        EXPECT_EQ(orden(1), QString::fromUtf8(caso.queda)) << donde.toStdString();
        EXPECT_EQ(orden(1, 2), QStringLiteral("40|N|0")) << donde.toStdString();
        EXPECT_EQ(preguntas.mensajes().mid(antes).join(u'|'), QString::fromUtf8(caso.mensaje))
            << donde.toStdString();
        if (caso.hecho) {
            EXPECT_EQ(ultimaBitacora(),
                      QStringLiteral("Comanda 1 transferida a ") + orden(1).section(u'|', 0, 0))
                << donde.toStdString();
        }
    }
}

TEST_F(TransferirMesaTest, AnOrderClosedSinceTheGridWasReadIsNotMoved) {
    firmar(1);
    exec(QStringLiteral("UPDATE Comanda SET Abierta=0 WHERE ID_Comanda=1"));
    EXPECT_FALSE(mover(QStringLiteral("22"), Servicio::Comedor).hecho);
    EXPECT_EQ(preguntas.mensajes(), QStringList{QStringLiteral("La mesa 5 no pudo ser transferida a 22")});
    EXPECT_EQ(orden(1), QStringLiteral("5|N|1"));
}

TEST_F(TransferirMesaTest, HandingToAWaiterDoublesQuotesInBitacoraAndRespectsTheLock) {
    firmar(2);
    TransferirMesa transferir(*context);
    EXPECT_TRUE(transferir.aMesero({1, 1, 5}, 4, QStringLiteral("PEDRO O'HARA")));
    EXPECT_EQ(orden(1), QStringLiteral("5|N|4"));
    EXPECT_EQ(ultimaBitacora(), QStringLiteral("Comanda 1 transferida a PEDRO O'HARA"));

    exec(QStringLiteral("UPDATE Comanda SET EnUsoPor=4 WHERE ID_Comanda=2"));
    EXPECT_FALSE(transferir.aMesero({2, 1, 15}, 3, QStringLiteral("LAURA")));
    EXPECT_EQ(orden(2), QStringLiteral("15|N|1"));
    EXPECT_EQ(preguntas.mensajes(), QStringList{QStringLiteral("Mesa en uso por PEDRO GARCIA NAVA")});
}

} // namespace
} // namespace nerin
