#pragma once

#include "data/DbValue.h"
#include "reports/CifrasGraficas.h"
#include "reports/HojaResumen.h"

#include <QSet>
#include <optional>

namespace nerin {

class BaseDatos;
class ColaImpresion;
struct ContextoImpresion;

// The day's payments by payment type for the payment summary: whose payments depends on the employee's
// permissions (65: every waiter's; otherwise the employee's own orders). Card rows come first as the
// database lists them; cash rows become "BALANCE " + their name and stay together at the end. Below
// them "SUMA:" adds up the amounts and the tips, and "TOTAL PAGOS SIN PROPINA:" repeats the amounts'
// sum: the amounts already leave the tips out, so nothing is taken off them again. The class column
// is never shown; the tip column can be hidden.
//
// The charts' payment-type bars are the grid's payment rows; the hours and weeks are those of the same
// waiters.
class ResumenPagos {
public:
    enum Columna { cTipo, cMonto, cPropina, cClase };

    ResumenPagos(BaseDatos& baseDatos, qint32 idEmpleado);

    // The statement that reads the payments for an employee holding `permisos` (among 47 and 65).
    static QString consulta(const QSet<int>& permisos, qint32 idEmpleado);

    // Reads the permissions and the payments and builds the grid and the charts' figures. False when the
    // database failed (already reported): the grid then holds its sum rows only, at zero.
    bool cargar();

    const HojaResumen& hoja() const { return m_hoja; }
    const CifrasGraficas& cifras() const { return m_cifras; }

    // Shows or hides the tip column, on screen and on paper.
    void mostrarPropinas(bool mostrar) { m_hoja.setColumnaOculta(cPropina, !mostrar); }

    // Prints the grid as it is shown, wrapping long cells, with the column titles.
    bool imprimir(const ContextoImpresion& contexto, ColaImpresion& cola) const;

private:
    void armar(const QList<QList<DbValue>>& filas);

    BaseDatos& m_baseDatos;
    qint32 m_idEmpleado;
    HojaResumen m_hoja;
    CifrasGraficas m_cifras;
};

} // namespace nerin
