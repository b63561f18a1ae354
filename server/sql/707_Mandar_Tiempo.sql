-- Mandar_Tiempo releases one serving time of an account: every held item (Retenido) of the account
-- with that Tiempo_requerido, live and not yet sent, is queued for the printers of its printer group
-- with its modifiers and comment, then marked sent (Preparado, Hora_Preparacion). Arguments: order,
-- account, the user name of the employee releasing it (passed unquoted), serving time. There is no
-- terminal argument: order numbers are unique across the restaurant.
--
-- Decisions:
-- - Only items not yet sent are taken and they are marked in the same transaction of the
--   procedure's own (XACT_ABORT on), so an item is never queued twice, even when two terminals
--   release the same time at once: the held items are read first with UPDLOCK, HOLDLOCK, so the
--   second caller waits there until the first commits and then finds them sent.
-- - The printer group is the one the item was ordered with (Grupo_Impresion), or the product's when
--   that is missing.
-- - One job per printer, headed like the other kitchen orders with the order's table, waiter (by
--   name) and guests; the job is queued under the user who released the time. The lines: the
--   product large and bold, its modifiers below it, then its comment, in the order the items were
--   taken.
CREATE PROCEDURE Mandar_Tiempo
    @nIDComanda int,
    @nNumCuenta int,
    @sUsuario varchar(20),
    @nTiempo int
AS
BEGIN
    SET NOCOUNT ON
    SET XACT_ABORT ON
    DECLARE @nImpresora int, @nTrabajo int, @nNumMesa int, @nHuespedes int, @sMesero varchar(100),
            @sComanda varchar(20), @nRetenidos int

    BEGIN TRAN
    SELECT @nRetenidos = COUNT(*)
    FROM ProductosXCuenta WITH (UPDLOCK, HOLDLOCK)
    WHERE ID_Comanda = @nIDComanda AND Num_Cuenta = @nNumCuenta AND Tiempo_requerido = @nTiempo
      AND Retenido = 1 AND Preparado = 0 AND ID_Tipo_Anulacion IS NULL

    SELECT @nNumMesa = c.Num_Mesa, @nHuespedes = ISNULL(c.CantHuespedes, 0),
           @sMesero = ISNULL(e.Nombre_Empleado + ' ' + e.Apellido_Paterno, '')
    FROM Comanda c
    LEFT JOIN Empleado e ON e.Id_Empleado = c.ID_Empleado
    WHERE c.ID_Comanda = @nIDComanda
    SET @sComanda = CAST(@nIDComanda AS varchar(20))

    CREATE TABLE #Tmp_Tiempo (ID int IDENTITY(1, 1), Texto varchar(1000), ID_Impresora int)

    INSERT INTO #Tmp_Tiempo (Texto, ID_Impresora)
    SELECT l.Texto, l.ID_Impresora
    FROM (SELECT pxc.ID_ProductosXCuenta AS Folio, 0 AS Orden, ixg.ID_Impresora,
                 '<H><B>' + ISNULL(pxc.Nombre_Producto, ISNULL(p.Nombre_Cuenta, '')) + '</B></H>' AS Texto
          FROM ProductosXCuenta pxc
          LEFT JOIN Producto p ON p.ID_Producto = pxc.ID_Producto
          INNER JOIN ImpresorasXGrupo ixg
                  ON ixg.ID_Grupo_Impresoras = ISNULL(pxc.Grupo_Impresion, p.ID_Grupo_Impresoras)
          WHERE pxc.ID_Comanda = @nIDComanda AND pxc.Num_Cuenta = @nNumCuenta
            AND pxc.Tiempo_requerido = @nTiempo AND pxc.Retenido = 1 AND pxc.Preparado = 0
            AND pxc.ID_Tipo_Anulacion IS NULL
          UNION ALL
          SELECT pxc.ID_ProductosXCuenta, m.ID_Modificador, ixg.ID_Impresora,
                 '<N><H><B>' + m.Nombre_Modificador + '</B></H>'
          FROM ProductosXCuenta pxc
          INNER JOIN Modificador m ON m.ID_ProductosXCuenta = pxc.ID_ProductosXCuenta
          LEFT JOIN Producto p ON p.ID_Producto = pxc.ID_Producto
          INNER JOIN ImpresorasXGrupo ixg
                  ON ixg.ID_Grupo_Impresoras = ISNULL(pxc.Grupo_Impresion, p.ID_Grupo_Impresoras)
          WHERE pxc.ID_Comanda = @nIDComanda AND pxc.Num_Cuenta = @nNumCuenta
            AND pxc.Tiempo_requerido = @nTiempo AND pxc.Retenido = 1 AND pxc.Preparado = 0
            AND pxc.ID_Tipo_Anulacion IS NULL
          UNION ALL
          SELECT pxc.ID_ProductosXCuenta, 2147483647, ixg.ID_Impresora, LEFT('<N>' + pxc.Comentario, 1000)
          FROM ProductosXCuenta pxc
          LEFT JOIN Producto p ON p.ID_Producto = pxc.ID_Producto
          INNER JOIN ImpresorasXGrupo ixg
                  ON ixg.ID_Grupo_Impresoras = ISNULL(pxc.Grupo_Impresion, p.ID_Grupo_Impresoras)
          WHERE pxc.ID_Comanda = @nIDComanda AND pxc.Num_Cuenta = @nNumCuenta
            AND pxc.Tiempo_requerido = @nTiempo AND pxc.Retenido = 1 AND pxc.Preparado = 0
            AND pxc.ID_Tipo_Anulacion IS NULL AND pxc.Comentario <> '') l
    ORDER BY l.Folio, l.Orden

    UPDATE ProductosXCuenta
    SET Preparado = 1, Hora_Preparacion = GETDATE()
    WHERE ID_Comanda = @nIDComanda AND Num_Cuenta = @nNumCuenta AND Tiempo_requerido = @nTiempo
      AND Retenido = 1 AND Preparado = 0 AND ID_Tipo_Anulacion IS NULL

    SELECT @nImpresora = MIN(ID_Impresora) FROM #Tmp_Tiempo
    WHILE @nImpresora IS NOT NULL
    BEGIN
        EXEC Abrir_Trabajo_Cocina 'P', @nImpresora, @sUsuario, 'COMANDA', @nNumMesa, @sMesero, @sComanda,
                                  @nHuespedes, @nTrabajo OUTPUT
        INSERT INTO Cola_Linea (ID_Trabajo, Num_Linea, Texto)
        SELECT @nTrabajo, 10 + t.ID, t.Texto FROM #Tmp_Tiempo t WHERE t.ID_Impresora = @nImpresora
        UPDATE Cola_Trabajo SET Estado = 'P', Fecha_Cierre = GETDATE() WHERE ID_Trabajo = @nTrabajo

        SELECT @nImpresora = MIN(ID_Impresora) FROM #Tmp_Tiempo WHERE ID_Impresora > @nImpresora
    END

    DROP TABLE #Tmp_Tiempo
    COMMIT TRAN
END
GO
