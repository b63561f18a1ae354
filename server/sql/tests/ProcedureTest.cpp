// The server procedures as the terminal calls them, on a real database created from the built-in
// server files, embedded and on a PostgreSQL server: what each one stores, refuses and queues, that a
// failing call leaves nothing behind, the working-date rule of the start-up across Fin_Dia, and
// terminals working the same database at once.
#include "base/tests/QtPrinters.h"
#include "server/DatabaseBuilder.h"
#include "server/PostgresConnection.h"
#include "server/SqliteConnection.h"
#include "server/postgres/testing/PgTestDatabase.h"
#include "server/tests/ResultText.h"

#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <gtest/gtest.h>
#include <iostream>
#include <memory>
#include <thread>
#include <vector>

using nerin::Connection;
using nerin::DatabaseBuilder;
using nerin::DbCommand;
using nerin::DbValue;
using nerin::PostgresConnection;
using nerin::SqliteConnection;
using nerin::Status;
using nerin::testing::PgTestDatabase;

namespace {

// The start-up check of the terminal, word for word: the working date may not be later than the
// working date of the newest order.
const QString kNewestOrderDate = QStringLiteral(
    "SELECT top 1 substring(fecha_trabajo,5,4) + substring(fecha_trabajo,3,2) + substring(fecha_trabajo,1,2) "
    "as yyyymmdd FROM comanda ORDER BY id_comanda DESC");
const QString kWorkingDate = QStringLiteral(
    "SELECT substring(Valor_Cad,5,4) + substring(Valor_Cad,3,2) + substring(Valor_Cad,1,2) FROM Parametros "
    "WHERE ID_Parametro='FECHA_TRABAJO'");

// The few catalogue rows the tests order from: terminal 1 with its ticket printer 4, kitchen printer 2
// (group 2), bar printer 3 (group 3) redirected to the kitchen, waiter 1 signed in at terminal 1, a
// taxed soup with stock, an uncounted steak, an untaxed lemonade sold out, a package and its content,
// and two cancellation reasons (2 returns stock, 3 does not).
const char* const kCatalogue = R"(
INSERT INTO Terminal (ID_Terminal, Nombre_Terminal) VALUES (1, 'CAJA')
INSERT INTO Terminal (ID_Terminal, Nombre_Terminal) VALUES (2, 'BARRA')
INSERT INTO Empleado (Id_Empleado, Usuario, Nombre_Empleado, Apellido_Paterno, ID_Terminal)
VALUES (1, 'mesero1', 'Ana', 'Ruiz', 1)
INSERT INTO Impuesto (ID_Impuesto, Nombre_Impuesto, Porcentaje) VALUES (1, 'IVA', 0.16)
INSERT INTO Producto (ID_Producto, Nombre_Cuenta, Existencia, ID_Grupo_Impresoras, ID_Impuesto)
VALUES (101, 'SOPA', 5, 2, 1)
INSERT INTO Producto (ID_Producto, Nombre_Cuenta, Existencia, ID_Grupo_Impresoras, ID_Impuesto)
VALUES (102, 'FILETE', -1, 2, 1)
INSERT INTO Producto (ID_Producto, Nombre_Cuenta, Existencia, ID_Grupo_Impresoras, ID_Impuesto)
VALUES (103, 'LIMONADA', 0, 3, NULL)
INSERT INTO Producto (ID_Producto, Nombre_Cuenta, Existencia, ID_Grupo_Impresoras, ID_Impuesto, Paquete)
VALUES (201, 'PAQUETE', -1, 2, 1, 1)
INSERT INTO Producto (ID_Producto, Nombre_Cuenta, Existencia, ID_Grupo_Impresoras, ID_Impuesto)
VALUES (202, 'CREMA', 3, 2, 1)
INSERT INTO Impresora (ID_Impresora, Nombre_Impresora, Redirigido) VALUES (2, 'COCINA', 2)
INSERT INTO Impresora (ID_Impresora, Nombre_Impresora, Redirigido) VALUES (3, 'BARRA', 3)
INSERT INTO Impresora (ID_Impresora, Nombre_Impresora, Redirigido, ID_Terminal, EsDeCheques)
VALUES (4, 'TICKET', 4, 1, 1)
INSERT INTO ImpresorasXGrupo (ID_Grupo_Impresoras, ID_Impresora) VALUES (2, 2)
INSERT INTO ImpresorasXGrupo (ID_Grupo_Impresoras, ID_Impresora) VALUES (3, 3)
INSERT INTO Tipos_Anulacion (Nombre_Tipos_Anulacion, ID_Tipo_Anulacion, Regresa_Existencia) VALUES ('ERROR', 2, 1)
INSERT INTO Tipos_Anulacion (Nombre_Tipos_Anulacion, ID_Tipo_Anulacion, Regresa_Existencia) VALUES ('MERMA', 3, 0)
INSERT INTO Tipo_Cortesia (ID_Tipo_Cortesia, Nombre_Tipo_Cortesia) VALUES (1, 'GERENCIA')
)";

QString todayText() {
    return QDate::currentDate().toString(QStringLiteral("ddMMyyyy"));
}

// One item as Insertar_Producto receives it.
struct Item {
    int comanda = 0;
    int producto = 101;
    int preparado = 1;
    QString tipo = QStringLiteral("P");
    int paquete = 0;
    int seccion = 0;
    int grupo = 2;
    QString nombre = QStringLiteral("SOPA DE TORTILLA");
    int tiempo = 1;
    double precio = 85;
    QString comentario;
    int cuenta = 1;
};

Item linea(int comanda, int producto = 101, int preparado = 1, const QString& tipo = QStringLiteral("P"),
           int paquete = 0, int seccion = 0, int grupo = 2,
           const QString& nombre = QStringLiteral("SOPA DE TORTILLA"), int tiempo = 1, double precio = 85) {
    Item item;
    item.comanda = comanda;
    item.producto = producto;
    item.preparado = preparado;
    item.tipo = tipo;
    item.paquete = paquete;
    item.seccion = seccion;
    item.grupo = grupo;
    item.nombre = nombre;
    item.tiempo = tiempo;
    item.precio = precio;
    return item;
}

