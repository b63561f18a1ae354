#include "tools/nerin-lealtad/LealtadServidor.h"

#include "loyalty/SobreSoap.h"

#include <QDateTime>
#include <QPointer>
#include <QTcpSocket>
#include <QTextStream>
#include <QTimer>
#include <QUrlQuery>

namespace nerin {

namespace {

// Requests larger than this are refused: the service's texts are a few hundred bytes.
constexpr qsizetype kMaximo = 1 << 20;
const char* const kLeido = "nerin_leido"; // socket property: the request was already taken

QByteArray razon(int estado) {
    switch (estado) {
    case 200:
        return "OK";
    case 400:
        return "Bad Request";
    case 404:
        return "Not Found";
    case 413:
        return "Payload Too Large";
    default:
        return "Internal Server Error";
    }
}

} // namespace

LealtadServidor::LealtadServidor(LealtadDatos& datos, QFile* bitacora, QTextStream& errores)
    : m_datos(datos), m_bitacora(bitacora), m_errores(errores) {
    connect(&m_servidor, &QTcpServer::newConnection, this, &LealtadServidor::conexion);
}

bool LealtadServidor::escuchar(quint16 puerto) {
    return m_servidor.listen(QHostAddress::LocalHost, puerto);
}

void LealtadServidor::conexion() {
    while (QTcpSocket* socket = m_servidor.nextPendingConnection()) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { leer(socket); });
    }
}

void LealtadServidor::leer(QTcpSocket* socket) {
    if (socket->property(kLeido).toBool())
        return;
    // Everything that came so far stays in the socket until the whole request is there.
    const QByteArray llegado = socket->peek(socket->bytesAvailable());
    const qsizetype finCabecera = llegado.indexOf("\r\n\r\n");
    if (finCabecera < 0) {
        if (llegado.size() > kMaximo)
            enviar(socket, 413, "text/plain", "Solicitud demasiado grande\n");
        return;
    }
    const QList<QByteArray> lineas = llegado.left(finCabecera).split('\n');
    const QList<QByteArray> inicio = lineas.first().trimmed().split(' ');
    qsizetype largo = 0;
    QByteArray accion;
    for (qsizetype i = 1; i < lineas.size(); ++i) {
        const qsizetype dosPuntos = lineas.at(i).indexOf(':');
        if (dosPuntos < 0)
            continue;
        const QByteArray nombre = lineas.at(i).left(dosPuntos).trimmed().toLower();
        const QByteArray valor = lineas.at(i).mid(dosPuntos + 1).trimmed();
        if (nombre == "content-length")
            largo = valor.toLongLong();
        else if (nombre == "soapaction")
            accion = valor;
    }
    if (inicio.size() < 3 || largo < 0 || largo > kMaximo) {
        socket->setProperty(kLeido, true);
        enviar(socket, 400, "text/plain", "Solicitud HTTP no válida\n");
        return;
    }
    if (llegado.size() < finCabecera + 4 + largo)
        return;
    socket->setProperty(kLeido, true);
    atender(socket, inicio.at(0), inicio.at(1), accion, llegado.mid(finCabecera + 4, largo));
}

