#include "access/CambioTarjeta.h"

#include "data/BaseDatos.h"
#include "data/TransaccionBD.h"
#include "keyboards/Prompts.h"
#include "startup/TerminalContext.h"

namespace nerin {

QString CambioTarjeta::consulta(Lista lista) const {
    if (lista == Lista::SinTarjeta)
        return QStringLiteral("SELECT * FROM Vw_Empleados_Sin_Tarjeta");
    QString sql = QStringLiteral("SELECT * FROM Vw_Empleados WHERE Admin=0");
    // Only a user administrator may change the cards of other administrators.
    if (m_context.sesion().adminUsuarios())
        sql += QStringLiteral(" OR Admin=1");
    return sql;
}

std::optional<RecordSet> CambioTarjeta::empleados(Lista lista) {
    return m_context.baseDatos().AbrirRecordset(consulta(lista), 3, 3);
}

CambioTarjeta::Resultado CambioTarjeta::asignar(qint16 idEmpleado, const QString& tarjeta) {
    BaseDatos& bd = m_context.baseDatos();
    // Every track of a card text ends with "_": a card of two tracks holds two, the last at its end.
    const QString texto = tarjeta.toUpper();
    const std::optional<QString> numero =
        texto.count(u'_') == kPistas && texto.endsWith(u'_') ? bd.NumeroTarjeta(texto) : std::nullopt;
    if (!numero) {
        m_context.Mensaje(QStringLiteral("Tarjeta invalida"), Prompts::kOk);
        return Resultado::TarjetaInvalida;
    }

    const QString cifrado = BaseDatos::DuplicarComillas(*numero);
    const QString id = QString::number(idEmpleado);
    TransaccionBD trabajo(bd, QStringLiteral("Tarjeta"));
    if (!trabajo.hacer([&] {
            // A failure of either statement is kept by the work, which then sends nothing more and is
            // rolled back: the card stays where it was. An employee removed meanwhile would leave the
            // card with nobody: its holder keeps it.
            trabajo.cambiar(QStringLiteral("UPDATE Empleado SET Num_Tarjeta='XXX' WHERE Num_Tarjeta='") +
                            cifrado + u'\'');
            trabajo.cambiarUna(QStringLiteral("UPDATE Empleado SET Num_Tarjeta='") + cifrado +
                                   QStringLiteral("' WHERE ID_Empleado=") + id,
                               QStringLiteral("No existe el empleado ") + id);
        })) {
        if (trabajo.sinFila())
            m_context.Mensaje(QStringLiteral("El empleado ya no existe"), Prompts::kExclamation);
        return Resultado::Fallo;
    }
    m_context.Mensaje(QStringLiteral("Contraseña cambiada"), Prompts::kOk);
    return Resultado::Cambiada;
}

} // namespace nerin
