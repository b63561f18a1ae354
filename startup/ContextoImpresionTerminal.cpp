#include "startup/ContextoImpresionTerminal.h"

#include "startup/TerminalContext.h"

namespace nerin {

ContextoImpresion contextoImpresion(TerminalContext& context) {
    return ContextoImpresion{
        .baseDatos = context.baseDatos(),
        .bitacora = context.bitacora(),
        .mensaje = [&context](const QString& texto, int estilo) { return context.Mensaje(texto, estilo); },
        .horaServidor = [&context] { return context.HoraServidor(); },
        .terminal = context.terminal,
        .anchoTicket = context.anchoTicket,
        .direccionDeParametros = context.funcion(13),
        .idEmpleado = context.sesion().idEmpleado(),
        .usuario = context.sesion().usuario(),
    };
}

} // namespace nerin
