#pragma once

#include "tools/nerin-lealtad/LealtadDatos.h"

#include <QFile>
#include <QObject>
#include <QTcpServer>

class QTcpSocket;
class QTextStream;

namespace nerin {

// The stand-in loyalty service's HTTP/1.1 server: one request per connection, bodies by
// Content-Length. POST /loyalty carries the SOAP envelope of an operation; GET /control?modo=…&demora=…
// changes how later requests are answered:
//   normal      answers each operation from the data
//   falla       answers a SOAP fault (HTTP 500)
//   malformada  answers a reply text without the frame
//   cerrar      drops the connection without answering
//   demora=ms   delays every answer of an operation by ms
// Every operation request is logged (time, operation, request text) to the log file and to stderr.
class LealtadServidor : public QObject {
public:
    LealtadServidor(LealtadDatos& datos, QFile* bitacora, QTextStream& errores);

    // Listens on 127.0.0.1:`puerto` (0 picks a free port); false when it cannot.
    bool escuchar(quint16 puerto);
    quint16 puerto() const { return m_servidor.serverPort(); }
    QString error() const { return m_servidor.errorString(); }

private:
    enum class Modo { Normal, Falla, Malformada, Cerrar };

    void conexion();
    void leer(QTcpSocket* socket);
    void atender(QTcpSocket* socket, const QByteArray& metodo, const QByteArray& ruta,
                 const QByteArray& accion, const QByteArray& cuerpo);
    QString controlar(const QByteArray& consulta);
    void registrar(const QString& operacion, const QString& mensaje);
    static void enviar(QTcpSocket* socket, int estado, const QByteArray& tipo, const QByteArray& cuerpo);

    LealtadDatos& m_datos;
    QFile* m_bitacora;
    QTextStream& m_errores;
    QTcpServer m_servidor;
    Modo m_modo = Modo::Normal;
    int m_demoraMs = 0;
};

} // namespace nerin
