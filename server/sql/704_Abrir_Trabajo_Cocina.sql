-- Abrir_Trabajo_Cocina opens a print job for one printer and writes its header; used by
-- Mandar_Impresion, Mandar_Impresion_C and Mandar_Tiempo, which add the body lines (from line 10 on)
-- and close the job. Returns the job in @nTrabajo.
--
-- Decisions:
-- - The printer's redirection (Impresora.Redirigido) is applied when the job is queued, as the
--   queue's ID_Impresora holds the printer that prints; an unknown printer, or a redirection to 0,
--   keeps the printer named.
-- - The job stays open ('A') until its caller closes it ('P'), so the print-queue program never
--   takes a job whose lines are still being written.
-- - Header: the title, the table, the waiter, the order with its guests, the date and time, and a
--   rule (lines 1 to 6).
-- - The job and its header lines are written in one transaction of the procedure's own (XACT_ABORT
--   on), part of its caller's.
CREATE PROCEDURE Abrir_Trabajo_Cocina
    @sTipo char(1),
    @nImpresora int,
    @sUsuario varchar(20),
    @sTitulo varchar(50),
    @nNumMesa int,
    @sMesero varchar(100),
    @sComanda varchar(20),
    @nHuespedes int,
    @nTrabajo int OUTPUT
AS
BEGIN
    SET NOCOUNT ON
    SET XACT_ABORT ON
    DECLARE @nDestino int

    BEGIN TRAN
    SET @nDestino = @nImpresora
    SELECT @nDestino = CASE WHEN Redirigido > 0 THEN Redirigido ELSE ID_Impresora END
    FROM Impresora WHERE ID_Impresora = @nImpresora

    INSERT INTO Cola_Trabajo (Tipo, ID_Impresora, Usuario, Estado)
    VALUES (@sTipo, @nDestino, ISNULL(@sUsuario, ''), 'A')
    SET @nTrabajo = SCOPE_IDENTITY()

    INSERT INTO Cola_Linea (ID_Trabajo, Num_Linea, Texto)
    VALUES (@nTrabajo, 1, '<B><H>' + ISNULL(@sTitulo, '') + '</H></B>')
    INSERT INTO Cola_Linea (ID_Trabajo, Num_Linea, Texto)
    VALUES (@nTrabajo, 2, '<XH>MESA ' + ISNULL(CAST(@nNumMesa AS varchar(10)), '') + '</XH>')
    INSERT INTO Cola_Linea (ID_Trabajo, Num_Linea, Texto)
    VALUES (@nTrabajo, 3, 'MESERO: ' + ISNULL(@sMesero, ''))
    INSERT INTO Cola_Linea (ID_Trabajo, Num_Linea, Texto)
    VALUES (@nTrabajo, 4, 'COMANDA: ' + ISNULL(@sComanda, '') + '  PERSONAS: '
                          + ISNULL(CAST(@nHuespedes AS varchar(10)), '0'))
    INSERT INTO Cola_Linea (ID_Trabajo, Num_Linea, Texto)
    VALUES (@nTrabajo, 5, 'HORA: ' + CONVERT(char(10), GETDATE(), 103) + ' ' + CONVERT(char(5), GETDATE(), 108))
    INSERT INTO Cola_Linea (ID_Trabajo, Num_Linea, Texto)
    VALUES (@nTrabajo, 6, '--------------------------------')
    COMMIT TRAN
END
GO
