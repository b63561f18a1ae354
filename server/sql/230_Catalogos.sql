-- Catalogues of payment types, cancellation reasons and courtesy types.

-- Payment types, in the column order the payment screen reads with SELECT *. Clase 'E' is cash
-- (the only class that gives change), 'T' cards. Comision is copied into each payment, so it is
-- never NULL.
CREATE TABLE Tipo_Pago (
    ID_Tipo_Pago int NOT NULL PRIMARY KEY,
    Nombre_Tipo_Pago varchar(30) NOT NULL DEFAULT '',
    Clase char(1) NOT NULL DEFAULT 'E',
    Comision money NOT NULL DEFAULT 0
)
GO

-- Cancellation reasons, in the column order the cancellation grid reads with SELECT * (name,
-- number, stock flag). Regresa_Existencia: cancelling returns the product to stock.
CREATE TABLE Tipos_Anulacion (
    Nombre_Tipos_Anulacion varchar(50) NOT NULL DEFAULT '',
    ID_Tipo_Anulacion int NOT NULL PRIMARY KEY,
    Regresa_Existencia bit NOT NULL DEFAULT 0
)
GO

-- Courtesy types. Especial marks a charge to a house account (the customer pays later), printed
-- apart from ordinary discounts.
CREATE TABLE Tipo_Cortesia (
    ID_Tipo_Cortesia int NOT NULL PRIMARY KEY,
    Nombre_Tipo_Cortesia varchar(50) NOT NULL DEFAULT '',
    Especial bit NOT NULL DEFAULT 0
)
GO
