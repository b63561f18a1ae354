#pragma once

#include "data/RecordSet.h"
#include "ui/ModalScreen.h"

#include <optional>

class QTableWidget;

namespace nerin {

// What the screens that pick one order from a list share: a title, the list (grdMesas) with arrow keys
// that move the chosen row, the screen's own action key and "Cancelar", and, where offered, "Mesas"
// (back to the open-tables screen) and "Salir" (sign out). The caller reads salida() after it closes.
class FrmListaMesas : public ModalScreen {
public:
    enum class Salida { Cancelar, Mesas, Salir };
    Salida salida() const { return m_salida; }

protected:
    struct Columna {
        int indice;     // in the rows given to mostrarFilas
        QString titulo; // "Total" shows an amount
    };

    FrmListaMesas(QWidget* parent, const QString& nombre, const QString& titulo, const QString& accion,
                  const QString& nombreAccion, bool conSalidas);

    // Shows these columns of the rows; no rows (a failed read) empties the list.
    void mostrarFilas(std::optional<RecordSet> filas, const QList<Columna>& columnas);
    // The values of the chosen row; none when no row is chosen.
    const QList<DbValue>* filaElegida() const;
    // The action key; the list is refilled by the screen itself when it needs.
    virtual void accion() = 0;

private:
    QTableWidget* m_grdMesas;
    RecordSet m_filas;
    Salida m_salida = Salida::Cancelar;
};

} // namespace nerin
