-- Numerar_Anexo gives the record of an order at one terminal (@nComanda, @nControl) its annex number
-- (Comanda.Num_Anexo) and returns it in @nAnexo; a record that has one keeps it. The terminal prints
-- the number after the folio of an order opened again at other terminals under the same number: 0,
-- the first record numbered, prints the plain folio.
--
-- Decisions:
-- - Numbers come from the counter 'ANEXO ' + order of Consecutivos, raised inside the call's own
--   transaction with the order's records locked, so two terminals asking at the same instant never
--   get the same number. The counter starts after the highest number the order's records already
--   hold, or at 0 when none holds one.
-- - An unknown record gets no number (@nAnexo NULL) and raises no counter.
CREATE PROCEDURE Numerar_Anexo
    @nComanda int,
    @nControl int,
    @nAnexo int OUTPUT
AS
BEGIN
    SET NOCOUNT ON
    SET XACT_ABORT ON
    DECLARE @nRegistros int, @nPropio int, @sConsecutivo varchar(30)

    BEGIN TRAN
    SET @nAnexo = NULL
    SET @nPropio = 0
    SELECT @nRegistros = COUNT(*) FROM Comanda WITH (UPDLOCK, HOLDLOCK) WHERE ID_Comanda = @nComanda
    SELECT @nPropio = 1, @nAnexo = Num_Anexo FROM Comanda WHERE ID_Comanda = @nComanda AND Control = @nControl

    IF @nPropio = 1 AND @nAnexo IS NULL
    BEGIN
        SET @sConsecutivo = 'ANEXO ' + CAST(@nComanda AS varchar(12))
        UPDATE Consecutivos SET Ultimo = Ultimo + 1 WHERE Id_Consecutivo = @sConsecutivo
        IF @@ROWCOUNT = 0
            INSERT INTO Consecutivos (Id_Consecutivo, Ultimo)
            SELECT @sConsecutivo, ISNULL(MAX(Num_Anexo) + 1, 0) FROM Comanda WHERE ID_Comanda = @nComanda
        SELECT @nAnexo = Ultimo FROM Consecutivos WHERE Id_Consecutivo = @sConsecutivo
        UPDATE Comanda SET Num_Anexo = @nAnexo WHERE ID_Comanda = @nComanda AND Control = @nControl
    END
    COMMIT TRAN
END
GO