void LealtadServidor::atender(QTcpSocket* socket, const QByteArray& metodo, const QByteArray& ruta,
                              const QByteArray& accion, const QByteArray& cuerpo) {
    const qsizetype signo = ruta.indexOf('?');
    const QByteArray camino = signo < 0 ? ruta : ruta.left(signo);
    if (metodo == "GET" && camino == "/control") {
        enviar(socket, 200, "text/plain", (controlar(ruta.mid(signo + 1)) + u'\n').toUtf8());
        return;
    }
    if (metodo != "POST" || camino != "/loyalty") {
        enviar(socket, 404, "text/plain", "No existe\n");
        return;
    }
    const std::optional<SobreSoap::Solicitud> solicitud = SobreSoap::leerSolicitud(cuerpo);
    if (!solicitud || (!accion.isEmpty() && accion != SobreSoap::accion(solicitud->operacion))) {
        registrar(QStringLiteral("?"), QString::fromUtf8(cuerpo));
        enviar(socket, 500, SobreSoap::kTipoContenido,
               SobreSoap::falla(QStringLiteral("soap:Client"), QStringLiteral("Sobre SOAP no válido")));
        return;
    }
    registrar(solicitud->operacion, solicitud->mensaje);
    if (m_modo == Modo::Cerrar) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    QByteArray respuesta;
    int estado = 200;
    if (m_modo == Modo::Falla) {
        estado = 500;
        respuesta = SobreSoap::falla(QStringLiteral("soap:Server"),
                                     QStringLiteral("Falla simulada del servicio de lealtad"));
    } else if (m_modo == Modo::Malformada) {
        respuesta =
            SobreSoap::respuesta(solicitud->operacion, QStringLiteral("ResponseCode=1; sin estructura"));
    } else {
        const QString& op = solicitud->operacion;
        const QString texto = op == u"Process"    ? m_datos.Process(solicitud->mensaje)
                              : op == u"Register" ? m_datos.Register(solicitud->mensaje)
                                                  : m_datos.Activate(solicitud->mensaje);
        respuesta = SobreSoap::respuesta(op, texto);
    }
    if (m_demoraMs <= 0) {
        enviar(socket, estado, SobreSoap::kTipoContenido, respuesta);
        return;
    }
    // The socket is the timer's context: a client that gave up takes the pending answer with it.
    QTimer::singleShot(m_demoraMs, Qt::PreciseTimer, socket, [socket, estado, respuesta] {
        enviar(socket, estado, SobreSoap::kTipoContenido, respuesta);
    });
}

QString LealtadServidor::controlar(const QByteArray& consulta) {
    const QUrlQuery parametros(QString::fromUtf8(consulta));
    const QString modo = parametros.queryItemValue(QStringLiteral("modo"));
    if (modo == u"normal")
        m_modo = Modo::Normal;
    else if (modo == u"falla")
        m_modo = Modo::Falla;
    else if (modo == u"malformada")
        m_modo = Modo::Malformada;
    else if (modo == u"cerrar")
        m_modo = Modo::Cerrar;
    if (parametros.hasQueryItem(QStringLiteral("demora")))
        m_demoraMs = qMax(0, parametros.queryItemValue(QStringLiteral("demora")).toInt());
    static const char* const kModos[] = {"normal", "falla", "malformada", "cerrar"};
    const QString estado = QStringLiteral("modo=%1 demora=%2")
                               .arg(QLatin1String(kModos[static_cast<int>(m_modo)]))
                               .arg(m_demoraMs);
    m_errores << "control " << estado << Qt::endl;
    return estado;
}

void LealtadServidor::registrar(const QString& operacion, const QString& mensaje) {
    QString texto = mensaje;
    texto.replace(u'\n', u' ').replace(u'\r', u' ');
    const QString linea =
        QStringLiteral("%1\t%2\t%3\n")
            .arg(QDateTime::currentDateTime().toString(Qt::ISODateWithMs), operacion, texto);
    m_errores << linea << Qt::flush;
    if (m_bitacora) {
        m_bitacora->write(linea.toUtf8());
        m_bitacora->flush();
    }
}

void LealtadServidor::enviar(QTcpSocket* socket, int estado, const QByteArray& tipo,
                             const QByteArray& cuerpo) {
    QByteArray mensaje = "HTTP/1.1 " + QByteArray::number(estado) + ' ' + razon(estado) + "\r\n";
    mensaje += "Content-Type: " + tipo + "\r\nContent-Length: " + QByteArray::number(cuerpo.size()) +
               "\r\nConnection: close\r\n\r\n" + cuerpo;
    socket->write(mensaje);
    socket->disconnectFromHost();
}

} // namespace nerin
