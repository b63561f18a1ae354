-- Insertar_Producto stores one ordered item on an account and returns its folio
-- (ID_ProductosXCuenta) in @nFolio. Called as a command with named parameters, in this order, so it
-- returns no result set. It neither totals the account (the terminal sends Totalizar_Cuenta) nor
-- prints (the terminal fills #Tmp_Imprimir).
--
-- Decisions:
-- - The dispatch mark @bPreparado: 1 sent to the kitchen now (Preparado, Hora_Preparacion), 2 held
--   for its serving time (Retenido, released by Mandar_Tiempo), 0 neither: the item waits until the
--   waiter sends it.
-- - A package head ('PP') is its own package (ID_Paquete = its folio); a component carries the
--   head's folio; @nIDPaquete 0 means none.
-- - The price is gross; its tax part, price * rate / (1 + rate) to the cent with the product's rate
--   from Vw_PorcentajeXProducto, goes to one ImpuestosXCuenta row (0 when untaxed), so that the
--   account's net amount and taxes can be read back.
-- - Stock goes down by one only while it is positive: 0 means sold out and a negative stock means the
--   product is not counted. A sold-out product is still stored: the terminal checked the stock just
--   before, and failing here would abort the rest of its store step.
-- - An item for an account that does not exist is refused, so no item is left without an account.
-- - The item, its tax row and the stock change in one transaction of the procedure's own (XACT_ABORT
--   on): all of them or none.
CREATE PROCEDURE Insertar_Producto
    @nIDComanda int,
    @nControl int,
    @nIDProducto int,
    @nNumCta int,
    @nComentario varchar(1000),
    @bPreparado int,
    @nIDPaquete int,
    @sTipo char(2),
    @nIDSeccion int,
    @nIDGrupoImpresoras int,
    @sProducto varchar(20),
    @nTiempo int,
    @nPrecio money,
    @nPromocion int,
    @nFolio int OUTPUT
AS
BEGIN
    SET NOCOUNT ON
    SET XACT_ABORT ON
    DECLARE @nCuentas int, @nItem int, @nPorcentaje decimal(9,4), @nImpuesto int

    BEGIN TRAN
    SET @nCuentas = 0
    SELECT @nCuentas = COUNT(*) FROM Cuenta
    WHERE ID_Comanda = @nIDComanda AND Control = @nControl AND Num_Cuenta = @nNumCta
    IF @nCuentas = 0
    BEGIN
        ROLLBACK TRAN
        RAISERROR('La cuenta no existe; el producto no se guardó.', 16, 1)
        RETURN 1
    END

    INSERT INTO ProductosXCuenta (ID_Comanda, Control, Num_Cuenta, ID_Producto, Precio, Comentario,
                                  Preparado, Retenido, Tiempo_requerido, Hora_Preparacion, ID_Paquete,
                                  ID_Seccion_Paquete, ID_Promocion, Tipo_Linea, Nombre_Producto,
                                  Grupo_Impresion)
    VALUES (@nIDComanda, @nControl, @nNumCta, @nIDProducto, ISNULL(@nPrecio, 0), @nComentario,
            CASE WHEN @bPreparado = 1 THEN 1 ELSE 0 END,
            CASE WHEN @bPreparado = 2 THEN 1 ELSE 0 END,
            ISNULL(@nTiempo, 1),
            CASE WHEN @bPreparado = 1 THEN GETDATE() ELSE NULL END,
            CASE WHEN @nIDPaquete > 0 THEN @nIDPaquete ELSE NULL END,
            CASE WHEN @nIDSeccion > 0 THEN @nIDSeccion ELSE NULL END,
            ISNULL(@nPromocion, 0), ISNULL(@sTipo, 'P'), @sProducto, @nIDGrupoImpresoras)
    SET @nItem = SCOPE_IDENTITY()

    IF @sTipo = 'PP'
        UPDATE ProductosXCuenta SET ID_Paquete = @nItem WHERE ID_ProductosXCuenta = @nItem

    SET @nPorcentaje = 0
    SELECT @nPorcentaje = ISNULL(Porcentaje, 0) FROM Vw_PorcentajeXProducto WHERE Id_Producto = @nIDProducto
    SELECT @nImpuesto = ID_Impuesto FROM Producto WHERE ID_Producto = @nIDProducto
    INSERT INTO ImpuestosXCuenta (ID_ProductosXCuenta, ID_Impuesto, Monto_ImpuestosXCuenta)
    VALUES (@nItem, @nImpuesto, ROUND(ISNULL(@nPrecio, 0) * @nPorcentaje / (1 + @nPorcentaje), 2))

    UPDATE Producto SET Existencia = Existencia - 1 WHERE ID_Producto = @nIDProducto AND Existencia > 0

    SET @nFolio = @nItem
    COMMIT TRAN
END
GO
