-- Abrir_Mesa opens an order and its account 1 on the current working date and returns the order
-- number in @nFolio. Called by the terminal as a command with named parameters, in this order, so it
-- returns no result set.
--
-- Decisions:
-- - Order numbers come from the counter 'COMANDA' of Consecutivos, raised inside the procedure's own
--   transaction (XACT_ABORT on, so a failing statement undoes the whole call), so two terminals
--   never get the same number and numbers only grow (the start-up
--   check reads the newest order by number). A database without the counter row starts it after
--   the highest number in use.
-- - A dining-room order ('N') is refused with an error, storing nothing, when an open order already
--   carries that table number, whatever its kind: the same rule as the terminal's own occupancy
--   check (Vw_MesaOcupada), made safe here against two terminals asking at the same instant: the
--   check reads with UPDLOCK, HOLDLOCK inside the transaction, so the other caller waits at its own
--   check until this one commits (the embedded engine runs each call under its write lock). Take-away and delivery numbers are never refused: the terminal takes
--   them from the highest open number and has nothing to ask the waiter instead.
-- - The order starts free (EnUsoPor 0); the order screen takes it when it opens.
CREATE PROCEDURE Abrir_Mesa
    @nNumMesa bigint,
    @nControl bigint,
    @nIDEmpleado bigint,
    @sTipo char(1),
    @nHuespedes int,
    @nFolio bigint OUTPUT
AS
BEGIN
    SET NOCOUNT ON
    SET XACT_ABORT ON
    DECLARE @nOcupada int, @nComanda int, @sFecha char(8)

    BEGIN TRAN
    IF @sTipo = 'N'
    BEGIN
        SET @nOcupada = 0
        SELECT @nOcupada = COUNT(*)
        FROM Comanda WITH (UPDLOCK, HOLDLOCK)
        WHERE Num_Mesa = @nNumMesa AND Abierta = 1
        IF @nOcupada > 0
        BEGIN
            ROLLBACK TRAN
            RAISERROR('La mesa ya está abierta.', 16, 1)
            RETURN 1
        END
    END

    SELECT @sFecha = Valor_Cad FROM Parametros WHERE Id_Parametro = 'FECHA_TRABAJO'

    UPDATE Consecutivos SET Ultimo = Ultimo + 1 WHERE Id_Consecutivo = 'COMANDA'
    IF @@ROWCOUNT = 0
        INSERT INTO Consecutivos (Id_Consecutivo, Ultimo)
        SELECT 'COMANDA', ISNULL(MAX(ID_Comanda), 0) + 1 FROM Comanda
    SELECT @nComanda = Ultimo FROM Consecutivos WHERE Id_Consecutivo = 'COMANDA'

    INSERT INTO Comanda (ID_Comanda, Control, Num_Mesa, Tipo, ID_Empleado, CantHuespedes, Abierta,
                         Fecha_Apertura, Fecha_Cierre, EnUsoPor, fecha_trabajo, Num_Anexo)
    VALUES (@nComanda, @nControl, @nNumMesa, @sTipo, @nIDEmpleado, ISNULL(@nHuespedes, 0), 1,
            GETDATE(), NULL, 0, ISNULL(@sFecha, ''), NULL)

    INSERT INTO Cuenta (ID_Comanda, Num_Cuenta, Control, Pagada, Num_Impresiones, Total, Num_Tiempo,
                        Ultimo_Tiempo, Facturada, CveCliente)
    VALUES (@nComanda, 1, @nControl, 0, 0, 0, 1, 1, 0, 0)

    SET @nFolio = @nComanda
    COMMIT TRAN
END
GO
