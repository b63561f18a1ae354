-- Payments received on accounts.

-- One row per payment. Monto_Pago excludes the tip (Propina); comision is the payment type's
-- commission rate copied at payment time; Id_Empleado the cashier. Fecha_Pago is stamped by the
-- server because the terminal's INSERT does not name it. Nombre_Tipo_Pago must never be added: it is
-- named unqualified in a join with Tipo_Pago.
CREATE TABLE Pago (
    ID_Pago int IDENTITY(1,1) NOT NULL PRIMARY KEY,
    ID_Comanda int NOT NULL,
    Control smallint NOT NULL,
    Num_Cuenta smallint NOT NULL,
    ID_Tipo_Pago int NOT NULL,
    Monto_Pago money NOT NULL DEFAULT 0,
    Propina money NOT NULL DEFAULT 0,
    Referencia varchar(50) NULL DEFAULT '',
    Id_Empleado int NOT NULL DEFAULT 0,
    comision decimal(9,4) NOT NULL DEFAULT 0,
    Fecha_Pago datetime NOT NULL DEFAULT (getdate())
)
GO
-- Payments are read by account; the day's summaries add up their type, amount and tip from the
-- index alone.
CREATE INDEX IX_Pago_Cuenta ON Pago (ID_Comanda, Control, Num_Cuenta, ID_Tipo_Pago, Monto_Pago, Propina)
GO
