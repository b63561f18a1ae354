#include "cashier/AjustePagos.h"

#include "cashier/tests/CajaFixture.h"
#include "tables/tests/TablesFixture.h"

#include <gtest/gtest.h>

namespace nerin::fakes {
namespace {

using Pago = AjustePagos::Pago;

class AjustePagosTest : public CajaFixture {
protected:
    // The adjustments as employee `empleado` sees them (cajero1 may see and delete every payment).
    void ajustes(qint16 empleado = 3, std::function<bool(const QString&)> falla = {}, int despues = 0) {
        abrir(std::move(falla), despues);
        context->iniciarSesion(Sesion(empleado, {}, {}, false));
        ajuste = std::make_unique<AjustePagos>(*context);
        ASSERT_TRUE(ajuste->cargarPermisos());
    }
    // The payment of demo order 3 (table 3, mesero2): 631.00 by credit card with a tip of 95.00.
    std::optional<Pago> pagoMesa3() {
        const auto pagos = ajuste->Llenar_Spread();
        if (!pagos)
            return std::nullopt;
        for (const Pago& pago : *pagos)
            if (pago.mesa == 3)
                return pago;
        return std::nullopt;
    }
    QString pagoGuardado() {
        return rows(QStringLiteral("SELECT ID_Tipo_Pago, Monto_Pago, Propina, comision FROM Pago WHERE "
                                   "ID_Comanda=3"))
            .join(u',');
    }
    // Order 3 and its annex 3/2: open mark, closing time, the account's paid mark.
    QString ordenes() {
        return rows(QStringLiteral(
                        "SELECT c.ID_Comanda, c.Control, c.Abierta, CASE WHEN c.Fecha_Cierre IS NULL "
                        "THEN 'sin cierre' ELSE 'cerrada' END, cu.Pagada FROM Comanda c, Cuenta cu "
                        "WHERE c.ID_Comanda=3 AND cu.ID_Comanda=c.ID_Comanda AND cu.Control=c.Control "
                        "ORDER BY c.Control"))
            .join(u',');
    }
    QString transacciones() {
        return rows(QStringLiteral("SELECT Transaccion FROM Transacciones")).join(u',');
    }
    QString bitacoraBorrados() {
        return rows(QStringLiteral(
                        "SELECT ID_Empleado, Texto FROM Bitacora WHERE Texto LIKE 'Pago % borrado%'"))
            .join(u',');
    }

    std::unique_ptr<AjustePagos> ajuste;
};

TEST_F(AjustePagosTest, PermissionsWidenTheListAndAllowDeleting) {
    // Waiters (group 3) see every payment only through permission 47.
    exec(QStringLiteral("DELETE FROM PermisosXGrupo_Trabajo WHERE ID_Grupo_Trabajo=3 AND ID_Permiso=47"));
    const struct {
        qint16 empleado;
        qsizetype pagos;
        bool borra;
    } casos[] = {
        {3, 1, true},  // cajero1: 47, 65 and 56
        {4, 1, false}, // mesero2: his own table 3
        {1, 0, false}, // mesero1: no payment on her tables
        {4, 1, false}, // mesero2 again, to delete below
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.empleado);
        ajustes(caso.empleado);
        EXPECT_EQ(ajuste->Llenar_Spread()->size(), caso.pagos);
        EXPECT_EQ(ajuste->puedeBorrar(), caso.borra);
    }
    prompts.answerMensaje(Prompts::kAnswerYes);
    EXPECT_FALSE(ajuste->borrar(pagoMesa3()));
    EXPECT_TRUE(prompts.asked().isEmpty()) << "without permission 56 nothing is asked nor deleted";
}

TEST_F(AjustePagosTest, NothingChosenSaysWhatIsMissingAndChangesNothing) {
    ajustes();
    const std::optional<Pago> pago = pagoMesa3();
    ASSERT_TRUE(pago);
    const QString antes = pagoGuardado();
    const struct {
        const char* caso;
        std::function<bool()> accion;
        const char* mensaje;
    } casos[] = {
        {"tip", [&] { return ajuste->ajustarPropina(std::nullopt); }, AjustePagos::kSeleccione},
        {"type", [&] { return ajuste->cambiarTipo(std::nullopt, 3); }, AjustePagos::kSeleccione},
        {"delete", [&] { return ajuste->borrar(std::nullopt); }, AjustePagos::kSeleccione},
        {"no type", [&] { return ajuste->cambiarTipo(pago, std::nullopt); }, AjustePagos::kSeleccioneTipo},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.caso);
        EXPECT_FALSE(caso.accion());
        EXPECT_EQ(ultimaPregunta().texto, QString::fromUtf8(caso.mensaje));
    }
    EXPECT_EQ(pagoGuardado(), antes);
    EXPECT_EQ(ordenes(), QStringLiteral("3|1|0|cerrada|1"));
}

