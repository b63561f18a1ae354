#include "data/BaseDatos.h"

#include "base/tests/QtPrinters.h"
#include "crypto/MD5.h"
#include "crypto/clsRC4.h"
#include "data/testing/FaultyConnection.h"
#include "data/tests/RecordingMessageBox.h"
#include "server/SqliteConnection.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>

using namespace nerin;

namespace {

using Icon = SystemMessageBox::Icon;
using nerin::fakes::Fault;
using nerin::fakes::FaultyConnection;
using nerin::fakes::RecordingMessageBox;
using nerin::fakes::Shown;

const QString kClave = QStringLiteral("clave de prueba");

QString cifrada(const QString& numeroTarjeta) {
    clsRC4 rc4;
    rc4.Key(kClave);
    return rc4.EncryptString(numeroTarjeta, QString(), true);
}

// A track for a card number of 33 characters (the "_" then stands at position 34, after the start
// sentinel and the 32 digits of the digest): the digest covers everything after the card number's
// first character, the end sentinel included.
QString pistaDe(const QString& numeroTarjeta) {
    const QString cuerpo = numeroTarjeta.mid(1) + u'?';
    MD5 md5;
    return u'%' + md5.DigestStrToHexStr(cuerpo) + u'_' + numeroTarjeta + u'?';
}

const QString kTarjetaAna = QStringLiteral("4000123412341234=2812101000000001");
const QString kTarjetaBeto = QStringLiteral("4000987698769876=2812101000000002");

class BaseDatosTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(m_bd.ConectarBD()) << m_conexion->lastFailure().description.toStdString();
        for (const char* sql : {"CREATE TABLE Empleado (ID_Empleado int, Estado_Empleado char(1), "
                                "Num_Tarjeta varchar(100), Nombre varchar(50))",
                                "CREATE TABLE Transacciones (Transaccion varchar(2000))",
                                "CREATE TABLE Comanda (ID_Comanda int, Nombre varchar(50))"})
            exec(QString::fromUtf8(sql));
        m_conexion->clearStatements();
    }

    std::unique_ptr<Connection> nuevaConexion(const QString& ruta) {
        auto conexion = std::make_unique<FaultyConnection>(
            std::make_unique<SqliteConnection>(ruta, SqliteConnection::OpenMode::CreateIfMissing));
        m_conexion = conexion.get();
        return conexion;
    }

    void exec(const QString& sql) {
        auto result = m_conexion->inner().execute(sql);
        ASSERT_TRUE(result) << sql.toStdString() << ": " << result.status().message().toStdString();
    }

    // The first column of every row, bypassing BaseDatos and the statement count.
    QStringList columna(const QString& sql) {
        auto result = m_conexion->inner().query(sql);
        if (!result)
            return {QStringLiteral("ERROR ") + result.status().message()};
        QStringList valores;
        for (RecordSet& rs = *result; !rs.eof(); rs.moveNext())
            valores.append(rs.value(0).toString());
        return valores;
    }

    // The log's lines without their date and time.
    QStringList bitacora() const {
        QFile archivo(m_bitacora.rutaArchivo());
        if (!archivo.open(QIODevice::ReadOnly))
            return {};
        QStringList lineas = QString::fromUtf8(archivo.readAll()).split(u'\n', Qt::SkipEmptyParts);
        for (QString& linea : lineas)
            linea.remove(0, QStringLiteral("12/06/2026 10:30:00 ").size());
        return lineas;
    }

    void fallar(QString when, Status::Code code, qint64 numero, QString descripcion,
                DbErrorList errores = {}) {
        m_conexion->failAt(
            Fault{1, std::move(when), code, {numero, std::move(descripcion)}, std::move(errores)});
    }

    QTemporaryDir m_dir;
    Bitacora m_bitacora{m_dir.path() + QStringLiteral("/morvo"),
                        [] { return QDateTime(QDate(2026, 6, 12), QTime(10, 30)); }};
    RecordingMessageBox m_caja;
    int m_finales = 0;
    FaultyConnection* m_conexion = nullptr;
    BaseDatos m_bd{[this] { return nuevaConexion(m_dir.path() + QStringLiteral("/nerin.db")); }, m_bitacora,
                   m_caja, [this] { ++m_finales; }, kClave};
};

} // namespace

