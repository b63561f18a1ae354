#include "access/FirmarEntrada.h"

#include "data/BaseDatos.h"
#include "keyboards/Prompts.h"
#include "startup/TerminalContext.h"

namespace nerin {

namespace {

// Clears the flag of a signing that is running when the signing ends, whichever way it ends.
class Firmando {
public:
    explicit Firmando(bool& bandera) : m_bandera(bandera) { m_bandera = true; }
    ~Firmando() { m_bandera = false; }
    Firmando(const Firmando&) = delete;
    Firmando& operator=(const Firmando&) = delete;

private:
    bool& m_bandera;
};

} // namespace

QString FirmarEntrada::nombreEmpleado() {
    return m_context.baseDatos()
        .ConsultarCampo(QStringLiteral("Nombre_Empleado + ' ' + Apellido_Paterno + ' ' + Apellido_Materno"),
                        QStringLiteral("Empleado"), QStringLiteral("Id_Empleado=") + QString::number(m_id))
        .toString();
}

QString FirmarEntrada::departamento() {
    return m_context.baseDatos()
        .ConsultarCampo(QStringLiteral("Nombre"), QStringLiteral("Vw_DepartamentosXEmpleado"),
                        QStringLiteral("Id_Empleado=") + QString::number(m_id))
        .toString();
}

std::optional<FirmarEntrada::Turno> FirmarEntrada::turno() {
    if (!firmadoAhora().value_or(false))
        return std::nullopt;
    BaseDatos& bd = m_context.baseDatos();
    const QString condicion = QStringLiteral("id_empleado=") + QString::number(m_id);
    Turno turno;
    turno.horaInicio =
        bd.ConsultarCampo(QStringLiteral("Hora_Inicio"), QStringLiteral("Vw_EmpleadosFirmados"), condicion)
            .toDateTime();
    turno.departamento =
        bd.ConsultarCampo(QStringLiteral("Departamento"), QStringLiteral("Vw_EmpleadosFirmados"), condicion)
            .toString();
    return turno;
}

std::optional<QList<FirmarEntrada::Departamento>> FirmarEntrada::departamentos() {
    BaseDatos& bd = m_context.baseDatos();
    const QString id = QString::number(m_id);
    QList<Departamento> lista;
    if (bd.ConsultarCampo(QStringLiteral("COUNT(*)"), QStringLiteral("CostosxEmpleado"),
                          QStringLiteral("id_empleado=") + id)
            .toInt() == 0)
        return lista;
    const std::optional<RecordSet> filas = bd.AbrirRecordset(
        QStringLiteral("select id_departamento,Nombre from Vw_DepartamentosXEmpleado WHere id_Empleado = ") +
        id);
    if (!filas)
        return std::nullopt;
    for (const QList<DbValue>& fila : filas->rows())
        lista.append({static_cast<qint32>(fila.value(0).toInt()), fila.value(1).toString()});
    return lista;
}

std::optional<bool> FirmarEntrada::firmadoAhora() {
    const std::optional<RecordSet> fila = m_context.baseDatos().AbrirRecordset(
        QStringLiteral("SELECT Firmado FROM Empleado WHERE Id_Empleado = ") + QString::number(m_id));
    if (!fila || fila->eof())
        return std::nullopt;
    return fila->value(0).toInt() != 0;
}

FirmarEntrada::Checada FirmarEntrada::firmar(qint32 idDepartamento) {
    if (m_firmando)
        return Checada::Ninguna;
    Firmando firmando(m_firmando);
    Navegacion* navegacion = m_context.navegacion();
    if (!navegacion)
        return Checada::Ninguna;

    const std::optional<bool> firmado = firmadoAhora();
    if (!firmado)
        return Checada::Ninguna;
    if (!navegacion->autorizar(*firmado ? kPermisoSalida : kPermisoEntrada,
                               QStringLiteral("Validar Permiso")))
        return Checada::Ninguna;
    // The authorisation waited for a person; another terminal may have clocked the employee
    // meanwhile, and the procedure would then do the opposite of what was authorised.
    const std::optional<bool> despues = firmadoAhora();
    if (!despues)
        return Checada::Ninguna;
    if (*despues != *firmado) {
        m_context.Mensaje(
            QStringLiteral("La checada del empleado cambió en otra terminal; intente de nuevo."),
            Prompts::kExclamation);
        return Checada::Ninguna;
    }

    if (!m_context.baseDatos().EjecutarSQL(QStringLiteral("procFirmarEmpleado ") +
                                           QString::number(idDepartamento) + u',' + QString::number(m_id)))
        return Checada::Ninguna;
    return *firmado ? Checada::Salida : Checada::Entrada;
}

} // namespace nerin
