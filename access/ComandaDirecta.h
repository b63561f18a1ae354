#pragma once

#include <QtGlobal>
#include <optional>

namespace nerin {

class Navegacion;
class TerminalContext;

// The sign-in's straight way to the order screen, for a terminal or an employee set up to skip the
// open-tables screen: the employee's newest open order is shown when there is one; otherwise the
// employee is asked whether to open a new table, which is opened as a delivery order ("O") numbered
// after the employee's highest open table. Either order is locked for the employee before it is
// shown; one that another employee holds is not shown: "Mesa en uso por " and who has it.
class ComandaDirecta {
public:
    explicit ComandaDirecta(TerminalContext& context) : m_context(context) {}

    // Shows the order screen through `navegacion` and returns true; false when the employee declined
    // the new table, the order is held by someone else, or the table could not be opened (the
    // failure is reported by the database layer).
    bool abrir(Navegacion& navegacion, qint16 idEmpleado);

private:
    struct Existente {
        qint32 idComanda = 0;
        qint32 control = 0;
        qint16 numCuenta = 1;
    };
    std::optional<Existente> existente(qint16 idEmpleado);
    qint32 abrirMesa(qint16 idEmpleado);

    TerminalContext& m_context;
};

} // namespace nerin
