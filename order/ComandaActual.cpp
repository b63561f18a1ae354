#include "order/ComandaActual.h"

#include "data/BaseDatos.h"
#include "keyboards/Prompts.h"
#include "startup/Navegacion.h"
#include "startup/PermisosEmpleado.h"
#include "startup/TerminalContext.h"
#include "tables/BloqueoComanda.h"
#include "text/TextFormat.h"

namespace nerin {

namespace {

QString etiquetaHuespedes(const QString& valor) {
    if (valor == QLatin1String("1"))
        return QStringLiteral("Un huésped");
    return valor + QStringLiteral(" huéspedes");
}

} // namespace

ComandaActual::ComandaActual(TerminalContext& context) : m_context(context) {}

void ComandaActual::registrarError(const QString& operacion) {
    const DbFailure& fallo = m_context.baseDatos().connection().lastFailure();
    m_context.bitacora().registrarError(operacion, fallo.number, fallo.description);
}

DbValue ComandaActual::primerValor(const QString& sql, bool* ok) {
    const auto filas = m_context.baseDatos().AbrirRecordset(sql);
    if (!filas) {
        *ok = false;
        return {};
    }
    return filas->eof() ? DbValue() : filas->value(0);
}

bool ComandaActual::leerCuenta() {
    const QString orden = QString::number(IDComanda);
    const QString control = QString::number(Control);
    bool ok = true;
    m_tiempo =
        static_cast<qint16>(primerValor(QStringLiteral("SELECT Ultimo_Tiempo FROM Cuenta WHERE id_comanda=") +
                                            orden + QStringLiteral(" AND Control=") + control +
                                            QStringLiteral(" AND Num_Cuenta=") + QString::number(NumCuenta),
                                        &ok)
                                .toInt());
    lblTiempo = QStringLiteral(" Tiempo: ") + QString::number(getTiempoActual());
    Tipo = primerValor(QStringLiteral("SELECT tipo FROM comanda WHERE id_comanda=") + orden, &ok).toString();
    cliente =
        primerValor(QStringLiteral("SELECT CveCliente FROM Cuenta WHERE Id_Comanda=") + orden +
                        QStringLiteral(" AND Control=") + control + QStringLiteral(" ORDER BY Num_Cuenta"),
                    &ok)
            .toDouble();
    variasCuentas = primerValor(QStringLiteral("SELECT top 1 num_cuenta FROM Cuenta WHERE Id_comanda=") +
                                    orden + QStringLiteral(" ORDER BY Num_Cuenta desc"),
                                &ok)
                        .toInt() > 1;
    return ok;
}

std::optional<qint32> ComandaActual::DatosEmpleado() {
    BaseDatos& bd = m_context.baseDatos();
    const QString orden = QString::number(IDComanda);
    const QString control = QString::number(Control);
    bool ok = true;
    const DbValue usuario = primerValor(QStringLiteral("SELECT Usuario FROM Empleado WHERE ID_Empleado=") +
                                            QString::number(m_context.sesion().idEmpleado()),
                                        &ok);
    const auto cuentas =
        bd.AbrirRecordset(QStringLiteral("SELECT Num_Cuenta FROM Cuenta WHERE Id_Comanda=") + orden +
                          QStringLiteral(" AND Control=") + control + QStringLiteral(" ORDER BY Num_Cuenta"));
    if (!ok || !cuentas) {
        registrarError(QStringLiteral("DatosEmpleado"));
        return std::nullopt;
    }
    lblEmpleado = usuario.toString();
    lblMesa = QStringLiteral(" Mesa ") + mesa + QLatin1Char(' ');
    // The account asked for (one chosen among several) stays; one the order lacks becomes its lowest.
    bool tiene = false;
    for (const QList<DbValue>& fila : cuentas->rows())
        tiene = tiene || fila.value(0).toInt() == NumCuenta;
    if (!tiene && !cuentas->eof())
        NumCuenta = static_cast<qint16>(cuentas->value(0).toInt());
    ok = leerCuenta();

    const std::optional<QSet<int>> permisos = permisosEmpleado(
        bd, m_context.sesion().idEmpleado(), QStringLiteral(" AND ID_Permiso IN (36,40,63)"));
    const QSet<int> otorgados = permisos.value_or(QSet<int>());
    puedeDividir = otorgados.contains(40);
    puedeAbrirMesa = otorgados.contains(36);
    puedeVerTiempos = otorgados.contains(63);
    const DbValue submenu =
        primerValor(QStringLiteral("SELECT top 1 Id_submenu FROM Vw_SubMenu_Default WHERE Id_Terminal=") +
                        QString::number(m_context.terminal) + QStringLiteral(" ORDER BY orden"),
                    &ok);
    if (!ok || !permisos) {
        registrarError(QStringLiteral("DatosEmpleado"));
        return std::nullopt;
    }
    return static_cast<qint32>(submenu.toInt());
}

bool ComandaActual::MostrarProductosComandaActual() {
    BaseDatos& bd = m_context.baseDatos();
    const QString orden = QString::number(IDComanda);
    const QString control = QString::number(Control);
    const auto filas = bd.AbrirRecordset(
        QStringLiteral("SELECT * FROM Vw_Comanda WHERE ID_Comanda=") + orden +
        QStringLiteral(" AND Control=") + control + QStringLiteral(" AND Num_Cuenta=") +
        QString::number(NumCuenta) +
        QStringLiteral(
            " ORDER BY tiempo_requerido, Hora_Preparacion,ID_Paquete DESC,ID_ProductosXCuenta,Orden"));
    if (!filas) {
        registrarError(QStringLiteral("MostrarProductosComandaActual"));
        return false;
    }
    bool ok = true;
    auto seccionDe = [this, &ok](qint32 producto, qint32 paquete) {
        return static_cast<qint32>(
            primerValor(
                QStringLiteral(
                    "SELECT Control_Paquetes.ID_Seccion_Paquete FROM Control_Paquetes,ProductosXSeccion "
                    "WHERE Control_Paquetes.ID_Seccion_Paquete=ProductosXSeccion.ID_Seccion_Paquete "
                    "AND ID_Producto=") +
                    QString::number(producto) + QStringLiteral(" AND ID_ProductosXCuenta=") +
                    QString::number(paquete),
                &ok)
                .toInt());
    };
    m_cuadricula.cargar(*filas, m_context.funcion(6), seccionDe);

    const DbValue huespedes =
        primerValor(QStringLiteral("SELECT isnull(CantHuespedes,0) FROM Comanda WHERE ID_Comanda=") + orden +
                        QStringLiteral(" AND Control=") + control,
                    &ok);
    const DbValue numMesa =
        primerValor(QStringLiteral("SELECT Num_Mesa FROM comanda WHERE id_comanda=") + orden, &ok);
    if (!ok) {
        registrarError(QStringLiteral("MostrarProductosComandaActual"));
        return false;
    }
    lblHuespedes = etiquetaHuespedes(huespedes.isNull() ? QStringLiteral("0") : huespedes.toString());
    lblMesa = QStringLiteral("Mesa: ") + numMesa.toString();
    lblTiempo = QStringLiteral("Tiempo: ") + QString::number(getTiempoActual());
    CalculaTotal();
    return true;
}

void ComandaActual::setTiempoActual(qint16 tiempo) {
    m_tiempo = tiempo;
    lblTiempo = QStringLiteral(" Tiempo: ") + QString::number(tiempo);
}

void ComandaActual::CalculaTotal() {
    const Currency total = m_cuadricula.total();
    lblTotal = TextFormat::number(total, u"$#,##0.00") + QStringLiteral(" M.N.");
    lblTotalUS.clear();
    // The dollar total is shown on terminals with the exchange-rate function.
    if (!m_context.funcion(1))
        return;
    bool ok = true;
    Currency tasa =
        primerValor(QStringLiteral("SELECT Valor_Num FROM Parametros WHERE ID_Parametro='TC_US'"), &ok)
            .toCurrency();
    if (!ok) {
        registrarError(QStringLiteral("CalculaTotal"));
        return;
    }
    if (tasa == Currency())
        tasa = Currency::fromUnits(1);
    const std::optional<Currency> dolares = total.dividedBy(tasa.toDouble());
    lblTotalUS = TextFormat::number(dolares.value_or(Currency()), u"$#,##0.00") + QStringLiteral(" U.S.");
}

void ComandaActual::liberar() {
    liberar(IDComanda);
}

void ComandaActual::liberar(qint32 idComanda) {
    m_context.baseDatos().EjecutarSQL(QStringLiteral("UPDATE Comanda SET EnUsoPor=0 WHERE ID_Comanda=") +
                                      QString::number(idComanda));
}

bool ComandaActual::moverMesa(bool siguiente, const std::function<bool()>& guardarPendientes) {
    bool ok = true;
    const QString sql =
        QStringLiteral("SELECT TOP 1 id_comanda FROM Vw_MesasAbiertas WHERE ID_Empleado=") +
        QString::number(m_context.sesion().idEmpleado()) +
        (siguiente ? QStringLiteral(" AND id_comanda > ") : QStringLiteral(" AND id_comanda < ")) +
        QString::number(IDComanda) +
        (siguiente ? QStringLiteral(" ORDER BY id_comanda") : QStringLiteral(" ORDER BY id_comanda desc"));
    const auto nueva = static_cast<qint32>(primerValor(sql, &ok).toInt());
    if (!ok || nueva <= 0)
        return false;
    if (m_cuadricula.hayNoGuardadas() && !guardarPendientes())
        return false;
    // The next order is taken before this one is let go: one held by someone else is refused and the
    // waiter stays here, with this order still locked.
    if (!BloqueoComanda::tomarOAvisar(m_context, nueva, QStringLiteral("moverMesa")))
        return false;
    liberar();
    IDComanda = nueva;
    NumCuenta = static_cast<qint16>(
        primerValor(
            QStringLiteral("SELECT Num_Cuenta FROM Cuenta WHERE id_comanda=") + QString::number(nueva), &ok)
            .toInt());
    Control = static_cast<qint16>(
        primerValor(QStringLiteral("SELECT control FROM Comanda WHERE id_comanda=") + QString::number(nueva),
                    &ok)
            .toInt());
    // The new table's own serving time, type, customer and accounts, not the old one's.
    if (!leerCuenta())
        registrarError(QStringLiteral("moverMesa"));
    MostrarProductosComandaActual();
    return true;
}

bool ComandaActual::DatosCliente() {
    if (Tipo != QLatin1String("O"))
        return false;
    Navegacion* navegacion = m_context.navegacion();
    const std::optional<qint64> clave = navegacion ? navegacion->elegirCliente() : std::nullopt;
    if (!clave)
        return false;
    if (*clave <= 0) {
        m_context.Mensaje(QStringLiteral("Cliente no valido!"), Prompts::kExclamation);
        return false;
    }
    if (!m_context.baseDatos().EjecutarSQL(QStringLiteral("UPDATE Cuenta SET CveCliente=") +
                                           QString::number(*clave) + QStringLiteral(" WHERE Id_Comanda = ") +
                                           QString::number(IDComanda) + QStringLiteral(" AND Num_Cuenta=") +
                                           QString::number(NumCuenta)))
        return false;
    cliente = static_cast<double>(*clave);
    return true;
}

bool ComandaActual::puedeImprimirCuenta() {
    bool ok = true;
    const QString orden = QString::number(IDComanda);
    const QString huespedes =
        primerValor(QStringLiteral("SELECT isnull(CantHuespedes,0) FROM Comanda WHERE ID_Comanda=") + orden +
                        QStringLiteral(" AND Control=") + QString::number(Control),
                    &ok)
            .toString();
    if (!ok)
        return false;
    if (huespedes.isEmpty() || huespedes == QLatin1String("0")) {
        if (!pedirHuespedes())
            return false;
    }
    const qint64 impresiones =
        primerValor(QStringLiteral("SELECT Num_Impresiones FROM cuenta WHERE id_comanda=") + orden +
                        QStringLiteral(" AND Control=") + QString::number(Control) +
                        QStringLiteral(" AND Num_Cuenta=") + QString::number(NumCuenta),
                    &ok)
            .toInt();
    const qint64 permitidas =
        primerValor(QStringLiteral("SELECT Valor_Num FROM parametros WHERE id_parametro='NUM_IMPRESIONES'"),
                    &ok)
            .toInt();
    if (!ok)
        return false;
    if (impresiones <= permitidas)
        return true;
    const qint64 permiso = primerValor(QStringLiteral("SELECT Count(*) FROM Vw_Permisos WHERE ID_Empleado=") +
                                           QString::number(m_context.sesion().idEmpleado()) +
                                           QStringLiteral(" AND ID_Permiso = 44"),
                                       &ok)
                               .toInt();
    if (ok && permiso != 0)
        return true;
    m_context.Mensaje(QStringLiteral("No tiene privilegios para reimprimir cuentas!"), Prompts::kExclamation);
    return false;
}

bool ComandaActual::cambiarHuespedes() {
    bool ok = true;
    const qint64 permiso = primerValor(QStringLiteral("SELECT COUNT(*) FROM Vw_Permisos WHERE Id_Empleado=") +
                                           QString::number(m_context.sesion().idEmpleado()) +
                                           QStringLiteral(" AND Id_Permiso=64"),
                                       &ok)
                               .toInt();
    if (!ok || permiso == 0) {
        m_context.Mensaje(QStringLiteral("No cuentas con privilegios suficientes"), Prompts::kExclamation);
        return false;
    }
    return pedirHuespedes();
}

bool ComandaActual::pedirHuespedes() {
    Prompts::NumberRequest pedido;
    pedido.titulo = QStringLiteral("Número de Huéspedes");
    pedido.maximo = 32767;
    pedido.mostrarAbierto = false;
    modal = true;
    const Prompts::NumberAnswer respuesta = m_context.prompts().numero(pedido);
    modal = false;
    if (respuesta.cancelado ||
        !m_context.baseDatos().EjecutarSQL(QStringLiteral("UPDATE Comanda SET CantHuespedes=") +
                                           QString::number(respuesta.numero) +
                                           QStringLiteral(" WHERE ID_Comanda=") + QString::number(IDComanda)))
        return false;
    lblHuespedes = QString::number(respuesta.numero) + QStringLiteral(" huéspedes");
    return true;
}

} // namespace nerin
