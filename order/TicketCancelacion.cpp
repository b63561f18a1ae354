#include "order/TicketCancelacion.h"

#include "data/BaseDatos.h"

namespace nerin {

QStringList TicketCancelacion::lineas() const {
    return {QStringLiteral("<B>    *** Cancelaciones ***</B>"),
            fechaHora,
            QString(),
            QStringLiteral("Gerente: ") + gerente,
            QStringLiteral("Empleado: ") + empleado,
            QStringLiteral("Mesa: ") + mesa,
            QStringLiteral("Comanda: ") + QString::number(idComanda),
            QStringLiteral("Razón: ") + razon};
}

QString TicketCancelacion::encabezado() const {
    return BaseDatos::DuplicarComillas(lineas().join(QStringLiteral("<N>")));
}

std::optional<QString> TicketCancelacion::mesero(BaseDatos& baseDatos, qint32 idComanda, qint32 control) {
    const std::optional<RecordSet> nombre = baseDatos.AbrirRecordset(
        QStringLiteral("SELECT Nombre_Empleado + ' ' + Apellido_Paterno + ' ' + Apellido_Materno FROM "
                       "Comanda,Empleado WHERE Comanda.ID_Empleado=Empleado.ID_Empleado AND ID_Comanda=") +
        QString::number(idComanda) + QStringLiteral(" ANd Control = ") + QString::number(control));
    if (!nombre)
        return std::nullopt;
    return nombre->eof() ? QString() : nombre->value(0).toString();
}

} // namespace nerin
