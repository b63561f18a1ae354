#include "startup/Arranque.h"

#include "startup/tests/StartupFixture.h"

using namespace nerin;

namespace {

class ArranqueTest : public fakes::StartupFixture {
protected:
    Status arrancar() {
        build();
        Arranque arranque(*context, acceso, stateFolder());
        return arranque.run();
    }
    QString marker() const { return stateFolder() + QStringLiteral("/Nerin.up"); }
    // The working date of the newest order, "ddmmyyyy".
    QString newestOrderDate() {
        return field(QStringLiteral("SELECT TOP 1 fecha_trabajo FROM Comanda ORDER BY ID_Comanda DESC"))
            .toString();
    }
    void setWorkingDate(const QDate& date) {
        exec(QStringLiteral("UPDATE Parametros SET Valor_Cad='%1' WHERE Id_Parametro='FECHA_TRABAJO'")
                 .arg(date.toString(QStringLiteral("ddMMyyyy"))));
    }
    void enableFunction(int terminal, int funcion) {
        exec(QStringLiteral("UPDATE FuncionesXTerminal SET Estado=1 WHERE ID_Terminal=%1 AND ID_Funcion=%2")
                 .arg(terminal)
                 .arg(funcion));
    }
};

// --- A terminal that starts -------------------------------------------------------------------

TEST_F(ArranqueTest, DemoRestaurantStartsAndLoadsTheParameters) {
    ASSERT_TRUE(arrancar().isOk());
    EXPECT_TRUE(context->servidorEncontrado);
    EXPECT_EQ(context->servidor, dbFolder());
    EXPECT_EQ(context->terminal, 1);
    EXPECT_EQ(context->concepto, 1);
    EXPECT_EQ(context->sucursal, 1);
    EXPECT_EQ(context->nombreSucursal, QStringLiteral("LA CAZUELA DORADA CENTRO"));
    EXPECT_EQ(context->urlLealtad, QStringLiteral("http://127.0.0.1:8642/loyalty"));
    EXPECT_EQ(context->cveEmpresa, 1);
    EXPECT_EQ(context->tiempoInact, 120000);
    EXPECT_EQ(context->cuentaTicket, 1);
    EXPECT_EQ(context->store, QStringLiteral("CZD001"));
    EXPECT_EQ(context->anchoTicket, 40);
    EXPECT_EQ(context->impresoraCheques, 1);
    EXPECT_EQ(context->direccionServidor, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(setting(QStringLiteral("ServEncontrado")), QStringLiteral("1"));
    EXPECT_EQ(acceso.shown, QList<bool>{true});
    EXPECT_TRUE(prompts.asked().isEmpty());
    EXPECT_TRUE(messageBox.shown.isEmpty());
    EXPECT_TRUE(QFile::exists(marker()));
    EXPECT_TRUE(setting(QStringLiteral("ShutDown")).isEmpty());
}

TEST_F(ArranqueTest, FunctionFlagsFollowTheTerminalsSwitches) {
    ASSERT_TRUE(arrancar().isOk());
    for (int on : {6, 10, 12, 13, 14, 15, 16, 17, 19, 21, 22, 23, 24})
        EXPECT_TRUE(context->funcion(on)) << on;
    for (int off : {1, 2, 3, 4, 5, 7, 8, 9, 11, 18, 20, 25})
        EXPECT_FALSE(context->funcion(off)) << off;
    EXPECT_FALSE(context->funcion(0));
    EXPECT_FALSE(context->funcion(26));
}

TEST_F(ArranqueTest, SecondTerminalLoadsItsOwnChequePrinterAndFlags) {
    setSetting(QStringLiteral("Terminal"), QStringLiteral("2"));
    ASSERT_TRUE(arrancar().isOk());
    EXPECT_EQ(context->terminal, 2);
    EXPECT_EQ(context->impresoraCheques, 4);
    EXPECT_FALSE(context->funcion(10));
    EXPECT_TRUE(context->funcion(6));
}

TEST_F(ArranqueTest, FunctionNumbersOutsideOneToTwentyFiveAreIgnored) {
    exec(QStringLiteral("INSERT INTO Funciones (ID_Funcion, Descripcion_Funcion) VALUES (26, 'FUTURA')"));
    exec(
        QStringLiteral("INSERT INTO FuncionesXTerminal (ID_Terminal, ID_Funcion, Estado) VALUES (1, 26, 1)"));
    ASSERT_TRUE(arrancar().isOk());
    EXPECT_FALSE(context->funcion(26));
    EXPECT_TRUE(context->funcion(6));
}

TEST_F(ArranqueTest, ZeroOrMissingTicketValuesAndChequePrinterTakeTheirDefaults) {
    for (const char* change :
         {"UPDATE Parametros SET Valor_Num=0 WHERE Id_Parametro IN ('ANCHO_TICKET','CUENTA_TICKET')",
          "DELETE FROM Parametros WHERE Id_Parametro IN ('ANCHO_TICKET','CUENTA_TICKET')"}) {
        exec(QString::fromUtf8(change));
        exec(QStringLiteral("UPDATE Impresora SET EsDeCheques=0 WHERE ID_Terminal=1"));
        ASSERT_TRUE(arrancar().isOk()) << change;
        EXPECT_EQ(context->anchoTicket, 32) << change;
        EXPECT_EQ(context->cuentaTicket, 1) << change;
        EXPECT_EQ(context->impresoraCheques, 0) << change;
    }
}

// --- No server ---------------------------------------------------------------------------------

TEST_F(ArranqueTest, NoSettingsAtAllMeansNoConnectionAttempt) {
    QFile::remove(settingsFile());
    ASSERT_TRUE(arrancar().isOk());
    EXPECT_EQ(connectionsMade, 0);
    EXPECT_FALSE(context->servidorEncontrado);
    EXPECT_EQ(context->terminal, 1);
    EXPECT_EQ(settings->terminal(), 1);
    EXPECT_EQ(setting(QStringLiteral("ServEncontrado")), QStringLiteral("0"));
    EXPECT_EQ(acceso.shown, QList<bool>{false});
    EXPECT_TRUE(prompts.asked().isEmpty());
    EXPECT_FALSE(QFile::exists(marker()));
}

TEST_F(ArranqueTest, FolderWithoutDatabaseIsAServerNotFound) {
    setSetting(QStringLiteral("Servidor"), m_dir.filePath(QStringLiteral("vacia")));
    ASSERT_TRUE(arrancar().isOk());
    EXPECT_FALSE(context->servidorEncontrado);
    EXPECT_EQ(setting(QStringLiteral("ServEncontrado")), QStringLiteral("0"));
    EXPECT_EQ(acceso.shown, QList<bool>{false});
    EXPECT_TRUE(prompts.asked().isEmpty());
    EXPECT_TRUE(messageBox.shown.isEmpty());
    EXPECT_EQ(programEnded, 0);
}

// --- Fatal endings -----------------------------------------------------------------------------

TEST_F(ArranqueTest, TerminalZeroIsBadlyInstalled) {
    setSetting(QStringLiteral("Terminal"), QStringLiteral("0"));
    const Status status = arrancar();
    EXPECT_FALSE(status.isOk());
    ASSERT_EQ(prompts.asked().size(), 1);
    EXPECT_EQ(prompts.asked()[0].texto, QStringLiteral("El programa está mal instalado"));
    EXPECT_EQ(prompts.asked()[0].estilo, Prompts::kCritical);
    EXPECT_TRUE(setting(QStringLiteral("ShutDown")).isEmpty());
    EXPECT_TRUE(acceso.shown.isEmpty());
    EXPECT_FALSE(baseDatos->connection().isOpen());
    EXPECT_FALSE(QFile::exists(marker()));
}

TEST_F(ArranqueTest, UnknownTerminalAsksForSupportAndShutDown) {
    setSetting(QStringLiteral("Terminal"), QStringLiteral("9"));
    EXPECT_FALSE(arrancar().isOk());
    EXPECT_EQ(prompts.mensajes(),
              QStringList{QStringLiteral("La terminal esta mal configurada, llame a soporte")});
    EXPECT_EQ(prompts.asked()[0].estilo, Prompts::kCritical);
    EXPECT_EQ(setting(QStringLiteral("ShutDown")), QStringLiteral("1"));
    EXPECT_EQ(setting(QStringLiteral("ServEncontrado")), QStringLiteral("1"));
    EXPECT_TRUE(acceso.shown.isEmpty());
    EXPECT_FALSE(baseDatos->connection().isOpen());
}

TEST_F(ArranqueTest, WorkingDateAheadOfTheNewestOrderEnds) {
    const QDate newest = QDate::fromString(newestOrderDate(), QStringLiteral("ddMMyyyy"));
    ASSERT_TRUE(newest.isValid());
    setWorkingDate(newest.addDays(1));
    EXPECT_FALSE(arrancar().isOk());
    EXPECT_EQ(prompts.mensajes(), QStringList{QStringLiteral("Solo puede revivir el día anterior!")});
    EXPECT_EQ(setting(QStringLiteral("ShutDown")), QStringLiteral("1"));
    EXPECT_TRUE(acceso.shown.isEmpty());
    EXPECT_FALSE(baseDatos->connection().isOpen());
}

TEST_F(ArranqueTest, WorkingDateEqualToOrBeforeTheNewestOrderPasses) {
    const QDate newest = QDate::fromString(newestOrderDate(), QStringLiteral("ddMMyyyy"));
    ASSERT_TRUE(newest.isValid());
    for (const QDate& date : {newest, newest.addDays(-1), newest.addYears(-1).addDays(40)}) {
        setWorkingDate(date);
        prompts = ScriptedPrompts();
        acceso.shown.clear();
        EXPECT_TRUE(arrancar().isOk()) << date.toString().toStdString();
        EXPECT_TRUE(prompts.asked().isEmpty());
        EXPECT_EQ(acceso.shown, QList<bool>{true});
    }
}

TEST_F(ArranqueTest, NoOrdersAtAllReadAsNineteenSeventy) {
    exec(QStringLiteral("DELETE FROM Comanda"));
    EXPECT_FALSE(arrancar().isOk());
    EXPECT_EQ(prompts.mensajes(), QStringList{QStringLiteral("Solo puede revivir el día anterior!")});
}

// --- Exchange rate -----------------------------------------------------------------------------

TEST_F(ArranqueTest, RateQuestionYesStoresTheTypedRate) {
    enableFunction(1, 1);
    prompts.answerMensaje(Prompts::kAnswerYes);
    Prompts::ValueAnswer typed;
    typed.cancelado = false;
    typed.valor = *Currency::parse(u"20.15");
    prompts.answerValor(typed);
    ASSERT_TRUE(arrancar().isOk());
    EXPECT_EQ(prompts.mensajes(), QStringList{QStringLiteral("Desea modificar el T.C. $19.85 ?")});
    EXPECT_EQ(prompts.asked()[0].estilo, Prompts::kYesNo);
    ASSERT_EQ(prompts.asked().size(), 2);
    EXPECT_EQ(prompts.asked()[1].kind, QStringLiteral("valor"));
    EXPECT_EQ(context->tipoCambio, *Currency::parse(u"20.15"));
    EXPECT_EQ(
        field(QStringLiteral("SELECT Valor_Num FROM Parametros WHERE Id_Parametro='TC_US'")).toCurrency(),
        *Currency::parse(u"20.15"));
}

TEST_F(ArranqueTest, RateQuestionNoOrCancelKeepsTheStoredRate) {
    enableFunction(1, 1);
    prompts.answerMensaje(Prompts::kAnswerNo);
    ASSERT_TRUE(arrancar().isOk());
    EXPECT_EQ(prompts.asked().size(), 1);
    EXPECT_EQ(context->tipoCambio, *Currency::parse(u"19.85"));

    prompts = ScriptedPrompts();
    prompts.answerMensaje(Prompts::kAnswerYes); // and the keypad is cancelled
    ASSERT_TRUE(arrancar().isOk());
    EXPECT_EQ(
        field(QStringLiteral("SELECT Valor_Num FROM Parametros WHERE Id_Parametro='TC_US'")).toCurrency(),
        *Currency::parse(u"19.85"));
}

TEST_F(ArranqueTest, TerminalWithoutFunctionOneIsNeverAskedForTheRate) {
    enableFunction(2, 1);
    ASSERT_TRUE(arrancar().isOk());
    EXPECT_TRUE(prompts.asked().isEmpty());
}

// --- Marker file and event log -----------------------------------------------------------------

TEST_F(ArranqueTest, MarkerFileIsLeftAndAnExistingOneKept) {
    QDir().mkpath(stateFolder());
    {
        QFile old(marker());
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("x");
    }
    ASSERT_TRUE(arrancar().isOk());
    QFile kept(marker());
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("x"));
}

TEST_F(ArranqueTest, StartUpLinesGoToTheStartUpLogAndLaterOnesToTheTerminalLog) {
    enableFunction(1, 1);
    prompts.answerMensaje(Prompts::kAnswerYes);
    Prompts::ValueAnswer typed;
    typed.cancelado = false;
    typed.valor = *Currency::parse(u"18.5");
    prompts.answerValor(typed);
    ASSERT_TRUE(arrancar().isOk());
    context->SalirSistema(acceso, QStringLiteral("frmAcceso"), false);

    const QStringList arranque = logLines(QStringLiteral("NerinComTra"));
    ASSERT_FALSE(arranque.isEmpty());
    EXPECT_TRUE(arranque.join(u'\n').contains(
        QStringLiteral("UPDATE Parametros SET Valor_Num=18.5 WHERE Id_Parametro='TC_US'")));
    EXPECT_FALSE(arranque.join(u'\n').contains(QStringLiteral("SalirSistema")));
    const QStringList terminal = logLines(QStringLiteral("Nerin"));
    ASSERT_FALSE(terminal.isEmpty());
    EXPECT_TRUE(terminal[0].endsWith(QStringLiteral("SalirSistema-frmAcceso")));
}

} // namespace
