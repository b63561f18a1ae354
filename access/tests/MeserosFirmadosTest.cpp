// The staff at work as the manager sees them: the refusals of an entry-time correction and of a release.
#include "access/MeserosFirmados.h"

#include "access/tests/AccessFixture.h"

namespace nerin {
namespace {

// Demo: mesero1 (1, ROSA MENDOZA RUIZ) and cajero1 (3) are clocked in; the manager (2) looks.
class MeserosFirmadosTest : public fakes::AccessFixture {
protected:
    void SetUp() override {
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
// A time the keypad cannot give, a time later than now on the entry's day, or an entry gone meanwhile:
// the manager is told why and nothing is sent.
TEST_F(MeserosFirmadosTest, AnEntryTimeLaterThanNowOrWithoutEntryIsRefused) {
    // Past 23:58 the later-than-now case could not be told from a correct one.
    if (QTime::currentTime() >= QTime(23, 58))
        GTEST_SKIP();
    const struct {
        const char* caso;
        bool sinEntrada; // the entry is gone when the row is touched
        QTime respuesta;
        const char* mensaje;
    } casos[] = {
        {"later than now", false, QTime(23, 59),
         "La hora de entrada no puede ser posterior a la hora actual."},
        {"not a time", false, QTime(), "La hora debe estar entre 00:00 y 23:59."},
        {"no entry", true, QTime(8, 0), "El empleado no tiene una entrada registrada."},
    };
    for (const auto& c : casos) {
        SetUp();
        MeserosFirmados firmados(*context);
        exec(QStringLiteral("UPDATE HorasxEmpleado SET Hora_Inicio='%1 00:05' WHERE Id_Empleado=1")
                 .arg(QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"))));
        const int fila = cargarFilaDe1(firmados);
        if (c.sinEntrada)
            exec(QStringLiteral("DELETE FROM HorasxEmpleado WHERE Id_Empleado=1"));
        prompts.answerHora({false, c.respuesta});
        faultyConnection->clearStatements();

        EXPECT_FALSE(firmados.corregirHora(fila)) << c.caso;
        EXPECT_EQ(prompts.mensajes(), QStringList{QString::fromUtf8(c.mensaje)}) << c.caso;
        EXPECT_FALSE(faultyConnection->statements().join(u'\n').contains(QStringLiteral("UPDATE"))) << c.caso;
    }
}

// Releasing mesero1, who holds order 1 at terminal 2, when it does not happen: both rows stay.
TEST_F(MeserosFirmadosTest, ReleasingDeclinedFailedOrWithoutAChoiceLeavesBothRows) {
    const QString pregunta = QStringLiteral("¿Desea desfirmar a ROSA MENDOZA RUIZ?");
    const struct {
        const char* caso;
        bool vacia;
        bool elegida;
        int respuesta;
        bool falla; // the second update fails
        QString mensaje;
        qsizetype cajas;
    } casos[] = {
        {"declined", false, true, Prompts::kAnswerNo, false, pregunta, 0},
        {"second update fails", false, true, Prompts::kAnswerYes, true, pregunta, 1},
        {"empty list", true, false, Prompts::kAnswerYes, false, QStringLiteral("No hay empleados firmados"),
         0},
        {"no row chosen", false, false, Prompts::kAnswerYes, false,
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

        EXPECT_FALSE(firmados.desfirmar(c.elegida ? fila : -1)) << c.caso;
        EXPECT_EQ(prompts.mensajes(), QStringList{c.mensaje}) << c.caso;
        EXPECT_EQ(campo("SELECT ID_Terminal FROM Empleado WHERE Id_Empleado=1").toInt(), 2) << c.caso;
        EXPECT_EQ(campo("SELECT EnUsoPor FROM Comanda WHERE ID_Comanda=1").toInt(), 1) << c.caso;
        EXPECT_EQ(messageBox.shown.size(), c.cajas) << c.caso;
    }
}

} // namespace
} // namespace nerin
