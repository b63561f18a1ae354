#include "printing/EncabezadoReporte.h"

#include "data/BaseDatos.h"
#include "printing/ColaImpresion.h"
#include "printing/ContextoImpresion.h"
#include "printing/DireccionReporte.h"
#include "text/TextFormat.h"

#include <QStringList>

namespace nerin {

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

    QStringList lineas = DireccionReporte(contexto);
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
