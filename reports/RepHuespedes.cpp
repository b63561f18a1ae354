#include "reports/RepHuespedes.h"

#include "data/BaseDatos.h"
#include "keyboards/Prompts.h"
#include "reports/VentasDelDia.h"
#include "startup/TerminalContext.h"

namespace nerin {

namespace {

QStringList titulos() {
    return {QStringLiteral("MESERO"), QStringLiteral("HUESPEDES"), QStringLiteral("MESAS"),
            QStringLiteral("ID_Empleado")};
}

} // namespace

RepHuespedes::RepHuespedes(TerminalContext& context) : m_context(context), m_hoja(titulos()) {
    m_cifras.tituloConcepto = QStringLiteral("Huéspedes por mesero");
}

bool RepHuespedes::cargar() {
    const bool hoja = cargarHoja();
    // The bars are the grid's own rows: guests are a count, drawn on the same axis as amounts.
    m_cifras.porConcepto.clear();
    for (int fila = 1; fila <= m_hoja.filas(); ++fila) {
        m_cifras.porConcepto.append(Barra{m_hoja.celda(fila, 0).texto,
                                          Currency::fromUnits(m_hoja.celda(fila, 1).texto.toLongLong())});
    }
    return VentasDelDia(m_context.baseDatos(), std::nullopt).cargar(m_cifras) && hoja;
}

bool RepHuespedes::cargarHoja() {
    m_hoja = HojaResumen(titulos());
    m_hoja.setColumnaOculta(kColumnaEmpleado, true);
    const std::optional<RecordSet> filas = m_context.baseDatos().AbrirRecordset(
        QStringLiteral("SELECT * FROM Vw_HuespedesXEmpleado ORDER BY Nombre"));
    if (!filas)
        return false;
    // Nombre, Huespedes, Mesas, ID_Empleado.
    for (const QList<DbValue>& fila : filas->rows()) {
        m_hoja.agregarTexto({fila.value(0).toString().trimmed(), QString::number(fila.value(1).toInt()),
                             QString::number(fila.value(2).toInt()), QString::number(fila.value(3).toInt())});
    }
    return true;
}

std::optional<QList<RepHuespedes::Mesa>> RepHuespedes::mesas(std::optional<int> fila) {
    if (!fila || *fila < 1 || *fila > m_hoja.filas()) {
        m_context.Mensaje(QStringLiteral("Seleccione un mesero"), Prompts::kExclamation);
        return std::nullopt;
    }
    const std::optional<RecordSet> filas = m_context.baseDatos().AbrirRecordset(
        QStringLiteral(
            "SELECT c.Num_Mesa, ISNULL(c.CantHuespedes,0) AS Huespedes, ISNULL((SELECT SUM(cu.Total) "
            "FROM Cuenta cu WHERE cu.ID_Comanda=c.ID_Comanda AND cu.Control=c.Control),0) AS Total, "
            "c.Abierta FROM Comanda c WHERE c.fecha_trabajo=(SELECT Valor_Cad FROM Parametros WHERE "
            "Id_Parametro='FECHA_TRABAJO') AND c.ID_Empleado=") +
        m_hoja.celda(*fila, kColumnaEmpleado).texto + QStringLiteral(" ORDER BY c.Num_Mesa"));
    if (!filas)
        return std::nullopt;
    QList<Mesa> mesas;
    for (const QList<DbValue>& mesa : filas->rows()) {
        mesas.append(Mesa{static_cast<qint32>(mesa.value(0).toInt()), mesa.value(1).toInt(),
                          mesa.value(2).toCurrency(), mesa.value(3).toInt() != 0});
    }
    return mesas;
}

} // namespace nerin
