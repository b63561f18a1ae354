#include "server/SqliteConnection.h"
#include "server/postgres/testing/PgTestDatabase.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct ShellRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ShellRun nerinSql(const QStringList& arguments, const QByteArray& input = {}, const QString& folder = {},
                  const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setWorkingDirectory(folder);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(NERIN_SQL_BINARY), arguments);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(120000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

class NerinSqlTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        const ShellRun created = nerinSql({QStringLiteral("--create"), db()});
        ASSERT_EQ(created.exitCode, 0) << created.err.toStdString();
    }
    QString db() const { return m_dir.path() + QStringLiteral("/r.db"); }
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(NerinSqlTest, PrintsResultsAsTabSeparatedRowsUnderAHeader) {
    const ShellRun r =
        nerinSql({QStringLiteral("--db"), db(), QStringLiteral("-Q"), QStringLiteral("SELECT 'a' + 'b'")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("\nab\n"));
    const ShellRun named = nerinSql(
        {QStringLiteral("--db"), db(), QStringLiteral("-Q"),
         QStringLiteral("DECLARE @v int SET @v = 4 SELECT @v AS Valor, NULL AS Nada, 'x' AS Texto")});
    EXPECT_EQ(named.out, QStringLiteral("Valor\tNada\tTexto\n4\tNULL\tx\n"));
}

TEST_F(NerinSqlTest, AFailedBatchIsReportedAndTheRunGoesOnUnlessToldToStop) {
    const QString script = m_dir.path() + QStringLiteral("/s.sql");
    QFile file(script);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("CREATE TABLE T (a int)\nGO\nSELECT * FROM Nada\nGO\nINSERT INTO T VALUES (1)\nSELECT "
               "COUNT(*) AS n FROM T\n");
    file.close();
    const ShellRun r = nerinSql({QStringLiteral("--db"), db(), QStringLiteral("-i"), script});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.startsWith(QStringLiteral("Msg 208, Level 16, State 1, Line 1\n")))
        << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("n\n1\n"));

    const ShellRun stopped =
        nerinSql({QStringLiteral("--db"), db(), QStringLiteral("-b"), QStringLiteral("-Q"),
                  QStringLiteral("SELECT * FROM Nada\nGO\nSELECT 1 AS uno")});
    EXPECT_EQ(stopped.exitCode, 1);
    EXPECT_EQ(stopped.out, QString());
}

TEST_F(NerinSqlTest, TextThatIsNotUtf8IsRefused) {
    const QString script = m_dir.path() + QStringLiteral("/latin1.sql");
    QFile file(script);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("SELECT 'Pe\xf1"
               "a'\n");
    file.close();
    const ShellRun r = nerinSql({QStringLiteral("--db"), db(), QStringLiteral("-i"), script});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("no es UTF-8 válido"))) << r.err.toStdString();
}

