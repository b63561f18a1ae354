#include "data/odbc/OdbcConnection.h"

#include "base/tests/QtPrinters.h"
#include "server/SqliteConnection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <clocale>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

namespace nerin {
inline void PrintTo(const DbValue& value, std::ostream* out) {
    *out << "DbValue(type " << static_cast<int>(value.type()) << ", \"" << value.toString().toStdString()
         << "\")";
}
} // namespace nerin

using nerin::Currency;
using nerin::DbCommand;
using nerin::DbValue;
using nerin::OdbcConnection;
using nerin::RecordSet;
using nerin::SqliteConnection;
using nerin::Status;
namespace Number = nerin::DbErrorNumber;

// These tests run the back-end against a real ODBC driver, the one for SQLite files, through the
// unixODBC driver manager. That driver reports every failure as SQLSTATE HY000 with SQLite's own
// result code as native error, runs several statements in one text only when the first is DDL,
// gives one result per statement, reports DECIMAL columns as text and NUMERIC ones as doubles, and
// has no procedures, output parameters or statement time-out: those paths are covered by the
// classification table in OdbcErrorMapTest and by SQL Server itself.

namespace {

// The SQLite driver knows no SET statement, so the connections of these tests run no session text,
// but for the tests of that text.
constexpr int kTimeout = 100000;

QString driverPath() {
    const QByteArray fromEnvironment = qgetenv("NERIN_SQLITE_ODBC_DRIVER");
    return fromEnvironment.isEmpty() ? QStringLiteral(NERIN_SQLITE_ODBC_DRIVER)
                                     : QString::fromLocal8Bit(fromEnvironment);
}

QString connectionString(const QString& database, const QString& extra = {}) {
    return QStringLiteral("DRIVER=%1;Database=%2;%3").arg(driverPath(), database, extra);
}

DbCommand::Parameter param(const char* name, DbCommand::ParamType type, DbValue value, int size = 0) {
    return {QString::fromLatin1(name), type, DbCommand::Direction::Input, size, std::move(value)};
}

class OdbcConnectionTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // The driver only has the narrow API, so unixODBC converts statement texts to the codeset of
        // the process locale, as the terminal's QCoreApplication sets it from the environment.
        ASSERT_NE(std::setlocale(LC_ALL, "C.UTF-8"), nullptr) << "the C.UTF-8 locale is missing";
    }

    void SetUp() override {
        ASSERT_TRUE(QFileInfo::exists(driverPath()))
            << "The SQLite ODBC driver is missing at " << driverPath().toStdString()
            << ": install the libsqliteodbc package (scripts/setup) or name the driver file in "
               "NERIN_SQLITE_ODBC_DRIVER.";
        ASSERT_TRUE(m_dir.isValid());
        m_db = std::make_unique<OdbcConnection>(connectionString(databasePath()), kTimeout, QString());
        const Status status = m_db->open();
        ASSERT_TRUE(status) << status.message().toStdString();
    }

    QString databasePath() const { return m_dir.filePath(QStringLiteral("caja.db")); }

    void exec(const QString& sql) {
        const auto result = m_db->execute(sql);
        ASSERT_TRUE(result) << sql.toStdString() << ": " << result.status().message().toStdString();
    }

    RecordSet select(OdbcConnection& db, const QString& sql) {
        auto result = db.query(sql);
        EXPECT_TRUE(result) << sql.toStdString() << ": " << result.status().message().toStdString();
        return result ? std::move(result).value() : RecordSet();
    }
    RecordSet select(const QString& sql) { return select(*m_db, sql); }

    QTemporaryDir m_dir;
    std::unique_ptr<OdbcConnection> m_db;
};

} // namespace

TEST_F(OdbcConnectionTest, OpenFailsWithLostLinkWhenTheDatabaseCannotBeOpened) {
    OdbcConnection db(connectionString(m_dir.filePath(QStringLiteral("no/such/folder/caja.db"))), kTimeout,
                      QString());
    const Status status = db.open();
    EXPECT_EQ(status.code(), Status::Code::LostLink);
    EXPECT_FALSE(db.isOpen());
    ASSERT_FALSE(db.errors().isEmpty());
    EXPECT_EQ(status.message(), db.errors().first().description);
    EXPECT_EQ(db.lastFailure().description, status.message());
    EXPECT_EQ(db.lastFailure().number, Number::kGenericFailure);
}

