#include "printing/DireccionReporte.h"

#include "data/BaseDatos.h"
#include "printing/ContextoImpresion.h"
#include "printing/EncabezadoReporte.h"

namespace nerin {

namespace {

const QString kSalto = QStringLiteral("\r\n");

QString parametro(const ContextoImpresion& contexto, const QString& campo, const QString& id) {
    return contexto.baseDatos
        .ConsultarCampo(campo, QStringLiteral("Parametros"), QStringLiteral("Id_Parametro='") + id + u'\'')
        .toString();
}

QString direccionEmpresa(const ContextoImpresion& contexto) {
    const int ancho = contexto.ancho();
    const qint64 clave = contexto.baseDatos
                             .ConsultarCampo(QStringLiteral("Valor_Num"), QStringLiteral("Parametros"),
                                             QStringLiteral("Id_Parametro='CVEEMPRESA'"))
                             .toInt();
    const std::optional<RecordSet> empresa = contexto.baseDatos.AbrirRecordset(
        QStringLiteral("SELECT * FROM Empresas WHERE CveEmpresa=") + QString::number(clave));
    auto campo = [&empresa](const char* nombre) {
        return empresa ? empresa->value(QString::fromLatin1(nombre)).toString() : QString();
    };
    const QStringList valores = {
        campo("RazonSocial"),
        campo("Calle"),
        campo("Colonia"),
        campo("DelMunicipio"),
        campo("Estado") + QStringLiteral(" C.P.") + campo("CP"),
        QStringLiteral("R.F.C. ") + campo("RFC"),
        QStringLiteral("Tel. ") + campo("Telefono1"),
    };
    QStringList lineas;
    for (const QString& valor : valores) {
        if (valor.size() >= ancho) {
            lineas.append(valor.left(ancho));
            lineas.append(CentrarEncabezado(valor.mid(ancho), ancho));
        } else {
            lineas.append(CentrarEncabezado(valor, ancho));
        }
    }
    return lineas.join(kSalto);
}

} // namespace

QStringList DireccionReporte(const ContextoImpresion& contexto) {
    if (!contexto.direccionDeParametros)
        return {direccionEmpresa(contexto)};

    const int ancho = contexto.ancho();
    QStringList lineas;
    bool demasiado = false;
    const char* const claves[] = {"SUCURSAL",     "DIRECCIONCALLE", "DIRECCIONCALLE2", "DIRECCIONCOL",
                                  "DIRECCIONDEL", "DIRECCIONCP",    "DIRECCIONEYC"};
    for (const char* clave : claves) {
        const QString id = QString::fromLatin1(clave);
        QString valor = parametro(contexto, QStringLiteral("Valor_Cad"), id);
        if (valor.isEmpty())
            continue;
        if (id == u"DIRECCIONCP")
            valor = QStringLiteral(" C.P. ") + valor;
        demasiado = demasiado || valor.size() > ancho;
        lineas.append(CentrarEncabezado(valor, ancho));
    }
    const QString rfc =
        QStringLiteral("R.F.C. ") + parametro(contexto, QStringLiteral("Valor_Cad"), QStringLiteral("RFC"));
    demasiado = demasiado || rfc.size() > ancho;
    lineas.append(CentrarEncabezado(rfc, ancho) + QStringLiteral("<N>"));
    if (demasiado)
        lineas.append(kSalto + QStringLiteral("* COLUMNAS MAXIMAS SON ") + QString::number(ancho) + kSalto +
                      kSalto);
    return lineas;
}

} // namespace nerin