DbCommand abrirMesa(qint64 mesa, const QString& tipo, int huespedes, qint64 control = 1,
                    qint64 empleado = 1) {
    DbCommand command(QStringLiteral("Abrir_Mesa"), DbCommand::Kind::StoredProcedure);
    using P = DbCommand::ParamType;
    using D = DbCommand::Direction;
    command.addParameter({QStringLiteral("@nNumMesa"), P::BigInt, D::Input, 0, DbValue(mesa)});
    command.addParameter({QStringLiteral("@nControl"), P::BigInt, D::Input, 0, DbValue(control)});
    command.addParameter({QStringLiteral("@nIDEmpleado"), P::BigInt, D::Input, 0, DbValue(empleado)});
    command.addParameter({QStringLiteral("@sTipo"), P::Char, D::Input, 1, DbValue(tipo)});
    command.addParameter({QStringLiteral("@nHuespedes"), P::Integer, D::Input, 0, DbValue(huespedes)});
    command.addParameter({QStringLiteral("@nFolio"), P::BigInt, D::Output, 0, DbValue()});
    return command;
}

DbCommand insertarProducto(const Item& item) {
    DbCommand command(QStringLiteral("Insertar_Producto"), DbCommand::Kind::StoredProcedure);
    using P = DbCommand::ParamType;
    using D = DbCommand::Direction;
    auto in = [&](const char* name, P type, DbValue value, int size = 0) {
        command.addParameter({QString::fromLatin1(name), type, D::Input, size, std::move(value)});
    };
    in("@nIDComanda", P::Integer, DbValue(item.comanda));
    in("@nControl", P::Integer, DbValue(1));
    in("@nIDProducto", P::Integer, DbValue(item.producto));
    in("@nNumCta", P::Integer, DbValue(item.cuenta));
    in("@nComentario", P::LongText, DbValue(item.comentario), 1000);
    in("@bPreparado", P::Integer, DbValue(item.preparado));
    in("@nIDPaquete", P::Integer, DbValue(item.paquete));
    in("@sTipo", P::Char, DbValue(item.tipo), 2);
    in("@nIDSeccion", P::Integer, DbValue(item.seccion));
    in("@nIDGrupoImpresoras", P::Integer, DbValue(item.grupo));
    in("@sProducto", P::Char, DbValue(item.nombre), 20);
    in("@nTiempo", P::Integer, DbValue(item.tiempo));
    in("@nPrecio", P::Currency, DbValue(item.precio));
    in("@nPromocion", P::Integer, DbValue(0));
    command.addParameter({QStringLiteral("@nFolio"), P::Integer, D::Output, 0, DbValue()});
    return command;
}

enum class Motor { Sqlite, Postgres };

class ProcedureTest : public ::testing::TestWithParam<Motor> {
protected:
    // One database of each kind is built for the whole suite and copied for each test.
    static void TearDownTestSuite() {
        s_dir.reset();
        s_pgTemplate.reset();
    }
    static QString templatePath() { return s_dir->path() + QStringLiteral("/plantilla.db"); }

    static void buildTemplate(Motor motor) {
        if (motor == Motor::Sqlite && !s_dir) {
            s_dir = std::make_unique<QTemporaryDir>();
            const auto built = DatabaseBuilder::create(templatePath(), false);
            ASSERT_TRUE(built) << built.message().toStdString();
        }
        if (motor == Motor::Postgres && !s_pgTemplate) {
            // A server database that could not be built fails one test, not every one.
            ASSERT_FALSE(s_pgFailed) << "the template database could not be built";
            s_pgFailed = true;
            auto database = std::make_unique<PgTestDatabase>();
            ASSERT_TRUE(database->create());
            const auto built = DatabaseBuilder::createPostgres(database->connInfo(), false);
            ASSERT_TRUE(built) << built.message().toStdString();
            s_pgTemplate = std::move(database);
            s_pgFailed = false;
        }
    }

    void SetUp() override {
        if (GetParam() == Motor::Postgres && PgTestDatabase::clusterConnInfo().isEmpty())
            GTEST_SKIP() << qPrintable(PgTestDatabase::skipReason());
        ASSERT_NO_FATAL_FAILURE(buildTemplate(GetParam()));
        if (GetParam() == Motor::Sqlite) {
            ASSERT_TRUE(m_dir.isValid());
            ASSERT_TRUE(QFile::copy(templatePath(), path()));
        } else {
            ASSERT_TRUE(m_pg.create(s_pgTemplate->name()));
        }
        m_db = connect();
        ASSERT_TRUE(m_db->open());
        exec(QString::fromUtf8(kCatalogue));
    }

    // A new connection to the test's database, not yet open: another terminal.
    std::unique_ptr<Connection> connect() const {
        if (GetParam() == Motor::Sqlite)
            return std::make_unique<SqliteConnection>(path());
        return std::make_unique<PostgresConnection>(m_pg.connInfo());
    }

    QString path() const { return m_dir.path() + QStringLiteral("/nerin.db"); }

    void exec(const QString& sql) {
        auto result = m_db->execute(sql);
        ASSERT_TRUE(result) << sql.toStdString() << ": " << result.status().message().toStdString();
    }

    // The error of a statement expected to fail ("" when it did not fail).
    QString failure(const QString& sql) { return nerin::testing_support::failureText(*m_db, sql); }

    // Every row of the first result: fields joined by "|", rows by ";", NULL as "NULL".
    QString rows(const QString& sql) { return nerin::testing_support::resultText(*m_db, sql); }

    int open(qint64 mesa, const QString& tipo = QStringLiteral("N"), int huespedes = 4) {
        DbCommand command = abrirMesa(mesa, tipo, huespedes);
        auto result = m_db->run(command);
        EXPECT_TRUE(result) << result.status().message().toStdString();
        EXPECT_TRUE(result && result->isEmpty()) << "Abrir_Mesa returned a result set";
        return static_cast<int>(command.parameter(u"@nFolio").toInt());
    }

    int store(const Item& item) {
        DbCommand command = insertarProducto(item);
        auto result = m_db->run(command);
        EXPECT_TRUE(result) << result.status().message().toStdString();
        EXPECT_TRUE(result && result->isEmpty()) << "Insertar_Producto returned a result set";
        return static_cast<int>(command.parameter(u"@nFolio").toInt());
    }

    QTemporaryDir m_dir;
    PgTestDatabase m_pg;
    std::unique_ptr<Connection> m_db;
    static inline std::unique_ptr<QTemporaryDir> s_dir;
    static inline std::unique_ptr<PgTestDatabase> s_pgTemplate;
    static inline bool s_pgFailed = false;
};

