// Past days of business written into the demo restaurant, on either back-end: the dates, amounts and
// links the statements with parameters leave in the database.
#include "server/HistoryGenerator.h"

#include "server/PostgresConnection.h"
#include "server/postgres/testing/PgDemoDatabase.h"
#include "server/tests/DemoDatabaseTest.h"
#include "text/TextFormat.h"

#include <memory>

namespace nerin {
namespace {

using testing::Motor;
using testing::PgDemoDatabase;
using testing::PgTestDatabase;

// Every row of a query as a text, its values separated by "|".
QStringList linesOf(const RecordSet& rows) {
    QStringList lines;
    for (const QList<DbValue>& row : rows.rows()) {
        QStringList fields;
        for (const DbValue& value : row)
            fields.append(value.toString());
        lines.append(fields.join(u'|'));
    }
    return lines;
}

class HistoryGeneratorTest : public fakes::DemoDatabaseTest, public ::testing::WithParamInterface<Motor> {
protected:
    static void TearDownTestSuite() {
        DemoDatabaseTest::TearDownTestSuite();
        PgDemoDatabase::borrarDemo();
    }

    void SetUp() override {
        if (GetParam() == Motor::Postgres && PgTestDatabase::clusterConnInfo().isEmpty())
            GTEST_SKIP() << qPrintable(PgTestDatabase::skipReason());
        ASSERT_TRUE(m_dir.isValid());
    }

    // A fresh demo restaurant on `motor`, open.
    std::unique_ptr<Connection> openDemo(Motor motor) {
        std::unique_ptr<Connection> db;
        if (motor == Motor::Sqlite) {
            const QString path = m_dir.filePath(QStringLiteral("demo%1.db").arg(++m_copies));
            copyDemoTo(path);
            db = std::make_unique<SqliteConnection>(path);
        } else {
            if (const Status created = m_pg.create(); !created) {
                ADD_FAILURE() << qPrintable(created.message());
                return nullptr;
            }
            db = std::make_unique<PostgresConnection>(m_pg.connInfo());
        }
        if (const Status opened = db->open(); !opened) {
            ADD_FAILURE() << qPrintable(opened.message());
            return nullptr;
        }
        return db;
    }

    static RecordSet rowsOf(Connection& db, const QString& sql) {
        auto rows = db.query(sql);
        EXPECT_TRUE(rows.isOk()) << qPrintable(sql) << ": " << qPrintable(rows.status().message());
        return rows ? *rows : RecordSet();
    }

    // The orders, accounts and items written after order `after`, without the identities the back-end
    // numbers by itself.
    static QStringList writtenAfter(Connection& db, qint64 after) {
        const QString from = QString::number(after);
        return linesOf(
                   rowsOf(db, QStringLiteral("SELECT ID_Comanda, Num_Mesa, Tipo, ID_Empleado, CantHuespedes, "
                                             "Fecha_Apertura, Fecha_Cierre, fecha_trabajo FROM Comanda WHERE "
                                             "ID_Comanda > %1 AND Tipo = 'N' ORDER BY ID_Comanda")
                                  .arg(from))) +
               linesOf(rowsOf(
                   db, QStringLiteral("SELECT c.ID_Comanda, c.Num_Cuenta, c.Total, g.ID_Tipo_Pago, "
                                      "g.Monto_Pago, g.Propina, g.Id_Empleado, g.Fecha_Pago FROM Cuenta c "
                                      "INNER JOIN Pago g ON g.ID_Comanda = c.ID_Comanda AND g.Num_Cuenta "
                                      "= c.Num_Cuenta WHERE c.ID_Comanda > %1 ORDER BY 1, 2")
                           .arg(from))) +
               linesOf(
                   rowsOf(db, QStringLiteral("SELECT p.ID_Comanda, p.Num_Cuenta, p.ID_Producto, p.Precio, "
                                             "p.Hora_Alta, p.Hora_Anulacion, p.ID_Tipo_Anulacion, "
                                             "i.Monto_ImpuestosXCuenta, m.Nombre_Modificador FROM "
                                             "ProductosXCuenta p INNER JOIN ImpuestosXCuenta i ON "
                                             "i.ID_ProductosXCuenta = p.ID_ProductosXCuenta LEFT JOIN "
                                             "Modificador m ON m.ID_ProductosXCuenta = p.ID_ProductosXCuenta "
                                             "WHERE p.ID_Comanda > %1 ORDER BY p.ID_ProductosXCuenta")
                                  .arg(from)));
    }

