#include "reports/VentasMesero.h"

#include "data/BaseDatos.h"
#include "reports/VentasDelDia.h"
#include "startup/PermisosEmpleado.h"
#include "startup/TerminalContext.h"
#include "startup/VerificacionEmpleado.h"

namespace nerin {

namespace {

constexpr int kPermisoVerificacion = 46;

QStringList titulos() {
    return {QStringLiteral("CATEGORIA"), QStringLiteral("TOTAL")};
}

} // namespace

VentasMesero::VentasMesero(TerminalContext& context, Mesero mesero)
    : m_context(context), m_mesero(std::move(mesero)), m_cola(context.baseDatos()), m_hoja(titulos()) {
    m_cifras.tituloConcepto = QStringLiteral("Por categoría");
}

std::optional<QList<VentasMesero::Mesero>> VentasMesero::meseros(BaseDatos& baseDatos) {
    const std::optional<RecordSet> filas =
        baseDatos.AbrirRecordset(QStringLiteral("SELECT * FROM Vw_EmpleadosDisponibles"));
    if (!filas)
        return std::nullopt;
    QList<Mesero> meseros;
    for (const QList<DbValue>& fila : filas->rows())
        meseros.append(
            Mesero{static_cast<qint32>(fila.value(0).toInt()), fila.value(1).toString().trimmed()});
    return meseros;
}

bool VentasMesero::cargar() {
    m_verificar = false;
    bool bien = cargarHoja();
    // The bars by category are the grid's category rows, so the chart and the grid always agree.
    m_cifras.porConcepto.clear();
    for (int fila = 1; fila <= m_hoja.filas() - 2; ++fila) {
        m_cifras.porConcepto.append(
            Barra{m_hoja.celda(fila, 0).texto, m_hoja.celda(fila, 1).monto.value_or(Currency())});
    }
    bien = VentasDelDia(m_context.baseDatos(), m_mesero.id).cargar(m_cifras) && bien;

    const std::optional<QSet<int>> permisos =
        permisosEmpleado(m_context.baseDatos(), m_context.sesion().idEmpleado(),
                         QStringLiteral(" AND ID_Permiso= ") + QString::number(kPermisoVerificacion));
    m_verificar = permisos && permisos->contains(kPermisoVerificacion);
    return bien && permisos.has_value();
}

bool VentasMesero::cargarHoja() {
    m_hoja = HojaResumen(titulos());
    BaseDatos& bd = m_context.baseDatos();
    const QString empleado = QString::number(m_mesero.id);
    const std::optional<RecordSet> categorias = bd.AbrirRecordset(
        QStringLiteral("SELECT Nombre_Categoria,Precio+Impuestos+Modificadores FROM Vw_Resumen_Ventas WHERE "
                       "ID_Empleado=") +
        empleado);
    if (!categorias)
        return false;
    const std::optional<RecordSet> huespedes = bd.AbrirRecordset(
        QStringLiteral(
            "SELECT SUM(CantHuespedes) HUESPEDES FROM Comanda WHERE Fecha_Trabajo=(SELECT Valor_Cad "
            "FROM parametros WHERE Id_parametro='FECHA_TRABAJO') AND ID_Empleado=") +
        empleado);
    if (!huespedes)
        return false;

    for (const QList<DbValue>& fila : categorias->rows())
        m_hoja.agregarMontos(fila.value(0).toString().trimmed(), {fila.value(1).toCurrency()});
    m_hoja.agregarSuma(QStringLiteral("TOTAL:"), 1, m_hoja.filas(), {1});
    // A waiter without orders has no sum: NULL, shown as 0.
    const qint64 cantidad = huespedes->rows().isEmpty() ? 0 : huespedes->rows().first().value(0).toInt();
    m_hoja.agregarTexto({QStringLiteral("TOTAL HUESPEDES: "), QString::number(cantidad)}, true);
    return true;
}

bool VentasMesero::verificar() {
    if (!m_verificar)
        return false;
    return VerificacionEmpleado(m_context, m_cola, static_cast<qint16>(m_mesero.id));
}

} // namespace nerin