INSTANTIATE_TEST_SUITE_P(Motores, ProcedureTest, ::testing::Values(Motor::Sqlite, Motor::Postgres),
                         [](const ::testing::TestParamInfo<Motor>& motor) {
                             return motor.param == Motor::Sqlite ? "sqlite" : "postgres";
                         });

} // namespace

// ---- Base rows and the working date -------------------------------------------------------------

TEST_P(ProcedureTest, ABrandNewDatabaseStartsOnTodayWithAClosedDayOpeningRecord) {
    EXPECT_EQ(rows(QStringLiteral("SELECT Valor_Cad FROM Vw_FechaTrabajo")), todayText());
    EXPECT_EQ(rows(QStringLiteral("SELECT ID_Comanda, Tipo, Abierta, fecha_trabajo FROM Comanda")),
              QStringLiteral("1|D|0|") + todayText());
    EXPECT_EQ(rows(QStringLiteral("SELECT count(*) FROM Cuenta")), QStringLiteral("0"));
    EXPECT_EQ(rows(QStringLiteral("SELECT count(*) FROM Vw_MesasAbiertas")), QStringLiteral("0"));
    // The start-up check passes: the working date is not later than the newest order's.
    EXPECT_LE(rows(kWorkingDate), rows(kNewestOrderDate));
}

TEST_P(ProcedureTest, FinDiaMovesAPastWorkingDateToTodayAndStartUpStillPasses) {
    exec(QStringLiteral("UPDATE Parametros SET Valor_Cad='01122026' WHERE Id_Parametro='FECHA_TRABAJO'"));
    exec(QStringLiteral("UPDATE Comanda SET fecha_trabajo='01122026'"));
    const int abierta = open(12);
    exec(QStringLiteral("Fin_Dia"));
    EXPECT_EQ(rows(QStringLiteral("SELECT Valor_Cad FROM Vw_FechaTrabajo")), todayText());
    EXPECT_EQ(rows(kWorkingDate), rows(kNewestOrderDate));
    // The open order moves to the new day; the new day opens with the next order number.
    EXPECT_EQ(rows(QStringLiteral("SELECT fecha_trabajo FROM Comanda WHERE ID_Comanda=%1").arg(abierta)),
              todayText());
    EXPECT_EQ(
        rows(QStringLiteral("SELECT TOP 1 ID_Comanda, Tipo, Abierta FROM Comanda ORDER BY ID_Comanda DESC")),
        QStringLiteral("%1|D|0").arg(abierta + 1));
    EXPECT_EQ(open(13), abierta + 2);
}

TEST_P(ProcedureTest, FinDiaAfterADayWithOrdersOpensTheNextDayAndAsksEveryTerminalToRestart) {
    open(12);
    exec(QStringLiteral("Fin_Dia"));
    const QString manana = QDate::currentDate().addDays(1).toString(QStringLiteral("ddMMyyyy"));
    EXPECT_EQ(rows(QStringLiteral("SELECT Valor_Cad FROM Vw_FechaTrabajo")), manana);
    EXPECT_EQ(rows(kWorkingDate), rows(kNewestOrderDate));
    EXPECT_EQ(rows(QStringLiteral("SELECT ID_Terminal, Reiniciar FROM Terminal ORDER BY ID_Terminal")),
              QStringLiteral("1|1;2|1"));
    // A second close of a day that has not started yet (two terminals at once) changes nothing.
    exec(QStringLiteral("Fin_Dia"));
    EXPECT_EQ(rows(QStringLiteral("SELECT Valor_Cad FROM Vw_FechaTrabajo")), manana);
    EXPECT_EQ(rows(QStringLiteral("SELECT count(*) FROM Comanda WHERE Tipo='D'")), QStringLiteral("2"));
}

// ---- Abrir_Mesa -----------------------------------------------------------------------------------

TEST_P(ProcedureTest, AbrirMesaCreatesTheOpenOrderAndItsFirstAccountOnTheWorkingDate) {
    const int folio = open(12, QStringLiteral("N"), 4);
    EXPECT_EQ(folio, 2); // 1 is the day-opening record
    EXPECT_EQ(
        rows(QStringLiteral("SELECT Control, Num_Mesa, Tipo, ID_Empleado, CantHuespedes, Abierta, EnUsoPor, "
                            "fecha_trabajo, Fecha_Cierre, Num_Anexo FROM Comanda WHERE ID_Comanda=2")),
        QStringLiteral("1|12|N|1|4|1|0|%1|NULL|NULL").arg(todayText()));
    EXPECT_EQ(
        rows(QStringLiteral("SELECT Num_Cuenta, Pagada, Num_Impresiones, Total, Num_Tiempo, Ultimo_Tiempo, "
                            "Facturada FROM Cuenta WHERE ID_Comanda=2 AND Control=1")),
        QStringLiteral("1|0|0|0|1|1|0"));
    EXPECT_EQ(rows(QStringLiteral("SELECT Num_Mesa FROM Vw_MesaOcupada WHERE Num_Mesa=12")),
              QStringLiteral("12"));
    EXPECT_EQ(rows(QStringLiteral("SELECT ID_Comanda FROM vw_mesasabiertas WHERE id_empleado=1")),
              QStringLiteral("2"));
    // The terminal's own form of the call works too.
    EXPECT_EQ(rows(QStringLiteral("DECLARE @nFolio bigint EXEC Abrir_Mesa @nNumMesa=1000, @nControl=1, "
                                  "@nIDEmpleado=1, @sTipo='B', @nHuespedes=0, @nFolio=@nFolio OUTPUT "
                                  "SELECT @nFolio AS nFolio")),
              QStringLiteral("3"));
}

TEST_P(ProcedureTest, AbrirMesaRefusesATableNumberAlreadyOpenAndStoresNothing) {
    open(12);
    DbCommand second = abrirMesa(12, QStringLiteral("N"), 2);
    auto refused = m_db->run(second);
    ASSERT_FALSE(refused);
    EXPECT_TRUE(refused.status().message().contains(QStringLiteral("ya está abierta")))
        << refused.status().message().toStdString();
    EXPECT_EQ(rows(QStringLiteral("SELECT count(*) FROM Comanda WHERE Num_Mesa=12")), QStringLiteral("1"));
    EXPECT_EQ(rows(QStringLiteral("SELECT count(*) FROM Cuenta")), QStringLiteral("1"));
    // The refused call used no order number.
    EXPECT_EQ(open(13), 3);
    // Take-away and delivery numbers are never refused; a closed table can be opened again.
    EXPECT_EQ(open(12, QStringLiteral("B"), 0), 4);
    exec(QStringLiteral("UPDATE Comanda SET Abierta=0, Fecha_Cierre=getdate() WHERE Num_Mesa=12"));
    EXPECT_EQ(open(12), 5);
}

