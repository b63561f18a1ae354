#include "printing/EncabezadoReporte.h"

#include "data/BaseDatos.h"
#include "printing/ColaImpresion.h"
#include "printing/ContextoImpresion.h"
#include "text/TextFormat.h"

#include <QStringList>

namespace nerin {

namespace {

const QString kSalto = QStringLiteral("\r\n");

QString parametro(const ContextoImpresion& contexto, const QString& campo, const QString& id) {
    return contexto.baseDatos
        .ConsultarCampo(campo, QStringLiteral("Parametros"), QStringLiteral("Id_Parametro='") + id + u'\'')
        .toString();
}

// The company's address as one text of centred lines; a value as wide as the ticket or wider is cut
// at the width and its rest centred on a line of its own.
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

// The address parameters, one line each; `demasiado` tells whether any was wider than the ticket.
QStringList direccionParametros(const ContextoImpresion& contexto, bool& demasiado) {
    const int ancho = contexto.ancho();
    QStringList lineas;
    demasiado = false;
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
    return lineas;
}

} // namespace

QString CentrarEncabezado(const QString& texto, int ancho) {
    const qsizetype sobrante = ancho - texto.size();
    if (sobrante <= 0)
        return texto;
    // Half the room, halves to even (a spare of 5 gives 2 spaces, 7 gives 4).
    qsizetype relleno = sobrante / 2;
    if (sobrante % 2 == 1 && relleno % 2 == 1)
        ++relleno;
    return QString(relleno, u' ') + texto;
}

bool EncabezadoReporte(const ContextoImpresion& contexto, ColaImpresion& cola, qint32 trabajo,
                       qint32 idEmpleado) {
    const int ancho = contexto.ancho();
    QString nombre;
    if (const std::optional<RecordSet> empleado = contexto.baseDatos.AbrirRecordset(
            QStringLiteral("SELECT ") + QStringLiteral(" Nombre_Empleado") +
            QStringLiteral(" FROM Empleado ") + QStringLiteral(" WHERE ID_Empleado=") +
            QString::number(idEmpleado));
        empleado && !empleado->eof())
        nombre = empleado->value(0).toString();
    const QDateTime ahora = contexto.horaServidor ? contexto.horaServidor() : QDateTime::currentDateTime();

    QStringList lineas;
    if (!contexto.direccionDeParametros) {
        lineas.append(direccionEmpresa(contexto));
    } else {
        bool demasiado = false;
        lineas = direccionParametros(contexto, demasiado);
        if (demasiado)
            lineas.append(kSalto + QStringLiteral("* COLUMNAS MAXIMAS SON ") + QString::number(ancho) +
                          kSalto + kSalto);
    }
    lineas.append(CentrarEncabezado(QStringLiteral("Impreso por: ") + nombre, ancho));
    lineas.append(CentrarEncabezado(
        QStringLiteral("Impreso el: ") + TextFormat::dateTime(ahora, u"dd/mmm/yyyy"), ancho));
    lineas.append(CentrarEncabezado(
        QStringLiteral("Impreso a las: ") + TextFormat::dateTime(ahora, u"hh:mm:ss AMPM"), ancho));

    for (const QString& linea : std::as_const(lineas)) {
        if (!cola.AgregarLinea(trabajo, BaseDatos::DuplicarComillas(linea)))
            return false;
    }
    return true;
}

} // namespace nerin
