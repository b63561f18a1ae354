#pragma once

#include "keyboards/NumeroTecleado.h"
#include "tables/MesaNueva.h"

#include <QWidget>

class QLineEdit;
class QRadioButton;
class QVBoxLayout;

namespace nerin {

// The table-number keypad that the screens giving an order a number share: the number box (txtMesa),
// ten digit keys, "Borrar" (empties the box) and "<---" (removes the last digit), and the kinds of
// service "Comedor" (chosen at first), "Para llevar" and "Domicilio". Its keys never take the focus.
class TecladoMesa : public QWidget {
public:
    explicit TecladoMesa(QWidget* parent);

    // Types a text as the digit keys would: its digits are added, anything else is ignored.
    void teclear(const QString& texto);
    // "<---".
    void borrar();
    // "Borrar".
    void limpiar();
    const QString& texto() const { return m_tecleado.texto(); }

    MesaNueva::Servicio servicio() const;
    // Hides or shows the kinds of service.
    void mostrarServicios(bool visibles);
    // The column beside the keys, below the kinds of service, where the screen puts its own keys.
    QVBoxLayout* columna() { return m_columna; }

private:
    void mostrarNumero();

    NumeroTecleado m_tecleado;
    QLineEdit* m_txtMesa = nullptr;
    QRadioButton* m_optComedor = nullptr;
    QRadioButton* m_optParaLlevar = nullptr;
    QRadioButton* m_optDomicilio = nullptr;
    QVBoxLayout* m_columna = nullptr;
};

} // namespace nerin
