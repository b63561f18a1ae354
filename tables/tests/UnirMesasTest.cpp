#include "tables/UnirMesas.h"

#include "tables/TransferirMesa.h"
#include "tables/tests/TablesFixture.h"

namespace nerin {
namespace {

// Demo orders 1 (table 5) and 2 (table 15) of mesero1; order 2 is joined into order 1. Order 2 also
// gets an account 2 with one item of 50, which the target lacks.
class UnirMesasTest : public fakes::TablesFixture {
protected:
    void cuentaDos(bool pagada) {
        exec(QStringLiteral(
                 "INSERT INTO Cuenta (ID_Comanda, Num_Cuenta, Control, Pagada) VALUES (2, 2, 1, %1)")
                 .arg(pagada ? 1 : 0));
        exec(QStringLiteral(
            "INSERT INTO ProductosXCuenta (ID_Comanda, Control, Num_Cuenta, ID_Producto, Precio) "
            "VALUES (2, 1, 2, 101, 50)"));
        exec(QStringLiteral("EXEC Totalizar_Cuenta 2,2,1"));
        if (pagada) {
            exec(
                QStringLiteral("INSERT INTO Pago (ID_Comanda, Control, Num_Cuenta, ID_Tipo_Pago, Monto_Pago) "
                               "VALUES (2, 1, 2, 1, 50)"));
        }
    }
    UnirMesas::Resultado unir(const QString& numero = QStringLiteral("5")) {
        UnirMesas union_(*context);
        return union_.unir({2, 1, 15}, numero);
    }
    QString pagadas(qint32 id) {
        QStringList marcas;
        for (int cuenta = 1; cuenta <= 2; ++cuenta) {
            marcas.append(
                field(QStringLiteral("SELECT Pagada FROM Cuenta WHERE ID_Comanda=%1 AND Control=1 AND "
                                     "Num_Cuenta=%2")
                          .arg(id)
                          .arg(cuenta))
                    .toString());
        }
        return marcas.join(u',');
    }
    QStringList descuadres() { return fakes::descuadres(archivoBase()); }
    // "open|items of order 1|items of order 2|payments of order 1|payments of order 2|tables" of both orders.
    QString estado() {
        return QStringList{
            field(QStringLiteral("SELECT Abierta FROM Comanda WHERE ID_Comanda=2 AND Control=1")).toString(),
            QString::number(
                contar(QStringLiteral("SELECT COUNT(*) FROM ProductosXCuenta WHERE ID_Comanda=1"))),
            QString::number(
                contar(QStringLiteral("SELECT COUNT(*) FROM ProductosXCuenta WHERE ID_Comanda=2"))),
            QString::number(contar(QStringLiteral("SELECT COUNT(*) FROM Pago WHERE ID_Comanda=1"))),
            QString::number(contar(QStringLiteral("SELECT COUNT(*) FROM Pago WHERE ID_Comanda=2"))),
            pagadas(1)}
            .join(u'|');
    }
};

TEST_F(UnirMesasTest, JoiningMovesEveryItemAndPaymentClosesTheSourceAndTotalsEveryAccount) {
    struct Caso {
        bool destinoPagada;  // account 1 of the target
        bool origenPagada;   // account 1 of the source (its items were collected)
        bool dosPagada;      // account 2 of the source
        const char* pagadas; // Pagada of the target's accounts 1 and 2 afterwards
    };
    const Caso casos[] = {
        {false, false, false, "0,0"}, {false, false, true, "0,1"}, // the copied account keeps its paid mark
        {true, false, false, "0,0"}, // the target's paid account gains unpaid items
        {true, true, true, "1,1"},    {false, true, false, "0,0"},
    };
    for (const Caso& caso : casos) {
        SetUp();
        firmar(1);
        cuentaDos(caso.dosPagada);
        // Another terminal's order under the target's number: the lock takes it too, and gives it back.
        exec(QStringLiteral(
            "INSERT INTO Comanda (ID_Comanda, Control, Num_Mesa, Abierta) VALUES (1, 2, 40, 0)"));
        exec(
            QStringLiteral("UPDATE Cuenta SET Pagada=%1 WHERE ID_Comanda=1").arg(caso.destinoPagada ? 1 : 0));
        exec(QStringLiteral("UPDATE Cuenta SET Pagada=%1 WHERE ID_Comanda=2 AND Num_Cuenta=1")
                 .arg(caso.origenPagada ? 1 : 0));
        const QString donde = QString::fromUtf8(caso.pagadas);
        EXPECT_TRUE(unir().hecho) << donde.toStdString();
        EXPECT_EQ(estado(), QStringLiteral("0|13|0|%1|0|%2").arg(caso.dosPagada ? 1 : 0).arg(donde));
        EXPECT_EQ(descuadres(), QStringList()) << donde.toStdString();
        EXPECT_EQ(
            field(QStringLiteral("SELECT Total FROM Cuenta WHERE ID_Comanda=1 AND Num_Cuenta=2")).toString(),
            QStringLiteral("50"));
        EXPECT_EQ(contar(QStringLiteral(
                      "SELECT COUNT(*) FROM Cuenta WHERE ID_Comanda=2 AND (Total<>0 OR Pagada=0)")),
                  0);
        EXPECT_EQ(contar(QStringLiteral("SELECT COUNT(*) FROM Comanda WHERE EnUsoPor<>0")),
                  0); // locks released
        EXPECT_TRUE(preguntas.mensajes().isEmpty());
    }
}

TEST_F(UnirMesasTest, AJoinIsRefusedChangingNothingWithTheReasonAndNoLockIsKept) {
    struct Caso {
        const char* numero;
        const char* antes; // a statement run first
        const char* mensaje;
    };
    const Caso casos[] = {
        {"15", "", "Seleccione una mesa para unir"}, // the source itself
        {"22", "", "Seleccione una mesa para unir"},
        {"5", "UPDATE Comanda SET ID_Empleado=4 WHERE ID_Comanda=1",
         "La Mesa 5 està abierta por PEDRO GARCIA NAVA"},
        {"5", "UPDATE Comanda SET EnUsoPor=4 WHERE ID_Comanda=1", "Mesa en uso por PEDRO GARCIA NAVA"},
        {"5", "UPDATE Comanda SET EnUsoPor=4 WHERE ID_Comanda=2", "Mesa en uso por PEDRO GARCIA NAVA"},
    };
    for (const Caso& caso : casos) {
        SetUp();
        firmar(1);
        if (*caso.antes)
            exec(QString::fromUtf8(caso.antes));
        const QString enUso = QStringLiteral("%1,%2").arg(enUsoPor(1)).arg(enUsoPor(2));
        EXPECT_FALSE(unir(QString::fromUtf8(caso.numero)).hecho) << caso.mensaje;
        EXPECT_EQ(preguntas.mensajes().last(), QString::fromUtf8(caso.mensaje));
        EXPECT_EQ(estado(), QStringLiteral("1|8|4|0|0|0,")) << caso.mensaje;
        EXPECT_EQ(QStringLiteral("%1,%2").arg(enUsoPor(1)).arg(enUsoPor(2)), enUso) << caso.mensaje;
    }
}

TEST_F(UnirMesasTest, AFailureHalfWayRollsBackSaysSoAndReleasesBothOrders) {
    firmar(1);
    cuentaDos(true);
    faultyConnection->failAt(fakes::busyDatabase(1, QStringLiteral("UPDATE Pago")));
    EXPECT_FALSE(unir().hecho);
    EXPECT_EQ(messageBox.shown.size(), 1); // the failure, told once after the rollback
    EXPECT_EQ(estado(), QStringLiteral("1|8|5|0|1|0,"));
    EXPECT_EQ(descuadres(), QStringList());
    EXPECT_EQ(enUsoPor(1) + enUsoPor(2), 0);
    EXPECT_TRUE(faultyConnection->promptsInTransaction().isEmpty());
}

TEST_F(UnirMesasTest, KilledAtAnyStatementAJoinIsWholeOrNotAtAll) {
    const int puntos = matarEnCadaPaso([this] { cuentaDos(true); },
                                       [](TerminalContext& terminal) {
                                           UnirMesas(terminal).unir({2, 1, 15}, "5");
                                       },
                                       [this] { return estado(); },
                                       {QStringLiteral("1|8|5|0|1|0,"), QStringLiteral("0|13|0|1|0|0,1")});
    EXPECT_GE(puntos, 10);
    std::cout << "kill points (join): " << puntos << std::endl;
}

TEST_F(UnirMesasTest, KilledAtAnyStatementAMoveIsWholeOrNotAtAll) {
    const int puntos = matarEnCadaPaso([this] { cuentaDos(true); },
                                       [](TerminalContext& terminal) {
                                           TransferirMesa(terminal).mover({2, 1, 15}, QStringLiteral("22"),
                                                                          TransferirMesa::Servicio::Comedor);
                                       },
                                       [this] { return estado(); }, {QStringLiteral("1|8|5|0|1|0,")});
    EXPECT_EQ(field(QStringLiteral("SELECT COUNT(*) FROM Bitacora WHERE Texto='Comanda 2 transferida a 22'"))
                  .toInt(),
              contar(QStringLiteral("SELECT COUNT(*) FROM Comanda WHERE Num_Mesa=22")));
    EXPECT_GE(puntos, 3);
    std::cout << "kill points (move): " << puntos << std::endl;
}

} // namespace
} // namespace nerin
