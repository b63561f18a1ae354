#pragma once

#include "data/RecordSet.h"

#include <QTime>
#include <QtGlobal>

namespace nerin {

class TerminalContext;

// The staff at work, as a supervisor sees them: with clock-in in use (terminal function 15) the
// employees clocked in, with their terminal, department and entry time; without it the employees
// signed in at a terminal. The supervisor who looks is left out. From the list an entry time is
// corrected and an employee is released from the terminal that holds them. Messages go through the
// context's prompts; database failures are reported by the database layer.
class MeserosFirmados {
public:
    static constexpr int kFuncionChecador = 15;

    explicit MeserosFirmados(TerminalContext& context) : m_context(context) {}

    // Reads the list again; false after a failure, when the list is left empty.
    bool cargar();
    // Columns: Id_Empleado, the name, Nombre_Terminal, Departamento, Hora_Inicio.
    const RecordSet& lista() const { return m_lista; }

    // Corrects the latest entry time of the employee of row `fila` (with clock-in in use): the time
    // keypad starts at that entry's time, and the time accepted keeps the entry's date. A time later
    // than the server's time now, or an employee without any entry, is refused with the reason.
    // True when the entry was changed; the list is then read again.
    bool corregirHora(int fila);

    // Releases the employee of row `fila` (-1 for none chosen) from the terminal that holds them and
    // frees the orders they held, both or neither, after the supervisor confirms. True when done; the
    // list is then read again.
    bool desfirmar(int fila);

private:
    qint32 empleadoDe(int fila) const;

    TerminalContext& m_context;
    RecordSet m_lista;
};

} // namespace nerin