// ---- Insertar_Producto, Inserta_Modificador, Totalizar_Cuenta, ImprimirTicket ------------------------

TEST_P(ProcedureTest, InsertarProductoStoresTheItemWithItsTaxMarksAndStock) {
    const int comanda = open(12);
    Item sopa;
    sopa.comanda = comanda;
    sopa.comentario = QStringLiteral("SIN SAL<N>TERMINO MEDIO");
    const int f1 = store(sopa);
    Item filete =
        linea(comanda, 102, 2, QStringLiteral("P"), 0, 0, 2, QStringLiteral("FILETE MIGNON"), 2, 245.5);
    const int f2 = store(filete);
    Item limonada = linea(comanda, 103, 0, QStringLiteral("PM"), 0, 0, 3, QStringLiteral("LIMONADA"), 1, 32);
    const int f3 = store(limonada);
    EXPECT_EQ(f2, f1 + 1);
    EXPECT_EQ(f3, f2 + 1);
    EXPECT_EQ(rows(QStringLiteral("SELECT ID_Producto, Precio, Preparado, Retenido, Tiempo_requerido, "
                                  "Tipo_Linea, Nombre_Producto, Grupo_Impresion, Comentario, ID_Paquete "
                                  "FROM ProductosXCuenta ORDER BY ID_ProductosXCuenta")),
              QStringLiteral("101|85|1|0|1|P |SOPA DE TORTILLA|2|SIN SAL<N>TERMINO MEDIO|NULL;"
                             "102|245.5|0|1|2|P |FILETE MIGNON|2||NULL;"
                             "103|32|0|0|1|PM|LIMONADA|3||NULL"));
    EXPECT_EQ(
        rows(QStringLiteral("SELECT count(*) FROM ProductosXCuenta WHERE Hora_Preparacion IS NOT NULL")),
        QStringLiteral("1"));
    // Tax of a gross price: 85 * 0.16 / 1.16 = 11.72; untaxed: one row of 0.
    EXPECT_EQ(rows(QStringLiteral(
                  "SELECT Monto_ImpuestosXCuenta FROM ImpuestosXCuenta ORDER BY ID_ProductosXCuenta")),
              QStringLiteral("11.72;33.86;0"));
    // Counted stock goes down; uncounted (negative) and sold out (0) stay.
    EXPECT_EQ(rows(QStringLiteral("SELECT Existencia FROM Producto WHERE ID_Producto IN (101,102,103) "
                                  "ORDER BY ID_Producto")),
              QStringLiteral("4;-1;0"));
}

TEST_P(ProcedureTest, APackageHeadIsItsOwnPackageAndItsComponentsPointToIt) {
    const int comanda = open(12);
    const int cabeza = store(
        linea(comanda, 201, 1, QStringLiteral("PP"), 0, 0, 2, QStringLiteral("PAQUETE EJECUTIVO"), 1, 189));
    const int componente = store(
        linea(comanda, 202, 1, QStringLiteral("PA"), cabeza, 5, 2, QStringLiteral("CREMA DE ELOTE"), 1, 0));
    EXPECT_EQ(rows(QStringLiteral("SELECT ID_Paquete, ID_Seccion_Paquete FROM ProductosXCuenta "
                                  "WHERE ID_ProductosXCuenta IN (%1,%2) ORDER BY ID_ProductosXCuenta")
                       .arg(cabeza)
                       .arg(componente)),
              QStringLiteral("%1|NULL;%1|5").arg(cabeza));
}

TEST_P(ProcedureTest, InsertarProductoRefusesAnAccountThatDoesNotExist) {
    const int comanda = open(12);
    Item perdido;
    perdido.comanda = comanda;
    perdido.cuenta = 7;
    DbCommand command = insertarProducto(perdido);
    EXPECT_FALSE(m_db->run(command));
    EXPECT_EQ(rows(QStringLiteral("SELECT count(*) FROM ProductosXCuenta")), QStringLiteral("0"));
    EXPECT_EQ(rows(QStringLiteral("SELECT count(*) FROM ImpuestosXCuenta")), QStringLiteral("0"));
    EXPECT_EQ(rows(QStringLiteral("SELECT Existencia FROM Producto WHERE ID_Producto=101")),
              QStringLiteral("5"));
}

TEST_P(ProcedureTest, TotalizarCuentaSumsLiveItemsAndModifiersAsTheTaxViewDoes) {
    const int comanda = open(12);
    const int sopa = store(linea(comanda));
    store(linea(comanda, 102, 1, QStringLiteral("P"), 0, 0, 2, QStringLiteral("FILETE"), 1, 245.5));
    const int anulado =
        store(linea(comanda, 103, 1, QStringLiteral("P"), 0, 0, 3, QStringLiteral("LIMONADA"), 1, 32));
    exec(QStringLiteral("Inserta_Modificador %1,8,15.5,0,'EXTRA QUESO'").arg(sopa));
    exec(QStringLiteral("Inserta_Modificador %1,0,0,1,'*BIEN COCIDO*'").arg(sopa));
    exec(QStringLiteral("UPDATE ProductosXCuenta SET ID_Tipo_Anulacion=3 WHERE ID_ProductosXCuenta=%1")
             .arg(anulado));
    exec(QStringLiteral("Totalizar_Cuenta %1,1,1").arg(comanda));
    EXPECT_EQ(rows(QStringLiteral("SELECT Total FROM Cuenta WHERE ID_Comanda=%1").arg(comanda)),
              QStringLiteral("346"));
    EXPECT_EQ(rows(QStringLiteral(
                       "SELECT SUM(Precio_Venta+Impuesto) FROM ProductosXCuenta p, Vw_TotalesImpuestos v "
                       "WHERE p.ID_ProductosXCuenta=v.ID_ProductosXCuenta AND p.ID_Comanda=%1")
                       .arg(comanda)),
              QStringLiteral("346"));
    // The modifier is taxed at its item's rate; its flag is kept.
    EXPECT_EQ(rows(QStringLiteral("SELECT Nombre_Modificador, Impuesto_Modificador, Marca FROM Modificador "
                                  "ORDER BY ID_Modificador")),
              QStringLiteral("EXTRA QUESO|2.14|0;*BIEN COCIDO*|0|1"));
    // A courtesy lowers what is due.
    exec(QStringLiteral(
             "INSERT INTO Cortesia (ID_ProductosXCuenta, ID_Tipo_Cortesia, Monto) VALUES (%1, 1, 50)")
             .arg(sopa));
    exec(QStringLiteral("EXEC Totalizar_Cuenta %1,1,1").arg(comanda));
    EXPECT_EQ(rows(QStringLiteral("SELECT Total FROM Cuenta WHERE ID_Comanda=%1").arg(comanda)),
              QStringLiteral("296"));
    EXPECT_EQ(failure(QStringLiteral("Inserta_Modificador 999,8,15.5,0,'EXTRA QUESO'")).isEmpty(), false);
}

