// The payment summary and the day's totals over the demo restaurant after its open orders are paid:
// the figures they show against the database's own rows summed here, the employee's permissions, an
// empty day and their printouts.
#include "printing/PlainTextRenderer.h"
#include "printing/tests/ColaFixture.h"
#include "reports/ResumenPagos.h"
#include "reports/VentaTotal.h"

#include <QMap>
#include <functional>

namespace nerin::fakes {
namespace {

Currency pesos(const QString& texto) {
    return Currency::parse(texto).value_or(Currency());
}

class ResumenesTest : public ColaFixture {
protected:
    // Order 1 is paid in cash with a 50.00 tip; order 2 by debit card (300.00 and a 40.00 tip) and the
    // rest in dollars. Both are closed; a courtesy is granted on order 2's beer.
    void pagarOrdenes() {
        exec(QStringLiteral("INSERT INTO Pago (ID_Comanda, Control, Num_Cuenta, ID_Tipo_Pago, Monto_Pago, "
                            "Propina, Id_Empleado) SELECT ID_Comanda, Control, Num_Cuenta, 1, Total, 50, 1 "
                            "FROM Cuenta WHERE ID_Comanda=1"));
        exec(QStringLiteral("INSERT INTO Pago (ID_Comanda, Control, Num_Cuenta, ID_Tipo_Pago, Monto_Pago, "
                            "Propina, Id_Empleado) VALUES (2, 1, 1, 3, 300, 40, 1)"));
        exec(
            QStringLiteral("INSERT INTO Pago (ID_Comanda, Control, Num_Cuenta, ID_Tipo_Pago, Monto_Pago, "
                           "Propina, Id_Empleado) SELECT ID_Comanda, Control, Num_Cuenta, 4, Total - 300, 0, "
                           "1 FROM Cuenta WHERE ID_Comanda=2"));
        exec(QStringLiteral("UPDATE Cuenta SET Pagada=1"));
        exec(QStringLiteral("UPDATE Comanda SET Abierta=0 WHERE ID_Comanda IN (1, 2)"));
        exec(
            QStringLiteral("INSERT INTO Cortesia (ID_ProductosXCuenta, ID_Tipo_Cortesia, Monto, ID_Empleado) "
                           "VALUES (8, 1, 45, 2)"));
    }

    // One value of the database, summed by the test itself.
    Currency suma(const QString& sql) { return pesos(rows(sql).value(0)); }
    static QString delDia(const QString& comanda) {
        return comanda + QStringLiteral(".fecha_trabajo=(SELECT Valor_Cad FROM Parametros WHERE "
                                        "Id_Parametro='FECHA_TRABAJO')");
    }

    // The payment summary as the database's payments give it: card types, then "BALANCE " + cash
    // types (each group by name), each "name|amount|tip".
    QStringList pagosEsperados(std::optional<int> empleado) {
        QMap<QString, std::pair<Currency, Currency>> tarjetas, efectivo;
        for (const QString& fila :
             rows(QStringLiteral(
                      "SELECT tp.Nombre_Tipo_Pago, tp.Clase, pg.Monto_Pago, pg.Propina FROM Pago pg "
                      "INNER JOIN Tipo_Pago tp ON tp.ID_Tipo_Pago=pg.ID_Tipo_Pago INNER JOIN Comanda "
                      "c ON c.ID_Comanda=pg.ID_Comanda AND c.Control=pg.Control WHERE ") +
                  delDia(QStringLiteral("c")) +
                  (empleado ? QStringLiteral(" AND c.ID_Empleado=%1").arg(*empleado) : QString()))) {
            const QStringList campos = fila.split(u'|');
            auto& tipo = campos.at(1) == QLatin1String("E")
                             ? efectivo[QStringLiteral("BALANCE ") + campos.at(0)]
                             : tarjetas[campos.at(0)];
            tipo.first += pesos(campos.at(2));
            tipo.second += pesos(campos.at(3));
        }
        QStringList filas;
        for (const auto* grupo : {&tarjetas, &efectivo})
            for (auto tipo = grupo->begin(); tipo != grupo->end(); ++tipo)
                filas.append(tipo.key() + u'|' + tipo->first.toPlainText() + u'|' +
                             tipo->second.toPlainText());
        return filas;
    }

