#pragma once

#include <QSet>
#include <QString>
#include <QtGlobal>

namespace nerin {

class AccessScreen;
class ColaImpresion;
class TerminalContext;

// The rules of the functions menu (FrmFunciones): which of its buttons the signed-in employee may
// use, and what each one does. The menu's screens are reached through the context's Navegacion; the
// short actions (print test, switching off, close of day, the waiter's closing report, clock-out) are
// done here. Messages go through the context's prompts; print jobs through the queue given.
class Funciones {
public:
    enum class Boton {
        CambioTarjetas,       // 27: employee cards
        MesasAbiertas,        // 28: the open tables
        MesaNueva,            // 29: open a table
        AjustePropinas,       // 30
        Cortesias,            // 31: the open tables, to choose the order for a courtesy
        RedirigirGrupo,       // 32
        PruebaImpresion,      // 33
        RedirigirImpresoras,  // 33
        ColaImpresion,        // 33: whether the print-queue program runs
        ArticulosDisponibles, // 34
        ArticulosCancelados,  // 35
        PersonalFirmado,      // 41
        Activar,              // 43
        Apagar,               // 43
        Reiniciar,            // 43
        Reimprimir,           // 44
        Verificacion,         // 46: the waiter's closing report
        ResumenPagos,         // 47
        MesasEnCero,          // 50
        ReabrirMesa,          // 50: the same supervisors reopen a table closed by mistake
        ResumenVentas,        // 51
        VentaTotal,           // 52
        Sincronizar,          // 53
        UnirMesas,            // 54
        ReporteHuespedes,     // 55
        VentasMesero,         // 58
        TarjetaProvisional,   // 68
        RegistrarCliente,     // 69
        FinDia,               // every employee
        Checador,             // every employee, on terminals with function 15
        Salir,                // every employee
    };

    // What the menu does once a button's work is done.
    enum class Despues {
        Quedarse, // the menu stays in front
        Ocultar,  // another screen took the front (the open tables, the order screen)
        Fuera,    // the employee left the system: the access screen stands
    };

    static constexpr int kFuncionChecador = 15;
    static constexpr const char* kPreguntaFinDia = "¿Desea cerrar el día?";

    Funciones(TerminalContext& context, AccessScreen& acceso, ColaImpresion& cola);

    // Reads the signed-in employee's permissions among those the menu cares about; afterwards
    // habilitado() answers for that employee. False when the database failed (already reported): then
    // only the buttons every employee has are enabled.
    [[nodiscard]] bool cargarPermisos();
    // Whether the button may be pressed by the employee whose permissions were read last.
    bool habilitado(Boton boton) const;
    // Whether the button is part of this terminal's menu at all (clock-in needs function 15).
    bool visible(Boton boton) const;

    // Does what the button does. A button that is not enabled does nothing.
    Despues pulsar(Boton boton);

    // The permission that enables a button; 0 for the buttons every employee has.
    static int permiso(Boton boton);

private:
    Despues apagarOReiniciar(bool reiniciar);
    Despues finDia();
    Despues verificacion();
    Despues checador();
    Despues colaImpresion();
    Despues registrarClientes();
    // Binds a temporary card, its folio typed twice, to the permanent card swiped next.
    Despues tarjetaProvisional();
    Despues salir();

    TerminalContext& m_context;
    AccessScreen& m_acceso;
    ColaImpresion& m_cola;
    QSet<int> m_permisos;
    bool m_activado = false; // "Activar" is pressed once per showing of the menu
};

} // namespace nerin