TEST_P(ProcedureTest, ImprimirTicketGroupsEqualLinesAndAddsUpToTheAccountTotal) {
    const int comanda = open(12);
    store(linea(comanda));
    store(linea(comanda));
    const int con = store(linea(comanda));
    exec(QStringLiteral("Inserta_Modificador %1,8,15.5,0,'EXTRA QUESO'").arg(con));
    const int cabeza =
        store(linea(comanda, 201, 1, QStringLiteral("PP"), 0, 0, 2, QStringLiteral("PAQUETE"), 1, 189));
    store(linea(comanda, 202, 1, QStringLiteral("PA"), cabeza, 5, 2, QStringLiteral("CREMA"), 1, 0));
    exec(QStringLiteral(
             "INSERT INTO Cortesia (ID_ProductosXCuenta, ID_Tipo_Cortesia, Monto) VALUES (%1, 1, 10)")
             .arg(cabeza));
    exec(QStringLiteral("Totalizar_Cuenta %1,1,1").arg(comanda));
    EXPECT_EQ(rows(QStringLiteral("ImprimirTicket %1,1,1").arg(comanda)),
              QStringLiteral("SOPA DE TORTILLA|2|146.56|23.44|146.56|23.44;"
                             "SOPA DE TORTILLA|1|86.64|13.86|86.64|13.86;"
                             "PAQUETE|1|162.93|26.07|154.31|24.69"));
    // 170 + 100.5 + 179 of the lines: the total less the courtesy.
    EXPECT_EQ(rows(QStringLiteral("SELECT Total FROM Cuenta WHERE ID_Comanda=%1").arg(comanda)),
              QStringLiteral("449.5"));
}

// ---- Kitchen queue ------------------------------------------------------------------------------

TEST_P(ProcedureTest, MandarImpresionQueuesOneClosedJobPerPrinterHeaderFirst) {
    const int comanda = open(12);
    exec(QStringLiteral(
             "CREATE TABLE #Tmp_Imprimir (ID Int IDENTITY (1, 1),Texto Varchar (500),ID_Impresora Int,Tipo "
             "Char(1), "
             "Tiempo Int) "
             "INSERT INTO #Tmp_Imprimir(Texto,ID_Impresora,Tipo,Tiempo) VALUES ('SOPA</B></H>',2,'P',1) "
             "INSERT INTO #Tmp_Imprimir(Texto,ID_Impresora,Tipo,Tiempo) VALUES ('LIMONADA</B></H>',3,'P',1) "
             "INSERT INTO #Tmp_Imprimir(Texto,ID_Impresora,Tipo,Tiempo) VALUES ('<N><H><B>SIN "
             "CEBOLLA</B></H>',2,'M',1) "
             "EXEC Mandar_Impresion 12,'mesero1','%1',4")
             .arg(comanda));
    // The work table stays for the terminal to drop.
    exec(QStringLiteral("DROP TABLE #Tmp_Imprimir"));
    EXPECT_EQ(rows(QStringLiteral(
                  "SELECT Tipo, ID_Impresora, Usuario, Estado FROM Cola_Trabajo ORDER BY ID_Trabajo")),
              QStringLiteral("P|2|mesero1|P;P|3|mesero1|P"));
    const QString cocina = rows(QStringLiteral("SELECT Texto FROM Cola_Linea WHERE ID_Trabajo=(SELECT "
                                               "MIN(ID_Trabajo) FROM Cola_Trabajo) ORDER BY Num_Linea"));
    EXPECT_TRUE(cocina.startsWith(QStringLiteral("<B><H>COMANDA</H></B>;<XH>MESA 12</XH>;MESERO: Ana Ruiz;"
                                                 "COMANDA: %1  PERSONAS: 4;HORA: ")
                                      .arg(comanda)))
        << cocina.toStdString();
    EXPECT_TRUE(cocina.endsWith(QStringLiteral(";<H><B>SOPA</B></H>;<N><H><B>SIN CEBOLLA</B></H>")))
        << cocina.toStdString();
}

TEST_P(ProcedureTest, AJobGoesToThePrinterItsPrinterIsRedirectedTo) {
    exec(QStringLiteral("UPDATE Impresora SET Redirigido=2 WHERE ID_Impresora=3"));
    exec(QStringLiteral(
        "CREATE TABLE #Tmp_Imprimir (ID Int IDENTITY (1, 1),Texto Varchar (255),ID_Impresora Int,Tipo "
        "Char(1), "
        "Tiempo Int) "
        "INSERT INTO #Tmp_Imprimir(Texto,ID_Impresora,Tipo,Tiempo) VALUES ('LIMONADA</B></H>',3,'P',1) "
        "EXEC Mandar_Impresion 12,'mesero1','2',4 DROP TABLE #Tmp_Imprimir"));
    EXPECT_EQ(rows(QStringLiteral("SELECT ID_Impresora FROM Cola_Trabajo")), QStringLiteral("2"));
}

