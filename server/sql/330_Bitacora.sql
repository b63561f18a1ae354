-- Event log and the record of deletions.

-- What happened, when and by whom, as free text written by the terminal.
CREATE TABLE Bitacora (
    ID_Bitacora int IDENTITY(1,1) NOT NULL PRIMARY KEY,
    FechaHora datetime NOT NULL DEFAULT (getdate()),
    Id_Empleado int NOT NULL DEFAULT 0,
    Texto varchar(255) NOT NULL DEFAULT ''
)
GO

-- Every DELETE the terminal runs, as text, so that deletions can be audited or replayed.
CREATE TABLE Transacciones (
    ID_Transaccion int IDENTITY(1,1) NOT NULL PRIMARY KEY,
    Transaccion varchar(4000) NOT NULL,
    Fecha datetime NOT NULL DEFAULT (getdate())
)
GO
