#include "loyalty/clsWebService.h"

#include "keyboards/EsperaServicio.h"
#include "loyalty/SobreSoap.h"

#include <QEventLoop>
#include <QIODevice>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>
#include <algorithm>

namespace nerin {

namespace {

// Between attempts that never reached the service: long enough for a service being restarted, short
// enough that four attempts against a stopped service end in about a second and a half.
constexpr int kPausaMs = 500;

const QString kSinConexion = QStringLiteral("No se pudo conectar con el servicio de lealtad.");

// The request body, readable once. Qt's HTTP client sends a request again by itself when the
// connection closes before any reply came; with a body that cannot be read a second time it fails
// the call instead, since the service may already have acted on the request.
class CuerpoDeUnEnvio : public QIODevice {
public:
    explicit CuerpoDeUnEnvio(QByteArray datos) : m_datos(std::move(datos)) { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return m_datos.size() - m_leidos + QIODevice::bytesAvailable(); }
    bool reset() override { return m_leidos == 0; }

protected:
    qint64 readData(char* destino, qint64 maximo) override {
        const qint64 cuantos = qMin(maximo, m_datos.size() - m_leidos);
        std::copy_n(m_datos.constData() + m_leidos, cuantos, destino);
        m_leidos += cuantos;
        return cuantos;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_datos;
    qint64 m_leidos = 0;
};

} // namespace

clsWebService::clsWebService(QString url, EsperaServicio* espera) : m_url(std::move(url)), m_espera(espera) {}

clsWebService::~clsWebService() = default;

bool clsWebService::Conectar() {
    m_conectado = false;
    const QString direccion = m_url.trimmed();
    if (direccion.isEmpty())
        return fallar(Estado::SinConexion,
                      QStringLiteral("No hay dirección del servicio de lealtad (URL_LEALTAD)."));
    const QUrl url(direccion, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() ||
        (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")))
        return fallar(Estado::SinConexion,
                      QStringLiteral("La dirección del servicio de lealtad no es válida: ") + direccion);
    if (!m_red)
        m_red = std::make_unique<QNetworkAccessManager>();
    m_conectado = true;
    return true;
}

QString clsWebService::Process(const QString& mensaje) {
    return llamar(QStringLiteral("Process"), mensaje);
}
QString clsWebService::Register(const QString& mensaje) {
    return llamar(QStringLiteral("Register"), mensaje);
}
QString clsWebService::Activate(const QString& mensaje) {
    return llamar(QStringLiteral("Activate"), mensaje);
}

void clsWebService::setTiempos(int conexionMs, int llamadaMs) {
    m_conexionMs = conexionMs;
    m_llamadaMs = llamadaMs;
}

bool clsWebService::fallar(Estado estado, const QString& error) {
    m_ultima.estado = estado;
    m_ultima.respuesta.clear();
    m_ultima.error = error;
    return false;
}

QString clsWebService::llamar(const QString& operacion, const QString& mensaje) {
    // The wait runs a local event loop: a touch on the screen beneath could start a second call.
    if (m_enCurso) {
        m_ultima = Llamada{};
        fallar(Estado::SinConexion, QStringLiteral("Ya hay una consulta en curso al servicio de lealtad."));
        return QString();
    }
    if (!m_conectado && !Conectar()) {
        m_ultima.intentos = 0;
        return QString();
    }
    m_ultima = Llamada{};
    m_enCurso = true;
    m_cancelado = false;
    if (m_espera)
        m_espera->empezar(QStringLiteral("Consultando el servicio de lealtad…"), [this] { cancelar(); });
    const QByteArray cuerpo = SobreSoap::solicitud(operacion, mensaje);
    for (int intento = 1; intento <= kIntentos; ++intento) {
        if (m_cancelado) {
            fallar(Estado::Cancelado, QStringLiteral("Se canceló la consulta al servicio de lealtad."));
            break;
        }
        m_ultima.intentos = intento;
        intentar(operacion, cuerpo);
        if (m_ultima.estado != Estado::SinConexion || m_cancelado || intento == kIntentos)
            break;
        pausar(kPausaMs);
    }
    if (m_espera)
        m_espera->terminar();
    m_enCurso = false;
    return m_ultima.respuesta;
}

void clsWebService::intentar(const QString& operacion, const QByteArray& cuerpo) {
    QNetworkRequest pedido{QUrl(m_url.trimmed())};
    pedido.setHeader(QNetworkRequest::ContentTypeHeader, QByteArray(SobreSoap::kTipoContenido));
    pedido.setRawHeader("SOAPAction", SobreSoap::accion(operacion));
    pedido.setHeader(QNetworkRequest::ContentLengthHeader, cuerpo.size());
    // A connection kept from an earlier call may have been closed by the service meanwhile; a request
    // written into it would fail without telling whether it was read. Each call opens its own.
    pedido.setRawHeader("Connection", "close");
    pedido.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    pedido.setAttribute(QNetworkRequest::DoNotBufferUploadDataAttribute, true);

    QEventLoop bucle;
    CuerpoDeUnEnvio envio(cuerpo);
    const std::unique_ptr<QNetworkReply> respuesta(m_red->post(pedido, &envio));
    bool enviada = false;
    bool sinConexion = false; // the connect time-out expired before the request went out
    bool vencida = false;     // the call's time-out expired
    QObject::connect(respuesta.get(), &QNetworkReply::requestSent, &bucle, [&enviada] { enviada = true; });
    QObject::connect(respuesta.get(), &QNetworkReply::finished, &bucle, &QEventLoop::quit);
    QTimer conexion;
    conexion.setSingleShot(true);
    QObject::connect(&conexion, &QTimer::timeout, &bucle, [&] {
        if (!enviada) {
            sinConexion = true;
            respuesta->abort();
        }
    });
    QTimer llamada;
    llamada.setSingleShot(true);
    QObject::connect(&llamada, &QTimer::timeout, &bucle, [&] {
        vencida = true;
        respuesta->abort();
    });
    conexion.start(m_conexionMs);
    llamada.start(m_llamadaMs);
    m_bucle = &bucle;
    m_respuesta = respuesta.get();
    if (!respuesta->isFinished())
        bucle.exec();
    m_respuesta = nullptr;
    m_bucle = nullptr;

    if (m_cancelado) {
        fallar(Estado::Cancelado, QStringLiteral("Se canceló la consulta al servicio de lealtad."));
        return;
    }
    const int http = respuesta->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (http == 0) {
        // No reply at all: the service cannot have acted on the request only when the connection was
        // never made. Any other end (the loop left from outside, a connection dropped while the
        // request was going out) may have delivered it, whatever `enviada` says.
        const QNetworkReply::NetworkError error = respuesta->error();
        const bool sinCanal =
            error == QNetworkReply::ConnectionRefusedError || error == QNetworkReply::HostNotFoundError;
        if (!respuesta->isFinished())
            respuesta->abort();
        if (sinConexion || (!enviada && sinCanal))
            fallar(Estado::SinConexion, kSinConexion);
        else if (vencida)
            fallar(Estado::SinRespuesta, QStringLiteral("El servicio de lealtad no respondió a tiempo."));
        else
            fallar(Estado::SinRespuesta,
                   QStringLiteral("Se perdió la conexión con el servicio de lealtad antes de su respuesta."));
        return;
    }
    const std::optional<SobreSoap::Respuesta> leida =
        SobreSoap::leerRespuesta(respuesta->readAll(), operacion);
    if (!leida) {
        fallar(Estado::Falla,
               QStringLiteral("El servicio de lealtad dio una respuesta ilegible (HTTP %1).").arg(http));
    } else if (leida->falla) {
        fallar(Estado::Falla, QStringLiteral("El servicio de lealtad informó una falla: ") + leida->texto);
    } else if (http != 200) {
        fallar(Estado::Falla,
               QStringLiteral("El servicio de lealtad respondió con error (HTTP %1).").arg(http));
    } else {
        m_ultima.estado = Estado::Respondio;
        m_ultima.respuesta = leida->texto;
        m_ultima.error.clear();
    }
}

void clsWebService::pausar(int ms) {
    QEventLoop bucle;
    QTimer::singleShot(ms, &bucle, &QEventLoop::quit);
    m_bucle = &bucle;
    bucle.exec();
    m_bucle = nullptr;
}

void clsWebService::cancelar() {
    if (!m_enCurso || m_cancelado)
        return;
    m_cancelado = true;
    if (m_respuesta)
        m_respuesta->abort();
    else if (m_bucle)
        m_bucle->quit();
}

} // namespace nerin
