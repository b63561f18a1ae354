-- Borrar_Producto removes an ordered item that was not sent to the kitchen, with its modifiers, tax
-- row and courtesies; the terminal sends one call per line (a package's components and the
-- modifier lines follow their product) and then totals the account.
--
-- Decisions:
-- - An item already sent (Preparado) or cancelled is refused with an error: it may be cooking, so
--   it must be cancelled with a reason (Agregar_Cancelacion) and stay on record.
-- - A folio that no longer exists is not an error, so a call repeated after a lost reply is harmless.
-- - The stock taken by the item goes back, for products whose stock is counted (not negative).
-- - A package component lowers its section's count in Control_Paquetes (the row goes when it reaches
--   0, as before the first component); removing a package head removes its section counts.
-- - Removing a package head removes its components with it (their modifiers, tax rows, courtesies and
--   stock too), so no component is left behind without its package; a component's own call that
--   follows then finds nothing to do. A head whose component was already sent or cancelled is
--   refused as a sent item is: the package must be cancelled with a reason.
-- - The item is read with UPDLOCK, HOLDLOCK inside a transaction of the procedure's own (XACT_ABORT
--   on), so it cannot be sent to the kitchen between the check and the removal, and the removal is
--   whole or nothing.
CREATE PROCEDURE Borrar_Producto
    @nIDProductosXCuenta int
AS
BEGIN
    SET NOCOUNT ON
    SET XACT_ABORT ON
    DECLARE @nExiste int, @nProducto int, @nPreparado int, @nAnulacion int, @nPaquete int, @nSeccion int

    BEGIN TRAN
    SET @nExiste = 0
    SELECT @nExiste = 1, @nProducto = ID_Producto, @nPreparado = Preparado, @nAnulacion = ID_Tipo_Anulacion,
           @nPaquete = ID_Paquete, @nSeccion = ID_Seccion_Paquete
    FROM ProductosXCuenta WITH (UPDLOCK, HOLDLOCK)
    WHERE ID_ProductosXCuenta = @nIDProductosXCuenta
    IF @nExiste = 0
    BEGIN
        COMMIT TRAN
        RETURN 0
    END
    IF @nPreparado = 1 OR @nAnulacion IS NOT NULL
    BEGIN
        ROLLBACK TRAN
        RAISERROR('El producto ya se mandó a preparar: debe cancelarse con un motivo.', 16, 1)
        RETURN 1
    END

    IF @nPaquete = @nIDProductosXCuenta
    BEGIN
        IF EXISTS (SELECT 1 FROM ProductosXCuenta
                   WHERE ID_Paquete = @nIDProductosXCuenta AND ID_ProductosXCuenta <> @nIDProductosXCuenta
                     AND (Preparado = 1 OR ID_Tipo_Anulacion IS NOT NULL))
        BEGIN
            ROLLBACK TRAN
            RAISERROR('El paquete tiene productos ya mandados a preparar: debe cancelarse con un motivo.', 16, 1)
            RETURN 1
        END
        UPDATE Producto
        SET Existencia = Existencia + (SELECT COUNT(*) FROM ProductosXCuenta c
                                       WHERE c.ID_Paquete = @nIDProductosXCuenta
                                         AND c.ID_ProductosXCuenta <> @nIDProductosXCuenta
                                         AND c.ID_Producto = Producto.ID_Producto)
        WHERE Existencia >= 0
          AND ID_Producto IN (SELECT ID_Producto FROM ProductosXCuenta
                              WHERE ID_Paquete = @nIDProductosXCuenta
                                AND ID_ProductosXCuenta <> @nIDProductosXCuenta)
        DELETE FROM Modificador
        WHERE ID_ProductosXCuenta IN (SELECT ID_ProductosXCuenta FROM ProductosXCuenta
                                      WHERE ID_Paquete = @nIDProductosXCuenta)
        DELETE FROM ImpuestosXCuenta
        WHERE ID_ProductosXCuenta IN (SELECT ID_ProductosXCuenta FROM ProductosXCuenta
                                      WHERE ID_Paquete = @nIDProductosXCuenta)
        DELETE FROM Cortesia
        WHERE ID_ProductosXCuenta IN (SELECT ID_ProductosXCuenta FROM ProductosXCuenta
                                      WHERE ID_Paquete = @nIDProductosXCuenta)
        DELETE FROM ProductosXCuenta
        WHERE ID_Paquete = @nIDProductosXCuenta AND ID_ProductosXCuenta <> @nIDProductosXCuenta
        DELETE FROM Control_Paquetes WHERE ID_ProductosXCuenta = @nIDProductosXCuenta
    END

    DELETE FROM Modificador WHERE ID_ProductosXCuenta = @nIDProductosXCuenta
    DELETE FROM ImpuestosXCuenta WHERE ID_ProductosXCuenta = @nIDProductosXCuenta
    DELETE FROM Cortesia WHERE ID_ProductosXCuenta = @nIDProductosXCuenta
    IF @nPaquete <> @nIDProductosXCuenta AND @nSeccion IS NOT NULL
    BEGIN
        UPDATE Control_Paquetes SET Ordenados = Ordenados - 1
        WHERE ID_ProductosXCuenta = @nPaquete AND ID_Seccion_Paquete = @nSeccion
        DELETE FROM Control_Paquetes
        WHERE ID_ProductosXCuenta = @nPaquete AND ID_Seccion_Paquete = @nSeccion AND Ordenados <= 0
    END

    DELETE FROM ProductosXCuenta WHERE ID_ProductosXCuenta = @nIDProductosXCuenta

    UPDATE Producto SET Existencia = Existencia + 1 WHERE ID_Producto = @nProducto AND Existencia >= 0
    COMMIT TRAN
END
GO
