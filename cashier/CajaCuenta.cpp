#include "cashier/CajaCuenta.h"

#include "cashier/AbonoLealtad.h"
#include "cashier/Facturacion.h"
#include "cashier/ImprimirCuenta.h"
#include "cashier/ImprimirCuentaComanda.h"
#include "data/BaseDatos.h"
#include "data/TransaccionBD.h"
#include "keyboards/Prompts.h"
#include "loyalty/ValidacionTarjeta.h"
#include "printing/ColaImpresion.h"
#include "startup/TerminalContext.h"
#include "text/PriceRounding.h"
#include "text/TextFormat.h"

#include <QHash>

namespace nerin {

namespace {

QString texto(qint64 n) {
    return QString::number(n);
}

bool esEfectivo(const CajaCuenta::TipoPago& tipo) {
    return tipo.clase.trimmed().compare(QLatin1String("E"), Qt::CaseInsensitive) == 0;
}

} // namespace

CajaCuenta::CajaCuenta(TerminalContext& context, Facturacion& facturacion, AbonoLealtad& lealtad)
    : m_context(context), m_facturacion(facturacion), m_lealtad(lealtad) {}

void CajaCuenta::setNumero_Comanda(qint32 idComanda) {
    m_idComanda = idComanda;
    cargar();
}

void CajaCuenta::setNumero_Control(qint16 control) {
    m_control = control;
    cargar();
}

void CajaCuenta::setNumero_Cuenta(qint16 numCuenta) {
    m_numCuenta = numCuenta;
    cargar();
}

QString CajaCuenta::cuentaSql() const {
    return QStringLiteral(" AND ID_Comanda=") + texto(m_idComanda) + QStringLiteral(" AND Control=") +
           texto(m_control) + QStringLiteral(" AND Num_cuenta=") + texto(m_numCuenta);
}

bool CajaCuenta::cargar() {
    m_nuevos.clear();
    if (m_idComanda == 0 || m_control == 0)
        return true;
    BaseDatos& bd = m_context.baseDatos();
    const QString cuenta = cuentaSql();
    std::optional<RecordSet> total =
        bd.AbrirRecordset(QStringLiteral("SELECT Total FROM Cuenta WHERE ") + cuenta.mid(5));
    if (!total)
        return false;
    m_total = total->eof() ? Currency() : redondearPrecio(total->value(0).toCurrency());

    std::optional<RecordSet> modificadores = bd.AbrirRecordset(
        QStringLiteral(
            "SELECT isnull(SUM(Impuesto_Modificador),0) AS Impuesto FROM ProductosXCuenta,Modificador "
            "WHERE ProductosXCuenta.ID_ProductosXCuenta=Modificador.ID_ProductosXCuenta AND "
            "ID_Tipo_Anulacion IS NULL") +
        cuenta);
    std::optional<RecordSet> productos = bd.AbrirRecordset(
        QStringLiteral("SELECT ISNULL(SUM(Monto_ImpuestosXCuenta),0) AS Impuesto,ISNULL(SUM(CASE "
                       "ISNULL(Monto_ImpuestosXCuenta,0) WHEN 0 THEN 1 ELSE 0 END),1) AS SinImpuesto FROM "
                       "ProductosXCuenta,ImpuestosXCuenta WHERE "
                       "ProductosXCuenta.ID_ProductosXCuenta=ImpuestosXCuenta.ID_ProductosXCuenta AND "
                       "ID_Tipo_Anulacion IS NULL") +
        cuenta);
    if (!modificadores || !productos)
        return false;
    const Currency impuestos = modificadores->value(0).toCurrency() + productos->value(0).toCurrency();
    const Currency base = m_total - impuestos;
    m_razonImpuesto = base == Currency() ? 0.0 : impuestos.toDouble() / base.toDouble();
    m_sinImpuesto = productos->value(1).toInt() > 0;

    std::optional<RecordSet> pagado = bd.AbrirRecordset(
        QStringLiteral("SELECT SUM(Monto_Pago) AS Pagado FROM Pago WHERE ") + cuenta.mid(5));
    std::optional<RecordSet> pagos = bd.AbrirRecordset(
        QStringLiteral("SELECT Nombre_Tipo_Pago,Monto_Pago,Propina FROM Pago,Tipo_Pago WHERE "
                       "Pago.ID_Tipo_Pago=Tipo_Pago.ID_Tipo_Pago") +
        cuenta);
    if (!pagado || !pagos)
        return false;
    m_pagadoGuardado = pagado->value(0).toCurrency();
    m_guardados.clear();
    for (; !pagos->eof(); pagos->moveNext())
        m_guardados.append(
            {pagos->value(0).toString(), pagos->value(1).toCurrency(), pagos->value(2).toCurrency()});

    m_huespedes = bd.ConsultarCampo(QStringLiteral("CantHuespedes"), QStringLiteral("Comanda"),
                                    QStringLiteral("ID_Comanda=") + texto(m_idComanda) +
                                        QStringLiteral(" AND Control=") + texto(m_control))
                      .toInt();
    return cargarCliente();
}

bool CajaCuenta::cargarCliente() {
    std::optional<RecordSet> cliente = m_context.baseDatos().AbrirRecordset(
        QStringLiteral(
            "SELECT cli.CveCliente, cli.nombrecliente, isnull(cli.NuevoSaldoP,0), isnull(cli.NuevoSaldo,0) "
            "FROM Clientes cli INNER JOIN Cuenta cu ON cli.CveCliente = cu.CveCliente WHERE ") +
        cuentaSql().mid(5));
    if (!cliente)
        return false;
    // An invoice's customer has no loyalty balances to show.
    m_cliente.reset();
    if (!cliente->eof() && ValidacionTarjeta::esTarjetaLealtad(cliente->value(0).toInt()))
        m_cliente = Cliente{cliente->value(1).toString().trimmed(),
                            cliente->value(2).toCurrency().toPlainText(), cliente->value(3).toCurrency()};
    return true;
}

bool CajaCuenta::asignarCliente(const QString& tarjeta) {
    return m_context.baseDatos().ActualizarRegistros(
               QStringLiteral("Cuenta"), QStringLiteral("CveCliente=") + tarjeta, cuentaSql().mid(5)) &&
           cargarCliente();
}

bool CajaCuenta::cargarTiposPago() {
    std::optional<RecordSet> tipos = m_context.baseDatos().AbrirRecordset(QStringLiteral(
        "SELECT ID_Tipo_Pago,Nombre_Tipo_Pago,Clase FROM Tipo_Pago WHERE ID_Tipo_Pago>0 ORDER BY "
        "ID_Tipo_Pago"));
    if (!tipos)
        return false;
    m_tipos.clear();
    for (; !tipos->eof(); tipos->moveNext())
        m_tipos.append({static_cast<qint32>(tipos->value(0).toInt()), tipos->value(1).toString().trimmed(),
                        tipos->value(2).toString().trimmed()});
    return true;
}

Currency CajaCuenta::pagado() const {
    Currency suma = m_pagadoGuardado;
    for (const PagoNuevo& pago : m_nuevos)
        suma += pago.monto;
    return suma;
}

Currency CajaCuenta::cambio() const {
    const Currency exceso = pagado() - m_total;
    return exceso > Currency() ? exceso : Currency();
}

QString CajaCuenta::textoHuespedes() const {
    return texto(m_huespedes) + QStringLiteral(" huéspedes");
}

bool CajaCuenta::agregarPago(int indice) {
    if (indice < 0 || indice >= m_tipos.size())
        return false;
    const TipoPago tipo = m_tipos.at(indice);
    const Currency inicio = m_total - pagado();
    const Prompts::PaymentAnswer respuesta =
        m_context.prompts().pago({tipo.nombre, inicio > Currency() ? inicio : Currency()});
    if (respuesta.cancelado)
        return false;
    const Currency maximo = Currency::fromUnits(kMaximoPago);
    auto fuera = [&maximo](Currency monto) { return monto < Currency() || monto > maximo; };
    if (fuera(respuesta.monto) || fuera(respuesta.propina)) {
        m_context.prompts().Mensaje(
            QString::fromUtf8(fuera(respuesta.monto) ? kMontoInvalido : kPropinaInvalida),
            Prompts::kExclamation);
        return false;
    }
    const bool soloPropina = respuesta.monto == Currency() && respuesta.propina > Currency();
    m_nuevos.append({tipo, respuesta.referencia, respuesta.monto, respuesta.propina, !soloPropina});
    return true;
}

bool CajaCuenta::borrar(int indice) {
    if (indice < 0 || indice >= m_nuevos.size())
        return false;
    m_nuevos.removeAt(indice);
    return true;
}

bool CajaCuenta::cambiarHuespedes() {
    Prompts::NumberRequest pregunta;
    pregunta.titulo = QStringLiteral("Número de Huéspedes");
    pregunta.defaultNum = m_huespedes;
    pregunta.maximo = 32767;
    pregunta.mostrarAbierto = false;
    const Prompts::NumberAnswer respuesta = m_context.prompts().numero(pregunta);
    if (respuesta.cancelado)
        return false;
    if (!m_context.baseDatos().ActualizarRegistros(QStringLiteral("Comanda"),
                                                   QStringLiteral("CantHuespedes=") + texto(respuesta.numero),
                                                   QStringLiteral("ID_Comanda=") + texto(m_idComanda) +
                                                       QStringLiteral(" AND Control=") + texto(m_control)))
        return false;
    m_huespedes = respuesta.numero;
    return true;
}

void CajaCuenta::cancelar() {
    m_cancelado = true;
    m_nuevos.clear();
}

CajaCuenta::Resultado CajaCuenta::aceptar() {
    // The change is taken off the first cash payment that covers it, so that no payment is stored
    // below zero; without one nothing is stored.
    const Currency cambio = this->cambio();
    QList<PagoNuevo> pagos = m_nuevos;
    if (cambio > Currency()) {
        auto efectivo = std::find_if(pagos.begin(), pagos.end(), [cambio](const PagoNuevo& pago) {
            return esEfectivo(pago.tipo) && pago.conMonto && pago.monto >= cambio;
        });
        if (efectivo == pagos.end()) {
            m_context.prompts().Mensaje(QString::fromUtf8(kSinCambio), Prompts::kExclamation);
            return Resultado::Permanece;
        }
        efectivo->monto -= cambio;
    }
    // Paid with the change given back: an account paid in full, exactly or in cash with change, is paid.
    const Currency pagadoFinal = pagado() - cambio;
    const bool pagada = pagadoFinal >= m_total;
    if (!guardarPagos(pagos, pagada)) {
        m_context.prompts().Mensaje(QString::fromUtf8(kNoGuardados), Prompts::kCritical);
        return Resultado::Permanece;
    }
    for (const PagoNuevo& pago : std::as_const(pagos))
        m_guardados.append({pago.tipo.nombre, pago.monto, pago.propina});
    m_nuevos.clear();
    m_pagadoGuardado = pagadoFinal;

    if (!pagada || !ordenPagada())
        return Resultado::Terminado;
    if (m_context.prompts().Mensaje(QStringLiteral("¡Desea Facturar?"), Prompts::kYesNo) ==
        Prompts::kAnswerYes)
        m_facturacion.facturar(m_idComanda, m_control, m_numCuenta);
    if (m_context.prompts().Mensaje(QStringLiteral("¿Cerrar la mesa?"), Prompts::kYesNo) !=
        Prompts::kAnswerYes)
        return Resultado::Terminado;
    cerrarMesa();
    imprimirCuentas();
    return Resultado::Terminado;
}

bool CajaCuenta::guardarPagos(const QList<PagoNuevo>& pagos, bool pagada) {
    // Nobody is told anything while the payments' transaction is open, so that no message keeps the
    // database locked for the other terminals: a failure is reported once, after the rollback.
    TransaccionBD tx(m_context.baseDatos(), QStringLiteral("Aceptar"));
    return tx.hacer([&] {
        const QString empleado = texto(m_context.sesion().idEmpleado());
        for (const PagoNuevo& pago : pagos) {
            const std::optional<RecordSet> filas = tx.consultar(
                QStringLiteral("SELECT Comision FROM Tipo_Pago WHERE Id_tipo_pago=") + texto(pago.tipo.id));
            QString comision = filas && !filas->eof() ? filas->value(0).toString() : QString();
            if (comision.isEmpty())
                comision = QStringLiteral("0");
            const QString monto = pago.conMonto ? pago.monto.toPlainText() : QStringLiteral("0");
            const QString propina = pago.propina.toPlainText();
            tx.cambiar(QStringLiteral(
                           "INSERT INTO Pago(ID_Comanda,Control,Num_Cuenta,ID_Tipo_Pago,Monto_Pago,Propina,"
                           "Referencia,Id_Empleado,comision) VALUES(") +
                       texto(m_idComanda) + u',' + texto(m_control) + u',' + texto(m_numCuenta) + u',' +
                       texto(pago.tipo.id) + u',' + monto + u',' + propina + QStringLiteral(",'") +
                       BaseDatos::DuplicarComillas(pago.referencia.left(50)) + QStringLiteral("',") +
                       empleado + u',' + comision + u')');
            tx.cambiar(QStringLiteral("INSERT INTO Bitacora(FechaHora,ID_Empleado,Texto) VALUES(GETDATE(),") +
                       empleado + QStringLiteral(",'Pago Com ") + texto(m_idComanda) +
                       QStringLiteral(" cta ") + texto(m_numCuenta) + QStringLiteral(" monto ") + monto +
                       QStringLiteral(" prop ") + propina + QStringLiteral("')"));
        }
        if (pagada)
            tx.cambiar(QStringLiteral("UPDATE Cuenta SET Pagada=1 WHERE ID_Comanda=") + texto(m_idComanda) +
                       QStringLiteral(" AND Num_Cuenta=") + texto(m_numCuenta) +
                       QStringLiteral(" AND Control=") + texto(m_control));
    });
}

bool CajaCuenta::ordenPagada() {
    // Each account against its own total under the rounding rule, which is what this screen asks of
    // it: the order's sum rounded once is not the sum of the accounts' rounded totals (two accounts of
    // 50.05, each paid 50.00, add up to 100.10, which the rule leaves as it is).
    BaseDatos& bd = m_context.baseDatos();
    const QString orden = QStringLiteral(" WHERE ID_Comanda=") + texto(m_idComanda) +
                          QStringLiteral(" AND Control=") + texto(m_control);
    std::optional<RecordSet> cuentas =
        bd.AbrirRecordset(QStringLiteral("SELECT Num_Cuenta, Total FROM Cuenta") + orden);
    std::optional<RecordSet> pagos =
        bd.AbrirRecordset(QStringLiteral("SELECT Num_Cuenta, SUM(Monto_Pago) AS Pagos FROM Pago") + orden +
                          QStringLiteral(" GROUP BY Num_Cuenta"));
    if (!cuentas || !pagos || cuentas->eof())
        return false;
    QHash<qint64, Currency> pagado;
    for (; !pagos->eof(); pagos->moveNext())
        pagado.insert(pagos->value(0).toInt(), pagos->value(1).toCurrency());
    for (; !cuentas->eof(); cuentas->moveNext()) {
        if (redondearPrecio(cuentas->value(1).toCurrency()) > pagado.value(cuentas->value(0).toInt()))
            return false;
    }
    return true;
}

void CajaCuenta::cerrarMesa() {
    BaseDatos& bd = m_context.baseDatos();
    if (!bd.ActualizarRegistros(QStringLiteral("Comanda"),
                                QStringLiteral("Abierta=0,Fecha_Cierre='") +
                                    TextFormat::dateTime(m_context.ahora(), u"dd/mm/yyyy hh:mm") + u'\'',
                                QStringLiteral("ID_Comanda=") + texto(m_idComanda) +
                                    QStringLiteral(" AND Control = ") + texto(m_control)))
        return;
    bd.InsertarRegistro(QStringLiteral("Bitacora"), QStringLiteral("FechaHora,ID_Empleado,Texto"),
                        QStringLiteral("GETDATE(),") + texto(m_context.sesion().idEmpleado()) +
                            QStringLiteral(",'Comanda ") + texto(m_idComanda) + QStringLiteral(" cerrada'"));
}

void CajaCuenta::imprimirCuentas() {
    BaseDatos& bd = m_context.baseDatos();
    // The accounts of this order only: another terminal's order under the same number is not ours.
    std::optional<RecordSet> cuentas =
        bd.AbrirRecordset(QStringLiteral("SELECT Num_Cuenta, Total FROM Cuenta WHERE Id_Comanda = ") +
                          texto(m_idComanda) + QStringLiteral(" AND Control=") + texto(m_control));
    if (!cuentas)
        return;
    // Function 20 only chooses the route at sign-in: signing in clears it for whoever pays.
    const bool lealtad = m_context.funcion(14) || m_context.funcion(19);
    ColaImpresion cola(bd);
    for (; !cuentas->eof(); cuentas->moveNext()) {
        const qint16 numCuenta = static_cast<qint16>(cuentas->value(0).toInt());
        if (lealtad) {
            const qint64 cliente =
                bd.ConsultarCampo(QStringLiteral("CveCliente"), QStringLiteral("Cuenta"),
                                  QStringLiteral("id_comanda =") + texto(m_idComanda) +
                                      QStringLiteral(" and num_cuenta=") + texto(numCuenta) +
                                      QStringLiteral(" and control=") + texto(m_control))
                    .toInt();
            // Points go to loyalty cards only: a local customer (an invoice's, a delivery's) has none.
            QString mensaje;
            if (ValidacionTarjeta::esTarjetaLealtad(cliente) && m_lealtad.habilitado() &&
                !m_lealtad.abonar(
                    {m_idComanda, m_control, numCuenta, cliente,
                     QStringLiteral("Abono por consumo en ") + m_context.nombreSucursal,
                     redondearPrecio(cuentas->value(1).toCurrency()).multiply(100).toPlainText(),
                     QStringLiteral("C")},
                    mensaje) &&
                !mensaje.isEmpty())
                m_context.prompts().Mensaje(QStringLiteral("Error: ") + mensaje, Prompts::kExclamation);
        }
        if (ImprimirCuenta(m_context, cola, m_idComanda, numCuenta, m_control, true))
            SumarImpresion(m_context, m_idComanda, m_control, numCuenta);
    }
}

} // namespace nerin
