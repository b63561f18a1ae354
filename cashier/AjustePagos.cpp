#include "cashier/AjustePagos.h"

#include "data/BaseDatos.h"
#include "data/TransaccionBD.h"
#include "keyboards/Prompts.h"
#include "startup/PermisosEmpleado.h"
#include "startup/TerminalContext.h"
#include "text/PriceRounding.h"

namespace nerin {

namespace {

QString texto(qint64 n) {
    return QString::number(n);
}

} // namespace

AjustePagos::AjustePagos(TerminalContext& context) : m_context(context), m_ocupacion(context) {}

bool AjustePagos::cargarPermisos() {
    m_todos = false;
    m_puedeBorrar = false;
    BaseDatos& bd = m_context.baseDatos();
    const qint32 empleado = m_context.sesion().idEmpleado();
    const std::optional<QSet<int>> todos =
        permisosEmpleado(bd, empleado, QStringLiteral(" AND ID_Permiso in (47,65)"));
    if (!todos)
        return false;
    const std::optional<QSet<int>> borrar =
        permisosEmpleado(bd, empleado, QStringLiteral(" AND ID_Permiso =56"));
    if (!borrar)
        return false;
    m_todos = !todos->isEmpty();
    m_puedeBorrar = !borrar->isEmpty();
    return true;
}

std::optional<QList<AjustePagos::Pago>> AjustePagos::Llenar_Spread() {
    QString sql = QStringLiteral("SELECT * FROM Vw_Ajuste_Pagos");
    if (!m_todos)
        sql += QStringLiteral(" WHERE id_empleado=") + texto(m_context.sesion().idEmpleado());
    // In the order they were taken, so that a row keeps its place when the list is refreshed.
    sql += QStringLiteral(" ORDER BY ID_Pago");
    std::optional<RecordSet> filas = m_context.baseDatos().AbrirRecordset(sql);
    if (!filas)
        return std::nullopt;
    QList<Pago> pagos;
    for (; !filas->eof(); filas->moveNext())
        pagos.append({static_cast<qint32>(filas->value(u"ID_Pago").toInt()),
                      static_cast<qint32>(filas->value(u"MESA").toInt()),
                      filas->value(u"TIPO").toString().trimmed(), filas->value(u"PAGO").toCurrency(),
                      filas->value(u"PROPINA").toCurrency(),
                      static_cast<qint32>(filas->value(u"id_empleado").toInt())});
    return pagos;
}

std::optional<QList<AjustePagos::TipoPago>> AjustePagos::tiposPago() {
    std::optional<RecordSet> filas = m_context.baseDatos().AbrirRecordset(
        QStringLiteral("Select * from Tipo_Pago where id_tipo_pago > 0"));
    if (!filas)
        return std::nullopt;
    QList<TipoPago> tipos;
    for (; !filas->eof(); filas->moveNext())
        tipos.append({static_cast<qint32>(filas->value(u"ID_Tipo_Pago").toInt()),
                      filas->value(u"Nombre_Tipo_Pago").toString().trimmed(),
                      filas->value(u"Clase").toString().trimmed()});
    return tipos;
}

bool AjustePagos::ajustarPropina(const std::optional<Pago>& pago) {
    if (!pago) {
        m_context.Mensaje(QString::fromUtf8(kSeleccione), Prompts::kExclamation);
        return false;
    }
    Prompts::ValueRequest pedido;
    pedido.titulo = QStringLiteral("Propina");
    pedido.original = pago->propina;
    const Prompts::ValueAnswer respuesta = m_context.prompts().valor(pedido);
    if (respuesta.cancelado)
        return false;
    std::optional<Currency> propina = respuesta.valor;
    if (respuesta.porcentaje) {
        propina = pago->monto.multipliedBy(respuesta.valor.toDouble());
        if (propina)
            propina = propina->dividedBy(qint64{100});
        if (propina)
            propina = propina->roundedTo(2);
    }
    if (!propina || *propina < Currency() || *propina > Currency::fromUnits(kMaximaPropina)) {
        m_context.Mensaje(QString::fromUtf8(kPropinaInvalida), Prompts::kExclamation);
        return false;
    }
    return cambiarPago(QStringLiteral("UPDATE Pago SET Propina=") + propina->toPlainText() +
                           QStringLiteral(" WHERE ID_Pago=") + texto(pago->idPago),
                       QStringLiteral("cmdAjustarPropina"));
}

bool AjustePagos::cambiarTipo(const std::optional<Pago>& pago, std::optional<qint32> tipo) {
    if (!pago) {
        m_context.Mensaje(QString::fromUtf8(kSeleccione), Prompts::kExclamation);
        return false;
    }
    if (!tipo) {
        m_context.Mensaje(QString::fromUtf8(kSeleccioneTipo), Prompts::kExclamation);
        return false;
    }
    // The commission belongs to the type: the tip report reads it from the payment.
    const QString id = texto(*tipo);
    return cambiarPago(QStringLiteral("UPDATE Pago SET ID_Tipo_Pago=") + id +
                           QStringLiteral(",comision=(SELECT Comision FROM Tipo_Pago WHERE ID_Tipo_Pago=") +
                           id + QStringLiteral(") WHERE ID_Pago=") + texto(pago->idPago) +
                           QStringLiteral(" AND EXISTS (SELECT * FROM Tipo_Pago WHERE ID_Tipo_Pago=") + id +
                           u')',
                       QStringLiteral("cmdAceptar"));
}

bool AjustePagos::cambiarPago(const QString& sql, const QString& titulo) {
    TransaccionBD tx(m_context.baseDatos(), titulo);
    if (tx.hacer([&] { tx.cambiarUna(sql, QStringLiteral("Pago inexistente")); }))
        return true;
    // A failed database has been reported by the transaction; only the caller's own reason is told.
    if (tx.sinFila())
        m_context.Mensaje(QString::fromUtf8(kBorrado), Prompts::kExclamation);
    return false;
}

AjustePagos::Motivo AjustePagos::borrarEn(TransaccionBD& tx, qint32 numero, qint16& mesa) {
    const QString idPago = texto(numero);
    const std::optional<RecordSet> leido = tx.consultar(
        QStringLiteral("SELECT Pago.ID_Comanda, Pago.Control, Pago.Num_Cuenta, Monto_Pago, Propina, Num_Mesa "
                       "FROM Pago, Comanda WHERE Pago.ID_Comanda=Comanda.ID_Comanda AND "
                       "Pago.Control=Comanda.Control AND ID_Pago=") +
        idPago);
    if (!leido)
        return Motivo::BaseDatos;
    if (leido->eof()) {
        tx.fallar(QStringLiteral("Pago inexistente"));
        return Motivo::Borrado;
    }
    const QString orden = QStringLiteral("ID_Comanda=") + leido->value(0).toString() +
                          QStringLiteral(" AND Control=") + leido->value(1).toString();
    const QString cuenta = orden + QStringLiteral(" AND Num_Cuenta=") + leido->value(2).toString();
    mesa = static_cast<qint16>(leido->value(5).toInt());
    // Annexes share the order number: the Control names this one. A dining-room table comes
    // back under its number only while no other open order carries it.
    if (!tx.cambiarUna(QStringLiteral("UPDATE Comanda SET Abierta=1, Fecha_Cierre = NULL WHERE ") + orden +
                           QStringLiteral(" AND (Abierta=1 OR Tipo<>'N' OR NOT EXISTS (SELECT * FROM Comanda "
                                          "WITH (UPDLOCK, HOLDLOCK) WHERE Num_Mesa=") +
                           texto(mesa) + QStringLiteral(" AND Abierta=1))"),
                       QStringLiteral("Comanda sin reabrir")))
        return tx.sinFila() ? Motivo::Ocupada : Motivo::BaseDatos;
    const std::optional<qint64> borradas =
        tx.borrar(QStringLiteral("Pago"), QStringLiteral("ID_Pago=") + idPago);
    if (borradas && *borradas != 1) {
        tx.fallar(QStringLiteral("Pago inexistente"));
        return Motivo::Borrado;
    }
    const std::optional<RecordSet> saldo =
        tx.consultar(QStringLiteral("SELECT Total, (SELECT ISNULL(SUM(Monto_Pago),0) FROM Pago WHERE ") +
                     cuenta + QStringLiteral(") AS Pagado FROM Cuenta WHERE ") + cuenta);
    if (!saldo)
        return Motivo::BaseDatos;
    // Paid as the payment screen judges it: the total under the rounding rule.
    if (!saldo->eof() && redondearPrecio(saldo->value(0).toCurrency()) > saldo->value(1).toCurrency())
        tx.cambiar(QStringLiteral("UPDATE Cuenta SET Pagada=0 WHERE ") + cuenta);
    tx.cambiar(QStringLiteral("INSERT INTO Bitacora(FechaHora,ID_Empleado,Texto) VALUES(GETDATE(),") +
               texto(m_context.sesion().idEmpleado()) + QStringLiteral(",'Pago ") + idPago +
               QStringLiteral(" borrado Com ") + leido->value(0).toString() + QStringLiteral(" cta ") +
               leido->value(2).toString() + QStringLiteral(" monto ") +
               leido->value(3).toCurrency().toPlainText() + QStringLiteral(" prop ") +
               leido->value(4).toCurrency().toPlainText() + QStringLiteral("')"));
    return Motivo::BaseDatos;
}

bool AjustePagos::borrar(const std::optional<Pago>& pago) {
    if (!m_puedeBorrar)
        return false;
    if (!pago) {
        m_context.Mensaje(QString::fromUtf8(kSeleccione), Prompts::kExclamation);
        return false;
    }
    if (m_context.Mensaje(QStringLiteral("¿Esta seguro de querer borrar el pago?"), Prompts::kYesNo) !=
        Prompts::kAnswerYes)
        return false;

    qint16 mesa = 0;
    TransaccionBD tx(m_context.baseDatos(), QStringLiteral("cmdBorrar"));
    Motivo motivo = Motivo::BaseDatos;
    if (tx.hacer([&] { motivo = borrarEn(tx, pago->idPago, mesa); })) {
        m_context.Mensaje(QStringLiteral("La mesa fue reabierta"), Prompts::kOk);
        return true;
    }
    switch (motivo) {
    case Motivo::Borrado:
        m_context.Mensaje(QString::fromUtf8(kBorrado), Prompts::kExclamation);
        break;
    case Motivo::Ocupada:
        if (const auto abiertas = m_ocupacion.ordenes(mesa, QStringLiteral("cmdBorrar"))) {
            if (!abiertas->isEmpty())
                m_ocupacion.avisarOcupada(mesa, abiertas->first().nombre);
            else
                m_context.Mensaje(QString::fromUtf8(kNoBorrado), Prompts::kExclamation);
        }
        break;
    case Motivo::BaseDatos:
        // Reported once already, by the transaction, after its rollback.
        break;
    }
    return false;
}

} // namespace nerin
