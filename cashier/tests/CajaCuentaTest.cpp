#include "cashier/CajaCuenta.h"

#include "cashier/tests/CajaFixture.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace nerin::fakes {
namespace {

constexpr int kEfectivo = 0; // EFECTIVO, class E
constexpr int kCredito = 1;  // TARJETA DE CREDITO, commission 2.5
constexpr int kDolares = 3;  // DOLARES, class E

Currency pesos(const char* texto) {
    return *Currency::parse(QString::fromLatin1(texto));
}

Prompts::PaymentAnswer pago(const char* monto, const char* propina = "0", const QString& referencia = {}) {
    return {false, pesos(monto), pesos(propina), referencia};
}

class CajaCuentaTest : public CajaFixture {
protected:
    // The payment screen's rules on account `numCuenta` of order `orden`, with the payment types loaded.
    void cuenta(qint32 orden = 2, std::function<bool(const QString&)> falla = {}, int despues = 0,
                qint16 numCuenta = 1) {
        abrir(std::move(falla), despues);
        caja = std::make_unique<CajaCuenta>(*context, facturacion, *lealtad);
        ASSERT_TRUE(caja->cargarTiposPago());
        caja->setNumero_Comanda(orden);
        caja->setNumero_Control(1);
        caja->setNumero_Cuenta(numCuenta);
    }
    // Takes payments of the given types, answering the keypad with the given answers.
    void pagar(std::initializer_list<std::pair<int, Prompts::PaymentAnswer>> pagos) {
        for (const auto& [tipo, respuesta] : pagos) {
            prompts.answerPago(respuesta);
            ASSERT_TRUE(caja->agregarPago(tipo));
        }
    }
    QStringList pagosGuardados(qint32 orden = 2) {
        return rows(
            QStringLiteral("SELECT ID_Tipo_Pago, Monto_Pago, Propina, Referencia, Id_Empleado, comision FROM "
                           "Pago WHERE ID_Comanda=%1 ORDER BY ID_Pago")
                .arg(orden));
    }
    qint64 pagada(qint32 orden = 2) {
        return numero(QStringLiteral("SELECT Pagada FROM Cuenta WHERE ID_Comanda=%1").arg(orden));
    }
    qint64 abierta(qint32 orden = 2) {
        return numero(QStringLiteral("SELECT Abierta FROM Comanda WHERE ID_Comanda=%1").arg(orden));
    }
    QStringList bitacoraPagos() {
        return rows(QStringLiteral(
            "SELECT ID_Empleado, Texto FROM Bitacora WHERE Texto LIKE 'Pago Com%' OR Texto LIKE "
            "'Comanda % cerrada' ORDER BY 2"));
    }

