#include "tables/CuentasComanda.h"

#include "tables/tests/TablesFixture.h"

namespace nerin {
namespace {

// Demo order 2 (table 15) of mesero1: items 6 ARRACHERA 235, 7 AGUA JAMAICA 30, 8 CERVEZA CLARA 45 and
// 9 QUESO FUNDIDO 110 on account 1. Demo order 1 holds the package 10 with its components 11 and 12.
class CuentasComandaTest : public fakes::TablesFixture {
protected:
    // "account:total:paid:items" of each account of `id`, lowest first.
    QString cuentas(qint32 id = 2) {
        SqliteConnection c(archivoBase());
        EXPECT_TRUE(c.open().isOk());
        auto filas =
            c.query(QStringLiteral("SELECT c.Num_Cuenta, c.Total, c.Pagada, (SELECT COUNT(*) FROM "
                                   "ProductosXCuenta p WHERE p.ID_Comanda=c.ID_Comanda AND "
                                   "p.Control=c.Control AND p.Num_Cuenta=c.Num_Cuenta) FROM Cuenta c "
                                   "WHERE c.ID_Comanda=%1 ORDER BY c.Num_Cuenta")
                        .arg(id));
        QStringList partes;
        for (; filas && !filas->eof(); filas->moveNext())
            partes.append(QStringLiteral("%1:%2:%3:%4")
                              .arg(filas->value(0).toString(), filas->value(1).toString(),
                                   filas->value(2).toString(), filas->value(3).toString()));
        return partes.join(u' ');
    }
    std::optional<qint16> dividir(const QList<qint64>& ids, qint32 id = 2) {
        CuentasComanda cuentas(*context, id, 1);
        QList<CuentasComanda::Articulo> mover;
        for (const CuentasComanda::Articulo& a :
             cuentas.articulos(1).value_or(QList<CuentasComanda::Articulo>()))
            if (ids.contains(a.id))
                mover.append(a);
        return cuentas.dividir(1, QString::number(id == 2 ? 15 : 5), mover);
    }
    // Account 2 of order 2 with the beer and the cheese, made directly.
    void dosCuentas() {
        exec(QStringLiteral("INSERT INTO Cuenta (ID_Comanda, Num_Cuenta, Control) VALUES (2, 2, 1)"));
        exec(QStringLiteral("UPDATE ProductosXCuenta SET Num_Cuenta=2 WHERE ID_ProductosXCuenta IN (8,9)"));
        exec(QStringLiteral("EXEC Totalizar_Cuenta 2,1,1"));
        exec(QStringLiteral("EXEC Totalizar_Cuenta 2,2,1"));
    }
    qint64 bitacora(const QString& texto) {
        return contar(QStringLiteral("SELECT COUNT(*) FROM Bitacora WHERE Texto='%1'").arg(texto));
    }
};

TEST_F(CuentasComandaTest, ASplitMovesTheChosenItemsToANewAccountAndTotalsEveryAccount) {
    const QString cortesia =
        QStringLiteral("INSERT INTO Cortesia (ID_ProductosXCuenta, ID_Tipo_Cortesia, Monto) VALUES ");
    struct Caso {
        QList<qint64> mover;
        QString antes; // run first
        const char* despues;
    };
    const Caso casos[] = {
        {{7, 9}, {}, "1:280:0:2 2:140:0:2"},
        {{}, {}, "1:420:0:4 2:0:0:0"},           // an empty new account still made
        {{6, 7, 8, 9}, {}, "1:0:0:0 2:420:0:4"}, // the emptied account is at 0, not its old total
        {{9},
         cortesia + QStringLiteral("(9, 1, 10)"),
         "1:310:0:3 2:100:0:1"}, // the courtesy counts where it moved
        {{6}, cortesia + QStringLiteral("(7, 1, 5)"), "1:180:0:3 2:235:0:1"}, // and where it stayed
        {{7},
         QStringLiteral("UPDATE Producto SET Nombre_Cuenta='AGUA D''JAMAICA' WHERE ID_Producto=132"),
         "1:390:0:3 2:30:0:1"}, // a quote in the name goes to the log as it is
    };
    for (const Caso& caso : casos) {
        SetUp();
        firmar(1);
        if (!caso.antes.isEmpty())
            exec(caso.antes);
        EXPECT_EQ(dividir(caso.mover), std::optional<qint16>(2)) << caso.despues;
        EXPECT_EQ(cuentas(), QString::fromUtf8(caso.despues));
        EXPECT_EQ(fakes::descuadres(archivoBase()), QStringList()) << caso.despues;
        EXPECT_EQ(bitacora(QStringLiteral("Dividir mesa 15 nueva cuenta 2")), 1);
        EXPECT_EQ(
            contar(QStringLiteral("SELECT COUNT(*) FROM Bitacora WHERE Texto LIKE 'Se paso producto % a "
                                  "nueva cuenta 2'")),
            caso.mover.size());
    }
    EXPECT_EQ(bitacora(QStringLiteral("Se paso producto AGUA D''JAMAICA a nueva cuenta 2")), 1);
}

TEST_F(CuentasComandaTest, APackageMovesWithItsComponentsAndIsListedOnce) {
    firmar(1);
    CuentasComanda orden(*context, 1, 1);
    QList<qint64> listados;
    for (const CuentasComanda::Articulo& a : orden.articulos(1).value_or(QList<CuentasComanda::Articulo>()))
        listados.append(a.id);
    EXPECT_EQ(listados, (QList<qint64>{1, 2, 3, 4, 5, 10}));
    EXPECT_EQ(dividir({10}, 1), std::optional<qint16>(2));
    EXPECT_EQ(
        contar(QStringLiteral("SELECT COUNT(*) FROM ProductosXCuenta WHERE ID_Comanda=1 AND Num_Cuenta=2")),
        3);
    EXPECT_EQ(fakes::descuadres(archivoBase()), QStringList());
}

TEST_F(CuentasComandaTest, ASplitIsRefusedChangingNothingWithTheReason) {
    struct Caso {
        const char* antes; // run after the items were listed
        const char* mensaje;
    };
    const Caso casos[] = {
        {"INSERT INTO Pago (ID_Comanda, Control, Num_Cuenta, ID_Tipo_Pago, Monto_Pago) VALUES (2, 1, 1, 1, "
         "5)",
         "Imposible dividir cuentas que contengan pagos!"},
        // Another terminal moved the item meanwhile: nothing of the split stays.
        {"INSERT INTO Cuenta (ID_Comanda, Num_Cuenta, Control) VALUES (2, 2, 1);"
         "UPDATE ProductosXCuenta SET Num_Cuenta=2 WHERE ID_ProductosXCuenta=9",
         "La cuenta cambió en otra terminal; no se dividió."},
    };
    for (const Caso& caso : casos) {
        SetUp();
        firmar(1);
        CuentasComanda orden(*context, 2, 1);
        const QList<CuentasComanda::Articulo> todos = *orden.articulos(1);
        for (const QString& sql : QString::fromUtf8(caso.antes).split(u';'))
            exec(sql);
        const QString antes = cuentas();
        EXPECT_FALSE(orden.dividir(1, QStringLiteral("15"), todos));
        EXPECT_EQ(preguntas.mensajes().last(), QString::fromUtf8(caso.mensaje));
        EXPECT_EQ(cuentas(), antes);
        EXPECT_EQ(bitacora(QStringLiteral("Dividir mesa 15 nueva cuenta 2")), 0);
    }
}

TEST_F(CuentasComandaTest, JoiningMovesItemsAndPaymentsIntoTheSelectedAccountOnlyWhenItMay) {
    struct Caso {
        qint16 seleccionada, tocada;
        const char* antes;
        int respuesta;
        const char* mensaje; // after the question
        const char* despues;
    };
    const Caso casos[] = {
        {1, 2, "", Prompts::kAnswerYes, "", "1:420:0:4"},
        {2, 1, "", Prompts::kAnswerYes, "", "2:420:0:4"},
        {1, 2, "", Prompts::kAnswerNo, "", "1:265:0:2 2:155:0:2"},
        // Touched again, the selected account is not joined into itself (which deleted its row).
        {2, 2, "", Prompts::kAnswerYes, "", "1:265:0:2 2:155:0:2"},
        {1, 2, "UPDATE Cuenta SET Pagada=1 WHERE ID_Comanda=2", Prompts::kAnswerYes, "", "1:420:1:4"},
        {1, 2, "UPDATE Cuenta SET Pagada=1 WHERE ID_Comanda=2 AND Num_Cuenta=1", Prompts::kAnswerYes, "",
         "1:420:0:4"},
        {1, 2, "UPDATE Cuenta SET Facturada=1 WHERE ID_Comanda=2 AND Num_Cuenta=2", Prompts::kAnswerYes,
         "Imposible unir una cuenta facturada!", "1:265:0:2 2:155:0:2"},
        {2, 1, "UPDATE Cuenta SET Facturada=1 WHERE ID_Comanda=2 AND Num_Cuenta=2", Prompts::kAnswerYes,
         "Imposible unir una cuenta facturada!", "1:265:0:2 2:155:0:2"},
    };
    for (const Caso& caso : casos) {
        SetUp();
        firmar(1);
        dosCuentas();
        exec(QStringLiteral("INSERT INTO Pago (ID_Comanda, Control, Num_Cuenta, ID_Tipo_Pago, Monto_Pago) "
                            "VALUES (2, 1, 2, 1, 155)"));
        if (*caso.antes)
            exec(QString::fromUtf8(caso.antes));
        preguntas.answerMensaje(caso.respuesta);
        const QString despues = QString::fromUtf8(caso.despues);
        const qsizetype dichos = preguntas.mensajes().size();
        const bool unidas = CuentasComanda(*context, 2, 1).unir(caso.seleccionada, caso.tocada);
        EXPECT_EQ(unidas, !despues.contains(u' ')) << caso.despues;
        EXPECT_EQ(cuentas(), despues);
        // The question, unless the account was touched again; then the refusal, if any.
        const QStringList dicho = preguntas.mensajes().mid(dichos);
        EXPECT_EQ(dicho.value(1), QString::fromUtf8(caso.mensaje)) << caso.despues;
        EXPECT_EQ(dicho.isEmpty(), caso.seleccionada == caso.tocada) << caso.despues;
        EXPECT_EQ(contar(QStringLiteral("SELECT COUNT(*) FROM Pago p WHERE ID_Comanda=2 AND Num_Cuenta=%1")
                             .arg(unidas ? caso.seleccionada : 2)),
                  1);
        EXPECT_EQ(fakes::descuadres(archivoBase()), QStringList()) << caso.despues;
    }
}

TEST_F(CuentasComandaTest, AFailureHalfWayThroughAJoinRollsBackAndSaysSo) {
    firmar(1);
    dosCuentas();
    preguntas.answerMensaje(Prompts::kAnswerYes);
    faultyConnection->failAt(fakes::busyDatabase(1, QStringLiteral("DELETE FROM Cuenta")));
    EXPECT_FALSE(CuentasComanda(*context, 2, 1).unir(1, 2));
    EXPECT_EQ(messageBox.shown.size(), 1);
    EXPECT_EQ(cuentas(), QStringLiteral("1:265:0:2 2:155:0:2"));
    EXPECT_TRUE(faultyConnection->promptsInTransaction().isEmpty());
}

TEST_F(CuentasComandaTest, KilledAtAnyStatementASplitOrAJoinIsWholeOrNotAtAll) {
    const int division = matarEnCadaPaso(
        [] {},
        [](TerminalContext& terminal) {
            CuentasComanda orden(terminal, 2, 1);
            QList<CuentasComanda::Articulo> mover = *orden.articulos(1);
            mover.removeFirst();
            orden.dividir(1, QStringLiteral("15"), mover);
        },
        [this] { return cuentas(); }, {QStringLiteral("1:420:0:4"), QStringLiteral("1:235:0:1 2:185:0:3")});
    const int union_ = matarEnCadaPaso([this] { dosCuentas(); },
                                       [this](TerminalContext& terminal) {
                                           prompts.answerMensaje(Prompts::kAnswerYes);
                                           CuentasComanda(terminal, 2, 1).unir(1, 2);
                                       },
                                       [this] { return cuentas(); },
                                       {QStringLiteral("1:265:0:2 2:155:0:2"), QStringLiteral("1:420:0:4")});
    EXPECT_GE(division, 10);
    EXPECT_GE(union_, 10);
    std::cout << "kill points (split): " << division << ", (join accounts): " << union_ << std::endl;
}

} // namespace
} // namespace nerin
