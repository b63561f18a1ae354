#include "cashier/ReimprimirCta.h"

#include "cashier/tests/CajaFixture.h"
#include "printing/ImpresorasTerminal.h"

#include <gtest/gtest.h>

namespace nerin::fakes {
namespace {

// Demo: order 3 (mesero2, table 3) is closed, paid and printed once; orders 1 and 2 (mesero1) are open.
// Order 2 is printed here too, so that each waiter has one account on the list.
class ReimprimirCtaTest : public CajaFixture {
protected:
    void SetUp() override {
        CajaFixture::SetUp();
        exec(QStringLiteral("UPDATE Cuenta SET Num_Impresiones=1 WHERE ID_Comanda=2"));
    }
    void como(qint16 empleado, const char* usuario, std::function<bool(const QString&)> falla = {},
              int despues = 0) {
        abrir(std::move(falla), despues);
        context->iniciarSesion(Sesion(empleado, QString::fromLatin1(usuario), {}, false));
        reimprimir = std::make_unique<ReimprimirCta>(*context);
        ASSERT_TRUE(reimprimir->cargarPermisos());
    }
    // The orders listed, in the list's order.
    QStringList lista() {
        QStringList ordenes;
        const std::optional<RecordSet> filas = reimprimir->Llenar_Spread();
        if (filas) {
            for (const QList<DbValue>& valores : filas->rows())
                ordenes.append(QString::number(ReimprimirCta::fila(valores).idComanda));
        }
        return ordenes;
    }
    QStringList bitacoraReimpresiones() {
        return rows(
            QStringLiteral("SELECT ID_Empleado, Texto FROM Bitacora WHERE Texto LIKE 'Reimpresion%'"));
    }

    std::unique_ptr<ReimprimirCta> reimprimir;
};

TEST_F(ReimprimirCtaTest, OnlyPermission42ShowsOtherWaitersAccountsNewestFirst) {
    const struct {
        qint16 empleado;
        const char* usuario;
        QStringList ordenes;
    } casos[] = {
        {1, "mesero1", {QStringLiteral("2")}},
        {4, "mesero2", {QStringLiteral("3")}},
        {3, "cajero1", {QStringLiteral("3"), QStringLiteral("2")}},
    };
    for (const auto& caso : casos) {
        reimprimir.reset();
        como(caso.empleado, caso.usuario);
        EXPECT_EQ(lista(), caso.ordenes) << caso.usuario;
    }
}

TEST_F(ReimprimirCtaTest, AReprintShowsThePrintsSoFarWithoutPaymentsAndIsRecorded) {
    como(3, "cajero1");
    const ReimprimirCta::Fila fila{3, 1, 1};
    ASSERT_TRUE(reimprimir->Reimprimir(&fila));
    ASSERT_TRUE(reimprimir->Reimprimir(&fila));
    EXPECT_EQ(trabajos(), (QStringList{QStringLiteral("1|T|1|cajero1|cerrado"),
                                       QStringLiteral("2|T|1|cajero1|cerrado")}));
    EXPECT_TRUE(impreso(2).contains(QStringLiteral("Reimpresiones: 1|")));
    EXPECT_FALSE(impreso(2).contains(QStringLiteral("Pagos Realizados:")));
    EXPECT_EQ(numero(QStringLiteral("SELECT Num_Impresiones FROM Cuenta WHERE ID_Comanda=3")), 1);
    EXPECT_EQ(bitacoraReimpresiones(), QStringList(2, QStringLiteral("3|Reimpresion Com 3 cta 1")));
}

TEST_F(ReimprimirCtaTest, NothingIsPrintedOrRecordedWithoutARowPermission37OrATicketPrinter) {
    como(3, "cajero1");
    EXPECT_FALSE(reimprimir->Reimprimir(nullptr));
    exec(QStringLiteral("DELETE FROM PermisosXGrupo_Trabajo WHERE ID_Permiso=37"));
    como(3, "cajero1");
    EXPECT_FALSE(reimprimir->puedeReimprimir());
    const ReimprimirCta::Fila fila{3, 1, 1};
    EXPECT_FALSE(reimprimir->Reimprimir(&fila));
    EXPECT_TRUE(trabajos().isEmpty());
    EXPECT_TRUE(bitacoraReimpresiones().isEmpty());
    EXPECT_TRUE(prompts.mensajes().isEmpty());
    EXPECT_TRUE(messageBox.shown.isEmpty());

    exec(QStringLiteral("INSERT INTO PermisosXGrupo_Trabajo (ID_Grupo_Trabajo, ID_Permiso) VALUES (2, 37)"));
    exec(QStringLiteral("UPDATE Impresora SET EsDeCheques=0"));
    como(3, "cajero1");
    EXPECT_FALSE(reimprimir->Reimprimir(&fila));
    EXPECT_EQ(prompts.mensajes(), QStringList{QString::fromLatin1(ImpresorasTerminal::kSinLocal)});
    EXPECT_TRUE(trabajos().isEmpty());
    EXPECT_TRUE(bitacoraReimpresiones().isEmpty());
}

// The database goes away at the record of the reprint, or halfway through the ticket's lines: one
// message, and no ticket released to the printer.
TEST_F(ReimprimirCtaTest, AFailingDatabaseIsReportedOnceAndNothingIsPrinted) {
    const struct {
        const char* sentencia;
        int despues;
        QStringList trabajos;
        QStringList bitacora;
    } casos[] = {
        {"INSERT INTO Bitacora", 0, {}, {}},
        {"INSERT INTO Cola_Linea", 3, {}, {QStringLiteral("3|Reimpresion Com 3 cta 1")}},
    };
    for (const auto& caso : casos) {
        reimprimir.reset();
        SetUp();
        prompts = ScriptedPrompts();
        messageBox.shown.clear();
        const QString sentencia = QString::fromLatin1(caso.sentencia);
        como(
            3, "cajero1", [sentencia](const QString& sql) { return sql.startsWith(sentencia); },
            caso.despues);
        const ReimprimirCta::Fila fila{3, 1, 1};
        EXPECT_FALSE(reimprimir->Reimprimir(&fila));
        EXPECT_EQ(prompts.mensajes().size() + messageBox.shown.size(), 1) << caso.sentencia;
        EXPECT_EQ(trabajos(), caso.trabajos) << caso.sentencia;
        EXPECT_EQ(bitacoraReimpresiones(), caso.bitacora) << caso.sentencia;
    }
}

} // namespace
} // namespace nerin::fakes