// SQL Server reads '06/12/2026' by the session's language and date format, so the connection sets
// them before anything else. The driver manager's trace shows the text reaching the driver right after
// the connect; the SQLite driver refuses it, and the open fails saying why.
TEST_F(OdbcConnectionTest, OpenSetsTheSessionsLanguageAndDateFormatFirstAndFailsWhenRefused) {
    OdbcConnection db(connectionString(databasePath()));
    const QString trace = m_dir.filePath(QStringLiteral("odbc.trace"));
    db.setTraceFile(trace);
    const Status status = db.open();
    EXPECT_EQ(status.code(), Status::Code::LostLink);
    EXPECT_FALSE(db.isOpen());
    const QString sent = QStringLiteral("SET LANGUAGE N'Español'; SET DATEFORMAT dmy;");
    EXPECT_EQ(status.message(),
              QStringLiteral("No se pudo fijar el idioma y el formato de fecha de la sesión (%1): %2")
                  .arg(sent, db.errors().value(0).description));
    EXPECT_TRUE(db.errors().value(0).description.startsWith(QStringLiteral("[SQLite]")));
    EXPECT_EQ(db.lastFailure().description, status.message());

    QFile file(trace);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    // The trace writes wide texts one byte a character.
    const QString calls = QString::fromLatin1(file.readAll());
    const qsizetype connect = calls.indexOf(QStringLiteral("SQLDriverConnect"));
    const qsizetype session = calls.indexOf(QStringLiteral("SQL = [") + sent + u']');
    EXPECT_GE(connect, 0);
    EXPECT_GT(session, connect) << calls.toStdString();
    EXPECT_EQ(calls.indexOf(QStringLiteral("SQL = ["), connect), session) << calls.toStdString();
}

TEST_F(OdbcConnectionTest, AnAcceptedSessionTextRunsOnTheConnectionAtEveryOpen) {
    OdbcConnection db(connectionString(databasePath()), kTimeout,
                      QStringLiteral("CREATE TEMP TABLE Sesion AS SELECT 1 AS Lista"));
    for (int vez = 0; vez < 2; ++vez) {
        ASSERT_TRUE(db.open()) << db.lastFailure().description.toStdString();
        EXPECT_EQ(select(db, QStringLiteral("SELECT Lista FROM Sesion")).value(0).toInt(), 1);
        db.close();
    }
}

TEST_F(OdbcConnectionTest, CallsOnAClosedConnectionFailWithLostLinkUntilReopened) {
    m_db->close();
    EXPECT_FALSE(m_db->isOpen());
    EXPECT_EQ(m_db->execute(QStringLiteral("SELECT 1")).status().code(), Status::Code::LostLink);
    EXPECT_EQ(m_db->beginTransaction().code(), Status::Code::LostLink);
    ASSERT_TRUE(m_db->open());
    EXPECT_TRUE(m_db->isOpen());
    EXPECT_TRUE(m_db->execute(QStringLiteral("SELECT 1")));
    EXPECT_EQ(m_db->lastFailure().number, Number::kGenericFailure);
    EXPECT_TRUE(m_db->lastFailure().description.isEmpty());
}

