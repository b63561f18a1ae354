#include "access/ValidaPermiso.h"

#include "data/BaseDatos.h"
#include "keyboards/Prompts.h"
#include "startup/TerminalContext.h"

namespace nerin {

ValidaPermiso::Resultado ValidaPermiso::validar(const QString& tarjeta) {
    BaseDatos& bd = m_context.baseDatos();
    m_empleado = bd.EmpleadoDeTarjeta(tarjeta.toUpper());
    if (m_empleado == 0) {
        m_context.Mensaje(QStringLiteral("Tarjeta inválida"), Prompts::kOk);
        return Resultado::TarjetaInvalida;
    }
    const qint64 tiene =
        bd.ConsultarCampo(QStringLiteral("Count(*)"), QStringLiteral("Vw_Permisos"),
                          QStringLiteral("ID_Empleado=") + QString::number(m_empleado) +
                              QStringLiteral(" AND ID_Permiso = ") + QString::number(m_permiso))
            .toInt();
    if (tiene != 0)
        return Resultado::Valido;
    m_context.Mensaje(QStringLiteral("No tiene permisos!"), Prompts::kOk);
    return Resultado::SinPermiso;
}

} // namespace nerin
