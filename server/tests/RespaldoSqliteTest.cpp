#include "server/RespaldoSqlite.h"

#include "base/tests/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

using nerin::RespaldoSqlite;
using nerin::Status;

namespace {

// A database in write-ahead-log mode, as the terminals keep it, reached through SQLite itself.
class Base {
public:
    explicit Base(const QString& path) {
        sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        exec("PRAGMA journal_mode=WAL");
    }
    ~Base() { sqlite3_close_v2(m_db); }
    void exec(const char* sql) {
        ASSERT_EQ(sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sql;
    }
    qint64 numero(const char* sql) {
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(m_db, sql, -1, &stmt, nullptr);
        const qint64 valor = sqlite3_step(stmt) == SQLITE_ROW ? sqlite3_column_int64(stmt, 0) : -1;
        sqlite3_finalize(stmt);
        return valor;
    }

private:
    sqlite3* m_db = nullptr;
};

class RespaldoSqliteTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString ruta(const char* nombre) const { return m_dir.filePath(QString::fromLatin1(nombre)); }
    QTemporaryDir m_dir;
};

// Terminals that write while the backup runs neither wait for it nor get into it: the backup is the
// database as it was when it began, whole, and it is one file.
TEST_F(RespaldoSqliteTest, ABackupIsTheDatabaseAsItWasWhenItBeganWhileTerminalsWrite) {
    Base base(ruta("DBNERIN.db"));
    base.exec("CREATE TABLE Carga (N INTEGER PRIMARY KEY, Datos BLOB)");
    // About 12 MB: several steps of the backup.
    base.exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
              "INSERT INTO Carga SELECT i, randomblob(4000) FROM n");
    const qint64 suma = base.numero("SELECT sum(length(Datos) + N) FROM Carga");
    Base terminal(ruta("DBNERIN.db"));
    QList<qint64> avances;
    qint64 total = 0;
    const auto escribe = [&](qint64 hechas, qint64 paginas) {
        avances.append(hechas);
        total = paginas;
        terminal.exec("INSERT INTO Carga (Datos) VALUES (randomblob(4000))");
    };
    ASSERT_TRUE(RespaldoSqlite::copiar(ruta("DBNERIN.db"), ruta("copia.db"), escribe).isOk());

    ASSERT_GE(avances.size(), 3);
    EXPECT_EQ(avances.last(), total);
    EXPECT_EQ(base.numero("SELECT count(*) FROM Carga"), 3000 + avances.size());
    EXPECT_EQ(
        QDir(m_dir.path())
            .entryList({QStringLiteral("copia*"), QStringLiteral(".copia*")}, QDir::Files | QDir::Hidden),
        QStringList{QStringLiteral("copia.db")});
    Base copia(ruta("copia.db"));
    EXPECT_EQ(copia.numero("SELECT count(*) FROM Carga"), 3000);
    EXPECT_EQ(copia.numero("SELECT sum(length(Datos) + N) FROM Carga"), suma);
}

// Each backup is named after the database and its moment; the 30 newest are kept, and nothing else in
// the folder is touched.
TEST_F(RespaldoSqliteTest, OnlyTheNewestBackupsOfTheDatabaseAreKept) {
    {
        Base base(ruta("DBNERIN.db"));
        base.exec("CREATE TABLE T (a)");
    }
    const QString carpeta = ruta("respaldos");
    ASSERT_TRUE(QDir().mkpath(carpeta));
    const QStringList ajenos{QStringLiteral("DBNERIN-nota.db"), QStringLiteral("OTRA-20261201-000000.db")};
    for (const QString& ajeno : ajenos) {
        QFile archivo(carpeta + u'/' + ajeno);
        ASSERT_TRUE(archivo.open(QIODevice::WriteOnly));
    }
    const QDateTime primero(QDate(2026, 11, 1), QTime(23, 30));
    for (int dia = 0; dia < 32; ++dia) {
        const auto hecho = RespaldoSqlite::respaldar(ruta("DBNERIN.db"), carpeta, primero.addDays(dia));
        ASSERT_TRUE(hecho) << hecho.status().message().toStdString();
        EXPECT_EQ(*hecho, carpeta + QStringLiteral("/DBNERIN-") +
                              primero.addDays(dia).toString(QStringLiteral("yyyyMMdd-HHmmss")) +
                              QStringLiteral(".db"));
    }
    const QStringList quedan = RespaldoSqlite::respaldos(ruta("DBNERIN.db"), carpeta);
    ASSERT_EQ(quedan.size(), RespaldoSqlite::kConservados);
    EXPECT_TRUE(quedan.first().endsWith(QStringLiteral("DBNERIN-20261103-233000.db")));
    EXPECT_TRUE(quedan.last().endsWith(QStringLiteral("DBNERIN-20261202-233000.db")));
    for (const QString& ajeno : ajenos)
        EXPECT_TRUE(QFile::exists(carpeta + u'/' + ajeno)) << ajeno.toStdString();
}

// A backup is never written over the database it copies, nor made of a database that is not there.
TEST_F(RespaldoSqliteTest, ABackupOverItsOwnDatabaseOrOfAMissingOneIsRefusedAndLeavesNothing) {
    {
        Base base(ruta("DBNERIN.db"));
        base.exec("CREATE TABLE T (a)");
    }
    const Status mismo = RespaldoSqlite::copiar(ruta("DBNERIN.db"), ruta("DBNERIN.db"));
    EXPECT_TRUE(mismo.message().endsWith(QStringLiteral("es el mismo archivo.")))
        << mismo.message().toStdString();
    EXPECT_FALSE(RespaldoSqlite::copiar(ruta("falta.db"), ruta("copia.db")));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("DBNERIN.db")});
}

} // namespace
