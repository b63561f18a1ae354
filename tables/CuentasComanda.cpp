#include "tables/CuentasComanda.h"

#include "data/BaseDatos.h"
#include "data/TransaccionBD.h"
#include "keyboards/Prompts.h"
#include "startup/PermisosEmpleado.h"
#include "startup/RenglonBitacora.h"
#include "startup/TerminalContext.h"
#include "tables/TotalizarCuentas.h"

namespace nerin {

namespace {
constexpr int kUnirCuentas = 62;
const QString kConPagos = QStringLiteral("Imposible dividir cuentas que contengan pagos!");
// Reasons of the caller's own for refusing a change, said once its transaction has ended.
const QString kMovido = QStringLiteral("La cuenta cambió en otra terminal; no se dividió.");
const QString kFacturada = QStringLiteral("Imposible unir una cuenta facturada!");
const QString kSinCuenta = QStringLiteral("La cuenta ya no existe; no se unió.");
} // namespace

CuentasComanda::CuentasComanda(TerminalContext& context, qint32 idComanda, qint16 control)
    : m_context(context), m_idComanda(idComanda), m_control(control) {}

QString CuentasComanda::orden() const {
    return QStringLiteral("ID_Comanda=") + QString::number(m_idComanda) + QStringLiteral(" AND Control=") +
           QString::number(m_control);
}

std::optional<QList<CuentasComanda::Articulo>> CuentasComanda::articulos(qint16 cuenta) {
    const std::optional<RecordSet> filas = m_context.baseDatos().AbrirRecordset(
        QStringLiteral(
            "SELECT ID_ProductosXCuenta,Nombre_Cuenta,Id_Paquete,Paquete FROM ProductosXCuenta,Producto "
            "WHERE (id_paquete is null or paquete=1) and "
            "ProductosXCuenta.ID_Producto=Producto.ID_Producto AND ID_Comanda=") +
        QString::number(m_idComanda) + QStringLiteral(" AND Control=") + QString::number(m_control) +
        QStringLiteral(" AND Num_Cuenta=") + QString::number(cuenta) +
        QStringLiteral(" AND ID_Tipo_Anulacion IS NULL ORDER BY ID_Paquete,ID_ProductosXCuenta"));
    if (!filas)
        return std::nullopt;
    QList<Articulo> lista;
    for (const QList<DbValue>& fila : filas->rows())
        lista.append({fila.value(0).toInt(), fila.value(1).toString()});
    return lista;
}

std::optional<QList<qint16>> CuentasComanda::cuentas() {
    const std::optional<RecordSet> filas =
        m_context.baseDatos().AbrirRecordset(QStringLiteral("SELECT Num_Cuenta FROM Cuenta WHERE ") +
                                             orden() + QStringLiteral(" ORDER BY Num_Cuenta"));
    if (!filas)
        return std::nullopt;
    QList<qint16> lista;
    for (const QList<DbValue>& fila : filas->rows())
        lista.append(static_cast<qint16>(fila.value(0).toInt()));
    return lista;
}

std::optional<QStringList> CuentasComanda::contenido(qint16 cuenta) {
    const std::optional<RecordSet> filas = m_context.baseDatos().AbrirRecordset(
        QStringLiteral("SELECT Nombre_Boton FROM Vw_SeleccionarCta WHERE ") + orden() +
        QStringLiteral(" AND Num_Cuenta=") + QString::number(cuenta) +
        QStringLiteral(" ORDER BY ID_ProductosXCuenta"));
    if (!filas)
        return std::nullopt;
    QStringList nombres;
    for (const QList<DbValue>& fila : filas->rows())
        nombres.append(fila.value(0).toString());
    return nombres;
}

bool CuentasComanda::puedeDividir() {
    const std::optional<RecordSet> pagos =
        m_context.baseDatos().AbrirRecordset(QStringLiteral("SELECT COUNT(*) FROM Pago WHERE ") + orden());
    if (!pagos)
        return false;
    if (pagos->value(0).toInt() > 0) {
        m_context.Mensaje(kConPagos, Prompts::kCritical);
        return false;
    }
    return true;
}

std::optional<qint16> CuentasComanda::dividir(qint16 cuenta, const QString& mesa,
                                              const QList<Articulo>& mover) {
    TransaccionBD tx(m_context.baseDatos(), QStringLiteral("Dividir"));
    qint16 nueva = 0;
    const bool hecha = tx.hacer([&] {
        // A payment taken on another terminal since the screen opened still forbids the split.
        const std::optional<RecordSet> pagos =
            tx.consultar(QStringLiteral("SELECT COUNT(*) FROM Pago WHERE ") + orden());
        if (pagos && pagos->value(0).toInt() > 0)
            tx.fallar(kConPagos);
        const std::optional<RecordSet> maximo =
            tx.consultar(QStringLiteral("SELECT MAX(Num_Cuenta) AS Numero FROM Cuenta WHERE ") + orden());
        nueva = static_cast<qint16>(maximo ? maximo->value(0).toInt() + 1 : 0);
        tx.cambiar(
            QStringLiteral("INSERT INTO Cuenta (Id_Comanda,Num_Cuenta,Pagada,Num_Impresiones,Total,Control,"
                           "Num_Tiempo,Ultimo_Tiempo,facturada) VALUES (") +
            QString::number(m_idComanda) + u',' + QString::number(nueva) + QStringLiteral(",0,0,0,") +
            QString::number(m_control) + QStringLiteral(",1,1,0)"));
        tx.ejecutarSinRegistro(renglonBitacora(m_context, QStringLiteral("Dividir mesa ") + mesa +
                                                              QStringLiteral(" nueva cuenta ") +
                                                              QString::number(nueva)));
        if (!tx.fallo() && !moverArticulos(tx, cuenta, nueva, mover))
            tx.fallar(kMovido);
        totalizarCuentas(tx, m_idComanda, m_control);
    });
    if (!hecha) {
        const QString motivo = tx.descripcionFalla();
        if (motivo == kConPagos)
            m_context.Mensaje(kConPagos, Prompts::kCritical);
        else if (motivo == kMovido)
            m_context.Mensaje(kMovido, Prompts::kExclamation);
        return std::nullopt;
    }
    return nueva;
}

bool CuentasComanda::moverArticulos(TransaccionBD& tx, qint16 cuenta, qint16 nueva,
                                    const QList<Articulo>& mover) {
    const QString hacia = QStringLiteral("UPDATE ProductosXCuenta SET Num_Cuenta=") + QString::number(nueva) +
                          QStringLiteral(" WHERE ") + orden() + QStringLiteral(" AND Num_Cuenta=") +
                          QString::number(cuenta) + QStringLiteral(" AND ");
    for (const Articulo& articulo : mover) {
        const QString id = QString::number(articulo.id);
        // The item must still be on the account it was listed from; its components follow it.
        const std::optional<qint64> movido = tx.cambiar(hacia + QStringLiteral("ID_ProductosXCuenta=") + id);
        if (!movido || *movido != 1)
            return false;
        tx.cambiar(hacia + QStringLiteral("ID_Paquete=") + id);
        tx.ejecutarSinRegistro(
            renglonBitacora(m_context, QStringLiteral("Se paso producto ") + articulo.nombre +
                                           QStringLiteral(" a nueva cuenta ") + QString::number(nueva)));
    }
    return !tx.fallo();
}

bool CuentasComanda::puedeUnir() {
    const std::optional<QSet<int>> permiso =
        permisosEmpleado(m_context.baseDatos(), m_context.sesion().idEmpleado(),
                         QStringLiteral(" AND ID_Permiso=") + QString::number(kUnirCuentas));
    return permiso && !permiso->isEmpty();
}

bool CuentasComanda::unir(qint16 seleccionada, qint16 tocada) {
    // Joining an account into itself would delete its row and leave its items on no account.
    if (seleccionada == tocada)
        return false;
    if (m_context.Mensaje(QStringLiteral("¿Unir cuentas ") + QString::number(seleccionada) +
                              QStringLiteral(" y ") + QString::number(tocada) + u'?',
                          Prompts::kYesNo) != Prompts::kAnswerYes)
        return false;
    const QString uno = QStringLiteral(" AND Num_Cuenta=") + QString::number(seleccionada);
    const QString otra = QStringLiteral(" AND Num_Cuenta=") + QString::number(tocada);
    TransaccionBD tx(m_context.baseDatos(), QStringLiteral("Unir cuentas"));
    const auto unirlas = [&] {
        const std::optional<RecordSet> marcas =
            tx.consultar(QStringLiteral("SELECT Num_Cuenta,Pagada,Facturada FROM Cuenta WHERE ") + orden() +
                         QStringLiteral(" AND Num_Cuenta IN (") + QString::number(seleccionada) + u',' +
                         QString::number(tocada) + u')');
        bool pagadas = true;
        bool facturada = false;
        if (marcas) {
            for (const QList<DbValue>& fila : marcas->rows()) {
                pagadas = pagadas && fila.value(1).toInt() != 0;
                facturada = facturada || fila.value(2).toInt() != 0;
            }
            if (facturada)
                tx.fallar(kFacturada);
            else if (marcas->rows().size() != 2)
                tx.fallar(kSinCuenta);
        }
        const QString hacia = QStringLiteral(" SET Num_Cuenta=") + QString::number(seleccionada) +
                              QStringLiteral(" WHERE ") + orden() + otra;
        tx.cambiar(QStringLiteral("UPDATE Pago") + hacia);
        tx.cambiar(QStringLiteral("UPDATE ProductosXCuenta") + hacia);
        tx.cambiar(QStringLiteral("UPDATE Cuenta SET Pagada=") + QString::number(pagadas ? 1 : 0) +
                   QStringLiteral(" WHERE ") + orden() + uno);
        tx.cambiar(QStringLiteral("DELETE FROM Cuenta WHERE ") + orden() + otra);
        tx.ejecutarSinRegistro(
            renglonBitacora(m_context, QStringLiteral("Unir cuentas ") + QString::number(seleccionada) +
                                           QStringLiteral(" y ") + QString::number(tocada)));
        totalizarCuentas(tx, m_idComanda, m_control);
    };
    if (tx.hacer(unirlas))
        return true;
    const QString motivo = tx.descripcionFalla();
    if (motivo == kFacturada || motivo == kSinCuenta)
        m_context.Mensaje(motivo, Prompts::kExclamation);
    return false;
}

qint32 CuentasComanda::mesa() {
    const std::optional<RecordSet> fila =
        m_context.baseDatos().AbrirRecordset(QStringLiteral("SELECT Num_Mesa FROM Comanda WHERE ") + orden());
    return fila && !fila->eof() ? static_cast<qint32>(fila->value(0).toInt()) : -1;
}

void CuentasComanda::ver(qint32 mesa, qint16 cuenta) {
    // A failure is reported by the data layer; the account opens all the same.
    (void)m_context.baseDatos().EjecutarSQL(
        renglonBitacora(m_context, QStringLiteral("Ver mesa ") + QString::number(mesa) +
                                       QStringLiteral(" cuenta ") + QString::number(cuenta)));
}

} // namespace nerin