TEST_F(AjustePagosTest, TipsAndTypesAreWrittenAndAPaymentGoneMeanwhileIsReported) {
    ajustes();
    const std::optional<Pago> pago = pagoMesa3();
    ASSERT_TRUE(pago);
    EXPECT_EQ(pagoGuardado(), QStringLiteral("2|631|95|2.5"));
    prompts.answerValor({false, *Currency::parse(u"50.5"), false});
    EXPECT_TRUE(ajuste->ajustarPropina(pago));
    prompts.answerValor({false, Currency::fromUnits(10), true}); // 10 % of 631.00
    EXPECT_TRUE(ajuste->ajustarPropina(pago));
    EXPECT_EQ(pagoGuardado(), QStringLiteral("2|631|63.1|2.5"));
    prompts.answerValor({false, Currency::fromUnits(-1), false});
    EXPECT_FALSE(ajuste->ajustarPropina(pago));
    EXPECT_EQ(ultimaPregunta().texto, QString::fromUtf8(AjustePagos::kPropinaInvalida));

    // The debit card's commission comes with its type.
    EXPECT_TRUE(ajuste->cambiarTipo(pago, 3));
    EXPECT_EQ(pagoGuardado(), QStringLiteral("3|631|63.1|1.5"));

    exec(QStringLiteral("DELETE FROM Pago WHERE ID_Comanda=3"));
    prompts.answerValor({false, Currency::fromUnits(1), false});
    EXPECT_FALSE(ajuste->ajustarPropina(pago));
    EXPECT_EQ(ultimaPregunta().texto, QString::fromUtf8(AjustePagos::kBorrado));
    EXPECT_FALSE(ajuste->cambiarTipo(pago, 1));
    EXPECT_EQ(ultimaPregunta().texto, QString::fromUtf8(AjustePagos::kBorrado));
}

// Order 3 has an annex under the same number (terminal 2's order 3), closed and paid too; only the
// order the payment belongs to comes back.
TEST_F(AjustePagosTest, DeletingAPaymentReopensItsOrderAndClearsThePaidMark) {
    ajustes();
    exec(QStringLiteral(
        "INSERT INTO Comanda (ID_Comanda, Control, Num_Mesa, ID_Empleado, Abierta, Fecha_Cierre, "
        "fecha_trabajo) SELECT 3, 2, 33, 4, 0, GETDATE(), Valor_Cad FROM Parametros WHERE "
        "Id_Parametro='FECHA_TRABAJO'"));
    exec(QStringLiteral(
        "INSERT INTO Cuenta (ID_Comanda, Num_Cuenta, Control, Pagada, Total) VALUES (3, 1, 2, 1, 10)"));
    const std::optional<Pago> pago = pagoMesa3();
    ASSERT_TRUE(pago);
    prompts.answerMensaje(Prompts::kAnswerYes);
    prompts.answerMensaje(Prompts::kAnswerOk);
    EXPECT_TRUE(ajuste->borrar(pago));
    EXPECT_EQ(prompts.mensajes(), (QStringList{QStringLiteral("¿Esta seguro de querer borrar el pago?"),
                                               QStringLiteral("La mesa fue reabierta")}));
    EXPECT_EQ(ordenes(), QStringLiteral("3|1|1|sin cierre|0,3|2|0|cerrada|1"));
    EXPECT_EQ(pagoGuardado(), QString());
    EXPECT_EQ(transacciones(), QStringLiteral("DELETE FROM Pago WHERE ID_Pago=%1").arg(pago->idPago));
    EXPECT_EQ(bitacoraBorrados(),
              QStringLiteral("3|Pago %1 borrado Com 3 cta 1 monto 631 prop 95").arg(pago->idPago));

    // Deleted meanwhile at another terminal: said, not counted as done.
    prompts.answerMensaje(Prompts::kAnswerYes);
    EXPECT_FALSE(ajuste->borrar(pago));
    EXPECT_EQ(ultimaPregunta().texto, QString::fromUtf8(AjustePagos::kBorrado));
}

TEST_F(AjustePagosTest, WhatIsLeftPaidDecidesThePaidMark) {
    ajustes();
    // A tip given alone (amount 0) leaves the account paid in full.
    exec(QStringLiteral(
        "INSERT INTO Pago (ID_Comanda, Control, Num_Cuenta, ID_Tipo_Pago, Monto_Pago, Propina) "
        "VALUES (3, 1, 1, 1, 0, 20)"));
    const auto pagos = ajuste->Llenar_Spread();
    ASSERT_EQ(pagos->size(), 2);
    prompts.answerMensaje(Prompts::kAnswerYes);
    EXPECT_TRUE(ajuste->borrar(pagos->at(1)));
    EXPECT_EQ(ordenes(), QStringLiteral("3|1|1|sin cierre|1"));
}

