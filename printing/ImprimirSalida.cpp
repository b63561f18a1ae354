#include "printing/ImprimirSalida.h"

#include "printing/AlinearTexto.h"
#include "printing/ContextoImpresion.h"
#include "printing/ImpresorasTerminal.h"
#include "printing/TipoDocumento.h"
#include "printing/TrabajoReporte.h"
#include "text/TextFormat.h"

namespace nerin {

namespace {

// Minutes as hours to two decimals, trailing zeros left out.
QString horas(const DbValue& minutos) {
    return Currency::fromUnits(minutos.toInt())
        .dividedBy(qint64{60})
        .value_or(Currency())
        .roundedTo(2)
        .toPlainText();
}

QString hora(const DbValue& valor) {
    // A shift still open has no end: NULL reads as an invalid time, which formats as "".
    return TextFormat::dateTime(valor.toDateTime(), u"hh:mm AMPM");
}

// `etiqueta` followed by `valor` to the right, the line `ancho` columns in all.
QString renglon(const QString& etiqueta, const QString& valor, int ancho) {
    return etiqueta + AlinearTexto(valor, ancho - static_cast<int>(etiqueta.size()), kAlinearDerecha, false);
}

} // namespace

bool ImprimirSalida(const ContextoImpresion& contexto, ColaImpresion& cola, qint16 idEmpleado) {
    const std::optional<qint32> impresora = ImpresorasTerminal(contexto).localReportes();
    if (!impresora)
        return false;
    const int w = contexto.ancho();
    const int cuarto = TrabajoReporte::parte(w, 4);
    const QString id = QString::number(idEmpleado);

    TrabajoReporte reporte(contexto, cola, QStringLiteral("ImprimirSalida"));
    reporte.linea(QStringLiteral("<N><N><b>") +
                  AlinearTexto(QStringLiteral("Verificación de Salida"), w, kAlinearCentro, false) +
                  AlinearTexto(contexto.usuario, w, kAlinearCentro, false) + QStringLiteral("</b><N>"));
    const std::optional<DbValue> fecha =
        reporte.valor(QStringLiteral("SELECT Valor_Cad FROM Parametros WHERE Id_Parametro='FECHA_TRABAJO'"));
    reporte.linea(
        AlinearTexto(TrabajoReporte::fecha(fecha.value_or(DbValue()).toString()), w, kAlinearDerecha, false) +
        QStringLiteral("<N>"));
    reporte.linea(QString(w, u'*'));

    const std::optional<RecordSet> total = reporte.consultar(
        QStringLiteral(
            "select Count(*) as Entradas,sum(minutos) as Minutos from vw_detallehoras Where "
            "Fecha_Trabajo=(SELECT Valor_Cad FROM parametros WHERE Id_Parametro='fecha_trabajo')") +
        QStringLiteral(" AND ID_Empleado = ") + id);
    if (total) {
        const qint64 entradas = total->value(u"Entradas").toInt();
        if (entradas == 0) {
            reporte.linea(QStringLiteral("Entradas:                   0<N>") +
                          QStringLiteral("Horas:                      0<N>"));
        } else {
            reporte.linea(renglon(QStringLiteral("Entradas:"), QString::number(entradas), w) +
                          QStringLiteral("<N>"));
            reporte.linea(renglon(QStringLiteral("Horas:"), horas(total->value(u"Minutos")), w) +
                          QStringLiteral("<N>"));
        }
    }

    reporte.linea(AlinearTexto(QStringLiteral("Desgloce de Horas:"), w, kAlinearIzquierda, false));
    QString titulo;
    for (const char* columna : {"[DEPTO.]", "[ENTRADA]", "[SALIDA]", "[HORAS]"})
        titulo += AlinearTexto(QString::fromUtf8(columna), cuarto, kAlinearIzquierda, true);
    reporte.linea(titulo);
    const std::optional<RecordSet> turnos = reporte.consultar(
        QStringLiteral(
            "SELECT Departamento,Hora_Inicio,Hora_Final,Minutos FROM Vw_DetalleHoras WHERE "
            "Fecha_Trabajo=(SELECT Valor_Cad FROM Parametros WHERE Id_Parametro='Fecha_Trabajo') AND "
            "id_empleado=") +
        id);
    for (RecordSet filas = turnos.value_or(RecordSet()); !filas.eof(); filas.moveNext()) {
        QString linea;
        for (const QString& texto :
             {filas.value(u"Departamento").toString(), hora(filas.value(u"Hora_Inicio")),
              hora(filas.value(u"Hora_Final")), horas(filas.value(u"Minutos"))})
            linea += AlinearTexto(texto, cuarto, kAlinearIzquierda, true);
        reporte.linea(linea);
    }

    reporte.linea(AlinearTexto(QStringLiteral("------FIN DEL DOCUMENTO------"), w, kAlinearCentro, false));
    return reporte.imprimir(TipoDocumento::kHoras, *impresora);
}

} // namespace nerin
