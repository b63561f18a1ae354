#pragma once

#include <QString>

namespace nerin {

// The document type letter passed with every print job, which also says where the job goes.
namespace TipoDocumento {
// Account ticket, grid printouts, employee verification report: the terminal's ticket printer.
inline const QString kTicket = QStringLiteral("T");
// Hours (clock-out) report: the terminal's ticket printer.
inline const QString kHoras = QStringLiteral("R");
// Invoice: the terminal's fiscal printer.
inline const QString kFactura = QStringLiteral("F");
// Kitchen orders and printer test pages: the kitchen printers of a group, or every active printer.
inline const QString kCocina = QStringLiteral("P");
} // namespace TipoDocumento

} // namespace nerin
