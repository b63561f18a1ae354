-- Totalizar_Cuenta recomputes the amount due of one account (arguments: order, account, terminal):
-- the gross prices of its live items (not cancelled) plus their modifiers, less the courtesies
-- granted on those items. Called after storing items, after cancellations and after joins.
--
-- Decisions:
-- - Courtesies (discounts and charges to a house account) lower the amount due: Total is what the
--   cashier collects and what loyalty points accrue on, and ImprimirTicket prints the same figure.
--   Without courtesies Total equals SUM(Precio_Venta + Impuesto) of Vw_TotalesImpuestos.
-- - Cuenta keeps only the total; net amounts and taxes are read from the items (Vw_TotalesImpuestos).
CREATE PROCEDURE Totalizar_Cuenta
    @nIDComanda int,
    @nNumCuenta int,
    @nControl int
AS
BEGIN
    SET NOCOUNT ON
    DECLARE @mProductos money, @mModificadores money, @mCortesias money

    SELECT @mProductos = SUM(pxc.Precio)
    FROM ProductosXCuenta pxc
    WHERE pxc.ID_Comanda = @nIDComanda AND pxc.Control = @nControl AND pxc.Num_Cuenta = @nNumCuenta
      AND pxc.ID_Tipo_Anulacion IS NULL

    SELECT @mModificadores = SUM(m.Precio_Modificador)
    FROM Modificador m
    INNER JOIN ProductosXCuenta pxc ON pxc.ID_ProductosXCuenta = m.ID_ProductosXCuenta
    WHERE pxc.ID_Comanda = @nIDComanda AND pxc.Control = @nControl AND pxc.Num_Cuenta = @nNumCuenta
      AND pxc.ID_Tipo_Anulacion IS NULL

    SELECT @mCortesias = SUM(co.Monto)
    FROM Cortesia co
    INNER JOIN ProductosXCuenta pxc ON pxc.ID_ProductosXCuenta = co.ID_ProductosXCuenta
    WHERE pxc.ID_Comanda = @nIDComanda AND pxc.Control = @nControl AND pxc.Num_Cuenta = @nNumCuenta
      AND pxc.ID_Tipo_Anulacion IS NULL

    UPDATE Cuenta
    SET Total = ISNULL(@mProductos, 0) + ISNULL(@mModificadores, 0) - ISNULL(@mCortesias, 0)
    WHERE ID_Comanda = @nIDComanda AND Control = @nControl AND Num_Cuenta = @nNumCuenta
END
GO
