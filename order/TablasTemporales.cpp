#include "order/TablasTemporales.h"

#include "data/BaseDatos.h"
#include "order/ComandaActual.h"
#include "startup/TerminalContext.h"

namespace nerin {

TablasTemporales::TablasTemporales(ComandaActual& comanda, QStringList tablas, QString operacion)
    : m_comanda(comanda), m_tablas(std::move(tablas)), m_operacion(std::move(operacion)) {
    // Left behind only by a listing cut short: usually not there, which needs no failure to say.
    borrar(QStringLiteral("DROP TABLE IF EXISTS "));
}

TablasTemporales::~TablasTemporales() {
    borrar(QStringLiteral("DROP TABLE "));
}

void TablasTemporales::borrar(const QString& orden) {
    Connection& conexion = m_comanda.context().baseDatos().connection();
    // A table that is not there is what is wanted: only other failures are worth the event log.
    for (const QString& tabla : std::as_const(m_tablas))
        if (const auto hecho = conexion.execute(orden + tabla);
            !hecho && hecho.status().code() != Status::Code::NotFound)
            m_comanda.registrarError(m_operacion);
}

} // namespace nerin
