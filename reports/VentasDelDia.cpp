#include "reports/VentasDelDia.h"

#include "data/BaseDatos.h"
#include "data/DbValue.h"

#include <QStringList>

namespace nerin {

namespace {

const QString kFechaTrabajo =
    QStringLiteral("(SELECT Valor_Cad FROM Parametros WHERE Id_Parametro='FECHA_TRABAJO')");

} // namespace

VentasDelDia::VentasDelDia(BaseDatos& baseDatos, std::optional<qint32> empleado)
    : m_baseDatos(baseDatos), m_empleado(empleado) {}

QDate VentasDelDia::fechaTrabajo(const DbValue& valor) {
    switch (valor.type()) {
    case DbValue::Type::DateTime:
        return valor.toDateTime().date();
    case DbValue::Type::Integer:
    case DbValue::Type::Double:
        // An all-digit text may come back as a number, without the leading zero of days 1 to 9.
        return QDate::fromString(QString::number(valor.toInt()).rightJustified(8, u'0'),
                                 QStringLiteral("ddMMyyyy"));
    default:
        return QDate::fromString(valor.toString().trimmed(), QStringLiteral("ddMMyyyy"));
    }
}

QString VentasDelDia::condicionEmpleado() const {
    return m_empleado ? QStringLiteral(" AND c.ID_Empleado=") + QString::number(*m_empleado) : QString();
}

bool VentasDelDia::cargar(CifrasGraficas& cifras) {
    cifras.porHora.clear();
    cifras.semanas.clear();
    const std::optional<RecordSet> horas = m_baseDatos.AbrirRecordset(
        QStringLiteral("SELECT DATEPART(hour, pg.Fecha_Pago) AS Hora, SUM(pg.Monto_Pago) AS Monto "
                       "FROM Comanda c INNER JOIN Pago pg ON pg.ID_Comanda = c.ID_Comanda "
                       "AND pg.Control = c.Control WHERE c.fecha_trabajo = ") +
        kFechaTrabajo + condicionEmpleado() +
        QStringLiteral(" GROUP BY DATEPART(hour, pg.Fecha_Pago) ORDER BY 1"));
    if (!horas)
        return false;
    Currency hoy;
    for (const QList<DbValue>& fila : horas->rows()) {
        const Currency monto = fila.value(1).toCurrency();
        cifras.porHora.append(
            Barra{QStringLiteral("%1:00").arg(fila.value(0).toInt(), 2, 10, QLatin1Char('0')), monto});
        hoy += monto;
    }

    const DbValue valor =
        m_baseDatos.ConsultarCampo(QStringLiteral("Valor_Cad"), QStringLiteral("Parametros"),
                                   QStringLiteral("Id_Parametro='FECHA_TRABAJO'"));
    const QDate fecha = fechaTrabajo(valor);
    if (!fecha.isValid())
        return true;
    QStringList fechas;
    for (int semana = kSemanas; semana >= 1; --semana)
        fechas.append(u'\'' + textoFecha(fecha.addDays(-7 * semana)) + u'\'');
    const std::optional<RecordSet> semanas = m_baseDatos.AbrirRecordset(
        QStringLiteral("SELECT c.fecha_trabajo, SUM(pg.Monto_Pago) AS Monto FROM Comanda c "
                       "INNER JOIN Pago pg ON pg.ID_Comanda = c.ID_Comanda AND pg.Control = c.Control "
                       "WHERE c.fecha_trabajo IN (") +
        fechas.join(u',') + u')' + condicionEmpleado() + QStringLiteral(" GROUP BY c.fecha_trabajo"));
    if (!semanas) {
        cifras.porHora.clear();
        return false;
    }
    if (semanas->rows().isEmpty())
        return true;
    for (int semana = kSemanas; semana >= 1; --semana) {
        const QDate dia = fecha.addDays(-7 * semana);
        Currency monto;
        for (const QList<DbValue>& fila : semanas->rows()) {
            // Compared as numbers: the database may hand an all-digit text back as a number, which
            // loses the leading zero of days 1 to 9.
            if (fila.value(0).toInt() == textoFecha(dia).toLongLong())
                monto = fila.value(1).toCurrency();
        }
        cifras.semanas.append(Barra{dia.toString(QStringLiteral("dd/MM")), monto});
    }
    cifras.semanas.append(Barra{fecha.toString(QStringLiteral("dd/MM")), hoy});
    return true;
}

} // namespace nerin