TEST_F(NerinSqlTest, OptionsGoInAnyOrderAndAreNeverTakenForAFileName) {
    const QString demo = m_dir.path() + QStringLiteral("/demo.db");
    const ShellRun created = nerinSql({QStringLiteral("--create"), QStringLiteral("--demo"), demo});
    ASSERT_EQ(created.exitCode, 0) << created.err.toStdString();
    EXPECT_EQ(nerinSql({QStringLiteral("-Q"), QStringLiteral("SELECT count(*) AS n FROM Empleado"), demo,
                        QStringLiteral("--db")})
                  .exitCode,
              2)
        << "a file name is not a value of the option before it";
    const ShellRun employees =
        nerinSql({QStringLiteral("-Q"), QStringLiteral("SELECT count(*) AS n FROM Empleado"),
                  QStringLiteral("--db"), demo});
    EXPECT_EQ(employees.out, QStringLiteral("n\n4\n")) << employees.err.toStdString();
    const QString plain = m_dir.path() + QStringLiteral("/vacia.db");
    EXPECT_EQ(nerinSql({plain, QStringLiteral("--create")}).exitCode, 0);

    const struct {
        QStringList arguments;
        const char* problem;
    } refused[] = {
        {{"--create", "--demo"}, "--create espera el archivo de la base de datos o --pg."},
        {{"--create", db()}, nullptr}, // the file exists: refused by the builder, status 1
        {{"--demo", db()}, "--demo solo sirve con --create."},
        {{"--db", "--demo", "-Q", "SELECT 1"}, "Falta el valor de --db."},
        {{"-Q", "SELECT 1", "--db"}, "Falta el valor de --db."},
        {{"--db", db(), "-Q", "SELECT 1", "otro.db"}, "Argumento no reconocido: otro.db"},
        {{"--db", db(), "--db", db(), "-Q", "SELECT 1"}, "--db se dio más de una vez."},
        {{"--history", "3"}, "--history espera el archivo de la base de datos o --pg."},
        {{"--create", "--pg", "host=x", db()}, "Sobra el argumento: %1"},
        {{"--bogus"}, "Opción no reconocida: --bogus"},
        {{"--db", db()}, "Falta -Q o -i."},
        {{"--backup", "copia.db", "-Q", "SELECT 1"}, "--backup solo se combina con --db."},
        {{"--restore", "copia.db", "--db", db(), "otro.db"}, "Sobra el argumento: otro.db"},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const ShellRun r = nerinSql(c.arguments, {}, m_dir.path());
        EXPECT_EQ(r.exitCode, c.problem ? 2 : 1) << r.err.toStdString();
        if (c.problem) {
            EXPECT_TRUE(
                r.err.startsWith(QString::fromUtf8(c.problem).replace(QStringLiteral("%1"), db()) + u'\n'))
                << r.err.toStdString();
        }
    }
    EXPECT_TRUE(QDir(m_dir.path()).entryList({QStringLiteral("-*")}, QDir::Files).isEmpty());
}

TEST_F(NerinSqlTest, TwoProcessesWritingAtOnceBothSucceed) {
    ASSERT_EQ(nerinSql({QStringLiteral("--db"), db(), QStringLiteral("-Q"),
                        QStringLiteral("CREATE TABLE Carga (Proceso int, N int)")})
                  .exitCode,
              0);
    QList<QProcess*> writers;
    for (int p = 0; p < 2; ++p) {
        QString script;
        for (int n = 0; n < 300; ++n)
            script += QStringLiteral("INSERT INTO Carga VALUES (%1, %2)\nGO\n").arg(p).arg(n);
        const QString path = m_dir.path() + QStringLiteral("/carga%1.sql").arg(p);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(script.toUtf8());
        file.close();
        auto* process = new QProcess;
        process->start(QStringLiteral(NERIN_SQL_BINARY),
                       {QStringLiteral("--db"), db(), QStringLiteral("-b"), QStringLiteral("-i"), path});
        writers.append(process);
    }
    for (QProcess* process : writers) {
        ASSERT_TRUE(process->waitForFinished(120000));
        EXPECT_EQ(process->exitCode(), 0) << process->readAllStandardError().toStdString();
        delete process;
    }
    const ShellRun count = nerinSql({QStringLiteral("--db"), db(), QStringLiteral("-Q"),
                                     QStringLiteral("SELECT COUNT(*) AS n FROM Carga")});
    EXPECT_EQ(count.out, QStringLiteral("n\n600\n"));
}

// What identifies a restaurant's state: its orders, their lines, its working date.
QString huella(const QString& database) {
    return nerinSql({QStringLiteral("--db"), database, QStringLiteral("-Q"),
                     QStringLiteral("SELECT (SELECT COUNT(*) FROM Comanda) AS c, (SELECT COUNT(*) FROM "
                                    "ProductosXCuenta) AS p, (SELECT Valor_Cad FROM Parametros WHERE "
                                    "Id_Parametro='FECHA_TRABAJO') AS f")})
        .out;
}

