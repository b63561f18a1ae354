#pragma once

#include "order/GridComanda.h"

#include <QWidget>
#include <functional>

class QKeyEvent;
class QLabel;
class QLineEdit;

namespace nerin {

// The order screen's account column: the item grid with its scroll keys, the totals, and the
// barcode box with its key. A code is handed to `alCodigo` when the box's key or Enter is pressed.
class PanelCuenta : public QWidget {
public:
    PanelCuenta(const CuadriculaComanda& cuadricula, std::function<void()> alCodigo,
                QWidget* parent = nullptr);

    GridComanda* grid() { return m_grid; }
    void mostrarTotales(const QString& total, const QString& totalDolares);

    QString codigo() const;
    void limpiarCodigo();
    // The barcode box takes the focus when it can.
    void foco();
    // A barcode reader types like a keyboard: keys that reach the screen go to the barcode box.
    // False for the keys it leaves to the screen.
    bool teclear(QKeyEvent* event);

private:
    GridComanda* m_grid = nullptr;
    QLabel* m_lblTotal = nullptr;
    QLabel* m_lblTotalUS = nullptr;
    QLineEdit* m_txtInsBarras = nullptr;
    std::function<void()> m_alCodigo;
};

} // namespace nerin
