#include "tables/MesaNueva.h"

#include "data/BaseDatos.h"
#include "data/Bitacora.h"
#include "data/DbCommand.h"
#include "keyboards/Prompts.h"
#include "startup/Navegacion.h"
#include "startup/TerminalContext.h"
#include "tables/BloqueoComanda.h"

#include <algorithm>

namespace nerin {

MesaNueva::MesaNueva(TerminalContext& context) : m_context(context), m_ocupacion(context) {}

QString MesaNueva::codigo(Servicio servicio) {
    switch (servicio) {
    case Servicio::ParaLlevar:
        return QStringLiteral("B");
    case Servicio::Domicilio:
        return QStringLiteral("O");
    case Servicio::Comedor:
        break;
    }
    return QStringLiteral("N");
}

std::optional<QString> MesaNueva::ocupadaPor(qint16 mesa) {
    const std::optional<QList<OcupacionMesa::Orden>> abiertas =
        m_ocupacion.ordenes(mesa, QStringLiteral("cmdAceptar"));
    if (!abiertas)
        return std::nullopt;
    return abiertas->isEmpty() ? QString() : abiertas->first().nombre;
}

bool MesaNueva::abrir(qint16 mesa, Servicio servicio, int huespedes, Resultado& resultado) {
    using P = DbCommand::ParamType;
    using D = DbCommand::Direction;
    // A procedure call, so that every back-end hands the parameters over by name.
    DbCommand comando(QStringLiteral("Abrir_Mesa"), DbCommand::Kind::StoredProcedure);
    comando.addParameter(
        {QStringLiteral("@nNumMesa"), P::BigInt, D::Input, 0, DbValue(static_cast<qint64>(mesa))});
    comando.addParameter({QStringLiteral("@nControl"), P::BigInt, D::Input, 0,
                          DbValue(static_cast<qint64>(m_context.terminal))});
    comando.addParameter({QStringLiteral("@nIDEmpleado"), P::BigInt, D::Input, 0,
                          DbValue(static_cast<qint64>(m_context.sesion().idEmpleado()))});
    comando.addParameter({QStringLiteral("@sTipo"), P::Char, D::Input, 1, DbValue(codigo(servicio))});
    comando.addParameter({QStringLiteral("@nHuespedes"), P::Integer, D::Input, 0, DbValue(huespedes)});
    comando.addParameter({QStringLiteral("@nFolio"), P::BigInt, D::Output, 0, DbValue()});
    Connection& conexion = m_context.baseDatos().connection();
    if (!conexion.run(comando)) {
        // The server refuses a dining-room number that another terminal opened since the check above;
        // that is told as the check would have told it.
        if (servicio == Servicio::Comedor) {
            const DbFailure fallo = conexion.lastFailure();
            const DbErrorList errores = conexion.errors();
            const std::optional<QString> ahora = ocupadaPor(mesa);
            if (!ahora)
                return false;
            if (!ahora->isEmpty()) {
                m_ocupacion.avisarOcupada(mesa, *ahora);
                resultado.vaciarNumero = true;
                return false;
            }
            m_context.baseDatos().ReportarErrorBD(QStringLiteral("Base de Datos"), fallo, errores);
            m_context.bitacora().registrarError(QStringLiteral("cmdAceptar"), fallo.number,
                                                fallo.description);
            return false;
        }
        m_ocupacion.reportarFallo(QStringLiteral("cmdAceptar"));
        return false;
    }

    resultado.folio = static_cast<qint32>(comando.parameter(u"@nFolio").toInt());
    return true;
}

MesaNueva::Resultado MesaNueva::Aceptar(const QString& numero, Servicio servicio) {
    Resultado resultado;
    const std::optional<qint16> tecleada = m_ocupacion.numeroTecleado(numero, servicio == Servicio::Comedor);
    if (!tecleada)
        return resultado;
    qint16 mesa = *tecleada == OcupacionMesa::kSinNumero ? qint16{0} : *tecleada;

    // Take-away and delivery orders do not use the typed number, so its occupancy does not matter.
    if (servicio == Servicio::Comedor) {
        const std::optional<QString> ocupada = ocupadaPor(mesa);
        if (!ocupada)
            return resultado;
        if (!ocupada->isEmpty()) {
            m_ocupacion.avisarOcupada(mesa, *ocupada);
            resultado.vaciarNumero = true;
            return resultado;
        }
    }

    int huespedes = 0;
    if (servicio == Servicio::Comedor) {
        Prompts::NumberRequest pedido;
        pedido.titulo = QStringLiteral("Número de Huéspedes");
        pedido.minimo = 0;
        pedido.maximo = kMaximoHuespedes;
        pedido.mostrarAbierto = false;
        const Prompts::NumberAnswer respuesta = m_context.prompts().numero(pedido);
        if (!respuesta.cancelado)
            huespedes = static_cast<int>(std::clamp<qint64>(respuesta.numero, 0, kMaximoHuespedes));
    }
    if (servicio == Servicio::Comedor && mesa == 0) {
        const qint32 siguiente = m_ocupacion.siguienteMesa();
        if (siguiente < 0) {
            m_context.Mensaje(QStringLiteral("No hay números de mesa disponibles"), Prompts::kExclamation);
            return resultado;
        }
        mesa = static_cast<qint16>(siguiente);
    } else if (servicio != Servicio::Comedor) {
        const qint32 libre = m_ocupacion.numeroLibre();
        if (libre < 0)
            return resultado;
        mesa = static_cast<qint16>(libre);
    }

    if (!abrir(mesa, servicio, huespedes, resultado))
        return resultado;
    // The new order is in the open-tables list of every terminal from now on: it is locked before it
    // is shown, like any other order.
    if (!BloqueoComanda::tomarOAvisar(m_context, resultado.folio, QStringLiteral("cmdAceptar"))) {
        // The number is open now, in somebody else's hands: the box is emptied as for any open one.
        resultado.vaciarNumero = true;
        return resultado;
    }

    resultado.abierta = true;
    resultado.numMesa = mesa;
    if (Navegacion* navegacion = m_context.navegacion()) {
        Navegacion::Orden orden;
        orden.idComanda = resultado.folio;
        orden.control = m_context.terminal;
        orden.numCuenta = 1;
        orden.tipo = codigo(servicio);
        orden.mesa = QString::number(mesa);
        navegacion->comanda(orden);
    }
    return resultado;
}

} // namespace nerin
