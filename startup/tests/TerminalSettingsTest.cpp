#include "startup/TerminalSettings.h"

#include "base/tests/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace nerin;

namespace {

class TerminalSettingsTest : public ::testing::Test {
protected:
    QString file() const { return m_dir.filePath(QStringLiteral("nerin.ini")); }
    void write(const QString& key, const QString& value) {
        QSettings ini(file(), QSettings::IniFormat);
        ini.setValue(QStringLiteral("Configuracion/") + key, value);
    }
    QString read(const QString& key) const {
        QSettings ini(file(), QSettings::IniFormat);
        return ini.value(QStringLiteral("Configuracion/") + key).toString();
    }
    QTemporaryDir m_dir;
};

TEST_F(TerminalSettingsTest, MissingFileGivesTheDefaults) {
    TerminalSettings settings(file());
    EXPECT_EQ(settings.servidor(), QString());
    EXPECT_EQ(settings.terminal(), 1);
    const DatabaseSettings db = settings.databaseSettings();
    EXPECT_EQ(db.motor, QStringLiteral("sqlite"));
    EXPECT_EQ(db.baseDeDatos, QStringLiteral("DBNERIN"));
}

TEST_F(TerminalSettingsTest, FolderInPlaceOfTheFileGivesTheDefaults) {
    QDir().mkpath(file());
    TerminalSettings settings(file());
    EXPECT_EQ(settings.servidor(), QString());
    EXPECT_EQ(settings.terminal(), 1);
}

TEST_F(TerminalSettingsTest, TerminalNumbers) {
    struct Case {
        const char* text;
        qint16 expected;
    };
    // A text that is not a terminal number is the invalid terminal 0, never terminal 1.
    const Case cases[] = {{"2", 2},   {" 7 ", 7},       {"abc", 0},   {"", 0},      {"3x", 0},
                          {"1.5", 0}, {"32767", 32767}, {"32768", 0}, {"70000", 0}, {"0", 0}};
    for (const Case& c : cases) {
        write(QStringLiteral("Terminal"), QString::fromUtf8(c.text));
        TerminalSettings settings(file());
        EXPECT_EQ(settings.terminal(), c.expected) << c.text;
        EXPECT_EQ(settings.terminal(0), c.expected) << c.text;
    }
    TerminalSettings missing(m_dir.filePath(QStringLiteral("missing.ini")));
    EXPECT_EQ(missing.terminal(), 1);
    EXPECT_EQ(missing.terminal(0), 0);
}

TEST_F(TerminalSettingsTest, DaysTheEventLogsAreKept) {
    const struct {
        const char* text;
        int expected;
    } cases[] = {{"30", 30}, {" 7 ", 7}, {"1", 1},    {"3660", 3660},
                 {"0", 90},  {"-5", 90}, {"abc", 90}, {"", 90}};
    for (const auto& c : cases) {
        write(QStringLiteral("DiasBitacora"), QString::fromUtf8(c.text));
        EXPECT_EQ(TerminalSettings(file()).diasBitacora(), c.expected) << c.text;
    }
    EXPECT_EQ(TerminalSettings(m_dir.filePath(QStringLiteral("missing.ini"))).diasBitacora(), 90);
}

TEST_F(TerminalSettingsTest, ReadsTheConnectionKeys) {
    write(QStringLiteral("Servidor"), QStringLiteral(" /srv/nerin "));
    write(QStringLiteral("BASE_DE_DATOS"), QStringLiteral("SUCURSAL2"));
    write(QStringLiteral("Motor"), QStringLiteral("odbc"));
    TerminalSettings settings(file());
    EXPECT_EQ(settings.servidor(), QStringLiteral("/srv/nerin"));
    const DatabaseSettings db = settings.databaseSettings();
    EXPECT_TRUE(db.usesOdbc());
    EXPECT_EQ(db.servidor, QStringLiteral("/srv/nerin"));
    EXPECT_EQ(db.baseDeDatos, QStringLiteral("SUCURSAL2"));
}

TEST_F(TerminalSettingsTest, WritesServEncontradoAndShutDownUnderConfiguracion) {
    {
        TerminalSettings settings(file());
        settings.setServEncontrado(true);
        EXPECT_EQ(read(QStringLiteral("ServEncontrado")), QStringLiteral("1"));
        settings.setServEncontrado(false);
        settings.setShutDown();
        EXPECT_TRUE(settings.sync());
    }
    EXPECT_EQ(read(QStringLiteral("ServEncontrado")), QStringLiteral("0"));
    EXPECT_EQ(read(QStringLiteral("ShutDown")), QStringLiteral("1"));
}

TEST_F(TerminalSettingsTest, EnvironmentNamesTheFile) {
    write(QStringLiteral("Terminal"), QStringLiteral("5"));
    const QByteArray before = qgetenv("NERIN_CONFIG");
    qputenv("NERIN_CONFIG", file().toUtf8());
    TerminalSettings settings;
    EXPECT_EQ(settings.fileName(), file());
    EXPECT_EQ(settings.terminal(), 5);
    if (before.isEmpty())
        qunsetenv("NERIN_CONFIG");
    else
        qputenv("NERIN_CONFIG", before);
}

} // namespace
