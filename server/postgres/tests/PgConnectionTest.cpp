#include "server/postgres/PgConnection.h"

#include "server/postgres/PgCollation.h"
#include "server/postgres/testing/PgTestFixtures.h"

#include <QFileInfo>
#include <QProcess>
#include <QTcpServer>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using nerin::Currency;
using nerin::DbValue;
using nerin::PgConnection;
using nerin::Status;
using nerin::testing::PgTestDatabase;

namespace {

class PgConnectionTest : public nerin::testing::PgLinkTest {
protected:
    void run(PgConnection& link, const QString& sql) {
        const auto done = link.execute(sql);
        ASSERT_TRUE(done.isOk()) << qPrintable(sql) << ": " << qPrintable(done.status().message());
    }
};

TEST_F(PgConnectionTest, ValuesRoundTripByTheirColumnTypes) {
    const QDateTime cena(QDate(2026, 12, 7), QTime(23, 59, 58, 125));
    const struct {
        const char* sql;
        DbValue parameter;
        DbValue expected;
    } cases[] = {
        {"SELECT CAST($1 AS bigint)", qint64(9007199254740993), qint64(9007199254740993)},
        {"SELECT CAST($1 AS integer)", 42, 42},
        {"SELECT CAST($1 AS smallint)", -7, -7},
        {"SELECT CAST($1 AS integer)", DbValue(), DbValue()},
        {"SELECT CAST($1 AS numeric(19,4))", Currency::fromRaw(123456789012345678),
         Currency::fromRaw(123456789012345678)},
        {"SELECT $1 + 0.0001", Currency::fromRaw(-1), Currency()},
        {"SELECT 0.1 + 0.2", DbValue(), Currency::fromRaw(3000)},
        {"SELECT CAST($1 AS double precision)", 0.1, 0.1},
        {"SELECT CAST(1.5 AS real)", DbValue(), 1.5},
        {"SELECT true", DbValue(), 1},
        {"SELECT false", DbValue(), 0},
        {"SELECT CAST($1 AS text)", "Ñandú, pingüino: ÁÉÍÓÚ ñ ¿€?", "Ñandú, pingüino: ÁÉÍÓÚ ñ ¿€?"},
        {"SELECT CAST($1 AS varchar(20))", "Señor", "Señor"},
        {"SELECT CAST($1 AS char(5))", "ab", "ab   "},
        {"SELECT CAST($1 AS timestamp)", cena, cena},
        {"SELECT CAST($1 AS date)", cena, QDateTime(cena.date(), QTime(0, 0))},
        {"SELECT CAST('2026-12-07 12:00:00.5+00' AS timestamptz)", DbValue(),
         QDateTime(QDate(2026, 12, 7), QTime(12, 0, 0, 500), Qt::UTC).toLocalTime()},
        {"SELECT CAST(NULL AS numeric)", DbValue(), DbValue()},
    };
    for (const auto& c : cases) {
        const QString sql = QString::fromUtf8(c.sql);
        const auto read = c.parameter.isNull() && !sql.contains(u'$') ? m_link.query(sql)
                                                                      : m_link.query(sql, {c.parameter});
        ASSERT_TRUE(read.isOk()) << c.sql << ": " << qPrintable(read.status().message());
        ASSERT_FALSE(read->eof()) << c.sql;
        EXPECT_EQ(read->value(0), c.expected) << c.sql << " gave " << qPrintable(read->value(0).toString());
    }
}

TEST_F(PgConnectionTest, OneCallGivesEveryResultAndTheRowsOfTheLastChange) {
    const auto outcome = m_link.execute(QStringLiteral(
        "CREATE TABLE mesa (id int PRIMARY KEY, nombre text); "
        "INSERT INTO mesa VALUES (1, 'uno'), (2, 'dos'), (3, 'tres'); SELECT count(*) AS n FROM mesa; "
        "UPDATE mesa SET nombre = upper(nombre) WHERE id < 3 RETURNING id; SELECT nombre FROM mesa ORDER BY "
        "id"));
    ASSERT_TRUE(outcome.isOk()) << qPrintable(outcome.status().message());
    ASSERT_EQ(outcome->results.size(), 3);
    EXPECT_EQ(outcome->results[0].value(u"N"), DbValue(3));
    EXPECT_EQ(outcome->results[2].rows(), (QList<QList<DbValue>>{{"UNO"}, {"DOS"}, {"tres"}}));
    EXPECT_EQ(outcome->rowsAffected, 2);
    const auto name = m_link.query(QStringLiteral("SELECT current_setting('application_name')"));
    ASSERT_TRUE(name.isOk());
    EXPECT_EQ(name->value(0), DbValue(kApplication));
}

TEST_F(PgConnectionTest, TheSessionKeepsThisMachinesLocalTime) {
    // A zone far from the cluster's, for this process only.
    const QByteArray before = qgetenv("TZ");
    qputenv("TZ", "Asia/Tokyo");
    tzset();
    PgConnection link;
    const Status opened = link.open(m_database.connInfo(), kApplication);
    const auto now = link.query(QStringLiteral("SELECT LOCALTIMESTAMP(0)"));
    const QDateTime here = QDateTime::currentDateTime();
    qputenv("TZ", before);
    tzset();
    ASSERT_TRUE(opened.isOk()) << qPrintable(opened.message());
    ASSERT_TRUE(now.isOk());
    EXPECT_LT(std::abs(now->value(0).toDateTime().secsTo(here)), 60) << qPrintable(now->value(0).toString());
}

TEST_F(PgConnectionTest, ACommitAfterAFailedStatementFails) {
    run(m_link, QStringLiteral("CREATE TABLE pago (id int PRIMARY KEY)"));
    ASSERT_TRUE(m_link.begin().isOk());
    run(m_link, QStringLiteral("INSERT INTO pago VALUES (1)"));
    EXPECT_FALSE(m_link.execute(QStringLiteral("INSERT INTO pago VALUES (1)")).isOk());
    // The server undoes the transaction on COMMIT and calls it done.
    const Status committed = m_link.commit();
    EXPECT_EQ(committed.code(), Status::Code::DatabaseError);
    EXPECT_EQ(m_link.lastError()->detail.sqlState, QStringLiteral("25P02"));
    const auto rows = m_link.query(QStringLiteral("SELECT count(*) FROM pago"));
    ASSERT_TRUE(rows.isOk());
    EXPECT_EQ(rows->value(0), DbValue(0));
}

TEST_F(PgConnectionTest, ServerErrorsMapToTheTerminalsClasses) {
    run(m_link, QStringLiteral("CREATE TABLE padre (id int PRIMARY KEY); "
                               "CREATE TABLE hijo (id int NOT NULL REFERENCES padre); "
                               "INSERT INTO padre VALUES (1)"));
    const struct {
        const char* sql;
        Status::Code code;
        const char* sqlState;
        qint64 native;
    } cases[] = {
        {"SELECT * FROM no_existe", Status::Code::NotFound, "42P01", 208},
        {"SELECT no_existe FROM padre", Status::Code::NotFound, "42703", 207},
        {"SELECT no_existe(1)", Status::Code::NotFound, "42883", 2812},
        {"SELEC 1", Status::Code::CommandTextError, "42601", 102},
        {"INSERT INTO padre VALUES (1)", Status::Code::DatabaseError, "23505", 2627},
        {"INSERT INTO hijo VALUES (2)", Status::Code::DatabaseError, "23503", 547},
        {"INSERT INTO hijo VALUES (NULL)", Status::Code::DatabaseError, "23502", 515},
    };
    for (const auto& c : cases) {
        const auto failed = m_link.execute(QString::fromUtf8(c.sql));
        ASSERT_FALSE(failed.isOk()) << c.sql;
        EXPECT_EQ(failed.status().code(), c.code) << c.sql;
        ASSERT_TRUE(m_link.lastError().has_value()) << c.sql;
        EXPECT_EQ(m_link.lastError()->detail.sqlState, QString::fromLatin1(c.sqlState)) << c.sql;
        EXPECT_EQ(m_link.lastError()->detail.nativeError, c.native) << c.sql;
        EXPECT_EQ(m_link.lastError()->detail.description, failed.status().message()) << c.sql;
        EXPECT_FALSE(m_link.lastError()->retryable) << c.sql;
    }
    EXPECT_TRUE(m_link.query(QStringLiteral("SELECT 1")).isOk());
    EXPECT_FALSE(m_link.lastError().has_value());
}

TEST_F(PgConnectionTest, AServerStoppedUnderAnOpenConnectionIsALostLink) {
    // A cluster of this test's own, since it is stopped while in use.
    const QString script = QStringLiteral(NERIN_PG_PRUEBA);
    QProcess start;
    start.start(script, {QStringLiteral("start")});
    ASSERT_TRUE(start.waitForFinished(120000));
    ASSERT_EQ(start.exitCode(), 0) << start.readAllStandardError().constData();
    const QString folder = QString::fromLocal8Bit(start.readAllStandardOutput()).trimmed();
    const auto stop = [&] { return QProcess::execute(script, {QStringLiteral("stop"), folder}); };
    // Stopped also when an assertion ends the test early.
    const std::unique_ptr<const QString, std::function<void(const QString*)>> guard(
        &folder, [&](const QString*) {
            if (QFileInfo::exists(folder))
                (void)stop();
        });
    QFile conninfo(folder + QStringLiteral("/conninfo"));
    ASSERT_TRUE(conninfo.open(QIODevice::ReadOnly));
    PgConnection link;
    ASSERT_TRUE(link.open(QString::fromUtf8(conninfo.readAll()).trimmed(), kApplication).isOk());
    run(link, QStringLiteral("SELECT 1"));

    ASSERT_EQ(stop(), 0);
    const auto lost = link.query(QStringLiteral("SELECT 1"));
    EXPECT_EQ(lost.status().code(), Status::Code::LostLink);
    EXPECT_TRUE(lost.status().message().startsWith(
        QStringLiteral("Se perdió la conexión con el servidor PostgreSQL: ")))
        << qPrintable(lost.status().message());
    EXPECT_FALSE(link.isOpen());
    EXPECT_EQ(link.query(QStringLiteral("SELECT 1")).status().code(), Status::Code::LostLink);
}

TEST_F(PgConnectionTest, AServerThatDoesNotAnswerIsALostLink) {
    // A port that was free a moment ago: nothing listens there.
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
    const quint16 port = probe.serverPort();
    probe.close();
    PgConnection link;
    const Status opened = link.open(
        m_database.connInfo() + QStringLiteral(" host=127.0.0.1 port=%1").arg(port), kApplication, 2);
    EXPECT_EQ(opened.code(), Status::Code::LostLink);
    EXPECT_TRUE(opened.message().startsWith(QStringLiteral("No se pudo conectar con el servidor PostgreSQL")))
        << qPrintable(opened.message());
    EXPECT_FALSE(link.isOpen());
}

TEST_F(PgConnectionTest, ASerializationFailureIsRetryable) {
    run(m_link, QStringLiteral("CREATE TABLE folio (id int PRIMARY KEY, siguiente int); "
                               "INSERT INTO folio VALUES (1, 100)"));
    PgConnection other;
    ASSERT_TRUE(other.open(m_database.connInfo(), kApplication).isOk());
    ASSERT_TRUE(m_link.begin(PgConnection::Isolation::Serializable).isOk());
    run(m_link, QStringLiteral("SELECT siguiente FROM folio WHERE id = 1"));
    // Another machine takes the number first.
    run(other, QStringLiteral("UPDATE folio SET siguiente = siguiente + 1 WHERE id = 1"));

    const auto taken =
        m_link.execute(QStringLiteral("UPDATE folio SET siguiente = siguiente + 1 WHERE id = 1"));
    EXPECT_EQ(taken.status().code(), Status::Code::DatabaseError);
    ASSERT_TRUE(m_link.lastError().has_value());
    EXPECT_EQ(m_link.lastError()->detail.sqlState, QStringLiteral("40001"));
    EXPECT_TRUE(m_link.lastError()->retryable);
    EXPECT_TRUE(m_link.rollback().isOk());
}

TEST_F(PgConnectionTest, TheRestaurantsCollationIgnoresCaseButNotAccents) {
    const auto database = m_link.query(QStringLiteral("SELECT current_database()"));
    ASSERT_TRUE(database.isOk());
    EXPECT_EQ(database->value(0), DbValue(m_database.name()));

    const QString collation = QString::fromLatin1(nerin::PgCollation::kName);
    const auto compared = m_link.query(QStringLiteral("SELECT 'a' = 'A' COLLATE %1, 'á' = 'Á' COLLATE %1, "
                                                      "'a' = 'á' COLLATE %1")
                                           .arg(collation));
    ASSERT_TRUE(compared.isOk()) << qPrintable(compared.status().message());
    EXPECT_EQ(compared->rows(), (QList<QList<DbValue>>{{1, 1, 0}}));

    run(m_link, QStringLiteral("CREATE TABLE producto (nombre varchar(20) COLLATE %1); "
                               "INSERT INTO producto VALUES ('agua'), ('Pan'), ('AGUA'), ('Ámbar'), "
                               "('pan'), ('ámbar'), ('Azúcar')")
                    .arg(collation));
    const auto grouped = m_link.query(
        QStringLiteral("SELECT lower(min(nombre)), count(*) FROM producto GROUP BY nombre ORDER BY nombre"));
    ASSERT_TRUE(grouped.isOk()) << qPrintable(grouped.status().message());
    EXPECT_EQ(grouped->rows(), (QList<QList<DbValue>>{{"agua", 2}, {"ámbar", 2}, {"azúcar", 1}, {"pan", 2}}));
}

} // namespace
