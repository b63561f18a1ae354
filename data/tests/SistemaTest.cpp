#include "data/BuscarProceso.h"
#include "data/CrearDirectorio.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

using nerin::BuscarProceso;
using nerin::CrearDirectorio;

TEST(CrearDirectorio, CreatesEveryMissingLevelFromTheTop) {
    QTemporaryDir raiz;
    const QString ruta = raiz.path() + "/uno/dos/tres";
    EXPECT_TRUE(CrearDirectorio(ruta));
    EXPECT_TRUE(QFileInfo(ruta).isDir());
    // Running it again, or with a trailing separator, changes nothing and still succeeds.
    EXPECT_TRUE(CrearDirectorio(ruta));
    EXPECT_TRUE(CrearDirectorio(raiz.path() + "/uno/dos/tres/"));
    EXPECT_TRUE(CrearDirectorio(raiz.path() + "/otra/"));
    EXPECT_TRUE(QFileInfo(raiz.path() + "/otra").isDir());
}

TEST(CrearDirectorio, APathThatCannotBeCreatedGivesFalse) {
    QTemporaryDir raiz;
    QFile archivo(raiz.path() + "/archivo");
    ASSERT_TRUE(archivo.open(QIODevice::WriteOnly));
    archivo.close();
    EXPECT_FALSE(CrearDirectorio(raiz.path() + "/archivo"));
    EXPECT_FALSE(CrearDirectorio(raiz.path() + "/archivo/debajo"));
    EXPECT_FALSE(CrearDirectorio(QString()));
}

TEST(BuscarProceso, FindsThisTestByItsUpperCaseName) {
    char ruta[4096] = {};
    const ssize_t largo = readlink("/proc/self/exe", ruta, sizeof ruta - 1);
    ASSERT_GT(largo, 0);
    const QString nombre = QFileInfo(QString::fromLocal8Bit(ruta)).fileName().toUpper();
    // Other runs of the same test may be alive; any match must at least be a live process.
    const qint64 pid = BuscarProceso(nombre);
    EXPECT_GT(pid, 0);
    EXPECT_TRUE(QFileInfo::exists(QStringLiteral("/proc/%1").arg(pid)));
    EXPECT_EQ(BuscarProceso(QStringLiteral("NINGUN-PROCESO-SE-LLAMA-ASI")), 0);
}

TEST(BuscarProceso, ComparesTheUpperCasedNameAndTakesTheLowestId) {
    QTemporaryDir proc;
    auto proceso = [&](const char* pid, const QByteArray& cmdline, const QByteArray& comm) {
        QDir(proc.path()).mkdir(pid);
        QFile a(proc.path() + "/" + pid + "/cmdline");
        ASSERT_TRUE(a.open(QIODevice::WriteOnly));
        a.write(cmdline);
        QFile b(proc.path() + "/" + pid + "/comm");
        ASSERT_TRUE(b.open(QIODevice::WriteOnly));
        b.write(comm);
    };
    proceso("120", QByteArray("/usr/bin/nerin-printq\0--once\0", 29), "nerin-printq\n");
    proceso("77", QByteArray(), "kworker/0:1\n");
    proceso("300", QByteArray("/opt/nerin-printq\0", 18), "nerin-printq\n");
    QDir(proc.path()).mkdir("self");

    EXPECT_EQ(BuscarProceso(QStringLiteral("PRINTQ"), proc.path()), 120);
    EXPECT_EQ(BuscarProceso(QStringLiteral("KWORKER"), proc.path()), 77);
    EXPECT_EQ(BuscarProceso(QStringLiteral("printq"), proc.path()), 0);
    // The arguments are not part of the name.
    EXPECT_EQ(BuscarProceso(QStringLiteral("--ONCE"), proc.path()), 0);
}