TEST_F(OdbcConnectionTest, QueryReadsEachColumnAsTheKindItsTypeDeclares) {
    exec(QStringLiteral("CREATE TABLE Valores(Entero INTEGER, Grande BIGINT, Bandera BIT, Real1 REAL, "
                        "Doble DOUBLE, Numero NUMERIC(10,2), Importe DECIMAL(19,4), Nombre VARCHAR(40), "
                        "Nota TEXT, Dia DATE, Hora TIME, Momento DATETIME)"));
    exec(QStringLiteral("INSERT INTO Valores VALUES(-7, 9007199254740993, 1, 0.5, 2.25, 1234.56, 99.95, "
                        "'Mesa 4', 'sin sal', '2026-12-06', '13:45:02', '2026-12-06 13:45:02.250')"));
    exec(QStringLiteral("INSERT INTO Valores VALUES(NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, "
                        "NULL, NULL, NULL)"));

    RecordSet rs = select(QStringLiteral("SELECT * FROM Valores"));
    ASSERT_EQ(rs.recordCount(), 2);
    EXPECT_EQ(rs.columns().first(), QStringLiteral("Entero"));
    EXPECT_EQ(rs.columns().last(), QStringLiteral("Momento"));
    EXPECT_EQ(rs.value(u"Entero"), DbValue(qint64{-7}));
    EXPECT_EQ(rs.value(u"Grande"), DbValue(qint64{9007199254740993}));
    EXPECT_EQ(rs.value(u"Bandera"), DbValue(qint64{1}));
    EXPECT_EQ(rs.value(u"Real1"), DbValue(0.5));
    EXPECT_EQ(rs.value(u"Doble"), DbValue(2.25));
    // This driver gives NUMERIC as a double and DECIMAL as text; both still read as exact money.
    EXPECT_EQ(rs.value(u"Numero").toCurrency(), *Currency::parse(u"1234.56"));
    EXPECT_EQ(rs.value(u"Importe").toCurrency(), *Currency::parse(u"99.95"));
    EXPECT_EQ(rs.value(u"Nombre"), DbValue(QStringLiteral("Mesa 4")));
    EXPECT_EQ(rs.value(u"Nota"), DbValue(QStringLiteral("sin sal")));
    EXPECT_EQ(rs.value(u"Dia"), DbValue(QDateTime(QDate(2026, 12, 6), QTime(0, 0))));
    EXPECT_EQ(rs.value(u"Hora"), DbValue(QDateTime(QDate(1899, 12, 30), QTime(13, 45, 2))));
    EXPECT_EQ(rs.value(u"Momento"), DbValue(QDateTime(QDate(2026, 12, 6), QTime(13, 45, 2, 250))));

    rs.moveNext();
    for (int column = 0; column < rs.fieldCount(); ++column)
        EXPECT_TRUE(rs.value(column).isNull()) << rs.columns()[column].toStdString();
}

TEST_F(OdbcConnectionTest, TextsKeepSpanishLettersAndLongValuesWhole) {
    exec(QStringLiteral("CREATE TABLE Platos(Id INTEGER, Nombre TEXT)"));
    exec(QStringLiteral("INSERT INTO Platos VALUES(1, 'Ñandú asado')"));
    // Long enough to be read in several pieces, with two-byte letters across the piece boundaries.
    QString longText;
    while (longText.size() < 7000)
        longText += QStringLiteral("Año Ñ pingüino ");
    DbCommand insert(QStringLiteral("INSERT INTO Platos VALUES(?, ?)"), DbCommand::Kind::Text);
    insert.addParameter(param("@Id", DbCommand::ParamType::Integer, 2));
    insert.addParameter(param("@Nombre", DbCommand::ParamType::LongText, longText));
    const auto inserted = m_db->run(insert);
    ASSERT_TRUE(inserted) << inserted.status().message().toStdString();

    RecordSet rs = select(QStringLiteral("SELECT Nombre FROM Platos ORDER BY Id"));
    ASSERT_EQ(rs.recordCount(), 2);
    EXPECT_EQ(rs.value(0).toString(), QStringLiteral("Ñandú asado"));
    rs.moveNext();
    EXPECT_EQ(rs.value(0).toString(), longText);
}

TEST_F(OdbcConnectionTest, ExecuteRunsSeveralStatementsAndCountsChangedRows) {
    exec(QStringLiteral("CREATE TABLE Mesas(Id INTEGER, Estado TEXT)"));
    const RecordSet empty = select(QStringLiteral("SELECT Id, Estado FROM Mesas"));
    EXPECT_EQ(empty.columns(), QStringList({QStringLiteral("Id"), QStringLiteral("Estado")}));
    EXPECT_TRUE(empty.eof());
    // A text that only changes data has no result at all.
    EXPECT_EQ(select(QStringLiteral("INSERT INTO Mesas VALUES(1, 'libre')")).fieldCount(), 0);
    exec(QStringLiteral("CREATE TABLE Otra(x INTEGER); INSERT INTO Mesas VALUES(2, 'libre'); "
                        "INSERT INTO Mesas VALUES(3, 'ocupada')"));
    EXPECT_EQ(select(QStringLiteral("SELECT Id FROM Mesas")).recordCount(), 3);

    const auto changed =
        m_db->execute(QStringLiteral("UPDATE Mesas SET Estado = 'cerrada' WHERE Estado = 'libre'"));
    ASSERT_TRUE(changed);
    EXPECT_EQ(*changed, 2);
    // A change that touches nothing is a success with no rows, not a failure.
    const auto none = m_db->execute(QStringLiteral("DELETE FROM Mesas WHERE Id = 99"));
    ASSERT_TRUE(none) << none.status().message().toStdString();
    EXPECT_EQ(*none, 0);
}