    std::unique_ptr<CajaCuenta> caja;
};

TEST_F(CajaCuentaTest, LoadsTheAccountItsTaxesAndTheStoredPayments) {
    cuenta(2);
    EXPECT_EQ(caja->total(), pesos("420"));
    EXPECT_EQ(caja->pagado(), Currency());
    EXPECT_EQ(caja->pendiente(), pesos("420"));
    EXPECT_NEAR(caja->razonImpuesto(), 0.16, 0.0005);
    EXPECT_FALSE(caja->impuestoEnRojo());
    EXPECT_EQ(caja->textoHuespedes(), QStringLiteral("2 huéspedes"));
    ASSERT_EQ(caja->tiposPago().size(), 4);
    EXPECT_EQ(caja->tiposPago().at(kDolares).nombre, QStringLiteral("DOLARES"));

    cuenta(3);
    ASSERT_EQ(caja->pagosGuardados().size(), 1);
    EXPECT_EQ(caja->pagosGuardados().at(0).nombre, QStringLiteral("TARJETA DE CREDITO"));
    EXPECT_EQ(caja->pagado(), pesos("631"));
    EXPECT_EQ(caja->pendiente(), Currency());
}

TEST_F(CajaCuentaTest, AnItemWithoutTaxDrawsTheTaxFigureInRed) {
    exec(QStringLiteral(
        "UPDATE ImpuestosXCuenta SET Monto_ImpuestosXCuenta = 0 WHERE ID_ProductosXCuenta = 7"));
    cuenta(2);
    EXPECT_TRUE(caja->impuestoEnRojo());
}

TEST_F(CajaCuentaTest, TheKeypadStartsWithWhatIsStillPending) {
    cuenta(2);
    pagar({{kCredito, pago("100")}});
    prompts.answerPago({});
    EXPECT_FALSE(caja->agregarPago(kEfectivo));
    ASSERT_EQ(prompts.asked().size(), 2);
    EXPECT_EQ(prompts.asked().at(1).texto, QStringLiteral("EFECTIVO"));
    EXPECT_EQ(caja->pagosNuevos().size(), 1) << "a cancelled keypad adds nothing";
    EXPECT_EQ(caja->pagado(), pesos("100"));
}

TEST_F(CajaCuentaTest, AnExactPaymentMarksTheAccountPaidAndAsksBothQuestions) {
    cuenta(2);
    pagar({{kCredito, pago("420", "50", QStringLiteral("004512"))}});
    prompts.answerMensaje(Prompts::kAnswerNo);
    prompts.answerMensaje(Prompts::kAnswerNo);
    EXPECT_EQ(caja->aceptar(), CajaCuenta::Resultado::Terminado);
    EXPECT_EQ(pagosGuardados(), QStringList{QStringLiteral("2|420|50|004512|3|2.5")});
    EXPECT_EQ(pagada(), 1);
    EXPECT_EQ(prompts.mensajes(),
              (QStringList{QStringLiteral("¡Desea Facturar?"), QStringLiteral("¿Cerrar la mesa?")}));
    EXPECT_EQ(abierta(), 1) << "No to closing leaves the table open with its accounts paid";
    EXPECT_EQ(bitacoraPagos(), QStringList{QStringLiteral("3|Pago Com 2 cta 1 monto 420 prop 50")});
    EXPECT_TRUE(trabajos().isEmpty());
}

TEST_F(CajaCuentaTest, ACashOverpaymentStoresTheCashLessTheChangeAndMarksTheAccountPaid) {
    cuenta(2);
    pagar({{kEfectivo, pago("500")}});
    EXPECT_EQ(caja->cambio(), pesos("80"));
    EXPECT_EQ(caja->aceptar(), CajaCuenta::Resultado::Terminado);
    EXPECT_EQ(pagosGuardados(), QStringList{QStringLiteral("1|420|0||3|0")});
    EXPECT_EQ(pagada(), 1);
}

TEST_F(CajaCuentaTest, TheChangeComesFromTheFirstCashPaymentThatCoversIt) {
    cuenta(2);
    // 20 in cash cannot give 100 of change; the dollars can.
    pagar({{kEfectivo, pago("20")}, {kCredito, pago("300")}, {kDolares, pago("200")}});
    EXPECT_EQ(caja->aceptar(), CajaCuenta::Resultado::Terminado);
    EXPECT_EQ(pagosGuardados(), (QStringList{QStringLiteral("1|20|0||3|0"), QStringLiteral("2|300|0||3|2.5"),
                                             QStringLiteral("4|100|0||3|0")}));
    EXPECT_EQ(pagada(), 1);
}

TEST_F(CajaCuentaTest, AnOverpaymentWithoutCashToGiveChangeFromIsRefused) {
    const struct {
        const char* caso;
        std::initializer_list<std::pair<int, Prompts::PaymentAnswer>> pagos;
    } casos[] = {
        {"card only", {{kCredito, pago("500")}}},
        {"cash smaller than the change", {{kEfectivo, pago("10")}, {kCredito, pago("500")}}},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.caso);
        prompts = ScriptedPrompts();
        cuenta(2);
        pagar(caso.pagos);
        const int pagos = static_cast<int>(caja->pagosNuevos().size());
        EXPECT_EQ(caja->aceptar(), CajaCuenta::Resultado::Permanece);
        EXPECT_EQ(ultimaPregunta().texto, QString::fromUtf8(CajaCuenta::kSinCambio));
        EXPECT_TRUE(pagosGuardados().isEmpty());
        EXPECT_EQ(pagada(), 0);
        EXPECT_EQ(caja->pagosNuevos().size(), pagos);
    }
}

