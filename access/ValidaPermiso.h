#pragma once

#include <QString>

namespace nerin {

class TerminalContext;

// Whether the person who swipes a card holds a permission: the rule behind the authorisation window.
// Any permission number is accepted, also those above 68 that have no flag, since the check counts the
// rows of Vw_Permisos directly.
class ValidaPermiso {
public:
    enum class Resultado {
        Valido,          // the card's employee holds the permission
        SinPermiso,      // a valid card without the permission ("No tiene permisos!")
        TarjetaInvalida, // no active employee has the card ("Tarjeta inválida")
    };

    ValidaPermiso(TerminalContext& context, int permiso) : m_context(context), m_permiso(permiso) {}

    // Looks the card text up (upper-cased) and checks the permission; tells the person when refused.
    Resultado validar(const QString& tarjeta);
    // The employee of the last card checked; 0 when it was not valid.
    int empleado() const { return m_empleado; }

private:
    TerminalContext& m_context;
    int m_permiso;
    int m_empleado = 0;
};

} // namespace nerin
