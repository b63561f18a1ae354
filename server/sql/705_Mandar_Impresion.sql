-- Mandar_Impresion queues the kitchen lines the calling connection left in #Tmp_Imprimir (ID, Texto,
-- ID_Impresora, Tipo 'P' product / 'M' modifier, Tiempo): one job per printer, a kitchen header
-- (table, waiter, order, guests, time) followed by that printer's rows in ID order. Arguments:
-- table number, the order waiter's user name, the order number as text, guests. The table itself
-- is left for the terminal to drop.
--
-- Decisions:
-- - A product row arrives as "name</B></H>": it is opened with "<H><B>" so the name prints large and
--   bold, as the modifier rows ("<N><H><B>...</B></H>") do.
-- - The waiter is printed by name when the user name is known, else by user name.
-- - Rows without a printer are not queued. Each job is closed (pending) as soon as its lines are
--   written. All the jobs are queued in one transaction of the procedure's own (XACT_ABORT on): a
--   failing statement queues none of them.
CREATE PROCEDURE Mandar_Impresion
    @nNumMesa int,
    @sUsuario varchar(20),
    @sComanda varchar(20),
    @nHuespedes int
AS
BEGIN
    SET NOCOUNT ON
    SET XACT_ABORT ON
    DECLARE @nImpresora int, @nTrabajo int, @sMesero varchar(100)

    BEGIN TRAN
    SET @sMesero = @sUsuario
    SELECT @sMesero = Nombre_Empleado + ' ' + Apellido_Paterno FROM Empleado WHERE Usuario = @sUsuario

    SELECT @nImpresora = MIN(ID_Impresora) FROM #Tmp_Imprimir
    WHILE @nImpresora IS NOT NULL
    BEGIN
        EXEC Abrir_Trabajo_Cocina 'P', @nImpresora, @sUsuario, 'COMANDA', @nNumMesa, @sMesero, @sComanda,
                                  @nHuespedes, @nTrabajo OUTPUT
        INSERT INTO Cola_Linea (ID_Trabajo, Num_Linea, Texto)
        SELECT @nTrabajo, 10 + t.ID,
               CASE WHEN t.Tipo = 'P' THEN '<H><B>' + ISNULL(t.Texto, '') ELSE ISNULL(t.Texto, '') END
        FROM #Tmp_Imprimir t
        WHERE t.ID_Impresora = @nImpresora
        UPDATE Cola_Trabajo SET Estado = 'P', Fecha_Cierre = GETDATE() WHERE ID_Trabajo = @nTrabajo

        SELECT @nImpresora = MIN(ID_Impresora) FROM #Tmp_Imprimir WHERE ID_Impresora > @nImpresora
    END
    COMMIT TRAN
END
GO