TEST_F(BaseDatosTest, ConsultarCampoReadsTheFirstFieldWithOrWithoutACondition) {
    exec(QStringLiteral("INSERT INTO Comanda VALUES (1, 'uno') INSERT INTO Comanda VALUES (2, 'dos')"));
    EXPECT_EQ(m_bd.ConsultarCampo("Nombre", "Comanda", "ID_Comanda=2"), DbValue("dos"));
    EXPECT_EQ(m_bd.ConsultarCampo("COUNT(*), MAX(Nombre)", "Comanda", "").toInt(), 2);
    EXPECT_EQ(m_conexion->statements(), QStringList({"SELECT Nombre FROM Comanda WHERE ID_Comanda=2",
                                                     "SELECT COUNT(*), MAX(Nombre) FROM Comanda"}));
}

TEST_F(BaseDatosTest, ConsultarCampoGivesEmptyTextForNullNoRowAndFailuresWithoutReportingThem) {
    exec(QStringLiteral("INSERT INTO Comanda VALUES (3, NULL)"));
    const DbValue vacio{QString()};
    EXPECT_EQ(m_bd.ConsultarCampo("Nombre", "Comanda", "ID_Comanda=3"), vacio);
    EXPECT_EQ(m_bd.ConsultarCampo("Nombre", "Comanda", "ID_Comanda=99"), vacio);
    EXPECT_EQ(m_bd.ConsultarCampo("Nombre", "NoExiste", ""), vacio);
    fallar("", Status::Code::LostLink, DbErrorNumber::kGenericFailure, "Enlace caído",
           {{11, "Enlace caído", "08S01"}});
    EXPECT_EQ(m_bd.ConsultarCampo("Nombre", "Comanda", ""), vacio);
    EXPECT_EQ(bitacora(), QStringList());
    EXPECT_TRUE(m_caja.shown.isEmpty());
    EXPECT_EQ(m_finales, 0);
}

TEST_F(BaseDatosTest, ConnectionIsMadeOnFirstUseOnlyAndOperationsDoNotOpenIt) {
    int creadas = 0;
    BaseDatos bd(
        [&] {
            ++creadas;
            return nuevaConexion(m_dir.path() + QStringLiteral("/otra.db"));
        },
        m_bitacora, m_caja, [this] { ++m_finales; }, kClave);
    EXPECT_EQ(creadas, 0);
    EXPECT_FALSE(bd.EjecutarSQL("CREATE TABLE T (A int)"));
    EXPECT_FALSE(bd.connection().isOpen());
    EXPECT_TRUE(bd.ConectarBD());
    EXPECT_TRUE(bd.ConectarBD());
    EXPECT_TRUE(bd.EjecutarSQL("CREATE TABLE T (A int)"));
    EXPECT_EQ(creadas, 1);
    // The statement on the closed connection failed with its "not open" state, which no branch names.
    ASSERT_EQ(m_caja.shown.size(), 1);
    EXPECT_TRUE(m_caja.shown[0].text.startsWith("BDME-2147467259 ")) << m_caja.shown[0].text.toStdString();
    EXPECT_TRUE(m_caja.shown[0].text.endsWith(" SQLSTATE 08003"));
}

TEST_F(BaseDatosTest, ConectarBDFailsSilentlyWhenTheDatabaseCannotBeOpened) {
    BaseDatos bd([this] { return nuevaConexion(m_dir.path() + QStringLiteral("/falta/nerin.db")); },
                 m_bitacora, m_caja, [this] { ++m_finales; }, kClave);
    EXPECT_FALSE(bd.ConectarBD());
    EXPECT_TRUE(m_caja.shown.isEmpty());
    EXPECT_EQ(bitacora(), QStringList());
    EXPECT_EQ(m_finales, 0);
}

