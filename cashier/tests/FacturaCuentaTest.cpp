#include "cashier/FacturaCuenta.h"

#include "cashier/tests/CajaFixture.h"
#include "printing/ImpresorasTerminal.h"

#include <gtest/gtest.h>

namespace nerin::fakes {
namespace {

using Campo = FacturaCuenta::Campo;

// The invoice of account 1 of order 2 (table 15, 420.00) at the cashier's terminal, which has the
// fiscal printer CAJA. The demo's fiscal customers are 1 (SAL120504KP3) and 3 (VARE800214QW1); its
// loyalty customers have the 15-digit keys 100000000000017 and 100000000000025.
class FacturaCuentaTest : public CajaFixture {
protected:
    void factura(std::function<bool(const QString&)> falla = {}, int despues = 0) {
        abrir(std::move(falla), despues);
        f = std::make_unique<FacturaCuenta>(*context, 2, 1, 1);
        ASSERT_TRUE(f->cargar());
    }
    static void llenar(FacturaCuenta& cuenta, const QString& rfc, const QString& razon,
                       const QString& calle = QStringLiteral("CALLE O'DONNELL 5")) {
        cuenta.setCampo(Campo::Rfc, rfc);
        cuenta.setCampo(Campo::Razon, razon);
        cuenta.setCampo(Campo::DirCalle, calle);
        cuenta.setCampo(Campo::DirCol, QStringLiteral("SANTA MARÍA"));
        cuenta.setCampo(Campo::DirDelMun, QStringLiteral("SAN MIGUEL DE LAS HUERTAS, JAL."));
    }
    QStringList clientesNuevos() {
        return rows(
            QStringLiteral("SELECT CveCliente, RFC, Razon, DirCalle FROM Clientes WHERE CveCliente > 3 "
                           "AND CveCliente < 100000000000000 ORDER BY CveCliente"));
    }
    QStringList facturas() {
        return rows(QStringLiteral("SELECT t.ID_Impresora, t.Usuario, t.Estado, COUNT(l.Num_Linea) FROM "
                                   "Cola_Trabajo t LEFT JOIN Cola_Linea l ON l.ID_Trabajo = t.ID_Trabajo "
                                   "WHERE t.Tipo = 'F' GROUP BY t.ID_Trabajo, t.ID_Impresora, t.Usuario, "
                                   "t.Estado ORDER BY t.ID_Trabajo"));
    }
    qint64 facturada() { return numero(QStringLiteral("SELECT Facturada FROM Cuenta WHERE ID_Comanda=2")); }

