// Past days of business written into the demo restaurant, on either back-end: the dates, amounts and
// links the statements with parameters leave in the database.
#include "server/HistoryGenerator.h"

#include "server/PostgresConnection.h"
#include "server/postgres/testing/PgDemoDatabase.h"
#include "server/tests/DemoDatabaseTest.h"
#include "text/TextFormat.h"

#include <QHash>
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
    const qint64 before =
        rowsOf(*db, QStringLiteral("SELECT ISNULL(MAX(ID_Comanda), 0) FROM Comanda")).value(0).toInt();
    const qint64 itemsBefore =
        rowsOf(*db, QStringLiteral("SELECT ISNULL(MAX(ID_ProductosXCuenta), 0) FROM ProductosXCuenta"))
            .value(0)
            .toInt();
    const QDate today =
        *TextFormat::parseWorkingDate(rowsOf(*db, QStringLiteral("SELECT Valor_Cad FROM Parametros WHERE "
                                                                 "Id_Parametro = 'FECHA_TRABAJO'"))
                                          .value(0)
                                          .toString());
    const QDate day = today.addDays(-1);
    ASSERT_TRUE(HistoryGenerator::generate(*db, 1, 5).isOk());

    // Orders: opened in the afternoon or evening of the day, closed half an hour to two hours later.
    QHash<qint64, QDateTime> openedAt;
    QHash<qint64, QDateTime> closedAt;
    const RecordSet orders =
        rowsOf(*db, QStringLiteral("SELECT ID_Comanda, Fecha_Apertura, Fecha_Cierre, fecha_trabajo "
                                   "FROM Comanda WHERE ID_Comanda > %1 AND Tipo = 'N'")
                        .arg(before));
    EXPECT_GE(orders.rows().size(), 350);
    for (const QList<DbValue>& row : orders.rows()) {
        const QDateTime opened = row[1].toDateTime();
        const QDateTime closed = row[2].toDateTime();
        EXPECT_EQ(opened.date(), day) << qPrintable(row[1].toString());
        EXPECT_GE(opened.time(), QTime(13, 0));
        EXPECT_GE(opened.secsTo(closed), 30 * 60);
        EXPECT_LT(opened.secsTo(closed), 120 * 60);
        EXPECT_EQ(row[3].toString(), day.toString(QStringLiteral("ddMMyyyy")));
        openedAt.insert(row[0].toInt(), opened);
        closedAt.insert(row[0].toInt(), closed);
    }

    // The same, compared where the database compares dates: they were stored as dates, not as texts.
    const QString dayText = day.toString(QStringLiteral("dd/MM/yyyy"));
    const RecordSet inSql = rowsOf(
        *db,
        QStringLiteral("SELECT COUNT(*), SUM(CASE WHEN c.Fecha_Apertura >= '%2 13:00' AND c.Fecha_Apertura < "
                       "DATEADD(day, 1, '%2') AND DATEDIFF(minute, c.Fecha_Apertura, c.Fecha_Cierre) BETWEEN "
                       "30 AND 119 AND DATEDIFF(minute, c.Fecha_Apertura, p.Hora_Alta) BETWEEN 0 AND 19 AND "
                       "p.Hora_Alta = p.Hora_Preparacion THEN 1 ELSE 0 END) FROM Comanda c INNER JOIN "
                       "ProductosXCuenta p ON p.ID_Comanda = c.ID_Comanda WHERE c.ID_Comanda > %1")
            .arg(before)
            .arg(dayText));
    EXPECT_GT(inSql.value(0).toInt(), 0);
    EXPECT_EQ(inSql.value(1).toInt(), inSql.value(0).toInt());

    // Items: added in the order's first twenty minutes, a cancellation five minutes later; each with one
    // tax row, and the same tax for every item of one product, so each took its own item's identity.
    QHash<qint64, Currency> taxOf;
    QHash<QPair<qint64, qint64>, Currency> billed;
    const RecordSet items = rowsOf(
        *db,
        QStringLiteral("SELECT p.ID_Comanda, p.Num_Cuenta, p.ID_Producto, p.Precio, p.Hora_Alta, "
                       "p.Hora_Preparacion, p.Hora_Anulacion, p.ID_Tipo_Anulacion, i.Monto_ImpuestosXCuenta, "
                       "(SELECT COUNT(*) FROM ImpuestosXCuenta n WHERE n.ID_ProductosXCuenta = "
                       "p.ID_ProductosXCuenta) FROM ProductosXCuenta p INNER JOIN ImpuestosXCuenta i ON "
                       "i.ID_ProductosXCuenta = p.ID_ProductosXCuenta WHERE p.ID_Comanda > %1")
            .arg(before));
    EXPECT_GE(items.rows().size(), 350 * 6);
    int cancelled = 0;
    for (const QList<DbValue>& row : items.rows()) {
        const QDateTime added = row[4].toDateTime();
        const qint64 minutes = openedAt.value(row[0].toInt()).secsTo(added) / 60;
        EXPECT_TRUE(minutes >= 0 && minutes < 20) << qPrintable(row[4].toString());
        EXPECT_EQ(row[5].toDateTime(), added);
        if (!row[7].isNull()) {
            ++cancelled;
            EXPECT_EQ(added.secsTo(row[6].toDateTime()), 300);
        } else {
            EXPECT_TRUE(row[6].isNull());
            billed[{row[0].toInt(), row[1].toInt()}] += row[3].toCurrency();
        }
        EXPECT_EQ(row[9].toInt(), 1);
        const Currency tax = row[8].toCurrency();
        EXPECT_LT(tax, row[3].toCurrency());
        EXPECT_EQ(taxOf.value(row[2].toInt(), tax), tax) << "product " << row[2].toInt();
        taxOf.insert(row[2].toInt(), tax);
    }
    EXPECT_GT(cancelled, 0);

    // Accounts: the total of the items not cancelled, paid in full at closing with a tip of a tenth.
    const RecordSet accounts =
        rowsOf(*db, QStringLiteral(
                        "SELECT c.ID_Comanda, c.Num_Cuenta, c.Total, g.Monto_Pago, g.Propina, g.Fecha_Pago "
                        "FROM Cuenta c INNER JOIN Pago g ON g.ID_Comanda = c.ID_Comanda AND g.Num_Cuenta "
                        "= c.Num_Cuenta WHERE c.ID_Comanda > %1")
                        .arg(before));
    EXPECT_GE(accounts.rows().size(), orders.rows().size());
    for (const QList<DbValue>& row : accounts.rows()) {
        const Currency total = row[2].toCurrency();
        EXPECT_EQ(total, billed.value({row[0].toInt(), row[1].toInt()}));
        EXPECT_EQ(row[3].toCurrency(), total);
        EXPECT_EQ(row[4].toCurrency(),
                  total.multipliedBy(0.1, RoundingMode::HalfAwayFromZero).value_or(Currency()).roundedTo(0));
        EXPECT_EQ(row[5].toDateTime(), closedAt.value(row[0].toInt()));
    }

    // Modifiers: each on an item of the day.
    const RecordSet modifiers = rowsOf(
        *db, QStringLiteral(
                 "SELECT COUNT(*), SUM(CASE WHEN p.ID_Comanda > %1 THEN 1 ELSE 0 END) FROM Modificador m "
                 "LEFT JOIN ProductosXCuenta p ON p.ID_ProductosXCuenta = m.ID_ProductosXCuenta WHERE "
                 "m.ID_ProductosXCuenta > %2")
                 .arg(before)
                 .arg(itemsBefore));
    EXPECT_GT(modifiers.value(0).toInt(), 0);
    EXPECT_EQ(modifiers.value(1).toInt(), modifiers.value(0).toInt());

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