TEST_F(BaseDatosTest, InsertsAndUpdatesAreWrittenTwiceToTheLog) {
    const QString insert = QStringLiteral("INSERT INTO Comanda(ID_Comanda, Nombre) VALUES(5, 'cinco')");
    const QString update = QStringLiteral("UPDATE Comanda SET Nombre='seis' WHERE ID_Comanda=5");
    EXPECT_TRUE(m_bd.InsertarRegistro("Comanda", "ID_Comanda, Nombre", "5, 'cinco'"));
    EXPECT_EQ(columna("SELECT Nombre FROM Comanda"), QStringList{"cinco"});
    EXPECT_TRUE(m_bd.ActualizarRegistros("Comanda", "Nombre='seis'", "ID_Comanda=5"));
    EXPECT_EQ(columna("SELECT Nombre FROM Comanda"), QStringList{"seis"});
    EXPECT_EQ(bitacora(), QStringList({insert, insert, update, update}));
    EXPECT_EQ(m_conexion->statements(), QStringList({insert, update}));
}

TEST_F(BaseDatosTest, UpdateWithoutConditionIsRejectedAndLoggedAsACommandTextFailure) {
    exec(QStringLiteral("INSERT INTO Comanda VALUES (1, 'uno')"));
    EXPECT_FALSE(m_bd.ActualizarRegistros("Comanda", "Nombre='x'", ""));
    EXPECT_EQ(m_conexion->statements(), QStringList{"UPDATE Comanda SET Nombre='x' WHERE "});
    EXPECT_EQ(columna("SELECT Nombre FROM Comanda"), QStringList{"uno"});
    EXPECT_TRUE(m_caja.shown.isEmpty());
    // The error list's entry, the report's line, and the command text line.
    const QStringList lineas = bitacora();
    ASSERT_EQ(lineas.size(), 3) << lineas.join(u'\n').toStdString();
    const DbError entrada = m_conexion->errors().value(0);
    EXPECT_EQ(lineas[0], QString::number(entrada.nativeError) + entrada.description + entrada.sqlState);
    EXPECT_EQ(lineas[1], "ME-2147217900" + entrada.description);
    EXPECT_EQ(lineas[2], "-2147217900" + entrada.description);
}

TEST_F(BaseDatosTest, FailedChangeLogsEveryErrorEntryThenReports) {
    fallar("INSERT", Status::Code::DatabaseError, -2147217873, "Violación",
           {{2627, "Clave duplicada", "23000"}, {3621, "Se terminó la instrucción", "01000"}});
    EXPECT_FALSE(m_bd.InsertarRegistro("Comanda", "ID_Comanda", "1"));
    EXPECT_EQ(bitacora(), QStringList({"2627Clave duplicada23000", "3621Se terminó la instrucción01000",
                                       "ME-2147217873Violación", "-2147217873 BDME Violación"}));
    EXPECT_EQ(m_caja.shown, QList<Shown>({{"-2147217873 BDME Violación", "", Icon::None}}));

    fallar("UPDATE", Status::Code::LostLink, DbErrorNumber::kGenericFailure, "Enlace caído",
           {{11, "Enlace caído", "08S01"}});
    EXPECT_FALSE(m_bd.ActualizarRegistros("Comanda", "ID_Comanda=2", "ID_Comanda=1"));
    EXPECT_EQ(m_finales, 1);
    EXPECT_EQ(m_caja.shown.size(), 1);
    EXPECT_EQ(bitacora().mid(4), QStringList({"11Enlace caído08S01", "ME-2147467259Enlace caído"}));
}

