#pragma once

#include "cashier/Cortesias.h"
#include "ui/ModalScreen.h"

class QButtonGroup;
class QLabel;
class QTableWidget;

namespace nerin {

class TerminalContext;

// The courtesy screen of one order: the items of the chosen account that may carry a courtesy, with
// the courtesy each one has, touched one by one to choose them (none chosen: the whole account); a
// key per account, a key per courtesy type, "Porcentaje" and "Importe" to give the chosen type over
// the value keypad, "Quitar cortesía" to take courtesies off, and "Cerrar". Every rule is in
// Cortesias; after each change the list and the account's total are read again.
class FrmVerComandaC : public ModalScreen {
public:
    // `titulo` goes before the title label's own text (the table's number).
    FrmVerComandaC(TerminalContext& context, qint32 idComanda, qint16 control, const QString& titulo,
                   QWidget* parent = nullptr);

    qint16 cuenta() const { return m_cuenta; }

private:
    void elegirCuenta(qint16 cuenta);
    void llenar();
    QList<qint64> elegidos() const;
    void dar(bool porcentaje);
    void quitar();

    TerminalContext& m_context;
    Cortesias m_cortesias;
    QList<Cortesias::Tipo> m_tipos;
    QList<Cortesias::Articulo> m_articulos;
    qint16 m_cuenta = 1;
    QLabel* m_lblCuenta;
    QTableWidget* m_grdProductos;
    QButtonGroup* m_grupoTipos;
};

} // namespace nerin
