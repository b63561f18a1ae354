#include "cashier/ImprimirCuentaComanda.h"

#include "cashier/ImprimirCuenta.h"
#include "data/BaseDatos.h"
#include "printing/ColaImpresion.h"
#include "startup/TerminalContext.h"

namespace nerin {

bool SumarImpresion(TerminalContext& context, qint32 idComanda, qint16 control, qint16 numCuenta) {
    return context.baseDatos().EjecutarSQL(
        QStringLiteral("UPDATE Cuenta SET Num_Impresiones=Num_Impresiones+1 WHERE ID_Comanda=") +
        QString::number(idComanda) + QStringLiteral(" AND Num_Cuenta=") + QString::number(numCuenta) +
        QStringLiteral(" AND Control=") + QString::number(control));
}

bool ImprimirCuentaComanda(TerminalContext& context, qint32 idComanda, qint16 control, qint16 numCuenta) {
    ColaImpresion cola(context.baseDatos());
    if (!ImprimirCuenta(context, cola, idComanda, numCuenta, control, false))
        return false;
    SumarImpresion(context, idComanda, control, numCuenta);
    return true;
}

} // namespace nerin