TEST_F(BaseDatosTest, EjecutarSQLLogsOnceOnSuccessAndReportsFailures) {
    EXPECT_TRUE(m_bd.EjecutarSQL("INSERT INTO Comanda VALUES (1, 'uno')"));
    EXPECT_EQ(bitacora(), QStringList{"INSERT INTO Comanda VALUES (1, 'uno')"});
    fallar("", Status::Code::DatabaseError, 50000, "Sin papel");
    EXPECT_FALSE(m_bd.EjecutarSQL("EXEC Imprimir"));
    EXPECT_EQ(m_caja.shown, QList<Shown>({{"50000 BDME Sin papel", "", Icon::None}}));
    EXPECT_EQ(bitacora().mid(1), QStringList({"ME50000Sin papel", "50000 BDME Sin papel"}));
}

TEST_F(BaseDatosTest, AbrirRecordsetGivesTheRowsOrReportsAndGivesNothing) {
    exec(QStringLiteral("INSERT INTO Comanda VALUES (1, 'uno') INSERT INTO Comanda VALUES (2, 'dos')"));
    std::optional<RecordSet> rs = m_bd.AbrirRecordset("SELECT Nombre FROM Comanda ORDER BY ID_Comanda", 0, 1);
    ASSERT_TRUE(rs);
    EXPECT_EQ(rs->recordCount(), 2);
    EXPECT_EQ(rs->value(u"Nombre"), DbValue("uno"));

    fallar("", Status::Code::DatabaseError, 7, "Tiempo agotado", {{1222, "Bloqueo", "HYT00"}});
    EXPECT_FALSE(m_bd.AbrirRecordset("SELECT Nombre FROM Comanda"));
    EXPECT_EQ(m_caja.shown, QList<Shown>({{"7 BDME Tiempo agotado", "", Icon::None}}));
}

TEST(BaseDatos, DuplicarComillasDoublesEverySingleQuote) {
    const std::pair<const char*, const char*> casos[] = {
        {"", ""},       {"abc", "abc"},        {"'", "''"},       {"O'Brien", "O''Brien"},
        {"''", "''''"}, {"'a'b'", "''a''b''"}, {"\"x\"", "\"x\""}};
    for (const auto& [texto, esperado] : casos)
        EXPECT_EQ(BaseDatos::DuplicarComillas(texto), QString::fromUtf8(esperado)) << texto;
}

TEST_F(BaseDatosTest, BorrarRegistrosDeletesAndRecordsTheStatementInTransacciones) {
    exec(QStringLiteral("INSERT INTO Comanda VALUES (1, 'x') INSERT INTO Comanda VALUES (2, 'y') "
                        "INSERT INTO Comanda VALUES (3, 'x')"));
    EXPECT_TRUE(m_bd.BorrarRegistros("Comanda", "Nombre='x'"));
    EXPECT_EQ(columna("SELECT ID_Comanda FROM Comanda"), QStringList{"2"});
    EXPECT_EQ(columna("SELECT Transaccion FROM Transacciones"),
              QStringList{"DELETE FROM Comanda WHERE Nombre='x'"});
    EXPECT_EQ(bitacora(), QStringList{"DELETE FROM Comanda WHERE Nombre='x'"});
    EXPECT_TRUE(m_caja.shown.isEmpty());
}

TEST_F(BaseDatosTest, FailedDeleteOrFailedRecordLeavesBothTablesAsTheyWereAndIsReturnedUnreported) {
    exec(QStringLiteral("INSERT INTO Comanda VALUES (1, 'x')"));
    EXPECT_EQ(m_bd.BorrarRegistros("NoExiste", "Nombre='x'").code(), Status::Code::NotFound);

    fallar("Transacciones", Status::Code::DatabaseError, -2147217873, "Disco lleno");
    const Status registro = m_bd.BorrarRegistros("Comanda", "Nombre='x'");
    EXPECT_EQ(registro.code(), Status::Code::DatabaseError);
    EXPECT_EQ(registro.message(), "Disco lleno");
    // The failed DELETE, then the DELETE that ran and its record that did not.
    EXPECT_EQ(m_conexion->statements().size(), 3);

    EXPECT_EQ(columna("SELECT Nombre FROM Comanda"), QStringList{"x"});
    EXPECT_EQ(columna("SELECT Transaccion FROM Transacciones"), QStringList());
    EXPECT_EQ(bitacora(), QStringList());
    EXPECT_TRUE(m_caja.shown.isEmpty());
    // No transaction is left open: the next delete commits on its own.
    m_conexion->disarm();
    EXPECT_TRUE(m_bd.BorrarRegistros("Comanda", "Nombre='x'"));
    m_conexion->close();
    ASSERT_TRUE(m_conexion->open());
    EXPECT_EQ(columna("SELECT COUNT(*) FROM Comanda"), QStringList{"0"});
}

