#pragma once

#include "ui/ModalScreen.h"

class QLineEdit;

namespace nerin {

class TerminalContext;

// Logging in with a user name and password. Touching either box opens the on-screen keyboard for it
// ("Ingresar usuario", "Ingresar contraseña"; the password is shown as "*"); "Aceptar" asks for what is
// still missing and checks both (LoginEmpleado). A refused login clears both boxes for another try;
// an accepted one closes the window with getValido true. "Cancelar" closes it with getValido false.
class FrmLogin : public ModalScreen {
public:
    // `clave` is the installation's key under which the passwords are stored.
    FrmLogin(TerminalContext& context, QString clave, QWidget* parent = nullptr);

    bool getValido() const { return m_valido; }
    // The user who logged in; empty until one did.
    QString getUsuario() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool pedirUsuario();
    bool pedirContrasena();
    void aceptar();

    TerminalContext& m_context;
    QString m_clave;
    bool m_valido = false;
    QString m_contrasena;
    QLineEdit* m_txtUsuario;
    QLineEdit* m_txtContrasena;
};

} // namespace nerin
