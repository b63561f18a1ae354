#include "reports/FrmRepHuespedes.h"

#include "reports/FrmMesasMesero.h"

#include <QPushButton>
#include <QTableWidget>

namespace nerin {

FrmRepHuespedes::FrmRepHuespedes(TerminalContext& context, QWidget* parent)
    : PantallaResumen(parent, QStringLiteral("FrmRepHuespedes"), QStringLiteral("Huéspedes por mesero")),
      m_huespedes(context) {
    // A waiter is chosen by touching the row.
    grid()->setSelectionMode(QAbstractItemView::SingleSelection);
    grid()->setSelectionBehavior(QAbstractItemView::SelectRows);
    QPushButton* cmdMesasMesero =
        agregarTecla(QStringLiteral("Mesas del mesero"), QStringLiteral("cmdMesasMesero"));
    connect(cmdMesasMesero, &QPushButton::clicked, this, [this] { mesasMesero(); });
    // A failed read was reported; what was read is shown.
    static_cast<void>(m_huespedes.cargar());
    mostrarHoja(m_huespedes.hoja());
    // Guests and tables are counts: to the right, as numbers stand.
    for (int fila = 0; fila < grid()->rowCount(); ++fila) {
        for (const int columna : {1, 2}) {
            if (QTableWidgetItem* cuenta = grid()->item(fila, columna))
                cuenta->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
    }
    mostrarGraficas(m_huespedes.cifras());
}

void FrmRepHuespedes::mesasMesero() {
    std::optional<int> fila;
    if (grid()->selectionModel()->hasSelection() && grid()->currentRow() >= 0)
        fila = grid()->currentRow() + 1;
    const std::optional<QList<RepHuespedes::Mesa>> mesas = m_huespedes.mesas(fila);
    if (!mesas)
        return;
    FrmMesasMesero lista(m_huespedes.hoja().celda(*fila, 0).texto, *mesas, this);
    lista.mostrar();
}

} // namespace nerin
