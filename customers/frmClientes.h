#pragma once

#include "customers/FichaCliente.h"
#include "ui/ModalScreen.h"

#include <QMap>

class QLineEdit;

namespace nerin {

class TerminalContext;

// The customer screen: the fields of one customer (name, surnames, birth date, street, district,
// town, postal code, R.F.C., company name, telephone, and the card; when registering, the e-mail
// address, age, gender, city and temporary card instead of the card), each with an edit key that
// opens the text keyboard (touching the field does the same); search keys by name, paternal surname,
// company name, R.F.C. and telephone, and "Lista" for the list of all customers; "Aceptar" and
// "Cancelar". A search that finds one customer loads it, one that finds several opens the list on
// them. "Aceptar" stores the customer (FichaCliente) and closes the screen once stored.
class frmClientes : public ModalScreen {
public:
    frmClientes(TerminalContext& context, FichaCliente::Modo modo, QWidget* parent = nullptr);

    FichaCliente& ficha() { return m_ficha; }
    // The customer stored or loaded when "Aceptar" closed the screen; 0 otherwise.
    qint64 elegido() const { return result() == QDialog::Accepted ? m_ficha.clave() : 0; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void mostrarCliente();
    void editar(FichaCliente::Campo campo);
    void buscar(FichaCliente::Filtro filtro);
    void lista(const ClientesLocales::Busqueda& busqueda);

    TerminalContext& m_context;
    FichaCliente m_ficha;
    QMap<FichaCliente::Campo, QLineEdit*> m_campos;
};

} // namespace nerin
