#include "data/Bitacora.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using nerin::Bitacora;

namespace {

QStringList lineasDe(const QString& ruta) {
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(archivo.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

class BitacoraTest : public ::testing::Test {
protected:
    QTemporaryDir m_raiz;
    QDateTime m_ahora{QDate(2026, 12, 4), QTime(23, 59, 58)};
    QString carpeta() const { return m_raiz.path() + QStringLiteral("/morvo"); }
    Bitacora nueva() {
        return Bitacora(carpeta(), [this] { return m_ahora; });
    }
};

} // namespace

TEST_F(BitacoraTest, StartUpLinesGoToTheStartUpFileThenToThePrefixSet) {
    Bitacora bitacora = nueva();
    bitacora.EscribirBitacora(QStringLiteral("arrancando"));
    bitacora.FijarNombreBitacora(QStringLiteral("\\Nerin"));
    bitacora.EscribirBitacora(QStringLiteral("listo"));

    EXPECT_EQ(lineasDe(carpeta() + "/NerinComTra04122026.log"),
              QStringList{"04/12/2026 23:59:58 arrancando"});
    EXPECT_EQ(lineasDe(carpeta() + "/Nerin04122026.log"), QStringList{"04/12/2026 23:59:58 listo"});
}

TEST_F(BitacoraTest, MissingFoldersAreCreatedTogetherWithTheLogFolder) {
    ASSERT_FALSE(QDir(carpeta()).exists());
    Bitacora bitacora = nueva();
    bitacora.EscribirBitacora(QStringLiteral("uno"));
    EXPECT_TRUE(QDir(carpeta() + "/log").exists());
    EXPECT_EQ(lineasDe(bitacora.rutaArchivo()).size(), 1);
}

TEST_F(BitacoraTest, LinesAfterMidnightGoToTheNextDaysFile) {
    Bitacora bitacora = nueva();
    bitacora.FijarNombreBitacora(QStringLiteral("Nerin"));
    bitacora.EscribirBitacora(QStringLiteral("antes"));
    m_ahora = m_ahora.addSecs(3);
    bitacora.EscribirBitacora(QStringLiteral("después"));

    EXPECT_EQ(lineasDe(carpeta() + "/Nerin04122026.log"), QStringList{"04/12/2026 23:59:58 antes"});
    EXPECT_EQ(lineasDe(carpeta() + "/Nerin05122026.log"), QStringList{"05/12/2026 00:00:01 después"});
}

TEST_F(BitacoraTest, TheFirstLineOfADayDeletesTheFilesOlderThanTheDaysKept) {
    // Today is 4 December 2026; three days are kept: the 2nd, 3rd and 4th.
    const struct {
        const char* nombre;
        bool queda;
    } archivos[] = {
        {"Nerin02122026.log", true},      {"NerinCola03122026.log", true},
        {"Nerin01122026.log", false},     {"NerinComTra15062025.log", false},
        {"NerinCola01122026.log", false}, {"Nerin31132026.log", true}, // not a day: not the log's to judge
        {"notas01012020.txt", true},      {"respaldo.log", true},
    };
    QDir().mkpath(carpeta());
    for (const auto& a : archivos) {
        QFile archivo(carpeta() + u'/' + QString::fromLatin1(a.nombre));
        ASSERT_TRUE(archivo.open(QIODevice::WriteOnly));
    }
    Bitacora bitacora = nueva();
    bitacora.setDiasConservados(3);
    bitacora.EscribirBitacora(QStringLiteral("hoy"));
    for (const auto& a : archivos)
        EXPECT_EQ(QFile::exists(carpeta() + u'/' + QString::fromLatin1(a.nombre)), a.queda) << a.nombre;

    // Once a day: a file of a past day that appears later in the day stays until the next day.
    QFile tardio(carpeta() + QStringLiteral("/Nerin01122026.log"));
    ASSERT_TRUE(tardio.open(QIODevice::WriteOnly));
    tardio.close();
    bitacora.EscribirBitacora(QStringLiteral("otra"));
    EXPECT_TRUE(tardio.exists());
    m_ahora = m_ahora.addSecs(3);
    bitacora.EscribirBitacora(QStringLiteral("mañana"));
    EXPECT_FALSE(tardio.exists());
    EXPECT_FALSE(QFile::exists(carpeta() + QStringLiteral("/Nerin02122026.log")));
}

TEST_F(BitacoraTest, LinesAreAppendedAndEachIsOnDiskAtOnce) {
    Bitacora bitacora = nueva();
    for (int i = 0; i < 3; ++i) {
        bitacora.EscribirBitacora(QStringLiteral("línea %1").arg(i));
        EXPECT_EQ(lineasDe(bitacora.rutaArchivo()).size(), i + 1);
    }
    // A second log object (a restarted terminal) appends to the same day's file.
    Bitacora otra = nueva();
    otra.EscribirBitacora(QStringLiteral("otra"));
    EXPECT_EQ(lineasDe(bitacora.rutaArchivo()).size(), 4);
}

TEST_F(BitacoraTest, ErrorEntriesRunTheirPartsTogether) {
    Bitacora bitacora = nueva();
    bitacora.registrarError(QStringLiteral("cmdAbrirMesa"), -2147217900,
                            QStringLiteral("Sintaxis incorrecta"));
    bitacora.RegistrarErroresADO({{102, QStringLiteral("Incorrect syntax"), QStringLiteral("42000")},
                                  {3621, QStringLiteral("Terminated"), QStringLiteral("01000")}});
    EXPECT_EQ(lineasDe(bitacora.rutaArchivo()),
              (QStringList{"04/12/2026 23:59:58 **************ERROR***************",
                           "04/12/2026 23:59:58 cmdAbrirMesa-2147217900Sintaxis incorrecta",
                           "04/12/2026 23:59:58 102Incorrect syntax42000",
                           "04/12/2026 23:59:58 3621Terminated01000"}));
}

TEST_F(BitacoraTest, AnUnwritableLogIsReportedOnceAndNeverStopsTheCaller) {
    // The log root is a plain file: no folder can be made under it.
    QFile bloqueo(carpeta());
    ASSERT_TRUE(bloqueo.open(QIODevice::WriteOnly));
    bloqueo.close();

    QStringList avisos;
    Bitacora bitacora = nueva();
    bitacora.setAvisoCarpeta([&](const QString& mensaje) { avisos.append(mensaje); });
    bitacora.EscribirBitacora(QStringLiteral("se pierde"));

    EXPECT_EQ(avisos, QStringList{"Error en bitacora al crear el directorio " + carpeta() + "/log !"});
    EXPECT_EQ(bitacora.AbrirArchivoBitacora(), nullptr);
}