TEST_F(CajaCuentaTest, APartialPaymentLeavesTheAccountUnpaidAndAsksNothing) {
    cuenta(2);
    pagar({{kCredito, pago("100", "15")}});
    EXPECT_EQ(caja->aceptar(), CajaCuenta::Resultado::Terminado);
    EXPECT_EQ(pagosGuardados(), QStringList{QStringLiteral("2|100|15||3|2.5")});
    EXPECT_EQ(pagada(), 0);
    EXPECT_TRUE(prompts.mensajes().isEmpty());
    EXPECT_EQ(abierta(), 1);

    // The rest, later, on a new screen: the stored payment is listed and counts as paid.
    cuenta(2);
    EXPECT_EQ(caja->pendiente(), pesos("320"));
    pagar({{kEfectivo, pago("320")}});
    EXPECT_EQ(caja->aceptar(), CajaCuenta::Resultado::Terminado);
    EXPECT_EQ(pagada(), 1);
}

TEST_F(CajaCuentaTest, TheLastAccountPaidClosesTheTableAndPrintsEveryAccountWithItsPayments) {
    // A second account of order 2, already paid at another terminal.
    exec(QStringLiteral(
        "INSERT INTO Cuenta (ID_Comanda, Num_Cuenta, Control, Pagada, Total) VALUES (2, 2, 1, 1, 50)"));
    exec(QStringLiteral("INSERT INTO Pago (ID_Comanda, Control, Num_Cuenta, ID_Tipo_Pago, Monto_Pago) VALUES "
                        "(2, 1, 2, 1, 50)"));
    cuenta(2);
    pagar({{kCredito, pago("300", "45")}, {kEfectivo, pago("200")}});
    prompts.answerMensaje(Prompts::kAnswerYes); // invoice
    prompts.answerMensaje(Prompts::kAnswerOk);  // the invoice is not available
    prompts.answerMensaje(Prompts::kAnswerYes); // close the table
    EXPECT_EQ(caja->aceptar(), CajaCuenta::Resultado::Terminado);

    EXPECT_EQ(prompts.mensajes(),
              (QStringList{QStringLiteral("¡Desea Facturar?"), FacturacionNoDisponible::kMensaje,
                           QStringLiteral("¿Cerrar la mesa?")}));
    EXPECT_EQ(abierta(), 0);
    EXPECT_EQ(field(QStringLiteral("SELECT Fecha_Cierre FROM Comanda WHERE ID_Comanda=2")).toDateTime(),
              QDateTime(QDate(2026, 12, 6), QTime(9, 30)));
    EXPECT_EQ(bitacoraPagos(), (QStringList{QStringLiteral("3|Comanda 2 cerrada"),
                                            QStringLiteral("3|Pago Com 2 cta 1 monto 120 prop 0"),
                                            QStringLiteral("3|Pago Com 2 cta 1 monto 300 prop 45")}));
    EXPECT_EQ(trabajos(), (QStringList{QStringLiteral("1|T|1|cajero1|cerrado"),
                                       QStringLiteral("2|T|1|cajero1|cerrado")}));
    EXPECT_TRUE(impreso(1).contains(QStringLiteral("TARJETA DE CR$300.00      $45.00")));
    EXPECT_TRUE(impreso(1).contains(QStringLiteral("EFECTIVO     $120.00      $0.00")));
    EXPECT_TRUE(impreso(2).contains(QStringLiteral("Folio: 2 Cuenta: 2")));
    EXPECT_EQ(
        rows(QStringLiteral("SELECT Num_Cuenta, Num_Impresiones FROM Cuenta WHERE ID_Comanda=2 ORDER BY 1")),
        (QStringList{QStringLiteral("1|1"), QStringLiteral("2|1")}));
}

