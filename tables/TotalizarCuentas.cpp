#include "tables/TotalizarCuentas.h"

#include "data/TransaccionBD.h"

namespace nerin {

bool totalizarCuentas(TransaccionBD& tx, qint32 idComanda, qint32 control) {
    const QString id = QString::number(idComanda);
    const QString ctl = QString::number(control);
    const std::optional<RecordSet> cuentas =
        tx.consultar(QStringLiteral("SELECT Num_Cuenta FROM Cuenta WHERE ID_Comanda=") + id +
                     QStringLiteral(" AND Control=") + ctl);
    if (!cuentas)
        return false;
    for (const QList<DbValue>& cuenta : cuentas->rows())
        tx.ejecutar(QStringLiteral("Totalizar_Cuenta ") + id + u',' + cuenta.value(0).toString() + u',' +
                    ctl);
    return !tx.fallo();
}

} // namespace nerin
