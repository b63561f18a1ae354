#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace nerin {
class Connection;
}

namespace nerin::carga {

// Where the night began: the last order and print job before it.
struct Inicio {
    qint64 comanda = 0;
    qint64 trabajo = 0;
};

// The books and the paper after a night of whole services, each as the service script leaves it:
// `servicios` gets how many services were stored. Returns what is wrong: an order left open, an item
// lost, doubled or unsent, a modifier missing, an account or payment that does not add up, a print
// job not printed or printed twice, an order locked or a waiter still signed in. `impreso` is all
// the queue programs printed, by file name; `bitacoras` the text of every program's logs, whose
// database errors (lines "ME…") are failed statements.
QStringList cuadrarNoche(Connection& conexion, const Inicio& inicio, const QHash<QString, QString>& impreso,
                         const QString& bitacoras, qint64* servicios);

} // namespace nerin::carga
