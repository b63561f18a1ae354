#include "tables/UnirMesas.h"

#include "data/BaseDatos.h"
#include "data/TransaccionBD.h"
#include "keyboards/Prompts.h"
#include "startup/TerminalContext.h"
#include "tables/BloqueoComanda.h"
#include "tables/TotalizarCuentas.h"

namespace nerin {

namespace {

constexpr int kVerTodasLasMesas = 42;

QString id(const MesasAbiertas::Fila& fila) {
    return QString::number(fila.idComanda);
}
QString control(const MesasAbiertas::Fila& fila) {
    return QString::number(fila.control);
}
QString orden(const MesasAbiertas::Fila& fila) {
    return QStringLiteral("ID_Comanda=") + id(fila) + QStringLiteral(" AND Control=") + control(fila);
}

} // namespace

UnirMesas::UnirMesas(TerminalContext& context) : m_context(context), m_ocupacion(context) {}

UnirMesas::Resultado UnirMesas::unir(const Fila& origen, const QString& numero) {
    const std::optional<qint16> tecleada = m_ocupacion.numeroTecleado(numero, true);
    if (!tecleada)
        return {};
    const qint16 mesa = *tecleada;
    const std::optional<QList<OcupacionMesa::Orden>> abiertas =
        m_ocupacion.ordenes(mesa, QStringLiteral("cmdAceptar"));
    if (!abiertas)
        return {};
    const OcupacionMesa::Orden* encontrada = nullptr;
    for (const OcupacionMesa::Orden& abierta : *abiertas) {
        if (abierta.idComanda != origen.idComanda || abierta.control != origen.control) {
            encontrada = &abierta;
            break;
        }
    }
    if (!encontrada) {
        m_context.Mensaje(QStringLiteral("Seleccione una mesa para unir"), Prompts::kOk);
        return {false, true};
    }
    // A waiter who sees only their own tables joins only into their own tables.
    const qint16 empleado = m_context.sesion().idEmpleado();
    if (encontrada->idEmpleado != empleado && !m_context.sesion().permiso(kVerTodasLasMesas)) {
        m_context.Mensaje(QStringLiteral("La Mesa ") + QString::number(mesa) +
                              QStringLiteral(" està abierta por ") + encontrada->nombre,
                          Prompts::kExclamation);
        return {false, true};
    }
    const Fila destino{encontrada->idComanda, encontrada->control, mesa};

    if (!BloqueoComanda::tomarOAvisar(m_context, origen.idComanda, QStringLiteral("cmdAceptar")))
        return {};
    if (!BloqueoComanda::tomarOAvisar(m_context, destino.idComanda, QStringLiteral("cmdAceptar"))) {
        soltar(origen);
        return {};
    }
    TransaccionBD tx(m_context.baseDatos(), QStringLiteral("UnirMesas"));
    bool propia = false; // refused by the rows changed, not by the database
    const bool hecho = tx.hacer([&] {
        propia = !juntar(tx, origen, destino) && !tx.fallo();
        if (propia)
            tx.fallar(QStringLiteral("Mesas sin unir"));
    });
    soltar(origen);
    soltar(destino);
    if (propia)
        m_context.Mensaje(QStringLiteral("La Mesa ya fue cerrada!"), Prompts::kOk);
    return {hecho, false};
}

bool UnirMesas::juntar(TransaccionBD& tx, const Fila& origen, const Fila& destino) {
    const QString empleado = QString::number(m_context.sesion().idEmpleado());
    // Both orders must still be open and in this employee's hands: the locks were taken before the
    // transaction, and an order closed since then is not joined.
    const std::optional<qint64> cerrada =
        tx.cambiar(QStringLiteral("UPDATE Comanda SET Num_Mesa=") + QString::number(destino.numMesa) +
                   QStringLiteral(", Abierta=0, Fecha_Cierre=getdate() WHERE ") + orden(origen) +
                   QStringLiteral(" AND Abierta=1 AND EnUsoPor=") + empleado);
    if (!cerrada || *cerrada != 1)
        return false;
    const std::optional<RecordSet> abierta =
        tx.consultar(QStringLiteral("SELECT COUNT(*) FROM Comanda WHERE ") + orden(destino) +
                     QStringLiteral(" AND Abierta=1 AND EnUsoPor=") + empleado);
    if (!abierta || abierta->value(0).toInt() != 1)
        return false;

    // The accounts the target lacks, each keeping its own paid mark.
    tx.cambiar(
        QStringLiteral("INSERT INTO Cuenta (ID_Comanda,Num_Cuenta,Pagada,Num_Impresiones,Total,Control,"
                       "Num_Tiempo,Ultimo_Tiempo,Facturada,CveCliente) SELECT ") +
        id(destino) + QStringLiteral(",Num_Cuenta,Pagada,0,0,") + control(destino) +
        QStringLiteral(",Num_Tiempo,Ultimo_Tiempo,Facturada,CveCliente FROM Cuenta WHERE ") + orden(origen) +
        QStringLiteral(" AND Num_Cuenta NOT IN (SELECT Num_Cuenta FROM Cuenta WHERE ") + orden(destino) +
        QStringLiteral(")"));
    // An account both had gains the source's items: it is not paid when those items were not.
    tx.cambiar(
        QStringLiteral("UPDATE Cuenta SET Pagada=0 WHERE ") + orden(destino) +
        QStringLiteral(" AND Num_Cuenta IN (SELECT c.Num_Cuenta FROM Cuenta c WHERE c.ID_Comanda=") +
        id(origen) + QStringLiteral(" AND c.Control=") + control(origen) +
        QStringLiteral(" AND c.Pagada=0 AND EXISTS (SELECT * FROM ProductosXCuenta p WHERE "
                       "p.ID_Comanda=c.ID_Comanda AND p.Control=c.Control AND p.Num_Cuenta=c.Num_Cuenta "
                       "AND p.ID_Tipo_Anulacion IS NULL))"));
    const QString hacia = QStringLiteral(" SET ID_Comanda=") + id(destino) + QStringLiteral(", Control=") +
                          control(destino) + QStringLiteral(" WHERE ") + orden(origen);
    tx.cambiar(QStringLiteral("UPDATE ProductosXCuenta") + hacia);
    tx.cambiar(QStringLiteral("UPDATE Pago") + hacia);
    tx.cambiar(QStringLiteral("UPDATE Cuenta SET Total=0, Pagada=1 WHERE ") + orden(origen));

    return totalizarCuentas(tx, destino.idComanda, destino.control);
}

void UnirMesas::soltar(const Fila& fila) {
    // Given back as BloqueoComanda took it, by order number, and only where this employee holds it; a
    // failure is reported by the data layer.
    m_context.baseDatos().ActualizarRegistros(QStringLiteral("Comanda"), QStringLiteral("EnUsoPor=0"),
                                              QStringLiteral("ID_Comanda=") + id(fila) +
                                                  QStringLiteral(" AND EnUsoPor=") +
                                                  QString::number(m_context.sesion().idEmpleado()));
}

} // namespace nerin
