#include "printing/ImprimirSalida.h"
#include "printing/ImprimirVerificacion.h"
#include "printing/PlainTextRenderer.h"
#include "printing/tests/ColaFixture.h"

#include <functional>

namespace nerin::fakes {

// The waiter's closing report and the clock-out report on a fixed working date, 6 Dec 2026: the demo's
// orders and shifts are moved onto it.
class ReportesEmpleadoTest : public ColaFixture {
protected:
    void SetUp() override {
        ColaFixture::SetUp();
        for (const char* sql : {
                 "UPDATE Comanda SET fecha_trabajo='06122026' WHERE fecha_trabajo=(SELECT Valor_Cad FROM "
                 "Parametros WHERE Id_Parametro='FECHA_TRABAJO')",
                 "DELETE FROM HorasxEmpleado",
                 "UPDATE Parametros SET Valor_Cad='06122026' WHERE Id_Parametro='FECHA_TRABAJO'",
             })
            exec(QString::fromUtf8(sql));
    }

    // A shift of `empleado` in `departamento` on the working date; `fin` empty while it is open.
    void turno(int empleado, int departamento, const char* inicio, const char* fin) {
        const QString final =
            *fin ? QStringLiteral("'06/12/2026 %1'").arg(QString::fromUtf8(fin)) : QStringLiteral("NULL");
        exec(QStringLiteral(
                 "INSERT INTO HorasxEmpleado (Id_Empleado, id_departamento, Hora_Inicio, Hora_Final, "
                 "Fecha_Trabajo) VALUES (%1, %2, '06/12/2026 %3', %4, '06122026')")
                 .arg(empleado)
                 .arg(departamento)
                 .arg(QString::fromUtf8(inicio), final));
    }

    qint32 ultimoTrabajo() {
        return rows(QStringLiteral("SELECT MAX(ID_Trabajo) FROM Cola_Trabajo")).value(0).toInt();
    }

    // The last job as it prints, matched against an expected file whose lines end with "|", so that
    // trailing spaces stay visible.
    void esperar(const char* archivo) {
        QFile esperado(QStringLiteral(NERIN_PRINTING_EXPECTED "/") + QString::fromUtf8(archivo));
        ASSERT_TRUE(esperado.open(QIODevice::ReadOnly)) << archivo;
        EXPECT_EQ(PlainTextRenderer::render(lineas(ultimoTrabajo())).replace(u'\n', QStringLiteral("|\n")),
                  QString::fromUtf8(esperado.readAll()))
            << archivo;
    }
};

// mesero1 pays table 15 in cash with a tip and in dollars; table 5 is still open. mesero2's card
// payment of table 3 (with the bank's commission on the tip) is on the demo already.
TEST_F(ReportesEmpleadoTest, AWaitersClosingReportPrintsAsItsExpectedFile) {
    exec(QStringLiteral(
        "INSERT INTO Pago (ID_Comanda, Control, Num_Cuenta, ID_Tipo_Pago, Monto_Pago, Propina, "
        "Referencia, Id_Empleado, comision) VALUES (2, 1, 1, 1, 300, 45.5, '', 3, 0), "
        "(2, 1, 1, 4, 120, 0.75, '', 3, 0)"));
    ASSERT_TRUE(ImprimirVerificacion(*contexto, *cola, 1));
    esperar("verificacion_mesero.txt");
    EXPECT_EQ(rows(QStringLiteral("SELECT Tipo, Estado FROM Cola_Trabajo")), QStringList({"T|P"}));

    ASSERT_TRUE(ImprimirVerificacion(*contexto, *cola, 4));
    esperar("verificacion_tarjeta.txt");
}

TEST_F(ReportesEmpleadoTest, AWaiterWithoutSalesGetsTheNineLabelsWithZero) {
    ASSERT_TRUE(ImprimirVerificacion(*contexto, *cola, 3));
    esperar("verificacion_sin_ventas.txt");
}

TEST_F(ReportesEmpleadoTest, AnExitReportWithTwoShiftsPrintsAsItsExpectedFile) {
    turno(1, 3, "09:00", "10:30");
    turno(1, 2, "18:15", "23:55");
    turno(4, 3, "09:00", "11:00");
    ASSERT_TRUE(ImprimirSalida(*contexto, *cola, 1));
    esperar("salida_dos_turnos.txt");
    EXPECT_EQ(rows(QStringLiteral("SELECT Tipo, Estado FROM Cola_Trabajo")), QStringList({"R|P"}));

    ASSERT_TRUE(ImprimirSalida(*contexto, *cola, 3));
    esperar("salida_sin_entradas.txt");
}

TEST_F(ReportesEmpleadoTest, AShiftStillOpenPrintsWithoutAnEnd) {
    turno(1, 3, "09:00", "");
    ASSERT_TRUE(ImprimirSalida(*contexto, *cola, 1));
    const QStringList todas = lineas(ultimoTrabajo());
    EXPECT_EQ(todas.value(todas.size() - 2).left(24), QStringLiteral("SALON   09:00 AM        "));
}

TEST_F(ReportesEmpleadoTest, WithoutAPrinterOrWithAFailingDatabaseNothingPrints) {
    using Reporte = std::function<bool(const ContextoImpresion&, ColaImpresion&, qint16)>;
    struct Caso {
        const char* nombre;
        Reporte reporte;
        const char* procedimiento; // the name its failures are logged under
        const char* falla;         // the statement that fails; none: the terminal has no ticket printer
    };
    const Caso casos[] = {
        {"verification, no printer", ImprimirVerificacion, "ImprimirVerificacion", nullptr},
        {"exit, no printer", ImprimirSalida, "ImprimirSalida", nullptr},
        {"verification, its figures", ImprimirVerificacion, "ImprimirVerificacion", "Vw_ControlPropina"},
        {"verification, a line: none is kept", ImprimirVerificacion, "ImprimirVerificacion",
         "Pagos Realizados"},
        {"exit, its shifts", ImprimirSalida, "ImprimirSalida", "Vw_DetalleHoras"},
        {"exit, closing the job", ImprimirSalida, "ImprimirSalida", "UPDATE Cola_Trabajo"},
    };
    for (const Caso& caso : casos) {
        exec(QStringLiteral("DELETE FROM Cola_Linea"));
        exec(QStringLiteral("DELETE FROM Cola_Trabajo"));
        QFile::remove(bitacora->rutaArchivo());
        prompts = ScriptedPrompts();
        contexto->terminal = caso.falla ? 1 : 3;
        if (caso.falla)
            conexion->failAt(busyDatabase(1, QString::fromUtf8(caso.falla)));

        EXPECT_FALSE(caso.reporte(*contexto, *cola, 1)) << caso.nombre;
        EXPECT_EQ(rows(QStringLiteral("SELECT (SELECT COUNT(*) FROM Cola_Trabajo) + (SELECT COUNT(*) FROM "
                                      "Cola_Linea)")),
                  QStringList({"0"}))
            << caso.nombre;
        if (caso.falla) {
            EXPECT_FALSE(conexion->armed()) << caso.nombre;
            QFile log(bitacora->rutaArchivo());
            ASSERT_TRUE(log.open(QIODevice::ReadOnly)) << caso.nombre;
            EXPECT_TRUE(QString::fromUtf8(log.readAll()).contains(QString::fromUtf8(caso.procedimiento)))
                << caso.nombre;
        } else {
            EXPECT_EQ(prompts.mensajes(), QStringList({"No existe la impresora local de tickets"}))
                << caso.nombre;
        }
    }
}

} // namespace nerin::fakes
