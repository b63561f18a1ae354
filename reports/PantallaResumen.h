#pragma once

#include "tables/FrmListaMesas.h"
#include "ui/ModalScreen.h"

class QHBoxLayout;
class QLabel;
class QTableWidget;

namespace nerin {

class GraficasVentas;
class HojaResumen;
struct CifrasGraficas;

// What the summary screens share: a title, the grid of figures (`grdResumen`) with its page keys
// (`cmdArriba`, `cmdAbajo`), the charts beside it, and a row of keys that ends with the ways out:
// the open tables (`cmdMesas`), back to the functions menu (`cmdFunciones`) and signing out
// (`cmdSalir`). A screen adds its own keys before those with agregarTecla().
class PantallaResumen : public ModalScreen {
public:
    // How the person left: back to the menu (Cancelar), to the open tables, or signing out.
    FrmListaMesas::Salida salida() const { return m_salida; }

protected:
    PantallaResumen(QWidget* parent, const QString& nombre, const QString& titulo);

    // Shows `hoja` in the grid as it stands: amounts to the right as "#,##0.00", bold where the
    // sheet says, hidden columns hidden, the column titles as headers.
    void mostrarHoja(const HojaResumen& hoja);
    void mostrarGraficas(const CifrasGraficas& cifras);
    // A key of this screen, placed before the ways out.
    QPushButton* agregarTecla(const QString& texto, const QString& nombre);
    QLabel* titulo() const { return m_lblTitulo; }
    QTableWidget* grid() const { return m_grdResumen; }

private:
    void salirCon(FrmListaMesas::Salida salida);
    // Scrolls the grid a page up (-1) or down (1).
    void paginar(int sentido);

    QLabel* m_lblTitulo;
    QTableWidget* m_grdResumen;
    GraficasVentas* m_graficas;
    QHBoxLayout* m_teclas;
    FrmListaMesas::Salida m_salida = FrmListaMesas::Salida::Cancelar;
};

} // namespace nerin
