#pragma once

#include "access/Funciones.h"
#include "printing/ColaImpresion.h"

#include <QList>
#include <QWidget>

class QGroupBox;
class QLabel;
class QPushButton;

namespace nerin {

class AccessScreen;
class TerminalContext;

// The functions menu: everything that is not taking an order. A general row (open tables, a new table,
// the waiter's closing report, clock-in, exit) and three groups of buttons ("Sistemas", "Reportes",
// "Financieras") shown one at a time. Only the buttons the signed-in employee's permissions allow are
// enabled; the rules and actions live in Funciones. The screen is kept between sign-ins and reads the
// employee's permissions each time it is shown.
class FrmFunciones : public QWidget {
public:
    FrmFunciones(TerminalContext& context, AccessScreen& acceso, QWidget* parent = nullptr);
    ~FrmFunciones() override;

    // Brings the menu to the front for the signed-in employee.
    void mostrar();

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct BotonMenu {
        Funciones::Boton boton;
        QPushButton* tecla;
    };

    void construir();
    void mostrarGrupo(int grupo);
    void habilitar();
    void pulsar(Funciones::Boton boton);

    TerminalContext& m_context;
    ColaImpresion m_cola;
    Funciones m_funciones;
    bool m_ocupado = false;
    QList<BotonMenu> m_botones;
    QList<QGroupBox*> m_grupos;
    QLabel* m_lblEmpleado = nullptr;
};

} // namespace nerin
