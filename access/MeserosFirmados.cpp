#include "access/MeserosFirmados.h"

#include "data/BaseDatos.h"
#include "data/TransaccionBD.h"
#include "keyboards/Prompts.h"
#include "startup/TerminalContext.h"

namespace nerin {

bool MeserosFirmados::cargar() {
    const QString id = QString::number(m_context.sesion().idEmpleado());
    const QString sql =
        m_context.funcion(kFuncionChecador)
            ? QStringLiteral("SELECT Id_Empleado, Empleado, Nombre_Terminal, Departamento, Hora_Inicio FROM "
                             "Vw_EmpleadosFirmados WHERE Id_Empleado <> ") +
                  id
            : QStringLiteral(
                  "SELECT Id_Empleado, Nombre_Empleado + ' ' + Apellido_Paterno + ' ' + "
                  "Apellido_Materno, Nombre_Terminal,'','' FROM Empleado emp, Terminal ter WHERE "
                  "emp.Id_Terminal <> 0 AND emp.Id_Terminal = ter.Id_Terminal AND Id_Empleado <> ") +
                  id;
    std::optional<RecordSet> filas = m_context.baseDatos().AbrirRecordset(sql);
    m_lista = filas ? std::move(*filas) : RecordSet();
    return filas.has_value();
}

qint32 MeserosFirmados::empleadoDe(int fila) const {
    if (fila < 0 || fila >= m_lista.recordCount())
        return 0;
    return static_cast<qint32>(m_lista.rows().at(fila).value(0).toInt());
}

bool MeserosFirmados::corregirHora(int fila) {
    const qint32 empleado = empleadoDe(fila);
    if (!m_context.funcion(kFuncionChecador) || empleado == 0)
        return false;
    BaseDatos& bd = m_context.baseDatos();
    const qint64 entrada =
        bd.ConsultarCampo(QStringLiteral("max(Id_Entrada)"), QStringLiteral("HorasxEmpleado"),
                          QStringLiteral("Id_Empleado=") + QString::number(empleado))
            .toInt();
    if (entrada == 0) {
        m_context.Mensaje(QStringLiteral("El empleado no tiene una entrada registrada."),
                          Prompts::kExclamation);
        return false;
    }
    const QString condicion = QStringLiteral("Id_Entrada=") + QString::number(entrada);
    // Vw_Turnos gives the start with its day also for an entry corrected to a bare time of day.
    const QDateTime inicio =
        bd.ConsultarCampo(QStringLiteral("Hora_Inicio"), QStringLiteral("Vw_Turnos"), condicion).toDateTime();
    if (!inicio.isValid())
        return false;

    const Prompts::TimeAnswer respuesta = m_context.prompts().hora(inicio.time());
    if (respuesta.cancelado)
        return false;
    if (!respuesta.hora.isValid()) {
        m_context.Mensaje(QStringLiteral("La hora debe estar entre 00:00 y 23:59."), Prompts::kExclamation);
        return false;
    }
    // The shift keeps its day: one begun before midnight stays on that day whatever time it is now.
    const QDateTime corregida(inicio.date(), QTime(respuesta.hora.hour(), respuesta.hora.minute()));
    if (corregida > m_context.HoraServidor()) {
        m_context.Mensaje(QStringLiteral("La hora de entrada no puede ser posterior a la hora actual."),
                          Prompts::kExclamation);
        return false;
    }
    if (!bd.ActualizarRegistros(QStringLiteral("HorasxEmpleado"),
                                QStringLiteral("Hora_Inicio='") +
                                    corregida.toString(QStringLiteral("dd/MM/yyyy HH:mm")) + u'\'',
                                condicion))
        return false;
    cargar();
    return true;
}

bool MeserosFirmados::desfirmar(int fila) {
    if (m_lista.recordCount() == 0) {
        m_context.Mensaje(QStringLiteral("No hay empleados firmados"), Prompts::kOk);
        return false;
    }
    const qint32 empleado = empleadoDe(fila);
    if (empleado == 0) {
        m_context.Mensaje(QStringLiteral("Primero seleccione un empleado para desfirmar"), Prompts::kOk);
        return false;
    }
    const QString nombre = m_lista.rows().at(fila).value(1).toString();
    if (m_context.Mensaje(QStringLiteral("¿Desea desfirmar a ") + nombre + u'?', Prompts::kYesNo) !=
        Prompts::kAnswerYes)
        return false;

    const QString id = QString::number(empleado);
    TransaccionBD trabajo(m_context.baseDatos(), QStringLiteral("Desfirmar"));
    if (!trabajo.hacer([&] {
            trabajo.cambiar(QStringLiteral("UPDATE Empleado  SET Id_Terminal = 0 WHERE Id_Empleado = ") + id);
            trabajo.cambiar(QStringLiteral("UPDATE Comanda SET EnUsoPor=0 WHERE EnUsoPor=") + id);
        }))
        return false;
    cargar();
    return true;
}

} // namespace nerin
