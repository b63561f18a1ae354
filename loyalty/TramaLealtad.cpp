#include "loyalty/TramaLealtad.h"

#include <QStringList>

namespace nerin {

namespace {

const QString kComilla = QStringLiteral("\"");
const QString kSeparador = QStringLiteral("\",\"");

} // namespace

QString TramaLealtad::armar(const QList<Campo>& campos) {
    QStringList partes;
    for (const Campo& campo : campos) {
        QString valor = campo.valor;
        valor.remove(u'"');
        partes.append(kComilla + campo.clave + u':' + valor + kComilla);
    }
    return u'{' + partes.join(u',') + u'}';
}

std::optional<TramaLealtad::Respuesta> TramaLealtad::leer(const QString& texto) {
    const QString trama = texto.trimmed();
    if (trama.size() < 4 || !trama.startsWith(QStringLiteral("{\"")) ||
        !trama.endsWith(QStringLiteral("\"}")))
        return std::nullopt;
    const QString dentro = trama.mid(2, trama.size() - 4);
    Respuesta respuesta;
    for (QString parte : dentro.split(kSeparador)) {
        parte.remove(u'"');
        const qsizetype dosPuntos = parte.indexOf(u':');
        if (dosPuntos < 0)
            respuesta.campos.append(Campo{parte, QString()});
        else
            respuesta.campos.append(Campo{parte.left(dosPuntos), parte.mid(dosPuntos + 1)});
    }
    return respuesta;
}

bool TramaLealtad::soloDigitos(const QString& valor) {
    if (valor.isEmpty())
        return false;
    for (const QChar c : valor) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

} // namespace nerin
