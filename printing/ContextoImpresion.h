#pragma once

#include <QDateTime>
#include <QString>
#include <functional>

namespace nerin {

class BaseDatos;
class Bitacora;

// What the composing operations of printed documents need from the terminal, handed to them
// explicitly because printing sits below the terminal's context in the layers: the terminal fills it
// from its run-wide values, tests fill it themselves. The services must outlive the operations that
// use it.
struct ContextoImpresion {
    BaseDatos& baseDatos;
    Bitacora& bitacora;
    // The message window: `estilo` as the standard message-box values; returns the answer code.
    std::function<int(const QString& texto, int estilo)> mensaje;
    // The database server's date and time.
    std::function<QDateTime()> horaServidor;
    qint16 terminal = 1;
    // Parameter ANCHO_TICKET; 0 or less reads as 32 (ancho()).
    qint16 anchoTicket = 32;
    // Terminal function 13: the report header's address comes from parameters, not from Empresas.
    bool direccionDeParametros = false;
    // The signed-in employee: Empleado.ID_Empleado and Empleado.Usuario; 0 and "" without one.
    qint16 idEmpleado = 0;
    QString usuario;

    int ancho() const { return anchoTicket > 0 ? anchoTicket : 32; }
    // The user a job is queued under: "System" when nobody is signed in.
    QString usuarioTrabajo() const { return usuario.isEmpty() ? QStringLiteral("System") : usuario; }
};

} // namespace nerin