TEST_F(AjustePagosTest, ATableNumberTakenMeanwhileKeepsThePayment) {
    ajustes();
    exec(QStringLiteral(
        "INSERT INTO Comanda (ID_Comanda, Control, Num_Mesa, ID_Empleado, fecha_trabajo) SELECT 4, "
        "1, 3, 1, Valor_Cad FROM Parametros WHERE Id_Parametro='FECHA_TRABAJO'"));
    prompts.answerMensaje(Prompts::kAnswerYes);
    EXPECT_FALSE(ajuste->borrar(pagoMesa3()));
    EXPECT_EQ(ultimaPregunta().texto, QStringLiteral("La mesa 3 está abierta por ROSA MENDOZA RUIZ"));
    EXPECT_EQ(pagoGuardado(), QStringLiteral("2|631|95|2.5"));
    EXPECT_EQ(ordenes(), QStringLiteral("3|1|0|cerrada|1"));
}

// The database fails at each change of the deletion in turn: nothing of it stays, the person is told
// once the transaction is over, never while it is open.
TEST_F(AjustePagosTest, AFailedDeletionLeavesEverythingAsItWas) {
    for (const char* sentencia : {"UPDATE Comanda", "DELETE FROM Pago", "INSERT INTO Transacciones",
                                  "UPDATE Cuenta", "INSERT INTO Bitacora"}) {
        SCOPED_TRACE(sentencia);
        SetUp();
        prompts = ScriptedPrompts();
        ajustes(3, [sentencia](const QString& sql) { return sql.startsWith(QLatin1String(sentencia)); });
        bool avisoConTransaccion = false;
        messageBox.mientras = [&] {
            avisoConTransaccion |= static_cast<ConexionQueFalla&>(baseDatos->connection()).enTransaccion();
        };
        prompts.answerMensaje(Prompts::kAnswerYes);
        const qsizetype antes = messageBox.shown.size();
        EXPECT_FALSE(ajuste->borrar(pagoMesa3()));
        // Told once, by the data layer's report; no second message of the adjustments.
        EXPECT_EQ(messageBox.shown.size(), antes + 1);
        EXPECT_EQ(prompts.asked().size(), 1); // only "¿Esta seguro...?"
        EXPECT_FALSE(avisoConTransaccion);
        EXPECT_EQ(pagoGuardado(), QStringLiteral("2|631|95|2.5"));
        EXPECT_EQ(ordenes(), QStringLiteral("3|1|0|cerrada|1"));
        EXPECT_EQ(transacciones(), QString());
        EXPECT_EQ(bitacoraBorrados(), QString());
    }
}

} // namespace
} // namespace nerin::fakes

namespace nerin::fakes {
namespace {

class AjustePagosMuerteTest : public TablesFixture {};

// The terminal is switched off before each statement of the deletion in turn: the payment of table 3
// is either still there with the table closed and paid, or gone with the table open, never half.
TEST_F(AjustePagosMuerteTest, ATerminalSwitchedOffMidDeletionLeavesAllOrNothing) {
    const QString antes = QStringLiteral("1|0|1|0");
    const QString despues = QStringLiteral("0|1|0|1");
    const int pasos = matarEnCadaPaso(
        [this] {
            prompts = ScriptedPrompts();
            prompts.answerMensaje(Prompts::kAnswerYes);
        },
        [](TerminalContext& terminal) {
            terminal.iniciarSesion(Sesion(3, {}, {}, false));
            AjustePagos ajuste(terminal);
            if (!ajuste.cargarPermisos())
                return;
            const auto pagos = ajuste.Llenar_Spread();
            if (pagos && !pagos->isEmpty())
                ajuste.borrar(pagos->first());
        },
        [this] {
            return rowsOf(archivoBase(),
                          QStringLiteral(
                              "SELECT (SELECT COUNT(*) FROM Pago WHERE ID_Comanda=3), Abierta, (SELECT "
                              "Pagada FROM Cuenta WHERE ID_Comanda=3), (SELECT COUNT(*) FROM "
                              "Transacciones) FROM Comanda WHERE ID_Comanda=3"))
                .join(u',');
        },
        {antes, despues});
    EXPECT_GT(pasos, 8);
    EXPECT_EQ(
        rowsOf(archivoBase(), QStringLiteral("SELECT COUNT(*) FROM Pago WHERE ID_Comanda=3")).join(u','),
        QStringLiteral("0"));
}

} // namespace
} // namespace nerin::fakes
