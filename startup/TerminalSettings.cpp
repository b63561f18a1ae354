#include "startup/TerminalSettings.h"

#include "data/Bitacora.h"

#include <QSettings>
#include <limits>

namespace nerin {

namespace {

const QString kGroup = QStringLiteral("Configuracion");

std::unique_ptr<QSettings> openSettings() {
    const QString configured = qEnvironmentVariable("NERIN_CONFIG");
    if (!configured.isEmpty())
        return std::make_unique<QSettings>(configured, QSettings::IniFormat);
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("NERIN"),
                                       QStringLiteral("NERIN"));
}

} // namespace

TerminalSettings::TerminalSettings() : m_settings(openSettings()) {}

TerminalSettings::TerminalSettings(const QString& iniFile)
    : m_settings(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

TerminalSettings::~TerminalSettings() = default;

QString TerminalSettings::value(const QString& key, const QString& fallback) const {
    m_settings->beginGroup(kGroup);
    const QString text = m_settings->value(key, fallback).toString();
    m_settings->endGroup();
    return text;
}

void TerminalSettings::write(const QString& key, const QString& text) {
    m_settings->beginGroup(kGroup);
    m_settings->setValue(key, text);
    m_settings->endGroup();
    m_settings->sync();
}

QString TerminalSettings::servidor() const {
    return value(QStringLiteral("Servidor"), QString()).trimmed();
}

qint16 TerminalSettings::terminal(qint16 siFalta) const {
    m_settings->beginGroup(kGroup);
    const bool set = m_settings->contains(QStringLiteral("Terminal"));
    m_settings->endGroup();
    if (!set)
        return siFalta;
    const QString text = value(QStringLiteral("Terminal"), QString());
    bool ok = false;
    const int number = text.trimmed().toInt(&ok);
    if (!ok || number < std::numeric_limits<qint16>::min() || number > std::numeric_limits<qint16>::max())
        return 0;
    return static_cast<qint16>(number);
}

bool TerminalSettings::respaldoEnEsteEquipo() const {
    bool ok = false;
    const double number = value(QStringLiteral("BackupNameServer"), QString()).trimmed().toDouble(&ok);
    return ok && number != 0;
}

int TerminalSettings::diasBitacora() const {
    bool ok = false;
    const int dias = value(QStringLiteral("DiasBitacora"), QString()).trimmed().toInt(&ok);
    return ok && dias >= 1 && dias <= 3660 ? dias : Bitacora::kDiasConservados;
}

DatabaseSettings TerminalSettings::databaseSettings() const {
    return DatabaseSettings::fromSettings(*m_settings);
}

void TerminalSettings::setServEncontrado(bool found) {
    write(QStringLiteral("ServEncontrado"), found ? QStringLiteral("1") : QStringLiteral("0"));
}

void TerminalSettings::setShutDown() {
    write(QStringLiteral("ShutDown"), QStringLiteral("1"));
}

QString TerminalSettings::texto(const QString& key) const {
    return value(key, QString());
}

void TerminalSettings::setTexto(const QString& key, const QString& text) {
    write(key, text);
}

bool TerminalSettings::sync() {
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

QString TerminalSettings::fileName() const {
    return m_settings->fileName();
}

} // namespace nerin
