#pragma once

#include "base/tests/QtPrinters.h"
#include "server/DatabaseBuilder.h"
#include "server/SqliteConnection.h"
#include "server/tests/DemoDatabaseTest.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace nerin::fakes {

// The demo's cards, as a keyboard card reader types them.
inline const QString kTarjetaMesero1 =
    QStringLiteral("swipe %4B982B0A976B1AC75E3B7E1383183B54_N50781204220193362812101000000011_");
inline const QString kTarjetaGerente1 =
    QStringLiteral("swipe %ADEC83FD35A396FA88E1B532BA1E14AF_N50781209871564022812101000000022_");
inline const QString kTarjetaCajero1 =
    QStringLiteral("swipe %776B35B978A020947176F38A88870AE6_N50781203318820572812101000000033_");
inline const QString kTarjetaMesero2 =
    QStringLiteral("swipe %4A90AF3A06BE3559C7BD8CC02B502C9A_N50781207745261182812101000000044_");

// The real nerin-terminal, started offscreen on a copy of the demo restaurant, one run per script.
class TerminalDriveFixture : public DemoDatabaseTest {
protected:
    // A fresh folder with a copy of the demo restaurant and settings for terminal 1.
    void SetUp() override {
        m_dir = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(m_dir->isValid());
        copyDemoTo(baseDeDatos());
        ajustar(QStringLiteral("Servidor"), m_dir->path());
        ajustar(QStringLiteral("Terminal"), QStringLiteral("1"));
        ajustar(QStringLiteral("ClaveTarjetas"), QStringLiteral("NERIN-DEMO-2026"));
    }

    QString baseDeDatos() const { return m_dir->filePath(QStringLiteral("DBNERIN.db")); }
    QString ajustes() const { return m_dir->filePath(QStringLiteral("nerin.ini")); }

    void ajustar(const QString& clave, const QString& valor) {
        QSettings ini(ajustes(), QSettings::IniFormat);
        ini.setValue(QStringLiteral("Configuracion/") + clave, valor);
    }
    QString ajuste(const QString& clave) const {
        QSettings ini(ajustes(), QSettings::IniFormat);
        return ini.value(QStringLiteral("Configuracion/") + clave).toString();
    }

    // A new connection, not yet open, to the database the settings point the terminal at.
    virtual std::unique_ptr<Connection> conexionABase() const {
        return std::make_unique<SqliteConnection>(baseDeDatos());
    }

    void sql(const QString& texto) {
        const auto conexion = conexionABase();
        ASSERT_TRUE(conexion->open().isOk());
        const auto hecho = conexion->execute(texto);
        ASSERT_TRUE(hecho.isOk()) << hecho.status().message().toStdString();
    }
    DbValue valor(const QString& texto) {
        const auto conexion = conexionABase();
        if (!conexion->open().isOk())
            return {};
        auto filas = conexion->query(texto);
        if (!filas.isOk() || filas->eof())
            return {};
        return filas->value(0);
    }

    // Runs the terminal with the script's lines; the exit code, with stderr kept in `m_errores`.
    int conducir(const QStringList& lineas, const QStringList& argumentos = {}) {
        const QString guion = m_dir->filePath(QStringLiteral("guion.txt"));
        QFile archivo(guion);
        EXPECT_TRUE(archivo.open(QIODevice::WriteOnly | QIODevice::Truncate));
        archivo.write(lineas.join(u'\n').toUtf8());
        archivo.close();

        QProcess terminal;
        QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
        entorno.insert(QStringLiteral("QT_QPA_PLATFORM"), m_plataforma);
        entorno.insert(QStringLiteral("NERIN_CONFIG"), ajustes());
        entorno.insert(QStringLiteral("NERIN_STATE"), m_dir->filePath(QStringLiteral("estado")));
        terminal.setProcessEnvironment(entorno);
        terminal.start(QStringLiteral(NERIN_TERMINAL_BINARY),
                       QStringList{QStringLiteral("--drive"), guion} + argumentos);
        if (!terminal.waitForFinished(120000)) {
            terminal.kill();
            terminal.waitForFinished();
            ADD_FAILURE() << "the terminal did not end";
        }
        m_errores = QString::fromUtf8(terminal.readAllStandardError());
        return terminal.exitStatus() == QProcess::NormalExit ? terminal.exitCode() : -1;
    }

    // Prints what is queued, as the demo's printers do: plain text files in the state folder.
    void imprimirCola() {
        QProcess cola;
        QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
        entorno.insert(QStringLiteral("NERIN_CONFIG"), ajustes());
        entorno.insert(QStringLiteral("NERIN_STATE"), m_dir->filePath(QStringLiteral("estado")));
        cola.setProcessEnvironment(entorno);
        cola.start(QStringLiteral(NERIN_PRINTQ_BINARY), {QStringLiteral("--once")});
        ASSERT_TRUE(cola.waitForFinished(60000));
        EXPECT_EQ(cola.exitCode(), 0) << cola.readAllStandardError().toStdString();
    }
    QString impresoEn(const char* archivo) const {
        QFile impreso(m_dir->filePath(QStringLiteral("estado/") + QLatin1String(archivo)));
        return impreso.open(QIODevice::ReadOnly) ? QString::fromUtf8(impreso.readAll()) : QString();
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_errores;
    // The Qt platform the terminal draws on: offscreen, on its default screen unless a test sets one.
    QString m_plataforma = QStringLiteral("offscreen");
};

} // namespace nerin::fakes
