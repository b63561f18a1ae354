#pragma once

#include "data/RecordSet.h"
#include "printing/ContextoImpresion.h"

#include <optional>

namespace nerin {

// The rules of the printer redirection screens (FrmRedirigirImpresora, FrmEscogerImpresora): every
// printer with the printer that receives its jobs, the printers a target is chosen from, and the
// redirection itself, written to table Impresora.
//
// A printer's jobs go to its Redirigido, and the print queue follows a redirected target on to that
// target's own. A redirection that would lead the jobs back to the printer they came from is refused:
// the queue could print none of the jobs caught in it. Redirecting a printer to itself undoes its
// redirection.
class RedirigirImpresora {
public:
    explicit RedirigirImpresora(const ContextoImpresion& contexto);

    // Vw_Impresoras, one row per printer: Id_Impresora, Nombre_Impresora, Estado_1, Redirigido,
    // Nombre_Impresora1, Estado_2. No value when the database failed (reported).
    std::optional<RecordSet> Llenar_Spread();
    // The printers a target is chosen from: ID_Impresora and Nombre_Impresora. No value when the
    // database failed (reported).
    std::optional<RecordSet> destinos();

    // Sends the jobs of `impresora` to `destino` and marks `impresora` active ('A'). Without a target
    // the person is asked to choose one; a target whose jobs already end up at `impresora` is refused
    // with a message that names the way they go. Nothing is written in either case, nor when reading
    // the printers fails (reported). True when the redirection was written.
    bool Redirigir(qint32 impresora, std::optional<qint32> destino);

private:
    ContextoImpresion m_contexto;
};

} // namespace nerin
