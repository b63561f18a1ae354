#include "order/Anulacion.h"

#include "data/BaseDatos.h"
#include "data/TransaccionBD.h"
#include "keyboards/Prompts.h"
#include "order/ComandaActual.h"
#include "order/GuardarProductos.h"
#include "order/TicketCancelacion.h"
#include "printing/ImpresorasTerminal.h"
#include "startup/ContextoImpresionTerminal.h"
#include "startup/Navegacion.h"
#include "startup/TerminalContext.h"

#include <algorithm>

namespace nerin {

namespace {

constexpr int kPermisoCancelarPreparados = 39;
constexpr int kAnchoRenglon = 255; // #Tmp_Imprimir_C.Texto

} // namespace

Anulacion::Anulacion(ComandaActual& comanda, GuardarProductos& guardar, ElegirRazon elegirRazon)
    : m_comanda(comanda), m_guardar(guardar), m_elegirRazon(std::move(elegirRazon)) {}

void Anulacion::avisar(const char* texto) {
    m_comanda.context().Mensaje(QString::fromUtf8(texto), Prompts::kExclamation);
}

void Anulacion::registrarFalla(const QString& descripcion) {
    Bitacora& bitacora = m_comanda.context().bitacora();
    bitacora.EscribirBitacora(QStringLiteral("**************ERROR***************"));
    bitacora.EscribirBitacora(QStringLiteral("cmdCancelar"));
    if (!descripcion.isEmpty())
        bitacora.EscribirBitacora(QStringLiteral("Error: ") + descripcion);
}

Anulacion::Plan Anulacion::planear(const QList<int>& filas) const {
    const CuadriculaComanda& cuadricula = m_comanda.cuadricula();
    const QList<LineaComanda>& lineas = cuadricula.lineas();
    Plan plan;
    QList<int> vistos;
    // Sorts one product row into the plan; `cubierta` when its package head's own call takes it.
    auto clasificar = [&](int fila, bool cubierta) {
        vistos << fila;
        const LineaComanda& linea = lineas.at(fila);
        if (!linea.guardada())
            plan.sinGuardar << fila;
        else if (linea.preparado && cubierta)
            plan.revisadas << linea.folio;
        else if (linea.preparado) {
            plan.anular << linea.folio;
            plan.revisadas << linea.folio;
        } else if (!cubierta)
            plan.borrar << linea.folio;
    };
    for (int fila : filas) {
        const int producto = cuadricula.productoDe(fila);
        if (producto < 0 || vistos.contains(producto))
            continue;
        clasificar(producto, false);
        if (!cuadricula.esCabeza(producto))
            continue;
        const int fin = cuadricula.finDePaquete(producto);
        for (int i = cuadricula.finDeProducto(producto); i < fin; i = cuadricula.finDeProducto(i))
            if (!vistos.contains(i))
                clasificar(i, lineas.at(producto).guardada());
    }
    return plan;
}

std::optional<QString> Anulacion::nombreEmpleado(qint32 empleado) {
    const std::optional<RecordSet> nombre = m_comanda.context().baseDatos().AbrirRecordset(
        QStringLiteral("SELECT Nombre_Empleado + ' ' + Apellido_Paterno + ' ' + Apellido_Materno FROM "
                       "Empleado WHERE ID_Empleado=") +
        QString::number(empleado));
    if (!nombre)
        return std::nullopt;
    return nombre->eof() ? QString() : nombre->value(0).toString();
}

std::optional<Anulacion::Boleta> Anulacion::autorizar(const Plan& plan) {
    TerminalContext& context = m_comanda.context();
    BaseDatos& bd = context.baseDatos();
    const QString orden = QString::number(m_comanda.IDComanda);
    const QString control = QString::number(m_comanda.Control);
    const qint16 empleado = context.sesion().idEmpleado();
    // A lookup that failed has been reported by the data layer; the log says where.
    const auto fallo = [this]() -> std::optional<Boleta> {
        registrarFalla({});
        return std::nullopt;
    };

    // Whoever's permission allows the cancellation is named on the slip: the employee signed in, or
    // the manager whose card is swiped for it.
    const std::optional<RecordSet> permiso =
        bd.AbrirRecordset(QStringLiteral("SELECT ID_Empleado FROM Vw_Permisos WHERE ID_Empleado=") +
                          QString::number(empleado) + QStringLiteral(" AND ID_Permiso=39"));
    if (!permiso)
        return fallo();
    std::optional<qint32> gerente;
    if (!permiso->eof())
        gerente = empleado;
    else if (Navegacion* nav = context.navegacion())
        gerente = nav->autorizante(kPermisoCancelarPreparados, QStringLiteral("Validar Permiso"));
    if (!gerente) {
        avisar("No tiene privilegios para cancelar productos preparados");
        return std::nullopt;
    }

    const std::optional<RecordSet> pagos =
        bd.AbrirRecordset(QStringLiteral("SELECT ID_Pago FROM Pago WHERE ID_Comanda=") + orden +
                          QStringLiteral(" AND Num_Cuenta=") + QString::number(m_comanda.NumCuenta) +
                          QStringLiteral(" AND Control=") + control);
    if (!pagos)
        return fallo();
    if (!pagos->eof()) {
        avisar(
            "Ya existen pagos para esta cuenta, para realizar la cancelación es necesario anular los pagos");
        return std::nullopt;
    }
    for (qint32 folio : plan.revisadas) {
        const std::optional<RecordSet> cortesias =
            bd.AbrirRecordset(QStringLiteral("SELECT Count(*) FROM Cortesia WHERE ID_ProductosXCuenta=") +
                              QString::number(folio));
        if (!cortesias)
            return fallo();
        if (!cortesias->eof() && cortesias->value(0).toInt() > 0) {
            avisar("Existen una cortesia asignada a este producto, primero elimine la cortesia!");
            return std::nullopt;
        }
    }
    const ContextoImpresion impresion = contextoImpresion(context);
    const std::optional<qint32> impresora = ImpresorasTerminal(impresion).local();
    if (!impresora)
        return std::nullopt;

    const std::optional<QString> nombreGerente = nombreEmpleado(*gerente);
    const std::optional<QString> mesero =
        TicketCancelacion::mesero(bd, m_comanda.IDComanda, m_comanda.Control);
    const std::optional<RecordSet> mesa = bd.AbrirRecordset(
        QStringLiteral("SELECT Num_Mesa, isnull(CantHuespedes,0) FROM Comanda WHERE ID_Comanda=") + orden +
        QStringLiteral(" AND Control=") + control);
    if (!nombreGerente || !mesero || !mesa)
        return fallo();

    const std::optional<RazonAnulacion> razon = m_elegirRazon ? m_elegirRazon() : std::nullopt;
    if (!razon || razon->id == 0)
        return std::nullopt;

    Boleta boleta;
    boleta.razon = *razon;
    boleta.impresora = *impresora;
    boleta.mesa = mesa->eof() ? 0 : static_cast<qint32>(mesa->value(0).toInt());
    boleta.huespedes = mesa->eof() ? 0 : static_cast<qint32>(mesa->value(1).toInt());
    TicketCancelacion ticket;
    ticket.fechaHora = context.ahora().toString(QStringLiteral("dd/MM/yyyy hh:mm"));
    ticket.gerente = *nombreGerente;
    ticket.empleado = *mesero;
    ticket.mesa = QString::number(boleta.mesa);
    ticket.idComanda = m_comanda.IDComanda;
    ticket.razon = razon->nombre;
    // The work table's rows hold 255 characters: the header's lines go in as few rows as fit, joined
    // by "<N>" as the slip prints them. Joined, the date never stands alone in a row either, where
    // the database would take it for a date and give it back in its own form.
    for (const QString& linea : ticket.lineas()) {
        const QString texto = linea.left(kAnchoRenglon);
        if (!boleta.encabezado.isEmpty() &&
            boleta.encabezado.last().size() + 3 + texto.size() <= kAnchoRenglon)
            boleta.encabezado.last() += QStringLiteral("<N>") + texto;
        else
            boleta.encabezado << texto;
    }
    return boleta;
}

bool Anulacion::ejecutar(TransaccionBD& tx, const Plan& plan, const std::optional<Boleta>& boleta) {
    TerminalContext& context = m_comanda.context();
    const QString orden = QString::number(m_comanda.IDComanda);
    const QString control = QString::number(m_comanda.Control);
    for (qint32 folio : plan.borrar)
        if (!tx.ejecutar(QStringLiteral("Borrar_Producto ") + QString::number(folio)))
            return false;

    bool conBoleta = false;
    if (boleta) {
        // A table left behind by an earlier failure on this connection would refuse the new one.
        if (!tx.ejecutarSinRegistro(QStringLiteral("DROP TABLE IF EXISTS #Tmp_Imprimir_C")) ||
            !tx.ejecutarSinRegistro(
                QStringLiteral("CREATE TABLE #Tmp_Imprimir_C (ID Int IDENTITY (1, 1),Texto "
                               "Varchar (255),ID_Impresora Int,Tipo Char(1))")))
            return false;
        const QString empleado = QString::number(context.sesion().idEmpleado());
        const QString hora = context.ahora().toString(QStringLiteral("dd/MM/yyyy hh:mm"));
        for (qint32 folio : plan.anular) {
            const QString item = QString::number(folio);
            const std::optional<qint64> cambiadas = tx.cambiar(
                QStringLiteral("UPDATE ProductosXCuenta SET ID_Tipo_Anulacion=") +
                QString::number(boleta->razon.id) + QStringLiteral(",Empleado_Anulacion=") + empleado +
                QStringLiteral(",Hora_Anulacion='") + hora + QStringLiteral("' WHERE ID_ProductosXCuenta=") +
                item + QStringLiteral(" AND Control=") + control +
                QStringLiteral(" AND ID_Tipo_Anulacion IS NULL"));
            if (!cambiadas)
                return false;
            // Cancelled meanwhile by another press or terminal: its slip is already queued.
            if (*cambiadas == 0)
                continue;
            // The header goes first, so that its rows come before the items' on the slip.
            for (int k = 0; !conBoleta && k < boleta->encabezado.size(); ++k)
                if (!tx.ejecutarSinRegistro(
                        QStringLiteral("INSERT INTO #Tmp_Imprimir_C (Texto,ID_Impresora,Tipo) VALUES ('") +
                        BaseDatos::DuplicarComillas(boleta->encabezado.at(k)) + QStringLiteral("',") +
                        QString::number(boleta->impresora) + QStringLiteral(",'T')")))
                    return false;
            conBoleta = true;
            if (!tx.cambiar(
                    QStringLiteral("INSERT INTO Bitacora (FechaHora,ID_Empleado,Texto) VALUES (GETDATE(),") +
                    empleado + QStringLiteral(",'ID_ProdXCta ") + item + QStringLiteral(" anulado')")) ||
                !tx.ejecutar(QStringLiteral("Agregar_Cancelacion ") + item))
                return false;
        }
    }
    if (!tx.ejecutar(QStringLiteral("Totalizar_Cuenta ") + orden + QLatin1Char(',') +
                     QString::number(m_comanda.NumCuenta) + QLatin1Char(',') + control))
        return false;
    if (conBoleta &&
        !tx.ejecutar(QStringLiteral("Mandar_Impresion_C ") + QString::number(boleta->mesa) +
                     QStringLiteral(",'") + BaseDatos::DuplicarComillas(context.sesion().usuario()) +
                     QStringLiteral("','") + orden + QStringLiteral("',") +
                     QString::number(boleta->huespedes) + QStringLiteral(",1")))
        return false;
    return !boleta || tx.ejecutarSinRegistro(QStringLiteral("DROP TABLE #Tmp_Imprimir_C")).has_value();
}

bool Anulacion::cancelar(const QList<int>& filas) {
    CuadriculaComanda& cuadricula = m_comanda.cuadricula();
    const QList<LineaComanda>& lineas = cuadricula.lineas();
    if (std::none_of(lineas.begin(), lineas.end(), [](const LineaComanda& l) { return l.esProducto(); })) {
        avisar("No hay productos en comanda");
        return false;
    }
    const Plan plan = planear(filas);
    if (plan.sinGuardar.isEmpty() && plan.borrar.isEmpty() && plan.anular.isEmpty()) {
        avisar("Primero seleccione el o los artículos a cancelar");
        return false;
    }
    std::optional<Boleta> boleta;
    if (!plan.anular.isEmpty()) {
        boleta = autorizar(plan);
        if (!boleta)
            return false;
    }

    // Lines never stored only leave the grid; bottom up, so that the rows above keep their places.
    QList<int> sinGuardar = plan.sinGuardar;
    std::sort(sinGuardar.rbegin(), sinGuardar.rend());
    for (int fila : std::as_const(sinGuardar)) {
        const auto [desde, hasta] = cuadricula.unidad(fila);
        cuadricula.lineas().remove(desde, hasta - desde);
    }
    // What else is pending is stored before the account is read again.
    if (!m_guardar.GuardarYPrepararNuevos())
        return false;
    if (plan.borrar.isEmpty() && plan.anular.isEmpty())
        return true;

    // A failure is kept by the transaction, which rolls everything back and reports it once it ends;
    // the account read again then shows the items as they were.
    TransaccionBD tx(m_comanda.context().baseDatos(), QStringLiteral("cmdCancelar"));
    if (!tx.hacer([&] { (void)ejecutar(tx, plan, boleta); })) {
        registrarFalla(tx.descripcionFalla());
        avisar("No se pudo cancelar; los productos quedan como estaban. Intente de nuevo.");
    }
    return true;
}

} // namespace nerin