// A backup taken while a terminal has the database open is the database; restored over a changed
// database, it brings back what was backed up. Nothing is left beside either file.
TEST_F(NerinSqlTest, ABackupTakenWhileTheDatabaseIsOpenRestoresWhatWasBackedUp) {
    const QString demo = m_dir.path() + QStringLiteral("/demo.db");
    const QString copia = m_dir.path() + QStringLiteral("/respaldo/copia.db");
    ASSERT_TRUE(QDir().mkpath(m_dir.path() + QStringLiteral("/respaldo")));
    ASSERT_EQ(nerinSql({QStringLiteral("--create"), QStringLiteral("--demo"), demo}).exitCode, 0);
    ASSERT_EQ(nerinSql({QStringLiteral("--history"), QStringLiteral("3"), demo}).exitCode, 0);
    const QString antes = huella(demo);
    {
        nerin::SqliteConnection terminal(demo);
        ASSERT_TRUE(terminal.open().isOk());
        const ShellRun backup = nerinSql({QStringLiteral("--db"), demo, QStringLiteral("--backup"), copia});
        ASSERT_EQ(backup.exitCode, 0) << backup.err.toStdString();
    }
    EXPECT_EQ(huella(copia), antes);
    ASSERT_EQ(
        nerinSql({QStringLiteral("--db"), demo, QStringLiteral("-Q"),
                  QStringLiteral("DELETE FROM ProductosXCuenta UPDATE Parametros SET Valor_Cad='01012030' "
                                 "WHERE Id_Parametro='FECHA_TRABAJO'")})
            .exitCode,
        0);
    ASSERT_NE(huella(demo), antes);
    const ShellRun restored = nerinSql({QStringLiteral("--restore"), copia, QStringLiteral("--db"), demo});
    ASSERT_EQ(restored.exitCode, 0) << restored.err.toStdString();
    EXPECT_EQ(huella(demo), antes);
    EXPECT_EQ(QDir(m_dir.path()).entryList({QStringLiteral("*demo.db*")}, QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("demo.db")});
    EXPECT_EQ(QDir(m_dir.path() + QStringLiteral("/respaldo")).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("copia.db")});
}

// A restore is refused, and the database left as it is, while another process has the database open
// or when the file given is not a restaurant's database.
TEST_F(NerinSqlTest, ARestoreIsRefusedOverAnOpenDatabaseOrFromAFileThatIsNoRestaurant) {
    const QString copia = m_dir.path() + QStringLiteral("/copia.db");
    ASSERT_EQ(nerinSql({QStringLiteral("--db"), db(), QStringLiteral("--backup"), copia}).exitCode, 0);
    ASSERT_EQ(
        nerinSql({QStringLiteral("--db"), db(), QStringLiteral("-Q"),
                  QStringLiteral("INSERT INTO Parametros (Id_Parametro, Valor_Cad) VALUES ('MARCA', 'x')")})
            .exitCode,
        0);
    const auto escribir = [this](const char* nombre, const QByteArray& datos) {
        const QString ruta = m_dir.path() + u'/' + QString::fromLatin1(nombre);
        QFile file(ruta);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(datos);
        return ruta;
    };
    const struct {
        QString respaldo;
        bool abierta;
        const char* motivo;
    } casos[] = {
        {copia, true, "está abierta por una terminal"},
        {escribir("texto.db", "no soy una base de datos\n"), false, "no es una base de datos SQLite sana"},
        {escribir("vacia.db", {}), false, "no tiene las tablas del restaurante"},
        {m_dir.path() + QStringLiteral("/falta.db"), false, "No existe el archivo"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.motivo);
        nerin::SqliteConnection terminal(db());
        if (caso.abierta) {
            ASSERT_TRUE(terminal.open().isOk());
        }
        const ShellRun r =
            nerinSql({QStringLiteral("--restore"), caso.respaldo, QStringLiteral("--db"), db()});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(caso.motivo))) << r.err.toStdString();
    }
    const QString marca = QStringLiteral("SELECT Valor_Cad FROM Parametros WHERE Id_Parametro='MARCA'");
    EXPECT_EQ(nerinSql({QStringLiteral("--db"), db(), QStringLiteral("-Q"), marca}).out,
              QStringLiteral("Valor_Cad\nx\n"));
    EXPECT_EQ(nerinSql({QStringLiteral("--restore"), copia, QStringLiteral("--db"), db()}).exitCode, 0);
    EXPECT_EQ(nerinSql({QStringLiteral("--db"), db(), QStringLiteral("-Q"), marca}).out,
              QStringLiteral("Valor_Cad\n"));
    EXPECT_TRUE(nerinSql({QStringLiteral("--help")}).out.contains(QStringLiteral("--restore RESPALDO")));
}