class EmpleadoDeTarjetaTest : public BaseDatosTest {
protected:
    void SetUp() override {
        BaseDatosTest::SetUp();
        exec(QStringLiteral("INSERT INTO Empleado VALUES (7, 'A', '%1', 'Ana') "
                            "INSERT INTO Empleado VALUES (8, 'B', '%2', 'Beto')")
                 .arg(cifrada(kTarjetaAna), cifrada(kTarjetaBeto)));
    }
};

TEST_F(EmpleadoDeTarjetaTest, ActiveEmployeesCardGivesItsNumberAndAnyOtherCardGivesZero) {
    EXPECT_EQ(m_bd.EmpleadoDeTarjeta(pistaDe(kTarjetaAna)), 7);
    EXPECT_EQ(m_conexion->statements().value(0),
              "SELECT ID_Empleado FROM Empleado WHERE Estado_Empleado='A' AND Num_Tarjeta='" +
                  cifrada(kTarjetaAna) + "'");
    EXPECT_EQ(m_bd.EmpleadoDeTarjeta(pistaDe(kTarjetaBeto)), 0);
    EXPECT_EQ(m_bd.EmpleadoDeTarjeta(pistaDe(QStringLiteral("4000555555555555=2812101000000003"))), 0);
    EXPECT_EQ(m_conexion->statements().size(), 3);
    // A failed lookup is reported like any other.
    fallar("Empleado", Status::Code::LostLink, DbErrorNumber::kGenericFailure, "Enlace caído",
           {{11, "Enlace caído", "08S01"}});
    EXPECT_EQ(m_bd.EmpleadoDeTarjeta(pistaDe(kTarjetaAna)), 0);
    EXPECT_EQ(m_finales, 1);
}

TEST_F(EmpleadoDeTarjetaTest, MalformedTracksAndFailedChecksGiveZeroWithoutAQuery) {
    const QString valida = pistaDe(kTarjetaAna);
    QString otroCuerpo = valida;
    otroCuerpo[40] = otroCuerpo[40] == u'9' ? u'8' : u'9';
    MD5 md5;
    const QString pistas[] = {
        otroCuerpo,
        u'%' + valida.mid(1, 32).toLower() + valida.mid(33),
        kTarjetaAna,
        QString(),
        QStringLiteral("_"),
        QStringLiteral("%_"),
        QStringLiteral("_abc"),
        QStringLiteral("%A_"),
        QStringLiteral("%AB_x"),
        QStringLiteral("%AB_xyz"),
        valida.left(34),
        valida.left(valida.size() - 1),
        // Digests that match a body too short to hold the card number.
        u'%' + md5.DigestStrToHexStr(QStringLiteral("abc")) + QStringLiteral("_Xabc"),
        u'%' + md5.DigestStrToHexStr(QString()) + u'_',
    };
    for (const QString& pista : pistas)
        EXPECT_EQ(m_bd.EmpleadoDeTarjeta(pista), 0) << pista.toStdString();
    EXPECT_EQ(m_conexion->statements(), QStringList());

    // The card number's first character lies outside the digest: changing it still sends the query.
    QString primeroCambiado = valida;
    primeroCambiado[34] = u'5';
    EXPECT_EQ(m_bd.EmpleadoDeTarjeta(primeroCambiado), 0);
    EXPECT_EQ(m_conexion->statements().size(), 1);
}
