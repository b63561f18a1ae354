#include "cashier/FacturacionPantalla.h"

#include "cashier/frmFacturas.h"

#include <QApplication>

namespace nerin {

void FacturacionPantalla::facturar(qint32 idComanda, qint16 control, qint16 numCuenta) {
    frmFacturas pantalla(m_context, idComanda, control, numCuenta, QApplication::activeWindow());
    pantalla.mostrar();
}

} // namespace nerin