// Without --db the tool works on the database of the terminal's settings, found where the terminal
// finds them: the file NERIN_CONFIG names, else the user's standard configuration folder.
TEST_F(NerinSqlTest, WithoutDbItUsesTheDatabaseOfTheSettingsTheTerminalReads) {
    const QString estandar = m_dir.path() + QStringLiteral("/config/NERIN/NERIN.ini");
    const QString propio = m_dir.path() + QStringLiteral("/propio.ini");
    ASSERT_TRUE(QDir().mkpath(m_dir.path() + QStringLiteral("/config/NERIN")));
    const auto escribir = [](const QString& ruta, const QString& servidor) {
        QFile file(ruta);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QStringLiteral("[Configuracion]\nMotor=sqlite\nServidor=%1\nBASE_DE_DATOS=r\n")
                       .arg(servidor)
                       .toUtf8());
    };
    const struct {
        const char* caso;
        QString servidorEstandar;
        QString servidorPropio; // empty: no NERIN_CONFIG
    } casos[] = {
        {"NERIN_CONFIG comes first", m_dir.path() + QStringLiteral("/no-existe"), m_dir.path()},
        {"the standard location without it", m_dir.path(), QString()},
    };
    int n = 0;
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.caso);
        escribir(estandar, caso.servidorEstandar);
        QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
        entorno.remove(QStringLiteral("NERIN_CONFIG"));
        entorno.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.path() + QStringLiteral("/config"));
        if (!caso.servidorPropio.isEmpty()) {
            escribir(propio, caso.servidorPropio);
            entorno.insert(QStringLiteral("NERIN_CONFIG"), propio);
        }
        const ShellRun consulta =
            nerinSql({QStringLiteral("-Q"), QStringLiteral("SELECT COUNT(*) AS n FROM Parametros WHERE 1=0")},
                     {}, {}, entorno);
        EXPECT_EQ(consulta.out, QStringLiteral("n\n0\n")) << consulta.err.toStdString();
        const QString copia = m_dir.path() + QStringLiteral("/copia%1.db").arg(++n);
        const ShellRun respaldo = nerinSql({QStringLiteral("--backup"), copia}, {}, {}, entorno);
        EXPECT_EQ(respaldo.exitCode, 0) << respaldo.err.toStdString();
        EXPECT_TRUE(QFileInfo::exists(copia));
    }
}

TEST(NerinSqlPostgresTest, CreatesTheDemoRestaurantOnAServerAndRunsStatementsThere) {
    using nerin::testing::PgTestDatabase;
    if (PgTestDatabase::clusterConnInfo().isEmpty())
        GTEST_SKIP() << qPrintable(PgTestDatabase::skipReason());
    PgTestDatabase database;
    ASSERT_TRUE(database.create().isOk());
    const QString server = database.connInfo();
    const ShellRun created =
        nerinSql({QStringLiteral("--create"), QStringLiteral("--demo"), QStringLiteral("--pg"), server});
    ASSERT_EQ(created.exitCode, 0) << created.err.toStdString();
    EXPECT_EQ(nerinSql({QStringLiteral("--create"), QStringLiteral("--pg"), server}).exitCode, 1)
        << "a database that holds the restaurant is not touched";
    const ShellRun employees = nerinSql({QStringLiteral("--pg"), server, QStringLiteral("-Q"),
                                         QStringLiteral("SELECT count(*) AS N FROM Empleado")});
    EXPECT_EQ(employees.out, QStringLiteral("N\n4\n")) << employees.err.toStdString();
    const ShellRun history =
        nerinSql({QStringLiteral("--history"), QStringLiteral("2"), QStringLiteral("--pg"), server});
    EXPECT_EQ(history.exitCode, 0) << history.err.toStdString();
}
