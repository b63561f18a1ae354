#pragma once

#include "base/Result.h"
#include "bench/sabado/Tiempos.h"

#include <QString>
#include <QStringList>

namespace nerin::carga {

struct OpcionesNoche {
    int segundos = 600;
    int terminales = 8;
    // A person's pace: the time between one touch and the next.
    int pausaMs = 250;
    // Keeps the night's folder (settings, scripts, logs, times, printed paper) to look into.
    bool conservar = false;
    // The programs to run.
    QString terminal;
    QString printq;
};

struct Noche {
    double minutos = 0;
    qint64 servicios = 0;
    // What did not add up: a terminal whose script failed, a queue program that did not end well,
    // and whatever the books and the paper show wrong.
    QStringList faltas;
    // Every touch, and the touches after each terminal's first service, whose screens and
    // statements are met for the first time.
    Tiempos tiempos;
    Tiempos enMarcha;
    // With `conservar`, where the night's files are.
    QString carpeta;
};

// A busy night on `motor` ("sqlite", or "postgres" on the cluster NERIN_PG_PRUEBAS names): the demo
// restaurant made ready for the terminals, two print-queue programs on its queue, and each terminal
// driving a waiter's whole service in a loop for the night's seconds, the terminals started spread
// over one service as waiters who do not touch in step. Once they are done and the queue printed,
// the books and the paper are checked. An error when the restaurant could not be made ready. The
// PostgreSQL demo is built once as a template; the program drops it before it ends
// (testing::PgDemoDatabase::borrarDemo).
Result<Noche> correrNoche(const QString& motor, const OpcionesNoche& opciones);

} // namespace nerin::carga
