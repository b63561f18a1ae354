#pragma once

#include <QString>
#include <QStringList>

namespace nerin {

class ComandaActual;

// The connection-local temporary tables ("#Name") one listing builds. They are dropped, when they
// exist, as the guard is made (a listing cut short earlier may have left them behind) and again as
// it goes, whichever way the listing ends, so that the next listing of any screen can make them
// afresh. A drop that fails is written to the event log under `operacion`.
class TablasTemporales {
public:
    TablasTemporales(ComandaActual& comanda, QStringList tablas, QString operacion);
    ~TablasTemporales();

    TablasTemporales(const TablasTemporales&) = delete;
    TablasTemporales& operator=(const TablasTemporales&) = delete;

private:
    // Drops each table with `orden` ("DROP TABLE …").
    void borrar(const QString& orden);

    ComandaActual& m_comanda;
    QStringList m_tablas;
    QString m_operacion;
};

} // namespace nerin
