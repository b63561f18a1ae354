-- Inserta_Modificador stores one modifier of an ordered item: item folio, modifier type (0 for a
-- free text), gross price, the terminal's 1/0 flag and the name as shown.
--
-- Decisions:
-- - The modifier's tax part uses the rate of the item's product (a modifier is taxed like what it
--   modifies), to the cent, as Insertar_Producto does for the item.
-- - The terminal refuses a second modifier of one type on an item before calling; the procedure does
--   not, so a free text (type 0) can still be stored once per call.
-- - A modifier for an item that does not exist is refused.
CREATE PROCEDURE Inserta_Modificador
    @nIDProductosXCuenta int,
    @nIDTipoModificador int,
    @nPrecio money,
    @bMarca int,
    @sNombre varchar(20)
AS
BEGIN
    SET NOCOUNT ON
    DECLARE @nProducto int, @nPorcentaje decimal(9,4)

    SELECT @nProducto = ID_Producto FROM ProductosXCuenta WHERE ID_ProductosXCuenta = @nIDProductosXCuenta
    IF @nProducto IS NULL
    BEGIN
        RAISERROR('El producto del modificador no existe.', 16, 1)
        RETURN 1
    END

    SET @nPorcentaje = 0
    SELECT @nPorcentaje = ISNULL(Porcentaje, 0) FROM Vw_PorcentajeXProducto WHERE Id_Producto = @nProducto

    INSERT INTO Modificador (ID_ProductosXCuenta, ID_Tipo_Modificador, Nombre_Modificador,
                             Precio_Modificador, Impuesto_Modificador, Marca)
    VALUES (@nIDProductosXCuenta, ISNULL(@nIDTipoModificador, 0), ISNULL(@sNombre, ''),
            ISNULL(@nPrecio, 0), ROUND(ISNULL(@nPrecio, 0) * @nPorcentaje / (1 + @nPorcentaje), 2),
            CASE WHEN @bMarca = 0 THEN 0 ELSE 1 END)
END
GO
