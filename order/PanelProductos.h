#pragma once

#include "order/FraPaquetes.h"
#include "order/MenuProductos.h"
#include "order/Modificadores.h"

#include <QWidget>
#include <functional>

class QGridLayout;
class QLabel;
class QPushButton;

namespace nerin {

// The order screen's menu area: a row of submenu buttons with paging and "Cerrar", the fixed
// submenus, and a page of product buttons with their counts. Pressing a product bumps its count at
// once and hands the product to `alElegir`, which says whether it went on the account.
class PanelProductos : public QWidget {
public:
    static constexpr int kColumnas = 4;
    static constexpr int kFilas = 5;
    static constexpr int kSubmenusPorPagina = 3;

    PanelProductos(MenuProductos& menu, std::function<bool(qint32 producto)> alElegir,
                   QWidget* parent = nullptr);

    // CrearBotonesMenu: the submenus and the fixed submenus.
    void CrearBotonesMenu();
    // The products of a submenu, from its first page.
    void MostrarProductosSubMenu(qint32 submenu);
    // Rebuilds the current submenu's products, keeping the page (after storing or repeating).
    void refrescar();
    void paginaSiguiente();
    void paginaAnterior();

    // The modifier panel in place of the product buttons: "<< REGRESAR" first, then one button per
    // modifier; the paging arrows page through the modifiers while it stands. A modifier pressed goes
    // to `alElegir`; "<< REGRESAR" brings the products back.
    void mostrarModificadores(const QList<Modificadores::Boton>& modificadores,
                              std::function<void(qint32 modificador)> alElegir);
    // Brings the products back in place of the modifier panel, when it stands.
    void cerrarModificadores();
    bool modificadoresVisibles() const { return m_modoModificadores; }

    // Places the package panel, and the fixed-menu keys cmdMenuFijo0 (back to the products), 1
    // (packages to insert), 2 (packages to choose contents for) and 3 (gifts), which show it in
    // place of the product buttons; the paging arrows page through it while it stands.
    void setPaquetes(FraPaquetes* paquetes);
    void mostrarPaquetes(FraPaquetes::Modo modo);
    // Brings the products back in place of the package panel, when it stands.
    void cerrarPaquetes();
    bool paquetesVisibles() const { return m_paquetes != nullptr && !m_paquetes->isHidden(); }

private:
    void crearBotonesSubmenus();
    void CrearBotonesProductos();
    QPushButton* crearBoton(const QString& texto, const QString& nombre, QWidget* padre);
    void presionar(QPushButton* boton, qint32 producto);
    void crearBotonesModificadores();
    int porPagina() const;
    void ocultarPaquetes();

    MenuProductos& m_menu;
    std::function<bool(qint32)> m_alElegir;
    QList<MenuProductos::Boton> m_submenus;
    int m_paginaSubmenus = 0;
    qint32 m_submenu = 0;
    MenuProductos::Productos m_productos;
    int m_pagina = 0;
    bool m_modoModificadores = false;
    QList<Modificadores::Boton> m_modificadores;
    std::function<void(qint32)> m_alModificar;
    int m_paginaModificadores = 0;

    QGridLayout* m_rejillaSubmenus = nullptr;
    QGridLayout* m_rejillaFijos = nullptr;
    QGridLayout* m_rejillaProductos = nullptr;
    QLabel* m_lblSubMenu = nullptr;
    FraPaquetes* m_paquetes = nullptr;
};

} // namespace nerin
