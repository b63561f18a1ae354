// The staff at work as the manager sees them: correcting an entry time and releasing an employee.
#include "access/MeserosFirmados.h"

#include "access/tests/AccessFixture.h"

namespace nerin {
namespace {

// Demo: mesero1 (1, ROSA MENDOZA RUIZ) and cajero1 (3) are clocked in; the manager (2) looks.
class MeserosFirmadosTest : public fakes::AccessFixture {
protected:
    // Also run again by the cases of a table: the last case's connection is closed before the
    // database is copied afresh.
    void SetUp() override {
        context.reset();
        baseDatos.reset();
        AccessFixture::SetUp();
        conectar();
        context->iniciarSesion(Sesion(2, QStringLiteral("gerente1"), QStringLiteral("gerente"), false));
        context->setFuncion(MeserosFirmados::kFuncionChecador, true);
        messageBox.shown.clear();
    }
    int filaDe(const MeserosFirmados& firmados, int empleado) {
        const QList<QList<DbValue>>& filas = firmados.lista().rows();
        for (int fila = 0; fila < filas.size(); ++fila)
            if (filas.at(fila).value(0).toInt() == empleado)
                return fila;
        return -1;
    }
    QString ultimaEntrada(int empleado) {
        return QStringLiteral("(SELECT MAX(Id_Entrada) FROM HorasxEmpleado WHERE Id_Empleado=%1)")
            .arg(empleado);
    }
    QDateTime horaInicio(int empleado) {
        return field(QStringLiteral("SELECT Hora_Inicio FROM HorasxEmpleado WHERE Id_Entrada=") +
                     ultimaEntrada(empleado))
            .toDateTime();
    }
    qint64 numero(const QString& sql) { return field(sql).toInt(); }
};

TEST_F(MeserosFirmadosTest, TheListShowsWhoIsClockedInOrSignedInButNotWhoLooks) {
    exec(QStringLiteral("UPDATE Empleado SET ID_Terminal=1 WHERE Id_Empleado IN (1, 2)"));
    for (const bool checador : {true, false}) {
        context->setFuncion(MeserosFirmados::kFuncionChecador, checador);
        MeserosFirmados firmados(*context);
        ASSERT_TRUE(firmados.cargar());
        QList<qint64> empleados;
        for (const QList<DbValue>& fila : firmados.lista().rows())
            empleados << fila.value(0).toInt();
        std::sort(empleados.begin(), empleados.end());
        EXPECT_EQ(empleados, checador ? QList<qint64>({1, 3}) : QList<qint64>({1})) << checador;
    }
}

// The keypad starts at the entry's time; the time accepted keeps the entry's day.
TEST_F(MeserosFirmadosTest, ACorrectedEntryTimeKeepsItsDayAndIsNeverLaterThanNow) {
    const QDate hoy = QDate::currentDate();
    // Past 23:58 the later-than-now case could not be told from a correct one.
    if (QTime::currentTime() >= QTime(23, 58))
        GTEST_SKIP();
    const struct {
        const char* caso;
        QDateTime entrada; // invalid: no entry at all
        QTime respuesta;
        QDateTime guardada;
        QStringList mensajes;
    } casos[] = {
        {"begun before midnight",
         QDateTime(hoy.addDays(-1), QTime(23, 10)),
         QTime(22, 30),
         QDateTime(hoy.addDays(-1), QTime(22, 30)),
         {}},
        {"later than now",
         QDateTime(hoy, QTime(0, 5)),
         QTime(23, 59),
         QDateTime(hoy, QTime(0, 5)),
         {QStringLiteral("La hora de entrada no puede ser posterior a la hora actual.")}},
        {"not a time",
         QDateTime(hoy, QTime(0, 5)),
         QTime(),
         QDateTime(hoy, QTime(0, 5)),
         {QStringLiteral("La hora debe estar entre 00:00 y 23:59.")}},
        {"no entry", {}, QTime(8, 0), {}, {QStringLiteral("El empleado no tiene una entrada registrada.")}},
    };
    for (const auto& c : casos) {
        SetUp();
        ScriptedPrompts preguntas;
        TerminalContext otro(*baseDatos, *bitacora, preguntas, platform, *settings);
        otro.iniciarSesion(Sesion(2, QStringLiteral("gerente1"), QStringLiteral("gerente"), false));
        otro.setFuncion(MeserosFirmados::kFuncionChecador, true);
        exec(QStringLiteral("UPDATE HorasxEmpleado SET Hora_Inicio='%1' WHERE Id_Empleado=1")
                 .arg(c.entrada.isValid() ? c.entrada.toString(QStringLiteral("dd/MM/yyyy HH:mm"))
                                          : QStringLiteral("01/01/2026 08:00")));
        MeserosFirmados firmados(otro);
        ASSERT_TRUE(firmados.cargar());
        const int fila = filaDe(firmados, 1);
        if (!c.entrada.isValid())
            exec(QStringLiteral("DELETE FROM HorasxEmpleado WHERE Id_Empleado=1"));
        preguntas.answerHora({false, c.respuesta});
        faultyConnection->clearStatements();

        EXPECT_EQ(firmados.corregirHora(fila), c.mensajes.isEmpty()) << c.caso;
        EXPECT_EQ(preguntas.mensajes(), c.mensajes) << c.caso;
        EXPECT_EQ(horaInicio(1), c.guardada) << c.caso;
        if (c.entrada.isValid())
            EXPECT_EQ(preguntas.asked().value(0).texto, c.entrada.toString(QStringLiteral("HH:mm")))
                << c.caso;
        else
            EXPECT_FALSE(faultyConnection->statements().join(u'\n').contains(QStringLiteral("UPDATE")))
                << c.caso;
    }
}

TEST_F(MeserosFirmadosTest, ReleasingFreesTheEmployeeAndTheOrdersTheyHeldAfterAsking) {
    const struct {
        const char* caso;
        int respuesta;
        bool falla;
        qint64 terminal;
        qint64 enUsoPor;
        int cajas;
    } casos[] = {
        {"released", Prompts::kAnswerYes, false, 0, 0, 0},
        {"declined", Prompts::kAnswerNo, false, 2, 1, 0},
        {"second update fails", Prompts::kAnswerYes, true, 2, 1, 1},
    };
    for (const auto& c : casos) {
        SetUp();
        ScriptedPrompts preguntas;
        TerminalContext otro(*baseDatos, *bitacora, preguntas, platform, *settings);
        otro.iniciarSesion(Sesion(2, QStringLiteral("gerente1"), QStringLiteral("gerente"), false));
        otro.setFuncion(MeserosFirmados::kFuncionChecador, true);
        exec(QStringLiteral("UPDATE Empleado SET ID_Terminal=2 WHERE Id_Empleado=1"));
        exec(QStringLiteral("UPDATE Comanda SET EnUsoPor=1 WHERE ID_Comanda=1"));
        MeserosFirmados firmados(otro);
        ASSERT_TRUE(firmados.cargar());
        preguntas.answerMensaje(c.respuesta);
        if (c.falla)
            faultyConnection->failAt(fakes::busyDatabase(1, QStringLiteral("UPDATE Comanda")));

        EXPECT_EQ(firmados.desfirmar(filaDe(firmados, 1)), c.terminal == 0) << c.caso;
        EXPECT_EQ(preguntas.mensajes(), QStringList{QStringLiteral("¿Desea desfirmar a ROSA MENDOZA RUIZ?")})
            << c.caso;
        EXPECT_EQ(numero(QStringLiteral("SELECT ID_Terminal FROM Empleado WHERE Id_Empleado=1")), c.terminal)
            << c.caso;
        EXPECT_EQ(numero(QStringLiteral("SELECT EnUsoPor FROM Comanda WHERE ID_Comanda=1")), c.enUsoPor)
            << c.caso;
        EXPECT_EQ(messageBox.shown.size(), c.cajas) << c.caso;
    }
}

TEST_F(MeserosFirmadosTest, ReleasingWithoutAChoiceSaysWhy) {
    const struct {
        const char* caso;
        bool vacia;
        const char* mensaje;
    } casos[] = {
        {"empty list", true, "No hay empleados firmados"},
        {"no row chosen", false, "Primero seleccione un empleado para desfirmar"},
    };
    for (const auto& c : casos) {
        SetUp();
        ScriptedPrompts preguntas;
        TerminalContext otro(*baseDatos, *bitacora, preguntas, platform, *settings);
        otro.setFuncion(MeserosFirmados::kFuncionChecador, true);
        if (c.vacia)
            exec(QStringLiteral("UPDATE Empleado SET Firmado=0"));
        MeserosFirmados firmados(otro);
        ASSERT_TRUE(firmados.cargar());
        EXPECT_FALSE(firmados.desfirmar(-1)) << c.caso;
        EXPECT_EQ(preguntas.mensajes(), QStringList{QString::fromUtf8(c.mensaje)}) << c.caso;
    }
}

} // namespace
} // namespace nerin
