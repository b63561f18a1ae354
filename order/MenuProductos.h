#pragma once

#include "order/AgregarProducto.h"

#include <QList>
#include <QString>
#include <optional>

namespace nerin {

class ComandaActual;
class RecordSet;

// The terminal's menu as touch buttons: the submenus, the fixed submenus that are always shown, the
// products of a submenu with how many of each the account holds, the product search and barcodes.
class MenuProductos {
public:
    struct Boton {
        qint32 tag = 0; // the submenu or the product
        QString caption;
        bool habilitado = true;
    };
    struct Productos {
        QString titulo;
        QList<Boton> botones;
    };

    explicit MenuProductos(ComandaActual& comanda);

    // The submenus of the terminal's menu, and its fixed submenus; nothing when the database failed.
    std::optional<QList<Boton>> submenus();
    std::optional<QList<Boton>> fijos();
    // The active products of a submenu; each caption counts the account's stored items that are
    // neither cancelled nor inside a package, plus the lines not stored yet. Sold-out products are
    // disabled. The counts come from the server in three statements for the whole submenu.
    std::optional<Productos> MostrarProductosSubMenu(qint32 submenu);

    // A button's caption: "\n" in the name is a line break, and a count other than 0 goes below in
    // parentheses.
    static QString caption(const QString& nombreBoton, qint64 cuenta);
    // The caption after one more press: the count in parentheses goes up by one, or "(1)" is added.
    static QString unoMas(const QString& caption);
    // Whether the product can still be sold (its stock is not 0).
    bool disponible(qint32 producto);

    // The products whose full name contains `texto`, as the search results list them.
    std::optional<RecordSet> buscar(const QString& texto);
    // Adds a product chosen in the search results, unless it has been discontinued meanwhile; the
    // line added.
    std::optional<AgregarProducto::Agregada> agregarBuscado(qint32 producto, AgregarProducto& agregar);
    // Adds the product with this barcode, or says there is none; the line added.
    std::optional<AgregarProducto::Agregada> agregarCodigo(const QString& codigo, AgregarProducto& agregar);

private:
    std::optional<QList<Boton>> botones(const QString& sql);

    ComandaActual& m_comanda;
};

} // namespace nerin
