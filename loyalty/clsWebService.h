#pragma once

#include <QString>
#include <memory>

class QEventLoop;
class QNetworkAccessManager;
class QNetworkReply;

namespace nerin {

class EsperaServicio;

// The loyalty service's client: the operations Process, Register and Activate of the service
// "Loyalty" at the terminal's service address, over SOAP 1.1 on HTTP. Each takes a request text and
// returns the reply text, or an empty text when no reply came (then `ultima()` says why).
//
// A call never freezes the screen: it runs in a local event loop while `EsperaServicio` shows that
// the terminal waits and lets the person cancel. Connecting may take at most kConexionMs and the
// whole call at most kLlamadaMs. A request that cannot have reached the service (the connection was
// refused or could not be made) is tried again, at most kIntentos times in all; a request that was
// sent is never sent again, since the service may have acted on it.
class clsWebService {
public:
    static constexpr int kIntentos = 4;
    static constexpr int kConexionMs = 5000;
    static constexpr int kLlamadaMs = 15000;

    enum class Estado {
        Respondio,    // a reply came; its text is the operation's result
        SinConexion,  // never reached the service: it cannot have acted on the request
        SinRespuesta, // sent, but the reply did not come in time or the connection broke: it may have
                      // acted on it
        Falla,        // the service answered with a SOAP fault or an HTTP error
        Cancelado,    // the person cancelled while waiting: it may have acted on it
    };

    struct Llamada {
        Estado estado = Estado::SinConexion;
        QString respuesta; // the reply text when it came
        QString error;     // for people, in Spanish, when it did not
        int intentos = 0;
    };

    // `url` is the service address ("URL_LEALTAD"); `espera` may be null (no window).
    explicit clsWebService(QString url, EsperaServicio* espera = nullptr);
    ~clsWebService();

    clsWebService(const clsWebService&) = delete;
    clsWebService& operator=(const clsWebService&) = delete;

    // Checks the service address and readies the client; false (with the reason in `ultima().error`)
    // when the address is empty or not an http(s) address.
    bool Conectar();
    bool conectado() const { return m_conectado; }

    QString Process(const QString& mensaje);
    QString Register(const QString& mensaje);
    QString Activate(const QString& mensaje);

    // How the last call went.
    const Llamada& ultima() const { return m_ultima; }

    // Tests shorten the time-outs.
    void setTiempos(int conexionMs, int llamadaMs);

private:
    QString llamar(const QString& operacion, const QString& mensaje);
    // One attempt: sends `cuerpo` once and records in `m_ultima` how it went.
    void intentar(const QString& operacion, const QByteArray& cuerpo);
    // Waits `ms` between attempts, or less when the person cancels.
    void pausar(int ms);
    void cancelar();
    bool fallar(Estado estado, const QString& error);

    QString m_url;
    EsperaServicio* m_espera;
    bool m_conectado = false;
    int m_conexionMs = kConexionMs;
    int m_llamadaMs = kLlamadaMs;
    Llamada m_ultima;
    std::unique_ptr<QNetworkAccessManager> m_red;
    // While a call waits: its loop and, during an attempt, its reply (what a cancel ends).
    QEventLoop* m_bucle = nullptr;
    QNetworkReply* m_respuesta = nullptr;
    bool m_enCurso = false;
    bool m_cancelado = false;
};

} // namespace nerin
