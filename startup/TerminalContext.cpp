#include "startup/TerminalContext.h"

#include "data/BaseDatos.h"
#include "data/Bitacora.h"
#include "keyboards/Prompts.h"
#include "startup/AccessScreen.h"
#include "startup/Platform.h"

namespace nerin {

TerminalContext::TerminalContext(BaseDatos& baseDatos, Bitacora& bitacora, Prompts& prompts,
                                 Platform& platform, TerminalSettings& settings, Reloj reloj)
    : m_baseDatos(baseDatos), m_bitacora(bitacora), m_prompts(prompts), m_platform(platform),
      m_settings(settings), m_reloj(std::move(reloj)) {}

bool TerminalContext::funcion(int numero) const {
    if (numero < 1 || numero > kFunctionCount)
        return false;
    return m_funciones[static_cast<std::size_t>(numero - 1)];
}

void TerminalContext::setFuncion(int numero, bool on) {
    if (numero < 1 || numero > kFunctionCount)
        return;
    m_funciones[static_cast<std::size_t>(numero - 1)] = on;
}

int TerminalContext::Mensaje(const QString& texto, int estilo) {
    return m_prompts.Mensaje(texto, estilo);
}

QDateTime TerminalContext::HoraServidor() {
    const auto rs = m_baseDatos.AbrirRecordset(QStringLiteral("SELECT getdate() as Hora"));
    if (rs && !rs->eof()) {
        const QDateTime hora = rs->value(0).toDateTime();
        if (hora.isValid())
            return hora;
    }
    return m_reloj();
}

QString TerminalContext::NombreEquipo() {
    return m_platform.NombreEquipo();
}

void TerminalContext::SalirSistema(AccessScreen& acceso, const QString& screenName, bool unload) {
    m_bitacora.EscribirBitacora(QStringLiteral("SalirSistema-") + screenName);
    const QString empleado = QString::number(m_sesion.idEmpleado());
    m_baseDatos.ActualizarRegistros(QStringLiteral("Comanda"), QStringLiteral("EnUsoPor=0"),
                                    QStringLiteral("EnUsoPor=") + empleado);
    m_baseDatos.EjecutarSQL(QStringLiteral("UPDATE Empleado SET Id_Terminal = 0 WHERE Id_Empleado = ") +
                            empleado);
    // Nobody is signed in at this terminal any more.
    m_sesion = Sesion();
    acceso.returnToAccess(screenName, unload);
}

} // namespace nerin
