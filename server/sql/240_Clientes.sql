-- Customers: fiscal customers (invoices) and loyalty card holders share one table.

-- CveCliente is the key: fiscal customers are numbered MAX+1, loyalty customers use their 15-digit
-- card number, hence bigint. The card number exists twice, as the loyalty screens left it: as text
-- in Numtarjeta (searches, the loyalty INSERT) and as a number in Num_Tarjeta (the card validation
-- compares it unquoted). Balances are mirrored from the loyalty service. Order and account columns
-- must never be added: the ticket joins clientes and cuenta with unqualified names.
CREATE TABLE Clientes (
    CveCliente bigint NOT NULL PRIMARY KEY,
    RFC varchar(13) NULL DEFAULT '',
    Razon varchar(100) NULL DEFAULT '',
    DirCalle varchar(100) NULL DEFAULT '',
    DirCol varchar(100) NULL DEFAULT '',
    DirDelMun varchar(100) NULL DEFAULT '',
    dircp varchar(5) NULL DEFAULT '',
    nombrecliente varchar(100) NULL DEFAULT '',
    ApPaterno varchar(50) NULL,
    ApMaterno varchar(50) NULL,
    FechaNacimiento varchar(10) NULL,
    tel varchar(20) NULL,
    Numtarjeta varchar(20) NULL,
    Num_Tarjeta bigint NULL,
    idtipocliente int NOT NULL DEFAULT 0,
    Activo bit NOT NULL DEFAULT 1,
    SaldoAnteriorP decimal(18,2) NULL,
    SaldoAnterior decimal(18,2) NULL,
    NuevoSaldoP decimal(18,2) NULL,
    NuevoSaldo decimal(18,2) NULL
)
GO
CREATE INDEX IX_Clientes_Numtarjeta ON Clientes (Numtarjeta)
GO
CREATE INDEX IX_Clientes_Num_Tarjeta ON Clientes (Num_Tarjeta)
GO
