-- Fin_Dia closes the working day (no arguments; sent by the terminal's automatic day end and by the
-- manager's close of day): the working date FECHA_TRABAJO moves on and the new date is opened.
--
-- Decisions:
-- - The new working date is the day after the one closed, or today when that is later (a restaurant
--   that stayed closed for some days starts again on today's date in one step).
-- - A working date that is today or later and on which no order was opened yet (orders carried over
--   from the day before do not count) is not closed again: two terminals running the automatic day
--   end at the same time, or close of day pressed twice, must not push the working date into the
--   future. (The automatic day end only runs once the date is in the past, so a day without sales is
--   still closed by it.) The working date is read with UPDLOCK, HOLDLOCK inside a transaction of the
--   procedure's own (XACT_ABORT on), so the second of two calls at once waits, then sees the date
--   the first one set and closes nothing.
-- - Orders still open move to the new working date: they will be paid, and so counted, in the new
--   day's sales and cash-up.
-- - The new date opens with the day-opening record (see 600_Datos_Base.sql): a closed, empty order
--   of Tipo 'D' with the next order number and the new date, so that the terminals' start-up check
--   (the working date may not be later than the newest order's) passes before the first order.
-- - Every terminal is asked to restart (Terminal.Reiniciar) so all of them take the new date; the
--   terminal that closed the day clears its own request.
CREATE PROCEDURE Fin_Dia
AS
BEGIN
    SET NOCOUNT ON
    SET XACT_ABORT ON
    DECLARE @sFecha char(8), @dFecha datetime, @dHoy datetime, @dNueva datetime, @sTexto char(10),
            @sNueva char(8), @nPedidos int, @nApertura int, @nComanda int

    BEGIN TRAN
    SELECT @sFecha = Valor_Cad FROM Parametros WITH (UPDLOCK, HOLDLOCK) WHERE Id_Parametro = 'FECHA_TRABAJO'
    IF LEN(ISNULL(@sFecha, '')) = 8
        SET @dFecha = CONVERT(datetime, SUBSTRING(@sFecha, 5, 4) + SUBSTRING(@sFecha, 3, 2) + SUBSTRING(@sFecha, 1, 2), 112)
    SET @dHoy = CONVERT(datetime, CONVERT(char(8), GETDATE(), 112), 112)

    IF @dFecha >= @dHoy
    BEGIN
        SELECT @nApertura = MAX(ID_Comanda) FROM Comanda WHERE Tipo = 'D' AND fecha_trabajo = @sFecha
        SET @nPedidos = 0
        SELECT @nPedidos = COUNT(*) FROM Comanda
        WHERE fecha_trabajo = @sFecha AND Tipo <> 'D' AND ID_Comanda > ISNULL(@nApertura, 0)
        IF @nPedidos = 0
        BEGIN
            COMMIT TRAN
            RETURN 0
        END
    END

    SET @dNueva = DATEADD(day, 1, @dFecha)
    IF @dNueva IS NULL OR @dNueva < @dHoy
        SET @dNueva = @dHoy
    SET @sTexto = CONVERT(char(10), @dNueva, 103)
    SET @sNueva = SUBSTRING(@sTexto, 1, 2) + SUBSTRING(@sTexto, 4, 2) + SUBSTRING(@sTexto, 7, 4)

    UPDATE Parametros SET Valor_Cad = @sNueva WHERE Id_Parametro = 'FECHA_TRABAJO'
    IF @@ROWCOUNT = 0
        INSERT INTO Parametros (Id_Parametro, Valor_Num, Valor_Cad) VALUES ('FECHA_TRABAJO', 0, @sNueva)

    UPDATE Comanda SET fecha_trabajo = @sNueva WHERE Abierta = 1

    UPDATE Consecutivos SET Ultimo = Ultimo + 1 WHERE Id_Consecutivo = 'COMANDA'
    IF @@ROWCOUNT = 0
        INSERT INTO Consecutivos (Id_Consecutivo, Ultimo)
        SELECT 'COMANDA', ISNULL(MAX(ID_Comanda), 0) + 1 FROM Comanda
    SELECT @nComanda = Ultimo FROM Consecutivos WHERE Id_Consecutivo = 'COMANDA'

    INSERT INTO Comanda (ID_Comanda, Control, Num_Mesa, Tipo, ID_Empleado, CantHuespedes, Abierta,
                         Fecha_Apertura, Fecha_Cierre, EnUsoPor, fecha_trabajo, Num_Anexo)
    VALUES (@nComanda, 0, 0, 'D', 0, 0, 0, GETDATE(), GETDATE(), 0, @sNueva, NULL)

    UPDATE Terminal SET Reiniciar = 1
    COMMIT TRAN
END
GO