TEST_F(CajaCuentaTest, ATipWithoutAnAmountStoresAmountZeroWithTheTip) {
    cuenta(3);
    pagar({{kCredito, pago("0", "30")}});
    ASSERT_EQ(caja->pagosNuevos().size(), 1);
    EXPECT_FALSE(caja->pagosNuevos().at(0).conMonto);
    prompts.answerMensaje(Prompts::kAnswerNo);
    prompts.answerMensaje(Prompts::kAnswerNo);
    EXPECT_EQ(caja->aceptar(), CajaCuenta::Resultado::Terminado);
    EXPECT_EQ(pagosGuardados(3).last(), QStringLiteral("2|0|30||3|2.5"));
}

TEST_F(CajaCuentaTest, SumsOfCentsCompareExactly) {
    const struct {
        const char* total;
        std::initializer_list<std::pair<int, Prompts::PaymentAnswer>> pagos;
        const char* guardado;
    } casos[] = {
        {"0.30", {{kCredito, pago("0.10")}, {kCredito, pago("0.20")}}, "0.3"},
        {"99.95", {{kEfectivo, pago("100")}}, "100"},
        {"100.05", {{kEfectivo, pago("100")}}, "100"},
        {"100.45", {{kCredito, pago("100.40")}, {kEfectivo, pago("0.05")}}, "100.45"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.total);
        exec(QStringLiteral("UPDATE Cuenta SET Total=%1, Pagada=0 WHERE ID_Comanda=2")
                 .arg(QString::fromLatin1(caso.total)));
        exec(QStringLiteral("DELETE FROM Pago WHERE ID_Comanda=2"));
        cuenta(2);
        pagar(caso.pagos);
        EXPECT_EQ(caja->cambio(), Currency());
        EXPECT_EQ(caja->aceptar(), CajaCuenta::Resultado::Terminado);
        EXPECT_EQ(pagada(), 1);
        EXPECT_EQ(field(QStringLiteral("SELECT SUM(Monto_Pago) FROM Pago WHERE ID_Comanda=2")).toCurrency(),
                  pesos(caso.guardado));
    }
}

TEST_F(CajaCuentaTest, EachAccountPaidWhatTheScreenAskedClosesTheTable) {
    // Two accounts of 50.05: the screen asks 50.00 of each, while their sum, 100.10, rounds to itself.
    const struct {
        const char* caso;
        bool pagarSegunda;
        QStringList preguntas;
    } casos[] = {
        {"both accounts paid",
         true,
         {QStringLiteral("¡Desea Facturar?"), QStringLiteral("¿Cerrar la mesa?")}},
        {"the second account unpaid", false, {}},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.caso);
        exec(QStringLiteral("DELETE FROM Pago WHERE ID_Comanda=2"));
        exec(QStringLiteral("DELETE FROM Cuenta WHERE ID_Comanda=2 AND Num_Cuenta=2"));
        exec(QStringLiteral("UPDATE Cuenta SET Total=50.05, Pagada=0 WHERE ID_Comanda=2"));
        exec(QStringLiteral("INSERT INTO Cuenta (ID_Comanda, Num_Cuenta, Control, Pagada, Total) VALUES "
                            "(2, 2, 1, 0, 50.05)"));
        prompts = ScriptedPrompts();
        prompts.answerMensaje(Prompts::kAnswerNo);
        prompts.answerMensaje(Prompts::kAnswerNo);
        for (qint16 numCuenta = 2; numCuenta >= (caso.pagarSegunda ? 1 : 2); --numCuenta) {
            cuenta(2, {}, 0, numCuenta);
            EXPECT_EQ(caja->pendiente(), pesos("50"));
            pagar({{kEfectivo, pago("50")}});
            EXPECT_EQ(caja->aceptar(), CajaCuenta::Resultado::Terminado);
        }
        EXPECT_EQ(prompts.mensajes(), caso.preguntas);
    }
}

