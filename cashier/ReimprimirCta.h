#pragma once

#include "data/RecordSet.h"
#include "printing/ColaImpresion.h"

#include <QSet>
#include <optional>

namespace nerin {

class TerminalContext;

// The rules of the reprint screen (FrmReimprimircta): the accounts of the working date whose ticket can
// be printed again (Vw_ReimprimirCta) and the reprint of one of them.
//
// The list holds every account for an employee with permission 42 and only the employee's own
// otherwise. It is newest first by folio (ID_Comanda descending, then Control descending, then the
// account number): folios come from one counter in the order tables are opened, so the highest is the
// newest table; unlike the closing time it is never empty (an open table's printed pre-bill is listed
// too), and it is the number the person reads on the ticket in hand.
//
// Of the permissions 28, 36 and 37 read with the list, only 37 ("VER MESA") means something here: it
// enables "Aceptar", since a reprint shows an account's contents again. 28 (transferring) and 36
// (opening another table) have no key on this screen. "Cancelar" and "Salir" are always enabled, so that
// nobody is kept on the screen.
class ReimprimirCta {
public:
    // The account a grid row names (columns 1, 3 and 7 of the view).
    struct Fila {
        qint32 idComanda = 0;
        qint16 numCuenta = 0;
        qint16 control = 0;
    };

    explicit ReimprimirCta(TerminalContext& context);

    // Reads the signed-in employee's permissions 42 and 28, 36, 37. False when the database failed
    // (reported); the permissions read so far are then none, so the list is the employee's own and
    // "Aceptar" is disabled.
    bool cargarPermisos();
    bool todas() const { return m_permisos.contains(42); }
    bool puedeReimprimir() const { return m_permisos.contains(37); }

    // Every column of Vw_ReimprimirCta for the accounts this employee may reprint, newest first; no
    // value when the database failed (reported).
    std::optional<RecordSet> Llenar_Spread();
    static Fila fila(const QList<DbValue>& valores);

    // "Aceptar": prints the account's ticket again, without its payments, on the terminal's ticket
    // printer, leaving Cuenta.Num_Impresiones as it is. A Bitacora row records the reprint before the
    // ticket is queued, so that no reprint leaves the terminal unrecorded: when the row cannot be
    // written nothing is printed. A ticket that fails to compose after that is reported once by
    // ImprimirCuenta and never released to the printer; its row stays as the record of the attempt.
    // Nothing at all without a row (`fila` null); on a terminal without a ticket printer the person is
    // told so and nothing is recorded. True when the ticket was queued.
    bool Reimprimir(const Fila* fila);

private:
    TerminalContext& m_context;
    ColaImpresion m_cola;
    QSet<int> m_permisos;
};

} // namespace nerin