TEST_F(OdbcConnectionTest, RunBindsEveryParameterTypeInOrder) {
    exec(QStringLiteral("CREATE TABLE Comandas(Folio BIGINT, Mesa INTEGER, Clave CHAR(4), Nota TEXT, "
                        "Total DECIMAL(19,4), Propina DECIMAL(19,4))"));
    using Type = DbCommand::ParamType;
    DbCommand insert(QStringLiteral("INSERT INTO Comandas VALUES(?, ?, ?, ?, ?, ?)"),
                     DbCommand::Kind::Unknown);
    insert.addParameter(param("@Folio", Type::BigInt, qint64{5000000000}));
    insert.addParameter(param("@Mesa", Type::Integer, 12));
    insert.addParameter(param("@Clave", Type::Char, QStringLiteral("ÑU01"), 4));
    insert.addParameter(param("@Nota", Type::LongText, QStringLiteral("sin cebolla")));
    insert.addParameter(param("@Total", Type::Currency, *Currency::parse(u"1234.5678")));
    insert.addParameter(param("@Propina", Type::Currency, DbValue()));
    const auto inserted = m_db->run(insert);
    ASSERT_TRUE(inserted) << inserted.status().message().toStdString();
    EXPECT_TRUE(inserted->isEmpty());

    DbCommand lookup(QStringLiteral("SELECT * FROM Comandas WHERE Folio = ? AND Mesa = ?"),
                     DbCommand::Kind::Text);
    lookup.addParameter(param("@Folio", Type::BigInt, qint64{5000000000}));
    lookup.addParameter(param("@Mesa", Type::Integer, QStringLiteral("12")));
    const auto found = m_db->run(lookup);
    ASSERT_TRUE(found) << found.status().message().toStdString();
    ASSERT_EQ(found->size(), 1);
    const RecordSet& rs = found->first();
    ASSERT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(rs.value(u"Folio").toInt(), 5000000000);
    EXPECT_EQ(rs.value(u"Mesa").toInt(), 12);
    EXPECT_EQ(rs.value(u"Clave").toString(), QStringLiteral("ÑU01"));
    EXPECT_EQ(rs.value(u"Nota").toString(), QStringLiteral("sin cebolla"));
    EXPECT_EQ(rs.value(u"Total").toCurrency(), *Currency::parse(u"1234.5678"));
    EXPECT_TRUE(rs.value(u"Propina").isNull());
}

TEST_F(OdbcConnectionTest, TransactionsAreOneAtATimeAndOnlyCommitKeepsTheirChanges) {
    exec(QStringLiteral("CREATE TABLE Pagos(Id INTEGER)"));
    EXPECT_EQ(m_db->commit().code(), Status::Code::DatabaseError);
    EXPECT_EQ(m_db->rollback().code(), Status::Code::DatabaseError);
    ASSERT_TRUE(m_db->beginTransaction());
    EXPECT_EQ(m_db->beginTransaction().code(), Status::Code::DatabaseError);
    exec(QStringLiteral("INSERT INTO Pagos VALUES(1)"));
    ASSERT_TRUE(m_db->rollback());
    ASSERT_TRUE(m_db->beginTransaction());
    exec(QStringLiteral("INSERT INTO Pagos VALUES(2)"));
    ASSERT_TRUE(m_db->commit());
    // Closing rolls back an open transaction.
    ASSERT_TRUE(m_db->beginTransaction());
    exec(QStringLiteral("INSERT INTO Pagos VALUES(4)"));
    m_db->close();
    ASSERT_TRUE(m_db->open());
    // After a transaction each statement commits on its own again: another connection sees it.
    exec(QStringLiteral("INSERT INTO Pagos VALUES(3)"));
    OdbcConnection other(connectionString(databasePath()), kTimeout, QString());
    ASSERT_TRUE(other.open());
    RecordSet ids = select(other, QStringLiteral("SELECT Id FROM Pagos ORDER BY Id"));
    ASSERT_EQ(ids.recordCount(), 2);
    EXPECT_EQ(ids.value(0).toInt(), 2);
    ids.moveNext();
    EXPECT_EQ(ids.value(0).toInt(), 3);
}

