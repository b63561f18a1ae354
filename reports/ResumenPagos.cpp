#include "reports/ResumenPagos.h"

#include "data/BaseDatos.h"
#include "printing/ImprimirSpread.h"
#include "reports/VentasDelDia.h"
#include "startup/PermisosEmpleado.h"

namespace nerin {

namespace {

constexpr int kTodosLosMeseros = 65;
constexpr int kResumen = 47;

} // namespace

ResumenPagos::ResumenPagos(BaseDatos& baseDatos, qint32 idEmpleado)
    : m_baseDatos(baseDatos), m_idEmpleado(idEmpleado),
      m_hoja({QStringLiteral("Tipo"), QStringLiteral("Monto"), QStringLiteral("Propina"),
              QStringLiteral("Clase")}) {
    m_hoja.setColumnaOculta(cClase, true);
}

QString ResumenPagos::consulta(const QSet<int>& permisos, qint32 idEmpleado) {
    if (permisos.contains(kTodosLosMeseros))
        return QStringLiteral(
                   "SELECT Nombre_Tipo_Pago,sum(Total),sum(Propina),Clase FROM Vw_Resumen_Pagos_Emp ") +
               QStringLiteral(" group by Nombre_Tipo_Pago,Clase");
    if (permisos.contains(kResumen))
        return QStringLiteral("SELECT * FROM Vw_Resumen_Pagos WHERE ID_Empleado=") +
               QString::number(idEmpleado);
    return QStringLiteral(
               "SELECT Nombre_Tipo_Pago,Total,Propina,Clase FROM Vw_Resumen_Pagos_Emp WHERE ID_Empleado=") +
           QString::number(idEmpleado);
}

bool ResumenPagos::cargar() {
    const std::optional<QSet<int>> permisos =
        permisosEmpleado(m_baseDatos, m_idEmpleado, QStringLiteral(" AND ID_Permiso in (47,65)"));
    std::optional<RecordSet> pagos;
    if (permisos)
        pagos = m_baseDatos.AbrirRecordset(consulta(*permisos, m_idEmpleado));
    armar(pagos ? pagos->rows() : QList<QList<DbValue>>());
    if (!pagos) {
        m_cifras.porHora.clear();
        m_cifras.semanas.clear();
        return false;
    }
    // The charts count the same orders as the grid: every waiter's, or the employee's own.
    const std::optional<qint32> mesero =
        permisos->contains(kTodosLosMeseros) ? std::nullopt : std::optional<qint32>(m_idEmpleado);
    return VentasDelDia(m_baseDatos, mesero).cargar(m_cifras);
}

void ResumenPagos::armar(const QList<QList<DbValue>>& filas) {
    const bool propinasOcultas = m_hoja.columnHidden(cPropina);
    m_hoja = HojaResumen(
        {m_hoja.titulo(cTipo), m_hoja.titulo(cMonto), m_hoja.titulo(cPropina), m_hoja.titulo(cClase)});
    m_hoja.setColumnaOculta(cClase, true);
    m_hoja.setColumnaOculta(cPropina, propinasOcultas);
    m_cifras.porConcepto.clear();

    // Cards first, in the order read; cash after them, together.
    for (const bool efectivo : {false, true}) {
        for (const QList<DbValue>& fila : filas) {
            const QString clase = fila.value(cClase).toString().trimmed();
            if ((clase == QLatin1String("E")) != efectivo)
                continue;
            const QString nombre = fila.value(cTipo).toString().trimmed();
            const int numero =
                m_hoja.agregarMontos(efectivo ? QStringLiteral("BALANCE ") + nombre : nombre,
                                     {fila.value(cMonto).toCurrency(), fila.value(cPropina).toCurrency()});
            m_hoja.setCelda(numero, cClase, HojaResumen::Celda{clase, std::nullopt, false});
            m_cifras.porConcepto.append(
                Barra{m_hoja.celda(numero, cTipo).texto, *m_hoja.celda(numero, cMonto).monto});
        }
    }
    const int ultima = m_hoja.filas();
    const int suma = m_hoja.agregarSuma(QStringLiteral("SUMA:"), 1, ultima, {cMonto, cPropina}, true);
    // The amounts are the payments without their tips already.
    m_hoja.agregarMontos(QStringLiteral("TOTAL PAGOS SIN PROPINA:"), {*m_hoja.celda(suma, cMonto).monto},
                         true);
}

bool ResumenPagos::imprimir(const ContextoImpresion& contexto, ColaImpresion& cola) const {
    return ImprimirSpread(contexto, cola, m_hoja, true, true);
}

} // namespace nerin
