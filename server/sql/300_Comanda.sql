-- Orders (one per table, take-away or delivery) and their accounts.

-- An order is identified by (ID_Comanda, Control): Control is the terminal that opened it, and an
-- order's annexes share its ID_Comanda with other Control values, so ID_Comanda is handed out by
-- Abrir_Mesa from a counter, not by an identity. Abierta is 1 while open (the open-table views
-- filter on it); Fecha_Cierre is NULL while open. EnUsoPor is the employee holding the order on
-- screen (0: free) and never NULL, or "EnUsoPor<>n" would miss free orders. fecha_trabajo is the
-- working date "ddmmyyyy" of the day the order belongs to. Tipo: 'N' dining room, 'B' take-away,
-- 'O' delivery. Employee names, Usuario and Num_Impresiones must never be added: they are named
-- unqualified in joins with Empleado and Cuenta.
CREATE TABLE Comanda (
    ID_Comanda int NOT NULL,
    Control smallint NOT NULL,
    Num_Mesa smallint NOT NULL DEFAULT 0,
    Tipo char(1) NOT NULL DEFAULT 'N',
    ID_Empleado int NOT NULL DEFAULT 0,
    CantHuespedes int NULL DEFAULT 0,
    Abierta bit NOT NULL DEFAULT 1,
    Fecha_Apertura datetime NOT NULL DEFAULT (getdate()),
    Fecha_Cierre datetime NULL,
    EnUsoPor int NOT NULL DEFAULT 0,
    fecha_trabajo char(8) NOT NULL DEFAULT '',
    Num_Anexo int NULL,
    PRIMARY KEY (ID_Comanda, Control)
)
GO
-- Open orders are looked up by waiter and by table number; the day's orders by working date; the
-- orders held by an employee by EnUsoPor. Closed orders pile up, so none of these may scan. The
-- working-date index carries the order key, so that the reports that join a few days' orders to their
-- payments and items never read the order rows themselves.
CREATE INDEX IX_Comanda_Abierta ON Comanda (Abierta, ID_Empleado)
GO
CREATE INDEX IX_Comanda_Mesa ON Comanda (Num_Mesa, Abierta)
GO
CREATE INDEX IX_Comanda_Fecha ON Comanda (fecha_trabajo, ID_Empleado, ID_Comanda, Control)
GO
CREATE INDEX IX_Comanda_EnUsoPor ON Comanda (EnUsoPor)
GO

-- The accounts an order is split into (1, 2, ... per order). Total is the amount due, taxes
-- included, kept by Totalizar_Cuenta. Ultimo_Tiempo is the serving time reached. CveCliente names
-- the customer (fiscal or loyalty, 0: none). Counters and flags are NOT NULL with defaults because
-- the terminal increments them in place and inserts accounts naming only some columns.
CREATE TABLE Cuenta (
    ID_Comanda int NOT NULL,
    Num_Cuenta smallint NOT NULL,
    Control smallint NOT NULL,
    Pagada bit NOT NULL DEFAULT 0,
    Num_Impresiones int NOT NULL DEFAULT 0,
    Total money NOT NULL DEFAULT 0,
    Num_Tiempo int NOT NULL DEFAULT 1,
    Ultimo_Tiempo int NOT NULL DEFAULT 1,
    Facturada bit NOT NULL DEFAULT 0,
    CveCliente bigint NULL DEFAULT 0,
    PRIMARY KEY (ID_Comanda, Control, Num_Cuenta)
)
GO
CREATE INDEX IX_Cuenta_Cliente ON Cuenta (CveCliente)
GO