TEST_F(OdbcConnectionTest, FailuresCarryTheDriverDiagnosticsUntilTheNextCall) {
    exec(QStringLiteral("CREATE TABLE Mesas(Id INTEGER PRIMARY KEY)"));
    struct Case {
        const char* sql;
        const char* inMessage;
    };
    // This driver reports HY000 with SQLite's result code for all of these, which classifies as a
    // generic database failure.
    for (const Case& c :
         {Case{"SELEC 1", "syntax error"}, Case{"SELECT * FROM Nada", "no such table"},
          Case{"SELECT Nada FROM Mesas", "no such column"}, Case{"INSERT INTO Mesas VALUES(1); ", nullptr}}) {
        const auto result = m_db->execute(QString::fromLatin1(c.sql));
        if (c.inMessage == nullptr) {
            ASSERT_TRUE(result);
            continue;
        }
        ASSERT_FALSE(result) << c.sql;
        EXPECT_EQ(result.status().code(), Status::Code::DatabaseError) << c.sql;
        EXPECT_EQ(m_db->lastFailure().number, Number::kGenericFailure) << c.sql;
        ASSERT_EQ(m_db->errors().size(), 1) << c.sql;
        EXPECT_EQ(m_db->errors().first().sqlState, QStringLiteral("HY000"));
        EXPECT_EQ(m_db->errors().first().nativeError, 1);
        EXPECT_TRUE(m_db->errors().first().description.contains(QLatin1String(c.inMessage))) << c.sql;
        EXPECT_EQ(m_db->lastFailure().description, result.status().message());
    }

    const auto duplicate = m_db->query(QStringLiteral("INSERT INTO Mesas VALUES(1)"));
    ASSERT_FALSE(duplicate);
    ASSERT_FALSE(m_db->errors().isEmpty());
    EXPECT_EQ(m_db->errors().first().nativeError, 19); // constraint

    EXPECT_TRUE(m_db->query(QStringLiteral("SELECT Id FROM Mesas")));
    EXPECT_TRUE(m_db->errors().isEmpty());
    EXPECT_TRUE(m_db->lastFailure().description.isEmpty());
}

TEST_F(OdbcConnectionTest, BusyDatabaseFailsAsADatabaseErrorNotALostLink) {
    exec(QStringLiteral("CREATE TABLE Pagos(Id INTEGER)"));
    ASSERT_TRUE(m_db->beginTransaction());
    exec(QStringLiteral("INSERT INTO Pagos VALUES(1)"));
    // This driver waits for a lock as long as its own Timeout option (milliseconds) says; it does not
    // honour the statement time-out.
    OdbcConnection other(connectionString(databasePath(), QStringLiteral("Timeout=200")), 1, QString());
    ASSERT_TRUE(other.open());
    const auto result = other.execute(QStringLiteral("INSERT INTO Pagos VALUES(2)"));
    ASSERT_FALSE(result);
    EXPECT_EQ(result.status().code(), Status::Code::DatabaseError);
    ASSERT_FALSE(other.errors().isEmpty());
    EXPECT_EQ(other.errors().first().nativeError, 5); // busy
    EXPECT_TRUE(m_db->commit());
}

