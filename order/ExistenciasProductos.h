#pragma once

#include "data/RecordSet.h"

#include <optional>

namespace nerin {

class TerminalContext;

// The stock of products as the stock screen lists and sets it.
class ExistenciasProductos {
public:
    explicit ExistenciasProductos(TerminalContext& context);

    // The submenus that hold products, by name.
    std::optional<RecordSet> categorias();
    // The active products with their stock, by name; of one category when `categoria` is not 0.
    std::optional<RecordSet> productos(qint32 categoria = 0);
    // Asks for the product's stock on the numeric keypad and stores it; the new stock, or nothing
    // when cancelled or not stored.
    std::optional<qint64> fijar(qint32 producto, const QString& nombre);

private:
    TerminalContext& m_context;
};

} // namespace nerin
