#pragma once

#include "server/ConnectionFactory.h"

#include <QString>
#include <memory>

class QSettings;

namespace nerin {

// The terminal's own settings: the INI file named by NERIN_CONFIG, else the user's standard
// configuration location (application "NERIN"), group "Configuracion". A missing or unreadable file
// reads as the defaults; a value that cannot be read as what it stands for reads as its default too.
class TerminalSettings {
public:
    // The file named by NERIN_CONFIG, else the standard location.
    TerminalSettings();
    // A given INI file (tests, tools).
    explicit TerminalSettings(const QString& iniFile);
    ~TerminalSettings();

    TerminalSettings(const TerminalSettings&) = delete;
    TerminalSettings& operator=(const TerminalSettings&) = delete;

    // "Servidor": the database folder (embedded back-end) or the SQL Server host and instance; "" when
    // not set.
    QString servidor() const;
    // "Terminal": this terminal's number, `siFalta` when the key is missing (start-up takes 1, the
    // server search 0). A text that is not a whole number within 16 bits ("abc", "70000", "") reads as
    // 0, the invalid terminal, never as the number of another terminal.
    qint16 terminal(qint16 siFalta = 1) const;
    // "BackupNameServer" holds a number other than 0: when the server does not answer, this machine
    // may serve the database itself under its own name.
    bool respaldoEnEsteEquipo() const;
    // "DiasBitacora": how many days the daily event logs are kept, today's included; Bitacora's default
    // when missing or not a whole number from 1 to 3660.
    int diasBitacora() const;
    // "Motor", "Servidor" and "BASE_DE_DATOS", as the connection factory reads them.
    DatabaseSettings databaseSettings() const;

    // "ServEncontrado": "1" when the start-up connection opened, "0" when not.
    void setServEncontrado(bool found);
    // "ShutDown" = "1": asks the terminal's outside supervisor to switch the machine off.
    void setShutDown();

    // Any value of the group as text, for the configuration screen: a null text when the key is
    // missing. setTexto writes the value and syncs the file.
    QString texto(const QString& key) const;
    void setTexto(const QString& key, const QString& text);

    // Writes pending changes to the file; false when it cannot be written.
    bool sync();

    QString fileName() const;

private:
    QString value(const QString& key, const QString& fallback) const;
    void write(const QString& key, const QString& text);

    std::unique_ptr<QSettings> m_settings;
};

} // namespace nerin