    std::unique_ptr<FacturaCuenta> f;
};

TEST_F(FacturaCuentaTest, OpensOnTheAccountsFiscalCustomerOnly) {
    const struct {
        const char* cveCliente;
        qint64 mostrada;
        const char* rfc;
    } casos[] = {{"1", 1, "SAL120504KP3"}, {"100000000000017", 0, ""}, {"0", 0, ""}, {"NULL", 0, ""}};
    for (const auto& caso : casos) {
        exec(QStringLiteral("UPDATE Cuenta SET CveCliente=%1 WHERE ID_Comanda=2").arg(caso.cveCliente));
        factura();
        EXPECT_EQ(f->cliente().cveCliente, caso.mostrada) << caso.cveCliente;
        EXPECT_EQ(f->cliente().rfc, QString::fromLatin1(caso.rfc)) << caso.cveCliente;
        EXPECT_EQ(f->registrado(), caso.mostrada != 0) << caso.cveCliente;
    }
}

TEST_F(FacturaCuentaTest, FindsByRfcAndByKeyAndKeepsTheFieldsWhenNoneMatches) {
    factura();
    EXPECT_TRUE(f->buscarRfc(QStringLiteral("120504")));
    EXPECT_EQ(f->cliente().razon, QStringLiteral("SERVICIOS ALIMENTARIOS DEL LAGO SA DE CV"));
    EXPECT_TRUE(f->buscarClave(3));
    EXPECT_EQ(f->cliente().rfc, QStringLiteral("VARE800214QW1"));
    EXPECT_FALSE(f->buscarRfc(QStringLiteral("O'BRIEN")));
    EXPECT_FALSE(f->buscarClave(2));
    EXPECT_EQ(prompts.mensajes(), (QStringList{FacturaCuenta::kSinRfc, FacturaCuenta::kSinClave}));
    EXPECT_EQ(f->cliente().cveCliente, 3);
    EXPECT_TRUE(messageBox.shown.isEmpty());
}

TEST_F(FacturaCuentaTest, NuevoProposesTheNextKeyBelowTheCardKeys) {
    factura();
    f->nuevo();
    EXPECT_EQ(f->cliente().cveCliente, 4) << "the loyalty cards' keys are not counted";
    EXPECT_TRUE(f->cliente().rfc.isEmpty());
    EXPECT_FALSE(f->registrado());
    exec(QStringLiteral("DELETE FROM Clientes"));
    f->nuevo();
    EXPECT_EQ(f->cliente().cveCliente, 1) << "an empty table";
}

TEST_F(FacturaCuentaTest, QuotesInTheCustomersTextsAreStoredIntact) {
    factura();
    f->nuevo();
    llenar(*f, QStringLiteral("DAN010101AB1"), QStringLiteral("D'ANGELO Y ASOCIADOS"));
    ASSERT_TRUE(f->aceptar());
    f->setCampo(Campo::DirCalle, QStringLiteral("PASEO D'LAS FLORES 9"));
    ASSERT_TRUE(f->aceptar()) << "on record now: updated";
    EXPECT_EQ(clientesNuevos(),
              QStringList{QStringLiteral("4|DAN010101AB1|D'ANGELO Y ASOCIADOS|PASEO D'LAS FLORES 9")});
    EXPECT_EQ(prompts.mensajes(),
              (QStringList{FacturaCuenta::kGuardadoNuevo, FacturaCuenta::kGuardadoCambios}));
    EXPECT_TRUE(messageBox.shown.isEmpty());
}

TEST_F(FacturaCuentaTest, TwoCashiersPressingNuevoStoreTwoCustomers) {
    factura();
    FacturaCuenta otra(*context, 2, 1, 1);
    f->nuevo();
    otra.nuevo();
    EXPECT_EQ(otra.cliente().cveCliente, f->cliente().cveCliente) << "both are shown the same proposal";
    llenar(*f, QStringLiteral("PRI010101AA1"), QStringLiteral("PRIMERO SA"));
    llenar(otra, QStringLiteral("SEG010101AA1"), QStringLiteral("SEGUNDO SA"));
    ASSERT_TRUE(f->aceptar());
    ASSERT_TRUE(otra.aceptar());
    EXPECT_EQ(otra.cliente().cveCliente, 5);
    EXPECT_EQ(clientesNuevos(), (QStringList{QStringLiteral("4|PRI010101AA1|PRIMERO SA|CALLE O'DONNELL 5"),
                                             QStringLiteral("5|SEG010101AA1|SEGUNDO SA|CALLE O'DONNELL 5")}));
}

TEST_F(FacturaCuentaTest, AKeyStoredMeanwhileIsTakenAgainOnce) {
    const struct {
        const char* estado;
        int fallas;
        bool guardado;
    } casos[] = {{"23000", 1, true}, {"23000", 2, false}, {"", 1, false}};
    for (const auto& caso : casos) {
        SetUp();
        estadoFalla = QString::fromLatin1(caso.estado);
        const auto antes = messageBox.shown.size();
        auto vistas = std::make_shared<int>(0);
        factura(
            [vistas, fallas = caso.fallas](const QString& sql) {
                return sql.startsWith(QLatin1String("INSERT INTO Clientes")) && (*vistas)++ < fallas;
            },
            0);
        f->nuevo();
        llenar(*f, QStringLiteral("DAN010101AB1"), QStringLiteral("D'ANGELO Y ASOCIADOS"));
        EXPECT_EQ(f->aceptar(), caso.guardado) << caso.estado << caso.fallas;
        EXPECT_EQ(clientesNuevos().size(), caso.guardado ? 1 : 0);
        EXPECT_EQ(messageBox.shown.size() - antes, caso.guardado ? 0 : 1) << "a failure is reported once";
        EXPECT_EQ(ultimaPregunta().texto,
                  caso.guardado ? FacturaCuenta::kGuardadoNuevo : FacturaCuenta::kNoInsertado);
    }
}

TEST_F(FacturaCuentaTest, PrintingAndStoringNeedAnRfcOf12Or13CharactersAndAName) {
    const struct {
        const char* rfc;
        const char* razon;
        bool valido;
    } casos[] = {{"", "D'ANGELO Y ASOCIADOS", false},
                 {"DAN010101AB", "D'ANGELO Y ASOCIADOS", false},
                 {"VARE800214QW12", "ELENA VARGAS RIOS", false},
                 {"DAN010101AB1", "  ", false},
                 {"DAN010101AB1", "D'ANGELO Y ASOCIADOS", true},
                 {"VARE800214QW1", "ELENA VARGAS RIOS", true}};
    factura();
    for (const auto& caso : casos) {
        llenar(*f, QString::fromLatin1(caso.rfc), QString::fromLatin1(caso.razon));
        exec(QStringLiteral("UPDATE Cuenta SET Facturada=0"));
        const auto antes = prompts.mensajes().size();
        EXPECT_EQ(f->imprimir(), caso.valido) << caso.rfc;
        EXPECT_EQ(prompts.mensajes().mid(antes),
                  caso.valido ? QStringList{} : QStringList{FacturaCuenta::kDatosIncompletos})
            << caso.rfc;
    }
    EXPECT_EQ(facturas().size(), 2);
    f->nuevo();
    EXPECT_FALSE(f->aceptar());
    EXPECT_EQ(ultimaPregunta().texto, FacturaCuenta::kDatosIncompletos);
    EXPECT_TRUE(clientesNuevos().isEmpty());
}

TEST_F(FacturaCuentaTest, TheInvoicePrintsOnTheFiscalPrinterAndMarksTheAccount) {
    factura();
    ASSERT_TRUE(f->buscarRfc(QStringLiteral("SAL120504KP3")));
    ASSERT_TRUE(f->imprimir());
    EXPECT_EQ(facturas(), QStringList{QStringLiteral("1|System|P|10")});
    EXPECT_EQ(facturada(), 1);
    const QString ruta = QStringLiteral(NERIN_CASHIER_EXPECTED "/factura.txt");
    QFile archivo(ruta);
    if (qEnvironmentVariableIsSet("NERIN_UPDATE_EXPECTED")) {
        ASSERT_TRUE(archivo.open(QIODevice::WriteOnly));
        archivo.write(impreso(ultimoTrabajo()).toUtf8());
        return;
    }
    ASSERT_TRUE(archivo.open(QIODevice::ReadOnly)) << ruta.toStdString();
    EXPECT_EQ(impreso(ultimoTrabajo()), QString::fromUtf8(archivo.readAll()));
}

TEST_F(FacturaCuentaTest, WithoutAFiscalPrinterNothingIsQueued) {
    factura();
    context->terminal = 2;
    ASSERT_TRUE(f->buscarClave(1));
    EXPECT_FALSE(f->imprimir());
    EXPECT_EQ(ultimaPregunta().texto, QString::fromUtf8(ImpresorasTerminal::kSinFiscal));
    EXPECT_TRUE(facturas().isEmpty());
    EXPECT_EQ(facturada(), 0);
}

TEST_F(FacturaCuentaTest, AnAccountInvoicedAlreadyIsInvoicedAgainOnlyOnYes) {
    factura();
    ASSERT_TRUE(f->buscarClave(1));
    ASSERT_TRUE(f->imprimir());
    prompts.answerMensaje(Prompts::kAnswerNo);
    EXPECT_FALSE(f->imprimir());
    EXPECT_EQ(ultimaPregunta().texto, FacturaCuenta::kYaFacturada);
    EXPECT_EQ(facturas().size(), 1);
    prompts.answerMensaje(Prompts::kAnswerYes);
    EXPECT_TRUE(f->imprimir());
    EXPECT_EQ(facturas().size(), 2);
}

TEST_F(FacturaCuentaTest, ADatabaseFailureWhilePrintingReleasesNoJobAndLeavesTheAccountUnmarked) {
    for (const char* sentencia : {"INSERT INTO Cola_Linea", "UPDATE Cola_Trabajo", "UPDATE Cuenta"}) {
        SetUp();
        const auto antes = messageBox.shown.size();
        factura([sentencia](const QString& sql) { return sql.startsWith(QLatin1String(sentencia)); }, 0);
        ASSERT_TRUE(f->buscarClave(1));
        bool avisoConTransaccion = false;
        messageBox.mientras = [&] {
            avisoConTransaccion |= static_cast<ConexionQueFalla&>(baseDatos->connection()).enTransaccion();
        };
        EXPECT_FALSE(f->imprimir()) << sentencia;
        EXPECT_EQ(messageBox.shown.size() - antes, 1) << sentencia << ": reported once";
        EXPECT_FALSE(avisoConTransaccion) << sentencia;
        EXPECT_EQ(facturas(), QStringList()) << sentencia;
        EXPECT_EQ(facturada(), 0) << sentencia;
    }
}

} // namespace
} // namespace nerin::fakes
