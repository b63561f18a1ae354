#pragma once

#include "startup/Platform.h"

#include <QStringList>

namespace nerin::fakes {

// Stands in for the machine: remembers every request and answers with what the test set.
class RecordingPlatform : public Platform {
public:
    bool switchOff() override {
        requests.append(QStringLiteral("switchOff"));
        return aceptaEnergia;
    }
    bool restart() override {
        requests.append(QStringLiteral("restart"));
        return aceptaEnergia;
    }
    QString NombreEquipo() override {
        requests.append(QStringLiteral("NombreEquipo"));
        return nombre;
    }
    qint64 findProcess(const QString& proceso) override {
        requests.append(QStringLiteral("findProcess ") + proceso);
        return procesos.contains(proceso) ? 1234 : 0;
    }

    bool aceptaEnergia = true; // what switchOff and restart answer
    QString nombre = QStringLiteral("CAJA-01");
    QStringList procesos;
    QStringList requests;
};

} // namespace nerin::fakes