TEST_F(CajaCuentaTest, ADatabaseLostOnTheThirdPaymentStoresNoneOfThem) {
    // The third INSERT INTO Pago fails, as if the database went away after the second.
    cuenta(
        2, [](const QString& sql) { return sql.startsWith(QLatin1String("INSERT INTO Pago")); }, 2);
    pagar({{kCredito, pago("100")}, {kDolares, pago("100")}, {kEfectivo, pago("220")}});
    bool avisoConTransaccion = false;
    messageBox.mientras = [&] {
        avisoConTransaccion |= static_cast<ConexionQueFalla&>(baseDatos->connection()).enTransaccion();
    };
    EXPECT_EQ(caja->aceptar(), CajaCuenta::Resultado::Permanece);
    EXPECT_EQ(messageBox.shown.size(), 1) << "the failure is reported once";
    EXPECT_FALSE(avisoConTransaccion) << "no box waits for a touch while the payments' transaction is open";
    EXPECT_EQ(ultimaPregunta().texto, QString::fromUtf8(CajaCuenta::kNoGuardados));
    EXPECT_TRUE(pagosGuardados().isEmpty());
    EXPECT_TRUE(bitacoraPagos().isEmpty());
    EXPECT_EQ(pagada(), 0);
    EXPECT_EQ(caja->pagosNuevos().size(), 3) << "the payments stay on the screen to be accepted again";
    EXPECT_EQ(programEnded, 0);
}

TEST_F(CajaCuentaTest, AmountsOutsideWhatAPaymentTakesAreRefused) {
    const struct {
        const char* caso;
        Prompts::PaymentAnswer respuesta;
        const char* mensaje;
    } casos[] = {
        {"negative amount", pago("-10"), CajaCuenta::kMontoInvalido},
        {"negative tip", pago("10", "-1"), CajaCuenta::kPropinaInvalida},
        {"huge amount", pago("10000000.01"), CajaCuenta::kMontoInvalido},
    };
    cuenta(2);
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.caso);
        prompts.answerPago(caso.respuesta);
        EXPECT_FALSE(caja->agregarPago(kEfectivo));
        EXPECT_EQ(ultimaPregunta().texto, QString::fromUtf8(caso.mensaje));
    }
    EXPECT_TRUE(caja->pagosNuevos().isEmpty());
}

TEST_F(CajaCuentaTest, AmountsAreWrittenWithADecimalPointWhateverTheLocale) {
    const QLocale antes;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    cuenta(2);
    pagar({{kCredito, pago("100.25", "10.5")}});
    EXPECT_EQ(caja->aceptar(), CajaCuenta::Resultado::Terminado);
    QLocale::setDefault(antes);
    EXPECT_EQ(pagosGuardados(), QStringList{QStringLiteral("2|100.25|10.5||3|2.5")});
    EXPECT_EQ(bitacoraPagos(), QStringList{QStringLiteral("3|Pago Com 2 cta 1 monto 100.25 prop 10.5")});
}

TEST_F(CajaCuentaTest, AReferenceWithAQuoteIsStoredAsTyped) {
    cuenta(2);
    pagar({{kCredito, pago("100", "0", QStringLiteral("O'Brien 4512"))}});
    EXPECT_EQ(caja->aceptar(), CajaCuenta::Resultado::Terminado);
    EXPECT_EQ(pagosGuardados(), QStringList{QStringLiteral("2|100|0|O'Brien 4512|3|2.5")});
}

TEST_F(CajaCuentaTest, BorrarRemovesOnlyNewPaymentsAndCancelarStoresNothing) {
    cuenta(3);
    pagar({{kCredito, pago("10")}, {kEfectivo, pago("20")}});
    EXPECT_FALSE(caja->borrar(2));
    EXPECT_TRUE(caja->borrar(0));
    ASSERT_EQ(caja->pagosNuevos().size(), 1);
    EXPECT_EQ(caja->pagosNuevos().at(0).tipo.nombre, QStringLiteral("EFECTIVO"));
    EXPECT_EQ(caja->pagado(), pesos("651"));
    EXPECT_EQ(caja->pagosGuardados().size(), 1);

    caja->cancelar();
    EXPECT_TRUE(caja->getCancelado());
    EXPECT_EQ(pagosGuardados(3).size(), 1);
}