    QTemporaryDir m_dir;
    int m_copies = 0;
    PgDemoDatabase m_pg;
};

TEST_P(HistoryGeneratorTest, WritesTheDaysDatesAmountsAndLinksAsStored) {
    std::unique_ptr<Connection> db = openDemo(GetParam());
    ASSERT_TRUE(db);
    const auto number = [&db](const QString& sql) { return rowsOf(*db, sql).value(0).toInt(); };
    const qint64 before = number(QStringLiteral("SELECT ISNULL(MAX(ID_Comanda), 0) FROM Comanda"));
    const qint64 itemsBefore =
        number(QStringLiteral("SELECT ISNULL(MAX(ID_ProductosXCuenta), 0) FROM ProductosXCuenta"));
    const QDate today = *TextFormat::parseWorkingDate(
        rowsOf(*db, QStringLiteral("SELECT Valor_Cad FROM Parametros WHERE Id_Parametro = 'FECHA_TRABAJO'"))
            .value(0)
            .toString());
    const QDate day = today.addDays(-1);
    ASSERT_TRUE(HistoryGenerator::generate(*db, 1, 5).isOk());

    // Each check counts the rows of the day that break it, compared where the database compares, so
    // that dates stored as texts would show.
    const QString from = QString::number(before);
    const QString dayText = day.toString(QStringLiteral("dd/MM/yyyy"));
    const struct {
        const char* what;
        QString sql;
    } checks[] = {
        {"orders in the afternoon of the day, on its working date, closed 30 to 119 minutes later",
         QStringLiteral(
             "SELECT COUNT(*) FROM Comanda WHERE ID_Comanda > %1 AND Tipo = 'N' AND NOT "
             "(Fecha_Apertura >= '%2 13:00' AND Fecha_Apertura < DATEADD(day, 1, '%2') AND "
             "DATEDIFF(minute, Fecha_Apertura, Fecha_Cierre) BETWEEN 30 AND 119 AND fecha_trabajo = '%3')")
             .arg(from, dayText, day.toString(QStringLiteral("ddMMyyyy")))},
        {"items added in the order's first 20 minutes, prepared then, cancelled 5 minutes later",
         QStringLiteral("SELECT COUNT(*) FROM ProductosXCuenta p INNER JOIN Comanda c ON c.ID_Comanda = "
                        "p.ID_Comanda WHERE p.ID_Comanda > %1 AND NOT (DATEDIFF(minute, c.Fecha_Apertura, "
                        "p.Hora_Alta) BETWEEN 0 AND 19 AND p.Hora_Preparacion = p.Hora_Alta AND "
                        "ISNULL(DATEDIFF(second, p.Hora_Alta, p.Hora_Anulacion), 300) = 300)")
             .arg(from)},
        {"items without exactly one tax row",
         QStringLiteral(
             "SELECT COUNT(*) FROM ProductosXCuenta p WHERE p.ID_Comanda > %1 AND (SELECT COUNT(*) "
             "FROM ImpuestosXCuenta i WHERE i.ID_ProductosXCuenta = p.ID_ProductosXCuenta) <> 1")
             .arg(from)},
        {"products taxed differently on two items (a tax row on another item)",
         QStringLiteral(
             "SELECT COUNT(*) FROM (SELECT p.ID_Producto FROM ProductosXCuenta p INNER JOIN "
             "ImpuestosXCuenta i ON i.ID_ProductosXCuenta = p.ID_ProductosXCuenta WHERE p.ID_Comanda > "
             "%1 GROUP BY p.ID_Producto HAVING MIN(i.Monto_ImpuestosXCuenta) <> "
             "MAX(i.Monto_ImpuestosXCuenta) OR MAX(i.Monto_ImpuestosXCuenta) >= MIN(p.Precio)) t")
             .arg(from)},
        {"accounts whose total is not their items not cancelled, paid in full at closing",
         QStringLiteral(
             "SELECT COUNT(*) FROM Cuenta a INNER JOIN Pago g ON g.ID_Comanda = a.ID_Comanda AND "
             "g.Num_Cuenta = a.Num_Cuenta INNER JOIN Comanda c ON c.ID_Comanda = a.ID_Comanda WHERE "
             "a.ID_Comanda > %1 AND NOT (g.Monto_Pago = a.Total AND g.Fecha_Pago = c.Fecha_Cierre AND "
             "a.Total = (SELECT ISNULL(SUM(p.Precio), 0) FROM ProductosXCuenta p WHERE p.ID_Comanda = "
             "a.ID_Comanda AND p.Num_Cuenta = a.Num_Cuenta AND p.ID_Tipo_Anulacion IS NULL))")
             .arg(from)},
        {"modifiers on items not of the day",
         QStringLiteral("SELECT COUNT(*) FROM Modificador m LEFT JOIN ProductosXCuenta p ON "
                        "p.ID_ProductosXCuenta = m.ID_ProductosXCuenta WHERE m.ID_ProductosXCuenta > %2 AND "
                        "ISNULL(p.ID_Comanda, 0) <= %1")
             .arg(from)
             .arg(itemsBefore)},
    };
    for (const auto& check : checks)
        EXPECT_EQ(number(check.sql), 0) << check.what;

    // And there is something to check: a day's orders, cancellations, modifiers and tips of a tenth.
    EXPECT_GE(number(QStringLiteral("SELECT COUNT(*) FROM Comanda WHERE ID_Comanda > %1").arg(from)), 350);
    EXPECT_GT(number(QStringLiteral("SELECT COUNT(*) FROM ProductosXCuenta WHERE ID_Comanda > %1 AND "
                                    "Hora_Anulacion IS NOT NULL")
                         .arg(from)),
              0);
    EXPECT_GT(number(QStringLiteral("SELECT COUNT(*) FROM Modificador WHERE ID_ProductosXCuenta > %1")
                         .arg(itemsBefore)),
              0);
    const RecordSet paid =
        rowsOf(*db, QStringLiteral("SELECT Monto_Pago, Propina FROM Pago WHERE ID_Comanda > %1").arg(from));
    for (const QList<DbValue>& row : paid.rows())
        EXPECT_EQ(row[1].toCurrency(), row[0]
                                           .toCurrency()
                                           .multipliedBy(0.1, RoundingMode::HalfAwayFromZero)
                                           .value_or(Currency())
                                           .roundedTo(0));

    // The day-opening order on the working date comes last, and the order numbers go on from it.
    const RecordSet opening = rowsOf(
        *db, QStringLiteral("SELECT TOP 1 c.Tipo, c.fecha_trabajo, s.Ultimo - c.ID_Comanda FROM Comanda c, "
                            "Consecutivos s WHERE s.Id_Consecutivo = 'COMANDA' ORDER BY c.ID_Comanda DESC"));
    EXPECT_EQ(linesOf(opening).value(0),
              QStringLiteral("D|%1|0").arg(today.toString(QStringLiteral("ddMMyyyy"))));
}

TEST_P(HistoryGeneratorTest, ASeedGivesTheSameHistoryOnEitherBackEnd) {
    std::unique_ptr<Connection> db = openDemo(GetParam());
    std::unique_ptr<Connection> reference = openDemo(Motor::Sqlite);
    ASSERT_TRUE(db && reference);
    QStringList written[2];
    Connection* both[2] = {reference.get(), db.get()};
    for (int k = 0; k < 2; ++k) {
        const qint64 before =
            rowsOf(*both[k], QStringLiteral("SELECT ISNULL(MAX(ID_Comanda), 0) FROM Comanda"))
                .value(0)
                .toInt();
        ASSERT_TRUE(HistoryGenerator::generate(*both[k], 1, 9).isOk());
        written[k] = writtenAfter(*both[k], before);
    }
    EXPECT_GT(written[0].size(), 350 * 8);
    ASSERT_EQ(written[1].size(), written[0].size());
    for (qsizetype i = 0; i < written[0].size(); ++i)
        ASSERT_EQ(written[1][i], written[0][i]) << "row " << i;
}

INSTANTIATE_TEST_SUITE_P(Motores, HistoryGeneratorTest, ::testing::Values(Motor::Sqlite, Motor::Postgres),
                         [](const ::testing::TestParamInfo<Motor>& motor) {
                             return testing::nombreDeMotor(motor.param);
                         });

} // namespace
} // namespace nerin