TEST_P(ProcedureTest, AFailingStatementUndoesTheWholeCall) {
    // Printer 3's two rows share an ID, so its second line collides after printer 2's job was written.
    exec(QStringLiteral("CREATE TABLE #Tmp_Imprimir (ID Int, Texto Varchar (255), ID_Impresora Int, Tipo "
                        "Char(1), Tiempo Int) "
                        "INSERT INTO #Tmp_Imprimir VALUES (1, 'SOPA</B></H>', 2, 'P', 1) "
                        "INSERT INTO #Tmp_Imprimir VALUES (2, 'LIMONADA</B></H>', 3, 'P', 1) "
                        "INSERT INTO #Tmp_Imprimir VALUES (2, 'AGUA</B></H>', 3, 'P', 1)"));
    EXPECT_FALSE(failure(QStringLiteral("Mandar_Impresion 12,'mesero1','2',4")).isEmpty());
    EXPECT_EQ(rows(QStringLiteral("SELECT count(*) FROM Cola_Trabajo")), QStringLiteral("0"));
    EXPECT_EQ(rows(QStringLiteral("SELECT count(*) FROM Cola_Linea")), QStringLiteral("0"));
}

TEST_P(ProcedureTest, MandarTiempoQueuesEachHeldItemOnceAndMarksItPrepared) {
    const int comanda = open(12);
    Item filete = linea(comanda, 102, 2, QStringLiteral("P"), 0, 0, 2, QStringLiteral("FILETE"), 2, 245.5);
    filete.comentario = QStringLiteral("TERMINO MEDIO");
    const int f = store(filete);
    exec(QStringLiteral("Inserta_Modificador %1,8,15.5,0,'EXTRA QUESO'").arg(f));
    store(linea(comanda, 103, 2, QStringLiteral("P"), 0, 0, 3, QStringLiteral("LIMONADA"), 2, 32));
    store(
        linea(comanda, 101, 2, QStringLiteral("P"), 0, 0, 2, QStringLiteral("SOPA"), 3, 85)); // another time
    store(linea(comanda, 101, 0, QStringLiteral("P"), 0, 0, 2, QStringLiteral("SOPA"), 2, 85)); // not held
    exec(QStringLiteral("Mandar_Tiempo %1,1,mesero1,2").arg(comanda));
    exec(QStringLiteral("Mandar_Tiempo %1,1,mesero1,2").arg(comanda));
    EXPECT_EQ(rows(QStringLiteral("SELECT ID_Impresora FROM Cola_Trabajo ORDER BY ID_Trabajo")),
              QStringLiteral("2;3"));
    EXPECT_EQ(rows(QStringLiteral(
                  "SELECT Texto FROM Cola_Linea WHERE Num_Linea > 6 ORDER BY ID_Trabajo, Num_Linea")),
              QStringLiteral("<H><B>FILETE</B></H>;<N><H><B>EXTRA QUESO</B></H>;<N>TERMINO MEDIO;"
                             "<H><B>LIMONADA</B></H>"));
    EXPECT_EQ(
        rows(QStringLiteral("SELECT Nombre_Producto, Tiempo_requerido, Preparado, "
                            "CASE WHEN Hora_Preparacion IS NULL THEN 0 ELSE 1 END FROM ProductosXCuenta "
                            "ORDER BY ID_ProductosXCuenta")),
        QStringLiteral("FILETE|2|1|1;LIMONADA|2|1|1;SOPA|3|0|0;SOPA|2|0|0"));
}

// ---- Borrar_Producto and Agregar_Cancelacion ------------------------------------------------------

TEST_P(ProcedureTest, BorrarProductoRemovesAnUnsentItemWithEverythingItCarried) {
    const int comanda = open(12);
    const int cabeza =
        store(linea(comanda, 201, 0, QStringLiteral("PP"), 0, 0, 2, QStringLiteral("PAQUETE"), 1, 189));
    exec(QStringLiteral("INSERT INTO Control_Paquetes(ID_ProductosXCuenta,ID_Seccion_Paquete) VALUES(%1,5)")
             .arg(cabeza));
    const int c1 =
        store(linea(comanda, 202, 0, QStringLiteral("PA"), cabeza, 5, 2, QStringLiteral("CREMA"), 1, 0));
    exec(QStringLiteral("UPDATE Control_Paquetes SET Ordenados=Ordenados+1 WHERE ID_ProductosXcuenta=%1")
             .arg(cabeza));
    const int c2 =
        store(linea(comanda, 202, 0, QStringLiteral("PA"), cabeza, 5, 2, QStringLiteral("CREMA"), 1, 0));
    exec(QStringLiteral("Inserta_Modificador %1,8,15.5,0,'EXTRA QUESO'").arg(c2));
    EXPECT_EQ(rows(QStringLiteral("SELECT Existencia FROM Producto WHERE ID_Producto=202")),
              QStringLiteral("1"));

    exec(QStringLiteral("Borrar_Producto %1").arg(c2));
    EXPECT_EQ(rows(QStringLiteral("SELECT Ordenados FROM Control_Paquetes")), QStringLiteral("1"));
    EXPECT_EQ(rows(QStringLiteral("SELECT count(*) FROM Modificador")), QStringLiteral("0"));
    EXPECT_EQ(rows(QStringLiteral("SELECT Existencia FROM Producto WHERE ID_Producto=202")),
              QStringLiteral("2"));
    exec(QStringLiteral("Borrar_Producto %1").arg(c1));
    exec(QStringLiteral("Borrar_Producto %1").arg(cabeza));
    exec(QStringLiteral("Borrar_Producto %1").arg(cabeza)); // already gone: nothing to do
    EXPECT_EQ(rows(QStringLiteral("SELECT count(*) FROM ProductosXCuenta")), QStringLiteral("0"));
    EXPECT_EQ(rows(QStringLiteral("SELECT count(*) FROM ImpuestosXCuenta")), QStringLiteral("0"));
    EXPECT_EQ(rows(QStringLiteral("SELECT count(*) FROM Control_Paquetes")), QStringLiteral("0"));
    // Uncounted stock stays uncounted.
    EXPECT_EQ(rows(QStringLiteral("SELECT Existencia FROM Producto WHERE ID_Producto=201")),
              QStringLiteral("-1"));
}

