-- Loyalty points accrued for accounts, one row per account.

-- The row is written before the accrual is sent to the loyalty service (Estado 'E', sent) and turns
-- 'A' (accrued) when the service confirms it. A request that may have reached the service is never
-- sent again, so a row in 'E' stays until someone checks with the service; a request that cannot
-- have reached it has its row removed, so that a later close may try again. The key makes the row the
-- claim: of two terminals closing the same account, one writes it and sends, the other does not.
-- Autorizacion is what the service receives as the authorisation code, and refuses a second time.
CREATE TABLE Abono_Lealtad (
    ID_Comanda int NOT NULL,
    Control smallint NOT NULL,
    Num_Cuenta smallint NOT NULL,
    CveCliente bigint NOT NULL,
    Autorizacion varchar(30) NOT NULL,
    Monto bigint NOT NULL,
    Estado char(1) NOT NULL,
    Mensaje varchar(200) NULL,
    Fecha datetime NOT NULL DEFAULT (getdate()),
    PRIMARY KEY (ID_Comanda, Control, Num_Cuenta)
)
GO
