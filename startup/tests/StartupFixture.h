#pragma once

#include "base/tests/QtPrinters.h"
#include "data/BaseDatos.h"
#include "data/Bitacora.h"
#include "data/testing/FaultyConnection.h"
#include "data/tests/RecordingMessageBox.h"
#include "keyboards/ScriptedPrompts.h"
#include "server/DatabaseBuilder.h"
#include "server/SqliteConnection.h"
#include "server/tests/DemoDatabaseTest.h"
#include "startup/AccessScreen.h"
#include "startup/TerminalContext.h"
#include "startup/TerminalSettings.h"
#include "startup/tests/RecordingPlatform.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace nerin::fakes {

// Remembers what start-up and the screens asked of the access screen.
class RecordingAccessScreen : public AccessScreen {
public:
    void showAccessScreen(bool serverFound) override { shown.append(serverFound); }
    void returnToAccess(const QString& screenName, bool unload) override {
        returns.append(screenName + (unload ? QStringLiteral(" unload") : QStringLiteral(" hide")));
    }
    QList<bool> shown;
    QStringList returns;
};

// A terminal over a copy of the demo restaurant ("<dir>/db/DBNERIN.db"), with its own settings file,
// log folder and state folder, all in a fresh temporary folder. Tests change the settings and the
// database before calling build(), which makes the services and the context.
class StartupFixture : public DemoDatabaseTest {
protected:
    // Also run again by each case of a table: the last case's terminal and connection go first, so that
    // nothing of its database (its write-ahead log) survives into the fresh copy.
    void SetUp() override {
        context.reset();
        baseDatos.reset();
        ASSERT_TRUE(m_dir.isValid());
        QDir().mkpath(dbFolder());
        copyDemoTo(dbFolder() + "/DBNERIN.db");
        setSetting(QStringLiteral("Servidor"), dbFolder());
        setSetting(QStringLiteral("Terminal"), QStringLiteral("1"));
    }

    QString dbFolder() const { return m_dir.filePath(QStringLiteral("db")); }
    QString settingsFile() const { return m_dir.filePath(QStringLiteral("nerin.ini")); }
    QString stateFolder() const { return m_dir.filePath(QStringLiteral("state")); }
    QString logFolder() const { return stateFolder() + QStringLiteral("/morvo"); }

    void setSetting(const QString& key, const QString& value) {
        QSettings ini(settingsFile(), QSettings::IniFormat);
        ini.setValue(QStringLiteral("Configuracion/") + key, value);
    }
    QString setting(const QString& key) const {
        QSettings ini(settingsFile(), QSettings::IniFormat);
        return ini.value(QStringLiteral("Configuracion/") + key).toString();
    }

    // A new connection, not yet open, to the database the settings point the terminal at: the demo
    // copy's file, unless a test puts the terminal on another back-end.
    virtual std::unique_ptr<Connection> conexionABase() const {
        return std::make_unique<SqliteConnection>(dbFolder() + "/DBNERIN.db");
    }

    // Runs a statement on the database directly, behind the terminal's back.
    void exec(const QString& sql) {
        const auto connection = conexionABase();
        ASSERT_TRUE(connection->open().isOk());
        const auto done = connection->execute(sql);
        ASSERT_TRUE(done.isOk()) << done.status().message().toStdString();
    }
    DbValue field(const QString& sql) {
        const auto connection = conexionABase();
        if (!connection->open().isOk())
            return {};
        auto rs = connection->query(sql);
        if (!rs.isOk() || rs->eof())
            return {};
        return rs->value(0);
    }

    void build() {
        settings = std::make_unique<TerminalSettings>(settingsFile());
        bitacora = std::make_unique<Bitacora>(logFolder(), [this] { return ahora; });
        const DatabaseSettings where = settings->databaseSettings();
        // As the program does: a connection for whichever server name the terminal asks for.
        baseDatos = std::make_unique<BaseDatos>(
            [this, where](const QString& servidor) {
                ++connectionsMade;
                DatabaseSettings para = where;
                para.servidor = servidor;
                auto hecha = std::make_unique<FaultyConnection>(fabricaConexion ? fabricaConexion()
                                                                                : createConnection(para));
                faultyConnection = hecha.get();
                return hecha;
            },
            where.servidor, *bitacora, messageBox, [this] { ++programEnded; }, QStringLiteral("clave"));
        context = std::make_unique<TerminalContext>(*baseDatos, *bitacora, prompts, platform, *settings,
                                                    [this] { return ahora; });
    }

    // The lines of the log file with this prefix, for the fixture's day.
    QStringList logLines(const QString& prefijo) const {
        QFile file(logFolder() + u'/' + prefijo + ahora.toString(QStringLiteral("ddMMyyyy")) + ".log");
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }

    QTemporaryDir m_dir;
    QDateTime ahora = QDateTime(QDate(2026, 12, 6), QTime(9, 30));
    ScriptedPrompts prompts;
    RecordingPlatform platform;
    RecordingMessageBox messageBox;
    RecordingAccessScreen acceso;
    // When set, makes the terminal's connections instead of the settings (a database that fails).
    std::function<std::unique_ptr<Connection>()> fabricaConexion;
    int connectionsMade = 0;
    FaultyConnection* faultyConnection = nullptr; // the terminal's connection, once made: tests make it fail
    int programEnded = 0;
    std::unique_ptr<TerminalSettings> settings;
    std::unique_ptr<Bitacora> bitacora;
    std::unique_ptr<BaseDatos> baseDatos;
    std::unique_ptr<TerminalContext> context;
};

} // namespace nerin::fakes
