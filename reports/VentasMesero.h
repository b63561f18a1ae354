#pragma once

#include "printing/ColaImpresion.h"
#include "reports/CifrasGraficas.h"
#include "reports/HojaResumen.h"

#include <QList>
#include <QString>
#include <optional>

namespace nerin {

class BaseDatos;
class TerminalContext;

// The sales of one waiter on the working date (FrmVentas): one row per category with what was charged
// (Precio+Impuestos+Modificadores of Vw_Resumen_Ventas), "TOTAL:" with their sum (0.00 for a waiter who
// sold nothing), and the bold "TOTAL HUESPEDES: " row with the guests of the waiter's orders (0 when
// none). The charts show the waiter's takings by hour and by week, and the categories of the grid.
//
// The waiter shown is the signed-in employee when the screen is opened as "sales summary" and the one
// a manager chose when it is opened as "sales per waiter". The verification key prints the closing
// report of the waiter SHOWN, never of the person who looks: a manager printing a waiter's report from
// here gets that waiter's figures. Whether the key is enabled depends on the signed-in employee's
// permission 46.
class VentasMesero {
public:
    struct Mesero {
        qint32 id = 0;
        QString nombre;
    };

    VentasMesero(TerminalContext& context, Mesero mesero);

    // The waiters a manager may choose ("SELECT * FROM Vw_EmpleadosDisponibles": identifier, name); no
    // value when the database failed (reported).
    static std::optional<QList<Mesero>> meseros(BaseDatos& baseDatos);

    // Reads the sheet, the charts' figures and the signed-in employee's permission 46. False when a
    // statement failed (reported once): the sheet then holds no rows rather than half of them, and the
    // verification key stays disabled when the permission could not be read.
    bool cargar();
    const Mesero& mesero() const { return m_mesero; }
    const HojaResumen& hoja() const { return m_hoja; }
    const CifrasGraficas& cifras() const { return m_cifras; }
    bool puedeVerificar() const { return m_verificar; }

    // The verification key: the closing report of the waiter shown, refused (and said so) while that
    // waiter holds open tables. Nothing without permission 46. True when the report was queued.
    bool verificar();

private:
    bool cargarHoja();

    TerminalContext& m_context;
    Mesero m_mesero;
    ColaImpresion m_cola;
    HojaResumen m_hoja;
    CifrasGraficas m_cifras;
    bool m_verificar = false;
};

} // namespace nerin
