-- Modifier catalogue: what can be asked of a product ("sin cebolla", "extra queso").

-- Groups of modifiers offered for a product (Producto.ID_Grupo_Modificadores). Fluir_Automatico
-- opens the modifier choice as soon as the product is added.
CREATE TABLE Grupo_Modificadores (
    ID_Grupo_Modificadores int NOT NULL PRIMARY KEY,
    Nombre_Grupo_Modificadores varchar(50) NOT NULL DEFAULT '',
    Grupo_Mod_Activo bit NOT NULL DEFAULT 1,
    Fluir_Automatico bit NOT NULL DEFAULT 0
)
GO

-- The modifiers themselves, with the price they add (taxes included).
CREATE TABLE Tipo_Modificador (
    ID_Tipo_Modificador int NOT NULL PRIMARY KEY,
    Nombre_Tipo_Modificador varchar(30) NOT NULL DEFAULT '',
    Precio_Tipo_Modificador money NOT NULL DEFAULT 0,
    Estado_Modificador char(1) NOT NULL DEFAULT 'A'
)
GO

-- The modifiers of each group.
CREATE TABLE TiposXGrupo_Modificadores (
    ID_Grupo_Modificadores int NOT NULL,
    ID_Tipo_Modificador int NOT NULL,
    PRIMARY KEY (ID_Grupo_Modificadores, ID_Tipo_Modificador)
)
GO
