#pragma once

#include <QList>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace nerin::fakes {

// The stand-in loyalty service `nerin-lealtad`, started for a test on a free loopback port with a
// fresh copy of the demo data in a folder of its own, and stopped when the object goes.
class ServicioLealtadPrueba {
public:
    // A request the service logged.
    struct Solicitud {
        QString operacion;
        QString texto;
    };

    ServicioLealtadPrueba();
    ~ServicioLealtadPrueba();

    ServicioLealtadPrueba(const ServicioLealtadPrueba&) = delete;
    ServicioLealtadPrueba& operator=(const ServicioLealtadPrueba&) = delete;

    // Whether it started; when not, `error()` says why.
    bool iniciado() const { return m_puerto != 0; }
    const QString& error() const { return m_error; }

    // The service address, "http://127.0.0.1:<port>/loyalty".
    QString url() const;
    // Switches how the service answers from now on: "normal", "falla", "malformada" or "cerrar", each
    // answer delayed `demoraMs`. False when the service did not take it.
    bool control(const QString& modo, int demoraMs = 0);
    // Stops the service: later calls find nothing listening on its port.
    void detener();
    // The requests the service received, in order.
    QList<Solicitud> solicitudes() const;
    // The service's data file.
    QString datos() const;

private:
    QTemporaryDir m_dir;
    QProcess m_proceso;
    quint16 m_puerto = 0;
    QString m_error;
};

} // namespace nerin::fakes
