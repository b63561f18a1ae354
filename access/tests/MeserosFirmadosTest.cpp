// The staff at work as the manager sees them: correcting an entry time and releasing an employee.
#include "access/MeserosFirmados.h"

#include "access/tests/AccessFixture.h"

namespace nerin {
namespace {

// Demo: mesero1 (1, ROSA MENDOZA RUIZ) and cajero1 (3) are clocked in; the manager (2) looks.
class MeserosFirmadosTest : public fakes::AccessFixture {
protected:
    // Also run again by each case of a table (see FirmarEntradaTest).
    void SetUp() override {
        context.reset();
        baseDatos.reset();
        AccessFixture::SetUp();
        prompts = ScriptedPrompts();
        conectar();
        context->iniciarSesion(Sesion(2, QStringLiteral("gerente1"), QStringLiteral("gerente"), false));
        context->setFuncion(MeserosFirmados::kFuncionChecador, true);
        messageBox.shown.clear();
    }
    // The list, read; the row of mesero1.
    int cargarFilaDe1(MeserosFirmados& firmados) {
        EXPECT_TRUE(firmados.cargar());
        const QList<QList<DbValue>>& filas = firmados.lista().rows();
        for (int fila = 0; fila < filas.size(); ++fila)
            if (filas.at(fila).value(0).toInt() == 1)
                return fila;
        return -1;
    }
    DbValue campo(const char* sql) { return field(QString::fromUtf8(sql)); }
};

// The keypad starts at the entry's time; the time accepted keeps the entry's day.
TEST_F(MeserosFirmadosTest, ACorrectedEntryTimeKeepsItsDayAndIsNeverLaterThanNow) {
    // Past 23:58 the later-than-now case could not be told from a correct one.
    if (QTime::currentTime() >= QTime(23, 58))
        GTEST_SKIP();
    const QDate hoy = QDate::currentDate();
    const struct {
        const char* caso;
        QDateTime entrada; // invalid: the entry is gone when the row is touched
        QTime respuesta;
        QDateTime guardada;
        const char* mensaje;
    } casos[] = {
        {"begun before midnight", QDateTime(hoy.addDays(-1), QTime(23, 10)), QTime(22, 30),
         QDateTime(hoy.addDays(-1), QTime(22, 30)), nullptr},
        {"later than now", QDateTime(hoy, QTime(0, 5)), QTime(23, 59), QDateTime(hoy, QTime(0, 5)),
         "La hora de entrada no puede ser posterior a la hora actual."},
        {"not a time", QDateTime(hoy, QTime(0, 5)), QTime(), QDateTime(hoy, QTime(0, 5)),
         "La hora debe estar entre 00:00 y 23:59."},
        {"no entry", {}, QTime(8, 0), {}, "El empleado no tiene una entrada registrada."},
    };
    for (const auto& c : casos) {
        SetUp();
        MeserosFirmados firmados(*context);
        if (c.entrada.isValid())
            exec(QStringLiteral("UPDATE HorasxEmpleado SET Hora_Inicio='%1' WHERE Id_Empleado=1")
                     .arg(c.entrada.toString(QStringLiteral("dd/MM/yyyy HH:mm"))));
        const int fila = cargarFilaDe1(firmados);
        if (!c.entrada.isValid())
            exec(QStringLiteral("DELETE FROM HorasxEmpleado WHERE Id_Empleado=1"));
        prompts.answerHora({false, c.respuesta});
        faultyConnection->clearStatements();

        EXPECT_EQ(firmados.corregirHora(fila), c.mensaje == nullptr) << c.caso;
        EXPECT_EQ(prompts.mensajes(), c.mensaje ? QStringList{QString::fromUtf8(c.mensaje)} : QStringList())
            << c.caso;
        EXPECT_EQ(campo("SELECT Hora_Inicio FROM HorasxEmpleado WHERE Id_Empleado=1").toDateTime(),
                  c.guardada)
            << c.caso;
        if (c.entrada.isValid())
            EXPECT_EQ(prompts.asked().value(0).texto, c.entrada.toString(QStringLiteral("HH:mm"))) << c.caso;
        else
            EXPECT_FALSE(faultyConnection->statements().join(u'\n').contains(QStringLiteral("UPDATE")))
                << c.caso;
    }
}

TEST_F(MeserosFirmadosTest, ReleasingAsksThenFreesTheEmployeeAndTheirOrdersBothOrNeither) {
    const QString pregunta = QStringLiteral("¿Desea desfirmar a ROSA MENDOZA RUIZ?");
    const struct {
        const char* caso;
        bool vacia;
        bool elegida;
        int respuesta;
        bool falla; // the second update fails
        qint64 terminal;
        qint64 enUsoPor;
        QString mensaje;
        qsizetype cajas;
    } casos[] = {
        {"released", false, true, Prompts::kAnswerYes, false, 0, 0, pregunta, 0},
        {"declined", false, true, Prompts::kAnswerNo, false, 2, 1, pregunta, 0},
        {"second update fails", false, true, Prompts::kAnswerYes, true, 2, 1, pregunta, 1},
        {"empty list", true, false, Prompts::kAnswerYes, false, 2, 1,
         QStringLiteral("No hay empleados firmados"), 0},
        {"no row chosen", false, false, Prompts::kAnswerYes, false, 2, 1,
         QStringLiteral("Primero seleccione un empleado para desfirmar"), 0},
    };
    for (const auto& c : casos) {
        SetUp();
        MeserosFirmados firmados(*context);
        exec(QStringLiteral("UPDATE Empleado SET ID_Terminal=2 WHERE Id_Empleado=1"));
        exec(QStringLiteral("UPDATE Comanda SET EnUsoPor=1 WHERE ID_Comanda=1"));
        if (c.vacia)
            exec(QStringLiteral("UPDATE Empleado SET Firmado=0"));
        const int fila = cargarFilaDe1(firmados);
        prompts.answerMensaje(c.respuesta);
        if (c.falla)
            faultyConnection->failAt(fakes::busyDatabase(1, QStringLiteral("UPDATE Comanda")));

        EXPECT_EQ(firmados.desfirmar(c.elegida ? fila : -1), c.terminal == 0) << c.caso;
        EXPECT_EQ(prompts.mensajes(), QStringList{c.mensaje}) << c.caso;
        EXPECT_EQ(campo("SELECT ID_Terminal FROM Empleado WHERE Id_Empleado=1").toInt(), c.terminal)
            << c.caso;
        EXPECT_EQ(campo("SELECT EnUsoPor FROM Comanda WHERE ID_Comanda=1").toInt(), c.enUsoPor) << c.caso;
        EXPECT_EQ(messageBox.shown.size(), c.cajas) << c.caso;
    }
}

} // namespace
} // namespace nerin
