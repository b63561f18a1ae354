-- Products, taxes, menus and the submenus (categories) the order screen shows.

-- Tax rates; Porcentaje is a fraction (0.16 for 16 %).
CREATE TABLE Impuesto (
    ID_Impuesto int NOT NULL PRIMARY KEY,
    Nombre_Impuesto varchar(30) NOT NULL DEFAULT '',
    Porcentaje decimal(9,4) NOT NULL DEFAULT 0
)
GO

-- One row per product. Nombre_Boton is the button caption, Nombre_Cuenta the name on accounts and
-- tickets, Nombre_Completo the searchable name. Existencia is the stock kept by the server
-- procedures (exactly 0: sold out; negative allowed). ID_Grupo_Impresoras routes the product to
-- the kitchen (0: not printed). Paquete marks a package, especial the products counted for the
-- contest block, Abierto an open price asked on the keypad. ID_Impuesto is the product's tax (NULL:
-- untaxed); ID_Categoria the submenu under which its stock and sales are reported. Prices live per
-- menu in PreciosXMenu. Order-item columns and Orden, ID_Submenu, Numero must never be added here:
-- the order screen joins Producto with those tables using unqualified names.
CREATE TABLE Producto (
    ID_Producto int NOT NULL PRIMARY KEY,
    Nombre_Boton varchar(50) NOT NULL DEFAULT '',
    Nombre_Cuenta varchar(20) NOT NULL DEFAULT '',
    Nombre_Completo varchar(100) NOT NULL DEFAULT '',
    Existencia int NOT NULL DEFAULT 0,
    Estado char(1) NOT NULL DEFAULT 'A',
    codigo_barras varchar(30) NULL,
    ID_Grupo_Modificadores int NULL,
    ID_Grupo_Impresoras int NOT NULL DEFAULT 0,
    Paquete bit NOT NULL DEFAULT 0,
    especial bit NOT NULL DEFAULT 0,
    Abierto bit NOT NULL DEFAULT 0,
    ID_Impuesto int NULL,
    ID_Categoria int NULL
)
GO
CREATE INDEX IX_Producto_Codigo_Barras ON Producto (codigo_barras)
GO
CREATE INDEX IX_Producto_Categoria ON Producto (ID_Categoria)
GO

-- Menus: each terminal shows one menu (Terminal.Id_Menu).
CREATE TABLE Menu (
    Id_Menu int NOT NULL PRIMARY KEY,
    Nombre_Menu varchar(50) NOT NULL DEFAULT ''
)
GO

-- The price of a product in a menu, taxes included (the price shown and charged).
CREATE TABLE PreciosXMenu (
    Id_Menu int NOT NULL,
    ID_Producto int NOT NULL,
    Precio_Producto money NOT NULL DEFAULT 0,
    PRIMARY KEY (ID_Producto, Id_Menu)
)
GO

-- Submenus: the product pages of the order screen, also the categories of stock and sales
-- reports. Submenu_Fijo marks the ones with a fixed button. No text/image columns: read with
-- SELECT DISTINCT sub.*.
CREATE TABLE SubMenu (
    ID_SubMenu int NOT NULL PRIMARY KEY,
    Nombre_SubMenu varchar(30) NOT NULL DEFAULT '',
    Submenu_Fijo bit NOT NULL DEFAULT 0
)
GO

-- The submenus of each menu, in button order.
CREATE TABLE SubmenuxMenu (
    Id_Menu int NOT NULL,
    id_submenu int NOT NULL,
    Orden int NOT NULL DEFAULT 0,
    PRIMARY KEY (Id_Menu, id_submenu)
)
GO

-- The products of each submenu, in button order.
CREATE TABLE ProductosXSubmenu (
    ID_Submenu int NOT NULL,
    ID_Producto int NOT NULL,
    Orden int NOT NULL DEFAULT 0,
    PRIMARY KEY (ID_Submenu, ID_Producto)
)
GO
CREATE INDEX IX_ProductosXSubmenu_Producto ON ProductosXSubmenu (ID_Producto)
GO