TEST_F(CajaCuentaTest, TouchingTheGuestsAsksAndStoresThem) {
    cuenta(2);
    prompts.answerNumero({false, 6, false});
    EXPECT_TRUE(caja->cambiarHuespedes());
    EXPECT_EQ(prompts.asked().last().texto, QStringLiteral("Número de Huéspedes"));
    EXPECT_EQ(caja->textoHuespedes(), QStringLiteral("6 huéspedes"));
    EXPECT_EQ(numero(QStringLiteral("SELECT CantHuespedes FROM Comanda WHERE ID_Comanda=2")), 6);

    prompts.answerNumero({});
    EXPECT_FALSE(caja->cambiarHuespedes());
    EXPECT_EQ(numero(QStringLiteral("SELECT CantHuespedes FROM Comanda WHERE ID_Comanda=2")), 6);
}

TEST_F(CajaCuentaTest, ClosingAccruesOnlyLoyaltyCardsAndNeverSendsAnAccountTwice) {
    // The service's address answers nobody: a request sent there cannot have reached it.
    const struct {
        const char* cliente;
        const char* marca; // the account's accrual mark before closing; "" for none
        const char* aviso; // the message after closing; "" for none, "*" for the client's own
        const char* marcaDespues;
    } casos[] = {
        {"3", "", "", ""}, // a local customer has no points
        {"100000000000017", "", "*", ""},
        {"100000000000017", "A", AbonoLealtadServicio::kYaAbonado, "A"},
        {"100000000000017", "E", AbonoLealtadServicio::kYaEnviado, "E"},
    };
    for (const auto& caso : casos) {
        SetUp();
        exec(QStringLiteral("UPDATE Cuenta SET CveCliente=%1 WHERE ID_Comanda=2").arg(caso.cliente));
        if (*caso.marca)
            exec(QStringLiteral(
                     "INSERT INTO Abono_Lealtad(ID_Comanda,Control,Num_Cuenta,CveCliente,Autorizacion,"
                     "Monto,Estado) VALUES(2,1,1,%1,'2-1-1',42000,'%2')")
                     .arg(caso.cliente, caso.marca));
        cuenta(2);
        context->setFuncion(19, true);
        context->urlLealtad = QStringLiteral("http://127.0.0.1:1/loyalty");
        pagar({{kEfectivo, pago("420")}});
        prompts.answerMensaje(Prompts::kAnswerNo);
        prompts.answerMensaje(Prompts::kAnswerYes);
        EXPECT_EQ(caja->aceptar(), CajaCuenta::Resultado::Terminado);
        const QString ultimo = prompts.mensajes().last();
        if (*caso.aviso == '\0')
            EXPECT_EQ(ultimo, QStringLiteral("¿Cerrar la mesa?")) << caso.cliente;
        else if (*caso.aviso == '*')
            EXPECT_TRUE(ultimo.startsWith(QStringLiteral("Error: ")) && ultimo.size() > 8)
                << ultimo.toStdString();
        else
            EXPECT_EQ(ultimo, QStringLiteral("Error: ") + QString::fromUtf8(caso.aviso));
        EXPECT_EQ(rows(QStringLiteral("SELECT Estado FROM Abono_Lealtad")),
                  *caso.marcaDespues ? QStringList{QString::fromUtf8(caso.marcaDespues)} : QStringList{})
            << caso.cliente << caso.marca;
        EXPECT_EQ(trabajos(), QStringList{QStringLiteral("1|T|1|cajero1|cerrado")});
        EXPECT_EQ(abierta(), 0);
    }
}

TEST_F(CajaCuentaTest, WithoutATicketPrinterTheTableClosesAndNothingCountsAsPrinted) {
    exec(QStringLiteral("UPDATE Impresora SET EsDeCheques=0 WHERE ID_Impresora=1"));
    cuenta(2);
    pagar({{kEfectivo, pago("420")}});
    prompts.answerMensaje(Prompts::kAnswerNo);
    prompts.answerMensaje(Prompts::kAnswerYes);
    EXPECT_EQ(caja->aceptar(), CajaCuenta::Resultado::Terminado);
    EXPECT_EQ(prompts.mensajes().last(),
              QStringLiteral("No hay definidas impresoras locales en esta terminal"));
    EXPECT_EQ(abierta(), 0);
    EXPECT_EQ(numero(QStringLiteral("SELECT Num_Impresiones FROM Cuenta WHERE ID_Comanda=2")), 0);
}

} // namespace
} // namespace nerin::fakes