// The head goes with its components; a package with a component already sent stays whole.
TEST_P(ProcedureTest, BorrarProductoOnAPackageHeadTakesItsComponentsWithIt) {
    const int comanda = open(12);
    const int cabeza =
        store(linea(comanda, 201, 0, QStringLiteral("PP"), 0, 0, 2, QStringLiteral("PAQUETE"), 1, 189));
    const int crema =
        store(linea(comanda, 202, 0, QStringLiteral("PA"), cabeza, 5, 2, QStringLiteral("CREMA"), 1, 0));
    store(linea(comanda, 202, 0, QStringLiteral("PA"), cabeza, 5, 2, QStringLiteral("CREMA"), 1, 0));
    exec(QStringLiteral("Inserta_Modificador %1,8,15.5,0,'EXTRA QUESO'").arg(crema));
    const int otra =
        store(linea(comanda, 201, 0, QStringLiteral("PP"), 0, 0, 2, QStringLiteral("PAQUETE"), 1, 189));
    const int enviado =
        store(linea(comanda, 202, 1, QStringLiteral("PA"), otra, 5, 2, QStringLiteral("CREMA"), 1, 0));

    exec(QStringLiteral("Borrar_Producto %1").arg(cabeza));
    EXPECT_EQ(rows(QStringLiteral("SELECT ID_ProductosXCuenta FROM ProductosXCuenta ORDER BY 1")),
              QStringLiteral("%1;%2").arg(otra).arg(enviado));
    EXPECT_EQ(rows(QStringLiteral("SELECT count(*) FROM Modificador")), QStringLiteral("0"));
    EXPECT_EQ(rows(QStringLiteral("SELECT Existencia FROM Producto WHERE ID_Producto=202")),
              QStringLiteral("2")); // both components' stock back; the sent one keeps its own

    EXPECT_TRUE(failure(QStringLiteral("Borrar_Producto %1").arg(otra)).contains(QStringLiteral("motivo")));
    EXPECT_EQ(rows(QStringLiteral("SELECT count(*) FROM ProductosXCuenta")), QStringLiteral("2"));
}

TEST_P(ProcedureTest, BorrarProductoRefusesAnItemAlreadySentToTheKitchen) {
    const int comanda = open(12);
    const int enviado = store(linea(comanda));
    EXPECT_TRUE(
        failure(QStringLiteral("Borrar_Producto %1").arg(enviado)).contains(QStringLiteral("motivo")));
    EXPECT_EQ(rows(QStringLiteral("SELECT count(*) FROM ProductosXCuenta")), QStringLiteral("1"));
    EXPECT_EQ(rows(QStringLiteral("SELECT Existencia FROM Producto WHERE ID_Producto=101")),
              QStringLiteral("4"));
}

TEST_P(ProcedureTest, AgregarCancelacionReturnsStockOnlyWhenTheReasonSaysSoAndWritesTheSlip) {
    const int comanda = open(12);
    const int a = store(linea(comanda));
    const int b = store(linea(comanda));
    EXPECT_EQ(rows(QStringLiteral("SELECT Existencia FROM Producto WHERE ID_Producto=101")),
              QStringLiteral("3"));
    exec(QStringLiteral(
        "CREATE TABLE #Tmp_Imprimir_C (ID Int IDENTITY (1, 1),Texto Varchar (255),ID_Impresora Int,"
        "Tipo Char(1))"));
    // Not stamped yet: refused.
    EXPECT_FALSE(failure(QStringLiteral("Agregar_Cancelacion %1").arg(a)).isEmpty());

    exec(QStringLiteral("UPDATE ProductosXCuenta SET ID_Tipo_Anulacion=3,Empleado_Anulacion=1,"
                        "Hora_Anulacion='06/12/2026 13:45' WHERE ID_ProductosXCuenta=%1")
             .arg(a));
    exec(QStringLiteral("Agregar_Cancelacion %1").arg(a));
    EXPECT_EQ(rows(QStringLiteral("SELECT Existencia FROM Producto WHERE ID_Producto=101")),
              QStringLiteral("3"));
    exec(QStringLiteral("UPDATE ProductosXCuenta SET ID_Tipo_Anulacion=2,Empleado_Anulacion=1,"
                        "Hora_Anulacion='06/12/2026 13:45' WHERE ID_ProductosXCuenta=%1")
             .arg(b));
    exec(QStringLiteral("Agregar_Cancelacion %1").arg(b));
    EXPECT_EQ(rows(QStringLiteral("SELECT Existencia FROM Producto WHERE ID_Producto=101")),
              QStringLiteral("4"));

    EXPECT_EQ(
        rows(QStringLiteral("SELECT Texto, ID_Impresora, Tipo FROM #Tmp_Imprimir_C ORDER BY ID")),
        QStringLiteral("1 SOPA DE TORTILLA  $85.00  (MERMA)|4|T;<H><B>CANCELAR SOPA DE TORTILLA</B></H>|2|P;"
                       "1 SOPA DE TORTILLA  $85.00  (ERROR)|4|T;<H><B>CANCELAR SOPA DE TORTILLA</B></H>|2|P;"
                       "<N><B>* Anulación Total * $170.00</B>|4|T"));
    exec(QStringLiteral("Mandar_Impresion_C 12,'mesero1','%1',4,1").arg(comanda));
    exec(QStringLiteral("DROP TABLE #Tmp_Imprimir_C"));
    EXPECT_EQ(rows(QStringLiteral("SELECT Tipo, ID_Impresora, Estado FROM Cola_Trabajo ORDER BY ID_Trabajo")),
              QStringLiteral("P|2|P;T|4|P"));
    EXPECT_EQ(rows(QStringLiteral("SELECT Texto FROM Cola_Linea WHERE Num_Linea=1")),
              QStringLiteral("<B><H>*** CANCELACION ***</H></B>;<B><H>*** CANCELACION ***</H></B>"));
    exec(QStringLiteral("Totalizar_Cuenta %1,1,1").arg(comanda));
    EXPECT_EQ(rows(QStringLiteral("SELECT Total FROM Cuenta WHERE ID_Comanda=%1").arg(comanda)),
              QStringLiteral("0"));
}

// ---- procFirmarEmpleado ---------------------------------------------------------------------------

