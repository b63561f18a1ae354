// Giving employees their cards: who is listed, what card is refused, and how a card moves from its
// holder to the chosen employee, all or nothing.
#include "access/CambioTarjeta.h"

#include "access/FirmaEmpleado.h"
#include "access/tests/SignInFixture.h"

namespace nerin {
namespace {

using fakes::Tarjeta;
using Resultado = CambioTarjeta::Resultado;

class CambioTarjetaTest : public fakes::SignInFixture {
protected:
    void SetUp() override {
        SignInFixture::SetUp();
        asignarTodas();
        firmarListo();
    }
    QString tarjetaGuardada(int idEmpleado) {
        return field(QStringLiteral("SELECT Num_Tarjeta FROM Empleado WHERE Id_Empleado=%1").arg(idEmpleado))
            .toString();
    }
    QStringList tarjetasGuardadas() {
        QStringList todas;
        for (int id = 1; id <= 4; ++id)
            todas << tarjetaGuardada(id);
        return todas;
    }
    QList<qint64> ids(CambioTarjeta::Lista lista) {
        CambioTarjeta cambio(*context);
        QList<qint64> lista_ids;
        const std::optional<RecordSet> filas = cambio.empleados(lista);
        EXPECT_TRUE(filas.has_value());
        if (filas)
            for (const QList<DbValue>& fila : filas->rows())
                lista_ids << fila.value(filas->columnIndex(u"ID_Empleado")).toInt();
        return lista_ids;
    }
    qint16 firmaCon(const QString& texto) { return FirmaEmpleado(*context).identificar(texto); }
};

TEST_F(CambioTarjetaTest, OnlyAUserAdministratorListsAdministrators) {
    const struct {
        const char* caso;
        bool admin;
        CambioTarjeta::Lista lista;
        QList<qint64> esperados;
    } casos[] = {
        {"waiter", false, CambioTarjeta::Lista::Empleados, {1, 3, 4}},
        {"user administrator", true, CambioTarjeta::Lista::Empleados, {1, 2, 3, 4}},
        {"without a card", false, CambioTarjeta::Lista::SinTarjeta, {3}},
    };
    exec(QStringLiteral("UPDATE Empleado SET Num_Tarjeta='XXX' WHERE Id_Empleado=3"));
    for (const auto& c : casos) {
        context->iniciarSesion(Sesion(c.admin ? 2 : 1, QStringLiteral("u"), QStringLiteral("n"), c.admin));
        EXPECT_EQ(ids(c.lista), c.esperados) << c.caso;
    }
}

TEST_F(CambioTarjetaTest, ACardHeldByAnotherEmployeeMovesToTheChosenOne) {
    CambioTarjeta cambio(*context);
    // Typed on a Spanish keyboard: the second track opens with a lower-case "ñ".
    const QString texto = tarjetaDe(4).texto().replace(QStringLiteral("Ñ"), QStringLiteral("ñ"));
    EXPECT_EQ(cambio.asignar(1, texto), Resultado::Cambiada);
    EXPECT_EQ(prompts.mensajes(), QStringList{QStringLiteral("Contraseña cambiada")});
    EXPECT_EQ(tarjetaGuardada(4), QStringLiteral("XXX"));
    EXPECT_EQ(firmaCon(tarjetaDe(4).texto()), 1);
    EXPECT_EQ(firmaCon(tarjetaDe(1).texto()), 0);
    // Given again to the one who holds it, the card stays with that employee.
    EXPECT_EQ(cambio.asignar(1, tarjetaDe(4).texto()), Resultado::Cambiada);
    EXPECT_EQ(firmaCon(tarjetaDe(4).texto()), 1);
}

TEST_F(CambioTarjetaTest, ACardThatIsNotTwoGoodTracksIsRefusedAndNothingStored) {
    const Tarjeta buena = tarjetaDe(9);
    const struct {
        const char* caso;
        QString texto;
    } casos[] = {
        {"empty", QString()},
        {"one track", QStringLiteral("%") + buena.pista1 + u'_'},
        {"three tracks", buena.texto() + QStringLiteral("Ñ123_")},
        {"second track not ended", buena.texto().chopped(1)},
        {"wrong digest", tarjetaDe(8).pista1.prepend(u'%') + QStringLiteral("_Ñ") + buena.pista2 + u'_'},
    };
    const QStringList antes = tarjetasGuardadas();
    for (const auto& c : casos) {
        ScriptedPrompts preguntas;
        TerminalContext otro(*baseDatos, *bitacora, preguntas, platform, *settings);
        CambioTarjeta cambio(otro);
        EXPECT_EQ(cambio.asignar(1, c.texto), Resultado::TarjetaInvalida) << c.caso;
        EXPECT_EQ(preguntas.mensajes(), QStringList{QStringLiteral("Tarjeta invalida")}) << c.caso;
    }
    EXPECT_EQ(tarjetasGuardadas(), antes);
}

TEST_F(CambioTarjetaTest, AFailureWhileGivingTheCardChangesNothingAndIsNotCalledAChange) {
    const struct {
        const char* caso;
        qint16 empleado;
        QString falla; // the statement that fails; none
        QStringList mensajes;
        int cajas; // database failures shown
    } casos[] = {
        {"taking it from its holder", 1, QStringLiteral("SET Num_Tarjeta='XXX'"), {}, 1},
        {"giving it", 1, QStringLiteral("WHERE ID_Empleado="), {}, 1},
        {"an employee that is gone", 99, QString(), {QStringLiteral("El empleado ya no existe")}, 0},
    };
    const QStringList antes = tarjetasGuardadas();
    for (const auto& c : casos) {
        ScriptedPrompts preguntas;
        TerminalContext otro(*baseDatos, *bitacora, preguntas, platform, *settings);
        messageBox.shown.clear();
        if (!c.falla.isEmpty())
            faultyConnection->failAt(fakes::busyDatabase(1, c.falla));
        EXPECT_EQ(CambioTarjeta(otro).asignar(c.empleado, tarjetaDe(4).texto()), Resultado::Fallo) << c.caso;
        EXPECT_EQ(preguntas.mensajes(), c.mensajes) << c.caso;
        EXPECT_EQ(messageBox.shown.size(), c.cajas) << c.caso;
        EXPECT_EQ(tarjetasGuardadas(), antes) << c.caso;
        EXPECT_FALSE(faultyConnection->inTransaction()) << c.caso;
    }
}

} // namespace
} // namespace nerin
