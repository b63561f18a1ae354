#include "order/ArtAnulados.h"

#include "data/BaseDatos.h"
#include "order/TicketCancelacion.h"
#include "printing/ColaImpresion.h"
#include "printing/ImpresorasTerminal.h"
#include "printing/TipoDocumento.h"
#include "startup/ContextoImpresionTerminal.h"
#include "startup/TerminalContext.h"

#include <QDateTime>

namespace nerin {

ArtAnulados::ArtAnulados(TerminalContext& context) : m_context(context) {}

bool ArtAnulados::cargar() {
    std::optional<RecordSet> lista = m_context.baseDatos().AbrirRecordset(
        QStringLiteral("SELECT * FROM Vw_Anulaciones ORDER BY ID_ProductosXCuenta"));
    m_lista = lista ? std::move(*lista) : RecordSet();
    return lista.has_value();
}

QString ArtAnulados::texto(int fila, Columna columna) const {
    const DbValue valor = m_lista.rows().at(fila).value(columna);
    if (valor.type() == DbValue::Type::DateTime)
        return valor.toDateTime().toString(QStringLiteral("dd/MM/yyyy hh:mm"));
    return valor.toString();
}

bool ArtAnulados::imprimir(int fila) {
    if (fila < 0 || fila >= m_lista.recordCount())
        return false;
    const QList<DbValue>& datos = m_lista.rows().at(fila);
    const ContextoImpresion impresion = contextoImpresion(m_context);
    const std::optional<qint32> impresora = ImpresorasTerminal(impresion).local();
    if (!impresora)
        return false;

    BaseDatos& baseDatos = m_context.baseDatos();
    TicketCancelacion ticket;
    ticket.fechaHora = texto(fila, kFecha);
    ticket.razon = texto(fila, kMotivo);
    ticket.gerente = texto(fila, kGerente);
    ticket.mesa = texto(fila, kMesa);
    ticket.idComanda = static_cast<qint32>(datos.value(kComanda).toInt());
    const std::optional<QString> mesero = TicketCancelacion::mesero(
        baseDatos, ticket.idComanda, static_cast<qint32>(datos.value(kControl).toInt()));
    if (!mesero)
        return false;
    ticket.empleado = *mesero;

    ColaImpresion cola(baseDatos);
    const qint32 trabajo = cola.AbrirTrabajo(TipoDocumento::kTicket, static_cast<double>(*impresora),
                                             impresion.usuarioTrabajo());
    return trabajo != 0 && cola.AgregarLineas(trabajo, {ticket.encabezado()}) && cola.CerrarTrabajo(trabajo);
}

} // namespace nerin
