#include "tables/ReabrirMesa.h"

#include "tables/MesasEnCero.h"
#include "tables/tests/TablesFixture.h"

namespace nerin {
namespace {

// Demo: order 3 (table 3, mesero2) is closed; orders 1 (table 5) and 2 (table 15) are open. Another
// terminal's orders share numbers 3 and 1; they must never be touched.
class ReabrirMesaTest : public fakes::TablesFixture {
protected:
    void SetUp() override {
        TablesFixture::SetUp();
        exec(
            QStringLiteral("INSERT INTO Comanda (ID_Comanda, Control, Num_Mesa, ID_Empleado, Abierta) VALUES "
                           "(3, 2, 30, 1, 0), (1, 2, 41, 1, 1), (4, 1, 40, 1, 1), (5, 1, 42, 1, 1)"));
        exec(QStringLiteral("UPDATE Comanda SET CantHuespedes=3"));
        // Order 5's only item was cancelled.
        exec(QStringLiteral("INSERT INTO ProductosXCuenta (ID_Comanda, Control, ID_Producto, Precio, "
                            "ID_Tipo_Anulacion) VALUES (5, 1, 101, 85, 1)"));
    }
    // "Abierta|CantHuespedes|closing time set" of an order.
    QString orden(qint32 id, qint32 control) {
        return field(QStringLiteral(
                         "SELECT CAST(Abierta AS varchar(1)) + '|' + CAST(CantHuespedes AS varchar(5)) "
                         "+ '|' + CASE WHEN Fecha_Cierre IS NULL THEN 'N' ELSE 'S' END FROM Comanda "
                         "WHERE ID_Comanda=%1 AND Control=%2")
                         .arg(id)
                         .arg(control))
            .toString();
    }
};

TEST_F(ReabrirMesaTest, ReopensAClosedTableUnlessItsNumberIsOpenAgain) {
    struct Caso {
        const char* antes;
        qint16 mesa; // the grid's Num_Mesa
        bool reabierta;
        const char* queda; // "Abierta|CantHuespedes|closing time set" of order 3 afterwards
        const char* mensaje;
    };
    const Caso casos[] = {
        {"", 3, true, "1|3|N", "Mesa 3 reabierta"},
        {"UPDATE Comanda SET Num_Mesa=3 WHERE ID_Comanda=2", 3, false, "0|3|S",
         "La mesa 3 está abierta por ROSA MENDOZA RUIZ"},
        {"UPDATE Comanda SET Abierta=1 WHERE ID_Comanda=3 AND Control=1", 3, false, "1|3|S",
         "La mesa 3 ya no está cerrada"},
        // Take-away numbers are not checked when they are given either.
        {"UPDATE Comanda SET Tipo='B', Num_Mesa=5 WHERE ID_Comanda=3 AND Control=1", 5, true, "1|3|N",
         "Mesa 5 reabierta"},
    };
    for (const Caso& caso : casos) {
        SetUp();
        firmar(2);
        if (*caso.antes)
            exec(QString::fromUtf8(caso.antes));
        ReabrirMesa reabrir(*context);
        EXPECT_EQ(reabrir.Aceptar({3, 1, caso.mesa}), caso.reabierta) << caso.mensaje;
        EXPECT_EQ(preguntas.mensajes().last(), QString::fromUtf8(caso.mensaje));
        EXPECT_EQ(orden(3, 1), QString::fromUtf8(caso.queda)) << caso.mensaje;
        EXPECT_EQ(orden(3, 2), QStringLiteral("0|3|N")) << caso.mensaje;
    }
}

TEST_F(ReabrirMesaTest, TheZeroListComparesBothHalvesOfTheOrderKey) {
    firmar(2);
    MesasEnCero enCero(*context);
    const std::optional<RecordSet> lista = enCero.Llenar_Spread();
    ASSERT_TRUE(lista);
    QStringList ordenes;
    for (const QList<DbValue>& valores : lista->rows()) {
        const MesasEnCero::Fila f = MesasEnCero::fila(valores);
        ordenes.append(QStringLiteral("%1/%2 mesa %3").arg(f.idComanda).arg(f.control).arg(f.numMesa));
    }
    ordenes.sort();
    EXPECT_EQ(ordenes, (QStringList{QStringLiteral("1/2 mesa 41"), QStringLiteral("4/1 mesa 40"),
                                    QStringLiteral("5/1 mesa 42")}));
}

TEST_F(ReabrirMesaTest, AZeroTableClosesOnlyWhileOpenFreeAndEmpty) {
    struct Caso {
        qint32 id;
        qint32 control;
        const char* antes;
        bool cerrada;
        const char* mensaje;
    };
    const Caso casos[] = {
        {4, 1, "", true, ""},
        {1, 2, "", true, ""}, // order 1 of terminal 1 has items, this one has none
        {4, 1, "UPDATE Comanda SET EnUsoPor=4 WHERE ID_Comanda=4", false,
         "Mesa en uso por PEDRO GARCIA NAVA"},
        {4, 1, "INSERT INTO ProductosXCuenta (ID_Comanda, Control, ID_Producto) VALUES (4, 1, 101)", false,
         "La mesa 40 ya tiene artículos"},
        {4, 1, "UPDATE Comanda SET Abierta=0 WHERE ID_Comanda=4", false, "La Mesa ya fue cerrada!"},
    };
    for (const Caso& caso : casos) {
        SetUp();
        firmar(2);
        if (*caso.antes)
            exec(QString::fromUtf8(caso.antes));
        MesasEnCero enCero(*context);
        const qsizetype antes = preguntas.mensajes().size();
        const qint16 mesa = caso.id == 4 ? 40 : 41;
        EXPECT_EQ(enCero.Cerrar({caso.id, caso.control, mesa}), caso.cerrada) << caso.mensaje;
        EXPECT_EQ(preguntas.mensajes().mid(antes).join(u'|'), QString::fromUtf8(caso.mensaje));
        EXPECT_EQ(orden(caso.id, caso.control).startsWith(u"0|0|N"), caso.cerrada) << caso.mensaje;
        EXPECT_EQ(orden(1, 1), QStringLiteral("1|3|N"));
    }
}

} // namespace
} // namespace nerin
