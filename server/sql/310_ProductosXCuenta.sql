-- The items ordered on each account, with their modifiers, taxes, package bookkeeping and
-- courtesies.

-- One row per item; ID_ProductosXCuenta is the item folio returned by Insertar_Producto. Precio is
-- the gross price charged (taxes included). Preparado: sent to the kitchen (Hora_Preparacion: when);
-- Retenido: held back until its serving time (Tiempo_requerido) is sent by Mandar_Tiempo. A package
-- head carries its own folio in ID_Paquete and its components the head's folio (NULL: ordinary
-- item). A cancelled item keeps its row with ID_Tipo_Anulacion set; every total counts only rows
-- where it is NULL. Nombre_Producto is the name the terminal sent for the line, Tipo_Linea its line
-- kind, Grupo_Impresion the printer group it was sent with. Names such as Nombre_Cuenta, Paquete,
-- ID_Grupo_Impresoras, Precio_Venta, Impuesto must never be added here: they are named unqualified
-- in joins with Producto and the tax views.
CREATE TABLE ProductosXCuenta (
    ID_ProductosXCuenta int IDENTITY(1,1) NOT NULL PRIMARY KEY,
    ID_Comanda int NOT NULL,
    Control smallint NOT NULL,
    Num_Cuenta smallint NOT NULL DEFAULT 1,
    ID_Producto int NOT NULL,
    Precio money NOT NULL DEFAULT 0,
    Comentario varchar(1000) NULL,
    Preparado bit NOT NULL DEFAULT 0,
    Retenido bit NOT NULL DEFAULT 0,
    Tiempo_requerido int NOT NULL DEFAULT 1,
    Hora_Preparacion datetime NULL,
    ID_Paquete int NULL,
    ID_Seccion_Paquete int NULL,
    ID_Tipo_Anulacion int NULL,
    Empleado_Anulacion int NULL,
    Hora_Anulacion datetime NULL,
    ID_Promocion int NOT NULL DEFAULT 0,
    Tipo_Linea char(2) NOT NULL DEFAULT 'P',
    Nombre_Producto varchar(20) NULL,
    Grupo_Impresion int NULL,
    Hora_Alta datetime NOT NULL DEFAULT (getdate())
)
GO
-- Every screen reads the items of one account; packages find their components by head folio.
CREATE INDEX IX_ProductosXCuenta_Cuenta ON ProductosXCuenta (ID_Comanda, Control, Num_Cuenta)
GO
CREATE INDEX IX_ProductosXCuenta_Paquete ON ProductosXCuenta (ID_Paquete)
GO

-- Modifiers stored on an item (written by Inserta_Modificador). A free-text modifier has
-- ID_Tipo_Modificador 0 and its text as name, so the key is an identity, not the item and modifier
-- pair. Precio_Modificador is gross; Impuesto_Modificador its tax part, computed by the server.
-- Marca is the 1/0 flag the terminal sends with each modifier. Item columns (ID_Comanda, Control,
-- Num_Cuenta, ID_Tipo_Anulacion) must never be added: they are named unqualified in a join.
CREATE TABLE Modificador (
    ID_Modificador int IDENTITY(1,1) NOT NULL PRIMARY KEY,
    ID_ProductosXCuenta int NOT NULL,
    ID_Tipo_Modificador int NOT NULL DEFAULT 0,
    Nombre_Modificador varchar(20) NOT NULL DEFAULT '',
    Precio_Modificador money NOT NULL DEFAULT 0,
    Impuesto_Modificador money NOT NULL DEFAULT 0,
    Marca bit NOT NULL DEFAULT 0
)
GO
CREATE INDEX IX_Modificador_Producto ON Modificador (ID_ProductosXCuenta, ID_Tipo_Modificador)
GO

-- The tax of each item (one row per item, 0 when untaxed), written by Insertar_Producto.
CREATE TABLE ImpuestosXCuenta (
    ID_ImpuestosXCuenta int IDENTITY(1,1) NOT NULL PRIMARY KEY,
    ID_ProductosXCuenta int NOT NULL,
    ID_Impuesto int NULL,
    Monto_ImpuestosXCuenta money NOT NULL DEFAULT 0
)
GO
CREATE INDEX IX_ImpuestosXCuenta_Producto ON ImpuestosXCuenta (ID_ProductosXCuenta)
GO

-- How many components of each section a package head has received; the terminal creates the row
-- with the first component, hence Ordenados defaults to 1.
CREATE TABLE Control_Paquetes (
    ID_ProductosXCuenta int NOT NULL,
    ID_Seccion_Paquete int NOT NULL,
    Ordenados int NOT NULL DEFAULT 1,
    PRIMARY KEY (ID_ProductosXCuenta, ID_Seccion_Paquete)
)
GO

-- Courtesies (discounts) granted on an item: the type, the amount taken off (taxes included), who
-- authorised it and, for a charge to a house account, the customer who will pay.
CREATE TABLE Cortesia (
    ID_Cortesia int IDENTITY(1,1) NOT NULL PRIMARY KEY,
    ID_ProductosXCuenta int NOT NULL,
    ID_Tipo_Cortesia int NOT NULL,
    Monto money NOT NULL DEFAULT 0,
    ID_Empleado int NOT NULL DEFAULT 0,
    CveCliente bigint NULL,
    Fecha datetime NOT NULL DEFAULT (getdate())
)
GO
CREATE INDEX IX_Cortesia_Producto ON Cortesia (ID_ProductosXCuenta)
GO
