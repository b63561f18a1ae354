-- Mandar_Impresion_C queues the cancellation slip lines that Agregar_Cancelacion left in the calling
-- connection's #Tmp_Imprimir_C (ID, Texto, ID_Impresora, Tipo): one job per printer, a cancellation
-- header (table, user, order, guests, time) followed by that printer's rows in ID order. Arguments:
-- table number, the signed-in user name, the order number as text, guests, and a fifth argument the
-- terminal always sends as 1 (accepted and not used).
--
-- Decisions:
-- - The job's document type is 'T' for the slip on a terminal's ticket printer and 'P' for the copy
--   sent to the kitchen, taken from the rows' Tipo.
-- - Every job is headed here with what the call carries; the terminal puts its own slip header (who
--   authorised, the waiter, the reason) into the work table ahead of the items, and the reason also
--   travels on each item line.
-- - All the jobs are queued in one transaction of the procedure's own (XACT_ABORT on): a failing
--   statement queues none of them.
CREATE PROCEDURE Mandar_Impresion_C
    @nNumMesa int,
    @sUsuario varchar(20),
    @sComanda varchar(20),
    @nHuespedes int,
    @nCopias int = 1
AS
BEGIN
    SET NOCOUNT ON
    SET XACT_ABORT ON
    DECLARE @nImpresora int, @nTrabajo int, @sMesero varchar(100), @sTipo char(1)

    BEGIN TRAN
    SET @sMesero = @sUsuario
    SELECT @sMesero = Nombre_Empleado + ' ' + Apellido_Paterno FROM Empleado WHERE Usuario = @sUsuario

    SELECT @nImpresora = MIN(ID_Impresora) FROM #Tmp_Imprimir_C
    WHILE @nImpresora IS NOT NULL
    BEGIN
        SELECT @sTipo = ISNULL(MAX(Tipo), 'T') FROM #Tmp_Imprimir_C WHERE ID_Impresora = @nImpresora
        EXEC Abrir_Trabajo_Cocina @sTipo, @nImpresora, @sUsuario, '*** CANCELACION ***', @nNumMesa, @sMesero,
                                  @sComanda, @nHuespedes, @nTrabajo OUTPUT
        INSERT INTO Cola_Linea (ID_Trabajo, Num_Linea, Texto)
        SELECT @nTrabajo, 10 + t.ID, ISNULL(t.Texto, '')
        FROM #Tmp_Imprimir_C t
        WHERE t.ID_Impresora = @nImpresora
        UPDATE Cola_Trabajo SET Estado = 'P', Fecha_Cierre = GETDATE() WHERE ID_Trabajo = @nTrabajo

        SELECT @nImpresora = MIN(ID_Impresora) FROM #Tmp_Imprimir_C WHERE ID_Impresora > @nImpresora
    END
    COMMIT TRAN
END
GO
