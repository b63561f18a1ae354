#pragma once

#include "access/FirmarEntrada.h"
#include "ui/ModalScreen.h"

#include <QDateTime>

class QLabel;
class QListWidget;
class QPushButton;
class QTimer;

namespace nerin {

// The clock-in screen for one employee: the name, the server's clock, the department and, for an
// employee who is clocked in, the shift's entry time. "Firmar" offers the employee's departments
// (scrolled with the up and down keys) and clocks in or out for the one touched, or at once for an
// employee without departments; the screen closes once something was recorded and stays after a
// refusal or a failure. "Cancelar" closes without changes. checada() says what was recorded.
class FrmFirmarEntrada : public ModalScreen {
public:
    FrmFirmarEntrada(TerminalContext& context, qint16 idEmpleado, QWidget* parent = nullptr);

    Navegacion::Checada checada() const { return m_checada; }

private:
    void pedirDepartamento();
    void firmar(qint32 idDepartamento);
    void mostrarHora();

    FirmarEntrada m_firmar;
    Navegacion::Checada m_checada = Navegacion::Checada::Ninguna;
    QDateTime m_hora;
    QTimer* m_reloj;
    QLabel* m_lblHora;
    QListWidget* m_lstDepartamentos;
    QPushButton* m_cmdFirmar;
    QPushButton* m_cmdArriba;
    QPushButton* m_cmdAbajo;
};

} // namespace nerin
