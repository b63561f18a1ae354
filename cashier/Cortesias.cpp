#include "cashier/Cortesias.h"

#include "data/BaseDatos.h"
#include "data/TransaccionBD.h"
#include "keyboards/Prompts.h"
#include "startup/Navegacion.h"
#include "startup/RenglonBitacora.h"
#include "startup/TerminalContext.h"
#include "text/TextFormat.h"

#include <QSet>
#include <algorithm>
#include <numeric>

namespace nerin {

namespace {

// Reasons of the caller's own for refusing a change, said once its transaction has ended.
const QString kPagada = QStringLiteral("La cuenta ya está pagada; su cortesía no se puede cambiar.");
const QString kBajoPagado =
    QStringLiteral("La cortesía dejaría la cuenta por debajo de lo que ya se pagó; no se aplicó.");
const QString kExcede = QStringLiteral("El importe es mayor que el valor de los artículos elegidos.");
const QString kCambio = QStringLiteral("La cuenta cambió en otra terminal; no se aplicó la cortesía.");
const QString kSinArticulos = QStringLiteral("La cuenta no tiene artículos con precio para una cortesía.");
const QString kSinCortesia = QStringLiteral("Los artículos elegidos no tienen cortesía.");
const QString kPorcentaje = QStringLiteral("El porcentaje debe ser mayor que 0 y no mayor que 100.");
const QString kImporte = QStringLiteral("El importe de la cortesía debe ser mayor que 0.");
const QString kClienteInvalido = QStringLiteral("El cliente elegido no es válido; no se aplicó la cortesía.");
const QStringList kMotivos = {kPagada,       kBajoPagado,  kExcede,     kCambio,
                              kSinArticulos, kSinCortesia, kPorcentaje, kImporte};

constexpr qint64 kCentavo = Currency::kScale / 100; // ten-thousandths in a cent

// An amount as a statement writes it: two decimals, a point, no separators.
QString sqlMonto(Currency monto) {
    return TextFormat::number(monto, u"0.00");
}

QString lista(const QList<qint64>& ids) {
    QStringList textos;
    for (const qint64 id : ids)
        textos.append(QString::number(id));
    return textos.join(u',');
}

} // namespace

Cortesias::Cortesias(TerminalContext& context, qint32 idComanda, qint16 control)
    : m_context(context), m_idComanda(idComanda), m_control(control) {}

QString Cortesias::orden() const {
    return QStringLiteral("ID_Comanda=") + QString::number(m_idComanda) + QStringLiteral(" AND Control=") +
           QString::number(m_control);
}

QString Cortesias::articulosSql(qint16 cuenta) const {
    return QStringLiteral(
               "SELECT pxc.ID_ProductosXCuenta, pxc.Num_Cuenta, ISNULL(pxc.Nombre_Producto, "
               "ISNULL(p.Nombre_Cuenta, '')) AS Nombre, pxc.Precio + ISNULL((SELECT "
               "SUM(m.Precio_Modificador) "
               "FROM Modificador m WHERE m.ID_ProductosXCuenta = pxc.ID_ProductosXCuenta), 0) AS Valor, "
               "ISNULL((SELECT SUM(co.Monto) FROM Cortesia co WHERE co.ID_ProductosXCuenta = "
               "pxc.ID_ProductosXCuenta), 0) AS Cortesia, ISNULL((SELECT MIN(tc.Nombre_Tipo_Cortesia) FROM "
               "Cortesia co INNER JOIN Tipo_Cortesia tc ON tc.ID_Tipo_Cortesia = co.ID_Tipo_Cortesia WHERE "
               "co.ID_ProductosXCuenta = pxc.ID_ProductosXCuenta), '') AS Tipo FROM ProductosXCuenta pxc "
               "LEFT JOIN Producto p ON p.ID_Producto = pxc.ID_Producto WHERE pxc.ID_Comanda=") +
           QString::number(m_idComanda) + QStringLiteral(" AND pxc.Control=") + QString::number(m_control) +
           QStringLiteral(" AND pxc.Num_Cuenta=") + QString::number(cuenta) +
           QStringLiteral(" AND pxc.ID_Tipo_Anulacion IS NULL ORDER BY pxc.ID_ProductosXCuenta");
}

namespace {

QList<Cortesias::Articulo> leerArticulos(const RecordSet& filas) {
    QList<Cortesias::Articulo> articulos;
    for (const QList<DbValue>& fila : filas.rows()) {
        Cortesias::Articulo articulo{fila.value(0).toInt(),
                                     static_cast<qint16>(fila.value(1).toInt()),
                                     fila.value(2).toString().trimmed(),
                                     fila.value(3).toCurrency(),
                                     fila.value(4).toCurrency(),
                                     fila.value(5).toString()};
        if (articulo.valor > Currency())
            articulos.append(articulo);
    }
    return articulos;
}

} // namespace

std::optional<QList<Cortesias::Tipo>> Cortesias::tipos() {
    const std::optional<RecordSet> filas = m_context.baseDatos().AbrirRecordset(
        QStringLiteral("SELECT ID_Tipo_Cortesia, Nombre_Tipo_Cortesia, Especial FROM Tipo_Cortesia ORDER BY "
                       "ID_Tipo_Cortesia"));
    if (!filas)
        return std::nullopt;
    QList<Tipo> lista;
    for (const QList<DbValue>& fila : filas->rows())
        lista.append({static_cast<qint32>(fila.value(0).toInt()), fila.value(1).toString(),
                      fila.value(2).toInt() != 0});
    return lista;
}

std::optional<QList<Cortesias::Cuenta>> Cortesias::cuentas() {
    const std::optional<RecordSet> filas = m_context.baseDatos().AbrirRecordset(
        QStringLiteral("SELECT Num_Cuenta, Total, Pagada FROM Cuenta WHERE ") + orden() +
        QStringLiteral(" ORDER BY Num_Cuenta"));
    if (!filas)
        return std::nullopt;
    QList<Cuenta> lista;
    for (const QList<DbValue>& fila : filas->rows())
        lista.append({static_cast<qint16>(fila.value(0).toInt()), fila.value(1).toCurrency(),
                      fila.value(2).toInt() != 0});
    return lista;
}

std::optional<QList<Cortesias::Articulo>> Cortesias::articulos(qint16 cuenta) {
    const std::optional<RecordSet> filas = m_context.baseDatos().AbrirRecordset(articulosSql(cuenta));
    if (!filas)
        return std::nullopt;
    return leerArticulos(*filas);
}

std::optional<QList<Currency>> Cortesias::repartir(Currency monto, const QList<Currency>& valores) {
    // Whole cents throughout: an item's value below a cent cannot take a share of one.
    QList<qint64> centavos;
    for (const Currency valor : valores)
        centavos.append(std::max<qint64>(0, valor.raw() / kCentavo));
    const qint64 total = std::accumulate(centavos.begin(), centavos.end(), qint64{0});
    const qint64 pedido = monto.raw() / kCentavo;
    if (pedido <= 0 || pedido > total || monto.raw() % kCentavo != 0)
        return std::nullopt;
    QList<qint64> partes;
    QList<qint64> residuos;
    qint64 repartido = 0;
    for (const qint64 c : centavos) {
        partes.append(pedido * c / total);
        residuos.append(pedido * c % total);
        repartido += partes.last();
    }
    QList<int> orden(centavos.size());
    std::iota(orden.begin(), orden.end(), 0);
    std::stable_sort(orden.begin(), orden.end(), [&](int a, int b) {
        return residuos[a] != residuos[b] ? residuos[a] > residuos[b] : centavos[a] > centavos[b];
    });
    // Fewer cents are left than items with a remainder, so each goes to one of those and rounds its
    // share up, which stays within its value since the amount is within the total.
    for (qint64 k = 0; k < pedido - repartido; ++k)
        ++partes[orden[static_cast<int>(k)]];
    QList<Currency> resultado;
    for (const qint64 p : partes)
        resultado.append(Currency::fromRaw(p * kCentavo));
    return resultado;
}

bool Cortesias::pedirYDar(qint16 cuenta, const QList<qint64>& ids, const Tipo& tipo, bool porcentaje) {
    std::optional<qint64> cliente;
    if (tipo.especial) {
        Navegacion* navegacion = m_context.navegacion();
        cliente = navegacion ? navegacion->elegirCliente() : std::nullopt;
        if (!cliente)
            return false;
        if (*cliente == 0) {
            m_context.Mensaje(kClienteInvalido, Prompts::kExclamation);
            return false;
        }
    }
    Prompts::ValueRequest pedido;
    pedido.titulo =
        tipo.nombre + (ids.isEmpty() ? QStringLiteral(": toda la cuenta ") + QString::number(cuenta)
                                     : QStringLiteral(": %1 artículos").arg(ids.size()));
    pedido.porcentaje = porcentaje;
    const Prompts::ValueAnswer respuesta = m_context.prompts().valor(pedido);
    if (respuesta.cancelado)
        return false;
    return dar(cuenta, ids, tipo.id, {respuesta.valor, respuesta.porcentaje}, cliente);
}

bool Cortesias::cuentaAbierta(TransaccionBD& tx, qint16 cuenta) {
    const std::optional<RecordSet> fila =
        tx.consultar(QStringLiteral("SELECT Pagada FROM Cuenta WHERE ") + orden() +
                     QStringLiteral(" AND Num_Cuenta=") + QString::number(cuenta));
    if (!fila)
        return false;
    if (fila->eof())
        tx.fallar(kCambio);
    else if (fila->value(0).toInt() != 0)
        tx.fallar(kPagada);
    return !tx.fallo();
}

bool Cortesias::hacer(TransaccionBD& tx, const std::function<void()>& trabajo) {
    if (tx.hacer(trabajo))
        return true;
    const QString motivo = tx.descripcionFalla();
    if (kMotivos.contains(motivo))
        m_context.Mensaje(motivo, Prompts::kExclamation);
    return false;
}

bool Cortesias::dar(qint16 cuenta, const QList<qint64>& ids, qint32 tipo, Monto monto,
                    std::optional<qint64> cliente) {
    // A value out of range is refused before the database is touched.
    const Currency cien = Currency::fromUnits(100);
    if (monto.porcentaje && (monto.valor <= Currency() || monto.valor > cien)) {
        m_context.Mensaje(kPorcentaje, Prompts::kExclamation);
        return false;
    }
    if (!monto.porcentaje && monto.valor <= Currency()) {
        m_context.Mensaje(kImporte, Prompts::kExclamation);
        return false;
    }

    TransaccionBD tx(m_context.baseDatos(), QStringLiteral("Cortesía"));
    return hacer(tx, [&] {
        const std::optional<RecordSet> nombreTipo = tx.consultar(
            QStringLiteral("SELECT Nombre_Tipo_Cortesia FROM Tipo_Cortesia WHERE ID_Tipo_Cortesia=") +
            QString::number(tipo));
        if (nombreTipo && nombreTipo->eof())
            tx.fallar(kCambio);
        cuentaAbierta(tx, cuenta);
        // The items as they stand now, inside the work: what another terminal changed counts.
        const std::optional<RecordSet> filas = tx.consultar(articulosSql(cuenta));
        QList<Articulo> elegidos;
        if (filas) {
            const QSet<qint64> pedidos(ids.begin(), ids.end());
            for (const Articulo& articulo : leerArticulos(*filas))
                if (pedidos.isEmpty() || pedidos.contains(articulo.id))
                    elegidos.append(articulo);
            if (elegidos.size() != pedidos.size() && !pedidos.isEmpty())
                tx.fallar(kCambio);
            else if (elegidos.isEmpty())
                tx.fallar(kSinArticulos);
        }
        QList<Currency> valores;
        Currency suma;
        for (const Articulo& articulo : elegidos) {
            valores.append(articulo.valor);
            suma += articulo.valor;
        }
        Currency importe = monto.valor;
        if (monto.porcentaje) {
            // Cents of suma x p / 100, halves away from zero; both are at most a few million, so the
            // product of their ten-thousandths stays far inside 64 bits.
            const qint64 producto = suma.raw() * monto.valor.raw();
            const qint64 porCentavo = 100 * Currency::kScale * kCentavo;
            importe = Currency::fromRaw((producto + porCentavo / 2) / porCentavo * kCentavo);
        }
        const std::optional<QList<Currency>> partes = repartir(importe, valores);
        if (!tx.fallo() && !partes)
            tx.fallar(importe <= Currency() ? kImporte : kExcede);

        if (!tx.fallo()) {
            QList<qint64> folios;
            QStringList filasNuevas;
            for (int i = 0; i < elegidos.size(); ++i) {
                folios.append(elegidos[i].id);
                if ((*partes)[i] > Currency())
                    filasNuevas.append(u'(' + QString::number(elegidos[i].id) + u',' + QString::number(tipo) +
                                       u',' + sqlMonto((*partes)[i]) + u',' +
                                       QString::number(m_context.sesion().idEmpleado()) + u',' +
                                       (cliente ? QString::number(*cliente) : QStringLiteral("NULL")) + u')');
            }
            tx.cambiar(QStringLiteral("DELETE FROM Cortesia WHERE ID_ProductosXCuenta IN (") + lista(folios) +
                       u')');
            if (!filasNuevas.isEmpty())
                tx.cambiar(QStringLiteral("INSERT INTO Cortesia (ID_ProductosXCuenta,ID_Tipo_Cortesia,Monto,"
                                          "ID_Empleado,CveCliente) VALUES ") +
                           filasNuevas.join(u','));
        }
        tx.ejecutar(QStringLiteral("Totalizar_Cuenta ") + QString::number(m_idComanda) + u',' +
                    QString::number(cuenta) + u',' + QString::number(m_control));
        const QString cuentaSql = orden() + QStringLiteral(" AND Num_Cuenta=") + QString::number(cuenta);
        const std::optional<RecordSet> saldo =
            tx.consultar(QStringLiteral("SELECT Total, ISNULL((SELECT SUM(Monto_Pago) FROM Pago WHERE ") +
                         cuentaSql + QStringLiteral("), 0) FROM Cuenta WHERE ") + cuentaSql);
        if (saldo && !saldo->eof() && saldo->value(0).toCurrency() < saldo->value(1).toCurrency())
            tx.fallar(kBajoPagado);
        tx.ejecutarSinRegistro(renglonBitacora(
            m_context, QStringLiteral("Cortesia ") +
                           (nombreTipo && !nombreTipo->eof() ? nombreTipo->value(0).toString() : QString()) +
                           QStringLiteral(" comanda ") + QString::number(m_idComanda) +
                           QStringLiteral(" cuenta ") + QString::number(cuenta) + QStringLiteral(": ") +
                           sqlMonto(importe)));
    });
}

bool Cortesias::quitar(qint16 cuenta, const QList<qint64>& ids) {
    TransaccionBD tx(m_context.baseDatos(), QStringLiteral("Quitar cortesía"));
    return hacer(tx, [&] {
        cuentaAbierta(tx, cuenta);
        const std::optional<RecordSet> filas = tx.consultar(articulosSql(cuenta));
        QList<qint64> folios;
        Currency quitado;
        if (filas) {
            const QSet<qint64> pedidos(ids.begin(), ids.end());
            for (const Articulo& articulo : leerArticulos(*filas)) {
                if ((pedidos.isEmpty() || pedidos.contains(articulo.id)) && articulo.cortesia > Currency()) {
                    folios.append(articulo.id);
                    quitado += articulo.cortesia;
                }
            }
            if (folios.isEmpty())
                tx.fallar(kSinCortesia);
        }
        if (!tx.fallo())
            tx.cambiar(QStringLiteral("DELETE FROM Cortesia WHERE ID_ProductosXCuenta IN (") + lista(folios) +
                       u')');
        tx.ejecutar(QStringLiteral("Totalizar_Cuenta ") + QString::number(m_idComanda) + u',' +
                    QString::number(cuenta) + u',' + QString::number(m_control));
        tx.ejecutarSinRegistro(renglonBitacora(
            m_context, QStringLiteral("Quitar cortesia comanda ") + QString::number(m_idComanda) +
                           QStringLiteral(" cuenta ") + QString::number(cuenta) + QStringLiteral(": ") +
                           sqlMonto(quitado)));
    });
}

} // namespace nerin
