#include "access/LoginEmpleado.h"

#include "crypto/clsDES.h"
#include "data/BaseDatos.h"
#include "keyboards/Prompts.h"
#include "startup/TerminalContext.h"

namespace nerin {

LoginEmpleado::Resultado LoginEmpleado::validar(const QString& usuario, const QString& contrasena) {
    // The user name is typed freely: its quotes are doubled so that it stays one value. A user who is
    // no longer active cannot log in, as with a card.
    const std::optional<RecordSet> guardada = m_context.baseDatos().AbrirRecordset(
        QStringLiteral(
            "SELECT Contraseña FROM Empleado,EmpleadosXGrupo,PermisosXGrupo_Trabajo WHERE "
            "Empleado.ID_Empleado=EmpleadosXGrupo.ID_Empleado AND "
            "EmpleadosXGrupo.ID_Grupo_Trabajo=PermisosXGrupo_Trabajo.ID_Grupo_Trabajo AND ID_Permiso=27 "
            "AND Usuario='") +
            BaseDatos::DuplicarComillas(usuario) + QStringLiteral("' AND Estado_Empleado='A'"),
        3, 3);
    if (!guardada || guardada->eof()) {
        m_context.Mensaje(QStringLiteral("El usuario es inválido o no tiene privilegios suficientes"),
                          Prompts::kOk);
        return Resultado::UsuarioInvalido;
    }
    clsDES des;
    const Result<QString> clara = des.DecryptString(guardada->value(0).toString(), m_clave, true);
    if (!clara || *clara != contrasena) {
        m_context.Mensaje(QStringLiteral("La contraseña es incorrecta"), Prompts::kOk);
        return Resultado::ContrasenaIncorrecta;
    }
    return Resultado::Valido;
}

} // namespace nerin
