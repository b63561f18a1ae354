-- Packages (set menus made of sections of products) and promotions.

-- The sections of a package (starter, main course, drink...); ID_Producto is the package.
CREATE TABLE Secciones_Paquete (
    ID_Seccion_Paquete int NOT NULL PRIMARY KEY,
    ID_Producto int NOT NULL,
    Nombre_Seccion varchar(50) NOT NULL DEFAULT ''
)
GO
CREATE INDEX IX_Secciones_Paquete_Producto ON Secciones_Paquete (ID_Producto)
GO

-- The products a section offers; Numero is how many of the section's products one package
-- includes.
CREATE TABLE ProductosXSeccion (
    ID_Seccion_Paquete int NOT NULL,
    ID_Producto int NOT NULL,
    Numero int NOT NULL DEFAULT 1,
    PRIMARY KEY (ID_Seccion_Paquete, ID_Producto)
)
GO

-- Promotions (gifts granted with an order).
CREATE TABLE promocion (
    id_promocion int NOT NULL PRIMARY KEY,
    nombre varchar(50) NOT NULL DEFAULT '',
    Activa bit NOT NULL DEFAULT 1
)
GO

-- The products a promotion gives away.
CREATE TABLE ProductosxPromocion (
    Id_Promocion int NOT NULL,
    Id_Producto int NOT NULL,
    PRIMARY KEY (Id_Promocion, Id_Producto)
)
GO
