#pragma once

#include <QString>

namespace nerin {

class TerminalContext;

// Logging in with a user name and password instead of a card: the rule behind FrmLogin. Only active
// users of a work group that holds permission 27 can log in this way. The stored password is
// deciphered with DES under the installation's key (the one the card numbers are stored under) and
// compared with the typed one exactly.
class LoginEmpleado {
public:
    enum class Resultado {
        Valido,
        UsuarioInvalido,     // "El usuario es inválido o no tiene privilegios suficientes"
        ContrasenaIncorrecta // "La contraseña es incorrecta"
    };

    static constexpr int kPermisoLogin = 27;

    LoginEmpleado(TerminalContext& context, QString clave) : m_context(context), m_clave(std::move(clave)) {}

    // Checks the user and the password and tells the person when they are refused. A stored password
    // that does not decipher under the key counts as a wrong password.
    Resultado validar(const QString& usuario, const QString& contrasena);

private:
    TerminalContext& m_context;
    QString m_clave;
};

} // namespace nerin