// SQL Server refuses the terminal's old outer joins: they reach the driver as LEFT JOINs that keep
// their old meaning (the conditions on the inner table alone filter it before the join, its columns
// found through the driver's catalogue even when written without their table) and give the rows the
// embedded engine gives. After a change of schema the catalogue reads the columns again.
TEST_F(OdbcConnectionTest, OldOuterJoinsReachTheDriverAsLeftJoinsAndGiveTheEmbeddedEnginesRows) {
    SqliteConnection embedded(m_dir.filePath(QStringLiteral("embebida.db")),
                              SqliteConnection::OpenMode::CreateIfMissing);
    ASSERT_TRUE(embedded.open());
    const QString trace = m_dir.filePath(QStringLiteral("odbc.trace"));
    OdbcConnection db(connectionString(databasePath()), kTimeout, QString());
    db.setTraceFile(trace);
    ASSERT_TRUE(db.open());
    for (const char* sql :
         {"CREATE TABLE Producto (ID_Producto int, Nombre_Boton varchar(30), Estado char(1), Paquete bit)",
          "CREATE TABLE ProductosXCuenta (ID_Comanda int, Control int, ID_Producto int)",
          "INSERT INTO Producto VALUES (1, 'Combo', 'A', 1), (2, 'Desayuno', 'A', 1), (3, 'Café', 'A', 0), "
          "(4, 'Viejo', 'B', 1)",
          "INSERT INTO ProductosXCuenta VALUES (1, 1, 1), (1, 1, 1), (2, 1, 2), (1, 2, 2)",
          "ALTER TABLE ProductosXCuenta ADD Cortesia int", "UPDATE ProductosXCuenta SET Cortesia = 0"}) {
        const QString text = QString::fromUtf8(sql);
        ASSERT_TRUE(embedded.execute(text))
            << sql << ": " << embedded.lastFailure().description.toStdString();
        ASSERT_TRUE(db.execute(text)) << sql << ": " << db.lastFailure().description.toStdString();
        if (text.startsWith(u"INSERT INTO ProductosXCuenta")) {
            // Read now, before the column is added: the catalogue must forget it after ALTER.
            ASSERT_TRUE(db.query(QStringLiteral("SELECT Estado FROM Producto p, ProductosXCuenta x "
                                                "WHERE p.ID_Producto *= x.ID_Producto AND Control = 1")));
        }
    }
    const struct {
        QString sql;
        QString sent;
    } cases[] = {
        {QStringLiteral("select pr.id_producto,pr.nombre_boton,count(pxc.id_producto) as cantidad from "
                        "productosxcuenta pxc, producto pr where pr.id_producto *= pxc.id_producto and "
                        "pr.estado='A' and pr.paquete=1 and id_comanda=1 and control=1 group by "
                        "pr.id_producto,pr.nombre_boton ORDER BY Nombre_Boton"),
         QStringLiteral(
             "select pr.id_producto,pr.nombre_boton,count(pxc.id_producto) as cantidad FROM producto "
             "pr LEFT JOIN productosxcuenta pxc ON pr.id_producto = pxc.id_producto AND id_comanda=1 "
             "AND control=1 WHERE pr.estado='A' AND pr.paquete=1 group by "
             "pr.id_producto,pr.nombre_boton ORDER BY Nombre_Boton")},
        {QStringLiteral(
             "SELECT Nombre_Boton, Control FROM Producto p, ProductosXCuenta x WHERE x.ID_Producto =* "
             "p.ID_Producto AND Cortesia = 0 AND Paquete = 1 ORDER BY 1, 2"),
         QStringLiteral("SELECT Nombre_Boton, Control FROM Producto p LEFT JOIN ProductosXCuenta x ON "
                        "x.ID_Producto = p.ID_Producto AND Cortesia = 0 WHERE Paquete = 1 ORDER BY 1, 2")},
    };
    for (const auto& c : cases) {
        const auto expected = embedded.query(c.sql);
        const auto got = db.query(c.sql);
        ASSERT_TRUE(expected) << expected.status().message().toStdString();
        ASSERT_TRUE(got) << got.status().message().toStdString();
        ASSERT_EQ(got->recordCount(), expected->recordCount()) << c.sql.toStdString();
        ASSERT_GT(got->recordCount(), 1);
        for (RecordSet a = *got, b = *expected; !a.eof(); a.moveNext(), b.moveNext()) {
            for (int column = 0; column < a.fieldCount(); ++column)
                EXPECT_EQ(a.value(column).toString(), b.value(column).toString()) << c.sql.toStdString();
        }
    }
    db.close();

    QFile file(trace);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    // The trace writes wide texts one byte a character, and of a long one only its first 127 characters.
    const QString calls = QString::fromLatin1(file.readAll());
    for (const auto& c : cases) {
        const QString sent =
            QStringLiteral("SQL = [%1...][length = %2]").arg(c.sent.left(127)).arg(c.sent.size());
        EXPECT_TRUE(calls.contains(sent)) << sent.toStdString();
    }
}
