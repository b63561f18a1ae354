#include "reports/VentasDelDia.h"

#include "startup/tests/StartupFixture.h"

#include <gtest/gtest.h>

namespace nerin::fakes {
namespace {

// Demo order 3 (mesero2, employee 4) is paid 631.00 plus a 95.00 tip. Here it is paid at 14:20 of the
// working date, and an order of the same weekday three weeks before is paid at noon.
class VentasDelDiaTest : public StartupFixture {
protected:
    void SetUp() override {
        StartupFixture::SetUp();
        exec(QStringLiteral("UPDATE Pago SET Fecha_Pago='06/12/2026 14:20' WHERE ID_Comanda=3"));
        fecha = VentasDelDia::fechaTrabajo(
            field(QStringLiteral("SELECT Valor_Cad FROM Parametros WHERE Id_Parametro='FECHA_TRABAJO'")));
        ASSERT_TRUE(fecha.isValid());
        build();
        ASSERT_TRUE(baseDatos->ConectarBD());
    }
    void pagoAnterior(int semanas, const char* monto) {
        const QString dia = VentasDelDia::textoFecha(fecha.addDays(-7 * semanas));
        exec(QStringLiteral("INSERT INTO Comanda (ID_Comanda, Control, Num_Mesa, ID_Empleado, Abierta, "
                            "fecha_trabajo) VALUES (90%1, 1, 9, 4, 0, '%2')")
                 .arg(semanas)
                 .arg(dia));
        exec(QStringLiteral("INSERT INTO Pago (ID_Comanda, Control, Num_Cuenta, ID_Tipo_Pago, Monto_Pago, "
                            "Propina) VALUES (90%1, 1, 1, 1, %2, 10)")
                 .arg(semanas)
                 .arg(QString::fromLatin1(monto)));
    }
    static Currency pesos(const char* texto) { return *Currency::parse(QString::fromLatin1(texto)); }

    QDate fecha;
};

TEST_F(VentasDelDiaTest, HoursAndEarlierWeeksWithoutTips) {
    pagoAnterior(3, "250.00");
    const struct {
        std::optional<qint32> empleado;
        QList<Barra> porHora;
        Currency hace3, hoy;
    } casos[] = {
        {std::nullopt, {{QStringLiteral("14:00"), pesos("631")}}, pesos("250"), pesos("631")},
        {4, {{QStringLiteral("14:00"), pesos("631")}}, pesos("250"), pesos("631")},
        {1, {}, Currency(), Currency()},
    };
    for (const auto& caso : casos) {
        CifrasGraficas cifras;
        ASSERT_TRUE(VentasDelDia(*baseDatos, caso.empleado).cargar(cifras));
        EXPECT_EQ(cifras.porHora, caso.porHora);
        if (caso.hace3 == Currency()) {
            EXPECT_TRUE(cifras.semanas.isEmpty()); // no history of this waiter to compare with
            continue;
        }
        ASSERT_EQ(cifras.semanas.size(), VentasDelDia::kSemanas + 1);
        EXPECT_EQ(cifras.semanas.at(VentasDelDia::kSemanas - 3),
                  (Barra{fecha.addDays(-21).toString(QStringLiteral("dd/MM")), caso.hace3}));
        EXPECT_EQ(cifras.semanas.last(), (Barra{fecha.toString(QStringLiteral("dd/MM")), caso.hoy}));
    }
}

TEST_F(VentasDelDiaTest, AFailedReadLeavesNoHalfFigures) {
    pagoAnterior(1, "100.00");
    // The hours are read; the earlier weeks are not.
    faultyConnection->failAt(busyDatabase(1, QStringLiteral("fecha_trabajo IN")));
    CifrasGraficas cifras;
    cifras.porHora = {Barra{QStringLiteral("viejo"), pesos("1")}};
    cifras.semanas = cifras.porHora;
    EXPECT_FALSE(VentasDelDia(*baseDatos, std::nullopt).cargar(cifras));
    EXPECT_TRUE(cifras.porHora.isEmpty());
    EXPECT_TRUE(cifras.semanas.isEmpty());
}

TEST(VentasDelDiaFechaTest, TheWorkingDateReadsHoweverTheDatabaseTypedIt) {
    const QDate dia(2026, 12, 7);
    for (const DbValue& valor : {DbValue(QStringLiteral("07122026")), DbValue(qint64{7122026}),
                                 DbValue(QDateTime(dia, QTime(0, 0)))})
        EXPECT_EQ(VentasDelDia::fechaTrabajo(valor), dia) << valor.toString().toStdString();
    EXPECT_FALSE(VentasDelDia::fechaTrabajo(DbValue()).isValid());
}

} // namespace
} // namespace nerin::fakes