TEST_P(ProcedureTest, ProcFirmarEmpleadoClocksInThenOutOnTheLatestShift) {
    exec(QStringLiteral("procFirmarEmpleado 3,1"));
    EXPECT_EQ(rows(QStringLiteral("SELECT Firmado FROM Empleado WHERE ID_Empleado=1")), QStringLiteral("1"));
    EXPECT_EQ(rows(QStringLiteral(
                  "SELECT Id_Empleado, id_departamento, Fecha_Trabajo, "
                  "CASE WHEN Hora_Final IS NULL THEN 'abierta' ELSE 'cerrada' END FROM HorasxEmpleado")),
              QStringLiteral("1|3|%1|abierta").arg(todayText()));
    EXPECT_EQ(rows(QStringLiteral("SELECT Id_Empleado FROM Vw_EmpleadosFirmados")), QStringLiteral("1"));
    exec(QStringLiteral("procFirmarEmpleado 0,1"));
    EXPECT_EQ(rows(QStringLiteral("SELECT Firmado FROM Empleado WHERE ID_Empleado=1")), QStringLiteral("0"));
    EXPECT_EQ(rows(QStringLiteral("SELECT count(*) FROM HorasxEmpleado WHERE Hora_Final IS NOT NULL")),
              QStringLiteral("1"));
    EXPECT_EQ(rows(QStringLiteral("SELECT count(*) FROM Vw_EmpleadosFirmados")), QStringLiteral("0"));
    EXPECT_FALSE(failure(QStringLiteral("procFirmarEmpleado 0,99")).isEmpty());
}

// ---- Terminals at once ----------------------------------------------------------------------------

// Four terminals, each on its own connection to the same file, open their own tables and order on
// them while all of them also fight for the same few table numbers.
TEST_P(ProcedureTest, TerminalsWorkingAtOnceNeverShareANumberOrLoseAnItem) {
    constexpr int kTerminales = 4;
    constexpr int kMesas = NERIN_PROC_MESAS;
    constexpr int kProductos = NERIN_PROC_PRODUCTOS;
    constexpr int kDisputadas = 5;
    static_assert(kMesas >= kDisputadas, "each terminal fights for every contested table");
    exec(QStringLiteral("UPDATE Producto SET Existencia=-1"));
    m_db->close();

    std::atomic<int> fallas{0};
    std::atomic<int> rechazos{0};
    std::atomic<int> ganadas{0};
    std::vector<QString> errores(kTerminales);
    QElapsedTimer reloj;
    reloj.start();
    std::vector<std::thread> terminales;
    for (int t = 0; t < kTerminales; ++t) {
        terminales.emplace_back([&, t] {
            const auto falla = [&](const nerin::Status& status) {
                ++fallas;
                errores[static_cast<std::size_t>(t)] = status.message();
            };
            const std::unique_ptr<Connection> terminal = connect();
            Connection& db = *terminal;
            if (Status abierta = db.open(); !abierta) {
                falla(abierta);
                return;
            }
            for (int m = 0; m < kMesas; ++m) {
                if (m % (kMesas / kDisputadas) == 0) {
                    DbCommand disputada = abrirMesa(900 + m, QStringLiteral("N"), 2, t + 1);
                    auto r = db.run(disputada);
                    if (r)
                        ++ganadas;
                    else if (r.status().message().contains(QStringLiteral("ya está abierta")))
                        ++rechazos;
                    else
                        falla(r.status());
                }
                DbCommand mesa = abrirMesa(1 + t * kMesas + m, QStringLiteral("N"), 2, t + 1);
                if (auto r = db.run(mesa); !r) {
                    falla(r.status());
                    continue;
                }
                const int comanda = static_cast<int>(mesa.parameter(u"@nFolio").toInt());
                for (int p = 0; p < kProductos; ++p) {
                    Item item = linea(comanda, 101 + p % 3, 1, QStringLiteral("P"), 0, 0, 2,
                                      QStringLiteral("X"), 1, 10.0 + p);
                    DbCommand producto = insertarProducto(item);
                    // Items are stored on the order's terminal.
                    producto.setParameter(u"@nControl", DbValue(t + 1));
                    if (auto r = db.run(producto); !r)
                        falla(r.status());
                }
                if (auto r = db.execute(QStringLiteral("Totalizar_Cuenta %1,1,%2").arg(comanda).arg(t + 1));
                    !r)
                    falla(r.status());
            }
        });
    }
    for (auto& terminal : terminales)
        terminal.join();
    const qint64 ms = reloj.elapsed();
    std::cout << "[ procedures ] " << kTerminales << " terminals x " << kMesas << " tables x " << kProductos
              << " items: " << ms << " ms" << std::endl;

    for (const QString& error : errores)
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    EXPECT_EQ(fallas.load(), 0);
    EXPECT_EQ(ganadas.load(), kDisputadas);
    EXPECT_EQ(rechazos.load(), kDisputadas * (kTerminales - 1));

    ASSERT_TRUE(m_db->open());
    const int ordenes = kTerminales * kMesas + kDisputadas;
    EXPECT_EQ(rows(QStringLiteral("SELECT count(*), count(DISTINCT ID_Comanda) FROM Comanda WHERE Tipo='N'")),
              QStringLiteral("%1|%1").arg(ordenes));
    EXPECT_EQ(
        rows(QStringLiteral("SELECT count(*) FROM (SELECT Num_Mesa FROM Comanda WHERE Abierta=1 AND Tipo='N' "
                            "GROUP BY Num_Mesa HAVING count(*) > 1) d")),
        QStringLiteral("0"));
    EXPECT_EQ(
        rows(QStringLiteral("SELECT count(*), count(DISTINCT ID_ProductosXCuenta) FROM ProductosXCuenta")),
        QStringLiteral("%1|%1").arg(kTerminales * kMesas * kProductos));
    EXPECT_EQ(
        rows(QStringLiteral("SELECT count(*) FROM Cuenta c WHERE c.Total <> ISNULL((SELECT SUM(p.Precio) "
                            "FROM ProductosXCuenta p WHERE p.ID_Comanda=c.ID_Comanda AND p.Control=c.Control "
                            "AND p.Num_Cuenta=c.Num_Cuenta), 0)")),
        QStringLiteral("0"));
    EXPECT_EQ(
        rows(QStringLiteral("SELECT count(*) FROM Comanda c WHERE c.Tipo='N' AND NOT EXISTS (SELECT 1 FROM "
                            "ProductosXCuenta p WHERE p.ID_Comanda=c.ID_Comanda AND p.Control=c.Control) "
                            "AND c.Num_Mesa < 900")),
        QStringLiteral("0"));
    EXPECT_EQ(rows(QStringLiteral("SELECT MAX(ID_Comanda) FROM Comanda")),
              rows(QStringLiteral("SELECT Ultimo FROM Consecutivos WHERE Id_Consecutivo='COMANDA'")));
}
