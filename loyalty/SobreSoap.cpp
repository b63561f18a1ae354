#include "loyalty/SobreSoap.h"

#include <QXmlStreamReader>

namespace nerin {

namespace {

const QString kSoap = QStringLiteral("http://schemas.xmlsoap.org/soap/envelope/");

QByteArray sobre(const QString& cuerpo) {
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                          "<soap:Envelope xmlns:soap=\"%1\"><soap:Body>%2</soap:Body></soap:Envelope>\n")
        .arg(kSoap, cuerpo)
        .toUtf8();
}

// Moves `xml` to the first element inside soap:Body (a soap:Header is skipped); false when there is
// none.
bool entrarAlCuerpo(QXmlStreamReader& xml) {
    if (!xml.readNextStartElement() || xml.namespaceUri() != kSoap || xml.name() != u"Envelope")
        return false;
    while (xml.readNextStartElement()) {
        if (xml.namespaceUri() == kSoap && xml.name() == u"Body")
            return xml.readNextStartElement();
        xml.skipCurrentElement();
    }
    return false;
}

// The text of the child element `nombre` of the current element; none when it has no such child.
std::optional<QString> hijo(QXmlStreamReader& xml, QStringView nombre) {
    while (xml.readNextStartElement()) {
        if (xml.name() == nombre) {
            QString texto = xml.readElementText();
            if (xml.hasError())
                return std::nullopt;
            return texto;
        }
        xml.skipCurrentElement();
    }
    return std::nullopt;
}

} // namespace

bool SobreSoap::esOperacion(const QString& operacion) {
    return operacion == u"Process" || operacion == u"Register" || operacion == u"Activate";
}

QByteArray SobreSoap::accion(const QString& operacion) {
    return QStringLiteral("\"%1#%2\"").arg(QLatin1String(kEspacio), operacion).toUtf8();
}

QByteArray SobreSoap::solicitud(const QString& operacion, const QString& mensaje) {
    return sobre(QStringLiteral("<%1 xmlns=\"%2\"><mensaje>%3</mensaje></%1>")
                     .arg(operacion, QLatin1String(kEspacio), escapar(mensaje)));
}

QByteArray SobreSoap::respuesta(const QString& operacion, const QString& resultado) {
    return sobre(QStringLiteral("<%1Response xmlns=\"%2\"><%1Result>%3</%1Result></%1Response>")
                     .arg(operacion, QLatin1String(kEspacio), escapar(resultado)));
}

QByteArray SobreSoap::falla(const QString& codigo, const QString& texto) {
    return sobre(
        QStringLiteral("<soap:Fault><faultcode>%1</faultcode><faultstring>%2</faultstring></soap:Fault>")
            .arg(escapar(codigo), escapar(texto)));
}

std::optional<SobreSoap::Solicitud> SobreSoap::leerSolicitud(const QByteArray& xml) {
    QXmlStreamReader lector(xml);
    if (!entrarAlCuerpo(lector) || lector.namespaceUri() != QLatin1String(kEspacio))
        return std::nullopt;
    const QString operacion = lector.name().toString();
    if (!esOperacion(operacion))
        return std::nullopt;
    const std::optional<QString> mensaje = hijo(lector, u"mensaje");
    if (!mensaje)
        return std::nullopt;
    return Solicitud{operacion, *mensaje};
}

std::optional<SobreSoap::Respuesta> SobreSoap::leerRespuesta(const QByteArray& xml,
                                                             const QString& operacion) {
    QXmlStreamReader lector(xml);
    if (!entrarAlCuerpo(lector))
        return std::nullopt;
    if (lector.namespaceUri() == kSoap && lector.name() == u"Fault") {
        Respuesta falla{true, QString(), QString()};
        while (lector.readNextStartElement()) {
            if (lector.name() == u"faultcode")
                falla.codigoFalla = lector.readElementText();
            else if (lector.name() == u"faultstring")
                falla.texto = lector.readElementText();
            else
                lector.skipCurrentElement();
        }
        if (lector.hasError())
            return std::nullopt;
        return falla;
    }
    if (lector.namespaceUri() != QLatin1String(kEspacio) ||
        lector.name() != QString(operacion + QStringLiteral("Response")))
        return std::nullopt;
    const std::optional<QString> resultado = hijo(lector, QString(operacion + QStringLiteral("Result")));
    if (!resultado)
        return std::nullopt;
    return Respuesta{false, *resultado, QString()};
}

QString SobreSoap::escapar(const QString& texto) {
    QString escrito;
    escrito.reserve(texto.size());
    for (const QChar c : texto) {
        switch (c.unicode()) {
        case u'&':
            escrito += QStringLiteral("&amp;");
            break;
        case u'<':
            escrito += QStringLiteral("&lt;");
            break;
        case u'>':
            escrito += QStringLiteral("&gt;");
            break;
        case u'"':
            escrito += QStringLiteral("&quot;");
            break;
        case u'\'':
            escrito += QStringLiteral("&apos;");
            break;
        default:
            escrito += c;
        }
    }
    return escrito;
}

} // namespace nerin