    // The sheet's rows `desde`..`hasta`, each "caption|amount[|tip]" (amounts as plain numbers).
    static QStringList texto(const HojaResumen& hoja, int desde, int hasta, int columnas) {
        QStringList filas;
        for (int fila = desde; fila <= hasta; ++fila) {
            QStringList celdas;
            for (int columna = 0; columna < columnas; ++columna) {
                const HojaResumen::Celda& celda = hoja.celda(fila, columna);
                celdas.append(celda.monto ? celda.monto->toPlainText() : celda.texto);
            }
            filas.append(celdas.join(u'|'));
        }
        return filas;
    }
};

TEST_F(ResumenesTest, PaymentSummaryShowsTheDatabasesSumsForEachPermission) {
    pagarOrdenes();
    const struct {
        const char* caso;
        qint32 empleado;
        const char* antes; // a statement run first
        const char* consulta;
        std::optional<int> mesero; // whose payments; none: everyone's
    } casos[] = {
        {"65: every waiter", 2, nullptr,
         "SELECT Nombre_Tipo_Pago,sum(Total),sum(Propina),Clase FROM Vw_Resumen_Pagos_Emp  group by "
         "Nombre_Tipo_Pago,Clase",
         std::nullopt},
        {"47: own", 1, nullptr, "SELECT * FROM Vw_Resumen_Pagos WHERE ID_Empleado=1", 1},
        {"neither: own", 4, "DELETE FROM PermisosXGrupo_Trabajo WHERE ID_Grupo_Trabajo=3 AND ID_Permiso=47",
         "SELECT Nombre_Tipo_Pago,Total,Propina,Clase FROM Vw_Resumen_Pagos_Emp WHERE ID_Empleado=4", 4},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.caso);
        if (caso.antes)
            exec(QString::fromLatin1(caso.antes));
        conexion->clearStatements();
        ResumenPagos resumen(*baseDatos, caso.empleado);
        ASSERT_TRUE(resumen.cargar());
        EXPECT_TRUE(conexion->statements().contains(QString::fromLatin1(caso.consulta)))
            << conexion->statements().join(u'\n').toStdString();

        const HojaResumen& hoja = resumen.hoja();
        const QStringList esperadas = pagosEsperados(caso.mesero);
        ASSERT_EQ(hoja.filas(), esperadas.size() + 2);
        QStringList leidas = texto(hoja, 1, hoja.filas() - 2, 3);
        // The database orders the types as it likes; cards before cash is the sheet's own order.
        const auto primerEfectivo = std::find_if(leidas.begin(), leidas.end(), [](const QString& fila) {
            return fila.startsWith(QLatin1String("BALANCE "));
        });
        EXPECT_TRUE(std::all_of(primerEfectivo, leidas.end(), [](const QString& fila) {
            return fila.startsWith(QLatin1String("BALANCE "));
        }));
        std::sort(leidas.begin(), primerEfectivo);
        std::sort(primerEfectivo, leidas.end());
        EXPECT_EQ(leidas, esperadas);

        Currency montos, propinas;
        for (const QString& fila : esperadas) {
            montos += pesos(fila.section(u'|', 1, 1));
            propinas += pesos(fila.section(u'|', 2, 2));
        }
        EXPECT_EQ(
            texto(hoja, hoja.filas() - 1, hoja.filas(), 3),
            (QStringList{QStringLiteral("SUMA:|") + montos.toPlainText() + u'|' + propinas.toPlainText(),
                         QStringLiteral("TOTAL PAGOS SIN PROPINA:|") + montos.toPlainText() + u'|'}));
        QList<Barra> barras;
        for (int fila = 1; fila <= hoja.filas() - 2; ++fila)
            barras.append(Barra{hoja.celda(fila, 0).texto, *hoja.celda(fila, 1).monto});
        EXPECT_EQ(resumen.cifras().porConcepto, barras);
        EXPECT_TRUE(hoja.columnHidden(ResumenPagos::cClase));
    }
}

// Table 3 was paid 631.00 with a 95.00 tip: without tips the payments are 631.00, not 536.00.
TEST_F(ResumenesTest, PaymentsWithoutTipsAreNotTakenTheTipsOffTwice) {
    ResumenPagos resumen(*baseDatos, 4);
    ASSERT_TRUE(resumen.cargar());
    const HojaResumen& hoja = resumen.hoja();
    EXPECT_EQ(texto(hoja, 1, hoja.filas(), 3),
              (QStringList{QStringLiteral("TARJETA DE CREDITO|631|95"), QStringLiteral("SUMA:|631|95"),
                           QStringLiteral("TOTAL PAGOS SIN PROPINA:|631|")}));
}

TEST_F(ResumenesTest, TotalSalesShowTheDatabasesSums) {
    pagarOrdenes();
    VentaTotal total(*baseDatos);
    ASSERT_TRUE(total.cargar());
    const HojaResumen& hoja = total.hoja();

    const QString items =
        QStringLiteral(" FROM ProductosXCuenta p INNER JOIN Comanda c ON c.ID_Comanda=p.ID_Comanda "
                       "AND c.Control=p.Control WHERE p.ID_Tipo_Anulacion IS NULL AND ") +
        delDia(QStringLiteral("c"));
    const QString pagos =
        QStringLiteral(" FROM Pago pg INNER JOIN Tipo_Pago tp ON tp.ID_Tipo_Pago=pg.ID_Tipo_Pago "
                       "INNER JOIN Comanda c ON c.ID_Comanda=pg.ID_Comanda AND c.Control=pg.Control "
                       "WHERE ") +
        delDia(QStringLiteral("c"));
    const Currency ventas =
        suma(QStringLiteral("SELECT SUM(p.Precio)") + items) +
        suma(QStringLiteral(
                 "SELECT SUM(m.Precio_Modificador) FROM Modificador m WHERE m.ID_ProductosXCuenta IN "
                 "(SELECT p.ID_ProductosXCuenta") +
             items + u')');
    const Currency impuesto =
        suma(QStringLiteral("SELECT SUM(i.Monto_ImpuestosXCuenta) FROM ImpuestosXCuenta i WHERE "
                            "i.ID_ProductosXCuenta IN (SELECT p.ID_ProductosXCuenta") +
             items + u')') +
        suma(QStringLiteral(
                 "SELECT SUM(m.Impuesto_Modificador) FROM Modificador m WHERE m.ID_ProductosXCuenta IN "
                 "(SELECT p.ID_ProductosXCuenta") +
             items + u')');
    const Currency tarjetas = suma(QStringLiteral("SELECT SUM(pg.Monto_Pago)") + pagos + " AND tp.Clase='T'");
    const Currency efectivo = suma(QStringLiteral("SELECT SUM(pg.Monto_Pago)") + pagos + " AND tp.Clase='E'");
    const Currency propinas = suma(QStringLiteral("SELECT SUM(pg.Propina)") + pagos);
    ASSERT_GT(impuesto, Currency());
    EXPECT_EQ(texto(hoja, VentaTotal::kClientes, VentaTotal::kVentasNetas, 2),
              (QStringList{
                  QStringLiteral("TOTAL CLIENTES|8"),
                  QStringLiteral("TOTAL CUBIERTOS|3"),
                  QStringLiteral("TOTAL VENTAS|") + ventas.toPlainText(),
                  QStringLiteral("TOTAL IMPUESTO|") + impuesto.toPlainText(),
                  QStringLiteral("TOTAL DE TARJETAS|") + tarjetas.toPlainText(),
                  QStringLiteral("TOTAL DE PROPINAS|") + propinas.toPlainText(),
                  QStringLiteral("BALANCE DE EFECTIVO|") + efectivo.toPlainText(),
                  QStringLiteral("Ventas Netas |") + (ventas - impuesto).toPlainText(),
              }));

    // Each section's total adds up its rows and agrees with the day's own figures.
    const struct {
        const char* nombre;
        VentaTotal::Seccion seccion;
        Currency total;
        int filas;
    } secciones[] = {
        {"Ventas", total.ventas(), ventas, -1},
        {"Total Pagos", total.pagos(), tarjetas + efectivo + propinas, 4},
        {"Cortesias", total.cortesias(), pesos(QStringLiteral("45")), 1},
    };
    for (const auto& seccion : secciones) {
        SCOPED_TRACE(seccion.nombre);
        EXPECT_EQ(hoja.celda(seccion.seccion.nombre, 0).texto, QString::fromLatin1(seccion.nombre));
        EXPECT_EQ(hoja.celda(seccion.seccion.total, 0).texto,
                  QStringLiteral("                                   TOTAL:"));
        EXPECT_EQ(hoja.celda(seccion.seccion.total, 1).monto, seccion.total);
        if (seccion.filas >= 0) {
            EXPECT_EQ(seccion.seccion.ultima - seccion.seccion.primera + 1, seccion.filas);
        }
    }
    ASSERT_EQ(total.cifras().porConcepto.size(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(total.cifras().porConcepto.at(i), (Barra{hoja.celda(total.pagos().primera + i, 0).texto,
                                                           *hoja.celda(total.pagos().primera + i, 1).monto}));
}

TEST_F(ResumenesTest, AnEmptyDayGivesZerosAndNoError) {
    exec(QStringLiteral("UPDATE Parametros SET Valor_Cad='01012020' WHERE Id_Parametro='FECHA_TRABAJO'"));
    ResumenPagos resumen(*baseDatos, 2);
    ASSERT_TRUE(resumen.cargar());
    EXPECT_EQ(texto(resumen.hoja(), 1, resumen.hoja().filas(), 3),
              (QStringList{QStringLiteral("SUMA:|0|0"), QStringLiteral("TOTAL PAGOS SIN PROPINA:|0|")}));

    VentaTotal total(*baseDatos);
    ASSERT_TRUE(total.cargar());
    const HojaResumen& hoja = total.hoja();
    EXPECT_EQ(hoja.celda(VentaTotal::kFecha, 0).texto, QStringLiteral("01/01/2020"));
    QStringList cifras = texto(hoja, VentaTotal::kClientes, VentaTotal::kVentasNetas, 2);
    for (QString& cifra : cifras)
        cifra = cifra.section(u'|', 1);
    EXPECT_EQ(cifras, QStringList({"0", "0", "0", "0", "0", "0", "0", "0"}));
    for (const VentaTotal::Seccion& seccion : {total.ventas(), total.pagos(), total.cortesias()}) {
        EXPECT_EQ(seccion.ultima, seccion.primera - 1);
        EXPECT_EQ(hoja.celda(seccion.total, 1).monto, Currency());
    }
    EXPECT_TRUE(total.cifras().porConcepto.isEmpty());
    EXPECT_TRUE(messageBox.shown.isEmpty());
    EXPECT_TRUE(prompts.mensajes().isEmpty());
}

// Either printout is one job whose lines fit the 32-column ticket.
TEST_F(ResumenesTest, PrintingQueuesOneJobInTheTicketWidth) {
    pagarOrdenes();
    ResumenPagos resumen(*baseDatos, 2);
    VentaTotal total(*baseDatos);
    ASSERT_TRUE(resumen.cargar());
    ASSERT_TRUE(total.cargar());
    const struct {
        const char* caso;
        std::function<bool()> imprimir;
        const char* contiene;
    } casos[] = {
        {"payment summary", [&] { return resumen.imprimir(*contexto, *cola); }, "BALANCE DOLARES"},
        {"total sales", [&] { return total.imprimir(*contexto, *cola); }, "TOTAL CUBIERTOS"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.caso);
        const int antes = rows(QStringLiteral("SELECT COUNT(*) FROM Cola_Trabajo")).value(0).toInt();
        ASSERT_TRUE(caso.imprimir());
        EXPECT_EQ(rows(QStringLiteral("SELECT COUNT(*) FROM Cola_Trabajo")).value(0).toInt(), antes + 1);
        const QString papel = PlainTextRenderer::render(
            lineas(rows(QStringLiteral("SELECT MAX(ID_Trabajo) FROM Cola_Trabajo")).value(0).toInt()));
        EXPECT_TRUE(papel.contains(QLatin1String(caso.contiene))) << papel.toStdString();
        for (const QString& linea : papel.split(u'\n'))
            EXPECT_LE(linea.size(), contexto->ancho()) << linea.toStdString();
    }
}

} // namespace
} // namespace nerin::fakes
