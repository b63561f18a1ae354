-- Agregar_Cancelacion records the cancellation of an item the terminal has just stamped
-- (ID_Tipo_Anulacion, Empleado_Anulacion, Hora_Anulacion): returns its stock when the reason says
-- so, and writes the item's lines of the cancellation slip into the calling connection's
-- #Tmp_Imprimir_C, which Mandar_Impresion_C then queues. The terminal totals the account itself.
--
-- Decisions:
-- - An item that is not stamped (or does not exist) is refused with an error: nothing to record.
-- - Stock goes back (Tipos_Anulacion.Regresa_Existencia) only for products whose stock is counted
--   (not negative), as Borrar_Producto does.
-- - The slip goes to the ticket printer of the terminal where the cancelling employee is signed in
--   (Empleado.ID_Terminal), or else of the terminal that opened the order (Control): the procedure is
--   not told the terminal. Its line names the item, its amount with modifiers ("#,0.00") and the
--   reason; when no live item is left on the account, a "* Anulación Total *" line with the amount
--   cancelled follows.
-- - A copy goes to the kitchen printers of the item's printer group ("CANCELAR" and the item), since
--   the item was already sent there.
-- - The slip goes to the printer of the rows the terminal already put in #Tmp_Imprimir_C for it (its
--   header, Tipo 'T'), when there are such rows, so that the header and the items print together.
-- - A package head takes its live components with it in the same call: they are stamped with the
--   head's reason, employee and time, their stock goes back as the reason says, and each gets its own
--   slip line and kitchen copy, so that nothing of the package is left live without its head.
-- - It changes several rows, so it runs with XACT_ABORT on in a transaction of its own, the item read
--   inside it (part of the caller's, when the terminal cancels several items and queues their slip
--   as one).
CREATE PROCEDURE Agregar_Cancelacion
    @nIDProductosXCuenta int
