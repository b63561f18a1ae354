#pragma once

#include <QString>
#include <optional>

namespace nerin {

struct ContextoImpresion;

// The printers of this terminal, looked up in table Impresora. Each lookup that finds none tells the
// user through the message window with the text its documents have always shown, and gives no value.
class ImpresorasTerminal {
public:
    explicit ImpresorasTerminal(const ContextoImpresion& contexto) : m_contexto(contexto) {}

    // The local ticket printer (account ticket, grid printouts): "EsDeCheques=1 AND ID_Terminal=" +
    // terminal. Without one: "No hay definidas impresoras locales en esta terminal".
    std::optional<qint32> local() const;
    // The same printer as the staff reports look it up ("ID_Terminal=" + terminal +
    // " AND Esdecheques=1"). Without one: "No existe la impresora local de tickets".
    std::optional<qint32> localReportes() const;
    // The invoice printer: "Fiscal=1 AND Id_Terminal=" + terminal. Without one:
    // "No hay impresoras fiscales en esta terminal!".
    std::optional<qint32> fiscal() const;

    static constexpr const char* kSinLocal = "No hay definidas impresoras locales en esta terminal";
    static constexpr const char* kSinLocalReportes = "No existe la impresora local de tickets";
    static constexpr const char* kSinFiscal = "No hay impresoras fiscales en esta terminal!";

private:
    std::optional<qint32> buscar(const QString& condicion, const char* mensaje) const;

    const ContextoImpresion& m_contexto;
};

} // namespace nerin
