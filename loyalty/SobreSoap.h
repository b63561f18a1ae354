#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace nerin {

// The SOAP 1.1 envelope of the loyalty service, written in this one place for the client and the
// stand-in service. An operation Op (Process, Register or Activate) of the service "Loyalty" travels
// as an HTTP POST with `Content-Type: text/xml; charset=utf-8` and `SOAPAction: "urn:Loyalty#Op"`:
//
//   <?xml version="1.0" encoding="utf-8"?>
//   <soap:Envelope xmlns:soap="http://schemas.xmlsoap.org/soap/envelope/">
//     <soap:Body><Op xmlns="urn:Loyalty"><mensaje>request text</mensaje></Op></soap:Body>
//   </soap:Envelope>
//
// The reply's body is <OpResponse xmlns="urn:Loyalty"><OpResult>reply text</OpResult></OpResponse>;
// a failure is a soap:Fault with faultcode and faultstring, sent with HTTP status 500. Texts are
// XML-escaped (& < > " ') when written and unescaped when read.
class SobreSoap {
public:
    static constexpr const char* kEspacio = "urn:Loyalty";
    static constexpr const char* kTipoContenido = "text/xml; charset=utf-8";

    // A request or reply as read: the operation and its one text.
    struct Solicitud {
        QString operacion;
        QString mensaje;
    };
    struct Respuesta {
        bool falla = false;
        QString texto;       // the OpResult text, or the faultstring of a fault
        QString codigoFalla; // the faultcode of a fault
    };

    // Whether `operacion` is one of the service's three operations.
    static bool esOperacion(const QString& operacion);

    // The SOAPAction header's value, quotes included.
    static QByteArray accion(const QString& operacion);

    static QByteArray solicitud(const QString& operacion, const QString& mensaje);
    static QByteArray respuesta(const QString& operacion, const QString& resultado);
    static QByteArray falla(const QString& codigo, const QString& texto);

    // The operation and text of a request; none when `xml` is not such an envelope.
    static std::optional<Solicitud> leerSolicitud(const QByteArray& xml);
    // The result of `operacion` or a fault; none when `xml` is neither.
    static std::optional<Respuesta> leerRespuesta(const QByteArray& xml, const QString& operacion);

    // `texto` with & < > " ' written as XML entities.
    static QString escapar(const QString& texto);
};

} // namespace nerin