AS
BEGIN
    SET NOCOUNT ON
    SET XACT_ABORT ON
    DECLARE @nProducto int, @nAnulacion int, @nEmpleado int, @nComanda int, @nControl int, @nCuenta int,
            @nGrupo int, @sNombre varchar(50), @mMonto money, @nRegresa int, @sMotivo varchar(50),
            @nTerminal int, @nImpresora int, @nVivos int, @mAnulado money

    BEGIN TRAN
    SELECT @nProducto = pxc.ID_Producto, @nAnulacion = pxc.ID_Tipo_Anulacion,
           @nEmpleado = pxc.Empleado_Anulacion, @nComanda = pxc.ID_Comanda, @nControl = pxc.Control,
           @nCuenta = pxc.Num_Cuenta, @nGrupo = ISNULL(pxc.Grupo_Impresion, p.ID_Grupo_Impresoras),
           @sNombre = ISNULL(pxc.Nombre_Producto, ISNULL(p.Nombre_Cuenta, '')),
           @mMonto = pxc.Precio + ISNULL((SELECT SUM(m.Precio_Modificador) FROM Modificador m
                                          WHERE m.ID_ProductosXCuenta = pxc.ID_ProductosXCuenta), 0)
    FROM ProductosXCuenta pxc
    LEFT JOIN Producto p ON p.ID_Producto = pxc.ID_Producto
    WHERE pxc.ID_ProductosXCuenta = @nIDProductosXCuenta
    IF @nAnulacion IS NULL
    BEGIN
        ROLLBACK TRAN
        RAISERROR('El producto no existe o no tiene motivo de cancelación.', 16, 1)
        RETURN 1
    END

    SET @nRegresa = 0
    SELECT @nRegresa = Regresa_Existencia, @sMotivo = Nombre_Tipos_Anulacion
    FROM Tipos_Anulacion WHERE ID_Tipo_Anulacion = @nAnulacion
    IF @nRegresa = 1
    BEGIN
        UPDATE Producto SET Existencia = Existencia + 1 WHERE ID_Producto = @nProducto AND Existencia >= 0
        UPDATE Producto
        SET Existencia = Existencia + (SELECT COUNT(*) FROM ProductosXCuenta c
                                       WHERE c.ID_Paquete = @nIDProductosXCuenta
                                         AND c.ID_ProductosXCuenta <> @nIDProductosXCuenta
                                         AND c.ID_Tipo_Anulacion IS NULL
                                         AND c.ID_Producto = Producto.ID_Producto)
        WHERE Existencia >= 0
          AND ID_Producto IN (SELECT ID_Producto FROM ProductosXCuenta
                              WHERE ID_Paquete = @nIDProductosXCuenta
                                AND ID_ProductosXCuenta <> @nIDProductosXCuenta
                                AND ID_Tipo_Anulacion IS NULL)
    END

    SELECT @nImpresora = MIN(ID_Impresora) FROM #Tmp_Imprimir_C WHERE Tipo = 'T'
    IF @nImpresora IS NULL
    BEGIN
        SELECT @nTerminal = ID_Terminal FROM Empleado WHERE Id_Empleado = @nEmpleado
        SELECT @nImpresora = MIN(ID_Impresora) FROM Impresora WHERE EsDeCheques = 1 AND ID_Terminal = @nTerminal
    END
    IF @nImpresora IS NULL
        SELECT @nImpresora = MIN(ID_Impresora) FROM Impresora WHERE EsDeCheques = 1 AND ID_Terminal = @nControl

    IF @nImpresora IS NOT NULL
    BEGIN
        INSERT INTO #Tmp_Imprimir_C (Texto, ID_Impresora, Tipo)
        VALUES ('1 ' + @sNombre + '  $' + CONVERT(varchar(20), @mMonto, 1)
                + ISNULL('  (' + @sMotivo + ')', ''), @nImpresora, 'T')
        INSERT INTO #Tmp_Imprimir_C (Texto, ID_Impresora, Tipo)
        SELECT '1 ' + ISNULL(c.Nombre_Producto, ISNULL(p.Nombre_Cuenta, '')) + '  $'
               + CONVERT(varchar(20), c.Precio + ISNULL((SELECT SUM(m.Precio_Modificador) FROM Modificador m
                                                         WHERE m.ID_ProductosXCuenta = c.ID_ProductosXCuenta), 0), 1)
               + ISNULL('  (' + @sMotivo + ')', ''), @nImpresora, 'T'
        FROM ProductosXCuenta c
        LEFT JOIN Producto p ON p.ID_Producto = c.ID_Producto
        WHERE c.ID_Paquete = @nIDProductosXCuenta AND c.ID_ProductosXCuenta <> @nIDProductosXCuenta
          AND c.ID_Tipo_Anulacion IS NULL
        ORDER BY c.ID_ProductosXCuenta
    END

    INSERT INTO #Tmp_Imprimir_C (Texto, ID_Impresora, Tipo)
    SELECT '<H><B>CANCELAR ' + @sNombre + '</B></H>', ixg.ID_Impresora, 'P'
    FROM ImpresorasXGrupo ixg
    WHERE ixg.ID_Grupo_Impresoras = @nGrupo AND ixg.ID_Impresora <> ISNULL(@nImpresora, -1)
    INSERT INTO #Tmp_Imprimir_C (Texto, ID_Impresora, Tipo)
    SELECT '<H><B>CANCELAR ' + ISNULL(c.Nombre_Producto, ISNULL(p.Nombre_Cuenta, '')) + '</B></H>',
           ixg.ID_Impresora, 'P'
    FROM ProductosXCuenta c
    LEFT JOIN Producto p ON p.ID_Producto = c.ID_Producto
    INNER JOIN ImpresorasXGrupo ixg ON ixg.ID_Grupo_Impresoras = ISNULL(c.Grupo_Impresion, p.ID_Grupo_Impresoras)
    WHERE c.ID_Paquete = @nIDProductosXCuenta AND c.ID_ProductosXCuenta <> @nIDProductosXCuenta
      AND c.ID_Tipo_Anulacion IS NULL AND ixg.ID_Impresora <> ISNULL(@nImpresora, -1)
    ORDER BY c.ID_ProductosXCuenta

    UPDATE ProductosXCuenta
    SET ID_Tipo_Anulacion = @nAnulacion, Empleado_Anulacion = @nEmpleado,
        Hora_Anulacion = (SELECT h.Hora_Anulacion FROM ProductosXCuenta h
                          WHERE h.ID_ProductosXCuenta = @nIDProductosXCuenta)
    WHERE ID_Paquete = @nIDProductosXCuenta AND ID_ProductosXCuenta <> @nIDProductosXCuenta
      AND ID_Tipo_Anulacion IS NULL

    IF @nImpresora IS NOT NULL
    BEGIN
        SET @nVivos = 0
        SELECT @nVivos = COUNT(*) FROM ProductosXCuenta
        WHERE ID_Comanda = @nComanda AND Control = @nControl AND Num_Cuenta = @nCuenta
          AND ID_Tipo_Anulacion IS NULL
        IF @nVivos = 0
        BEGIN
            SELECT @mAnulado = SUM(Precio) FROM ProductosXCuenta
            WHERE ID_Comanda = @nComanda AND Control = @nControl AND Num_Cuenta = @nCuenta
            SELECT @mAnulado = ISNULL(@mAnulado, 0) + ISNULL(SUM(m.Precio_Modificador), 0)
            FROM Modificador m
            INNER JOIN ProductosXCuenta pxc ON pxc.ID_ProductosXCuenta = m.ID_ProductosXCuenta
            WHERE pxc.ID_Comanda = @nComanda AND pxc.Control = @nControl AND pxc.Num_Cuenta = @nCuenta
            INSERT INTO #Tmp_Imprimir_C (Texto, ID_Impresora, Tipo)
            VALUES ('<N><B>* Anulación Total * $' + CONVERT(varchar(20), CAST(ISNULL(@mAnulado, 0) AS money), 1) + '</B>',
                    @nImpresora, 'T')
        END
    END
    COMMIT TRAN
END
GO
