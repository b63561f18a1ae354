#pragma once

#include <QJsonObject>
#include <QString>

namespace nerin {

// The stand-in service's cards, customers and used authorisation codes, kept in a JSON file that is
// written after every change, and the answers of the three operations. Each operation takes the
// request text and returns the reply text: "{"ResponseCode:1","ResponseMessage:…", …}" on success,
// code "0" and the reason otherwise.
//
// The file holds "temporales" (temporary card → its customer, null while free), "permanentes"
// (permanent card → "temporal", "nombre", "puntos", "centavos", "activa") and "autorizaciones".
// A missing file starts with the demo data.
class LealtadDatos {
public:
    explicit LealtadDatos(QString archivo);

    // Reads the file, or writes the demo data into it when it is missing; false with `error()` when
    // it cannot be read or written.
    bool abrir();
    const QString& error() const { return m_error; }

    QString Process(const QString& solicitud);
    QString Register(const QString& solicitud);
    QString Activate(const QString& solicitud);

    // A transaction of `centavos` earns one point per 10 pesos and 5 % of the amount in pesos.
    static qint64 puntosDe(qint64 centavos) { return centavos / 1000; }
    static qint64 pesosDe(qint64 centavos) { return (centavos * 5 + 50) / 100; }

private:
    QString saldo(const QJsonObject& tarjeta) const;
    QString transaccion(const QString& numero, const QJsonObject& campos);
    bool guardar();

    QString m_archivo;
    QString m_error;
    QJsonObject m_datos;
};

} // namespace nerin
