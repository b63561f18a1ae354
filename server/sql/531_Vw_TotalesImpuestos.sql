-- Vw_TotalesImpuestos returns, per live item, its amount before tax with its modifiers
-- (Precio_Venta) and the tax of both (Impuesto); SUM(Precio_Venta+Impuesto) over an account is its
-- amount due, the same figure Totalizar_Cuenta stores. It exposes only ID_ProductosXCuenta and the
-- two amounts: the account split joins it with ProductosXCuenta naming the order columns
-- unqualified.
CREATE VIEW Vw_TotalesImpuestos AS
SELECT dv.ID_ProductosXCuenta,
       dv.Precio_Neto + dv.Modificadores_Neto AS Precio_Venta,
       dv.Impuesto_Producto + dv.Impuesto_Modificadores AS Impuesto
FROM Vw_DetalleVentas dv
GO
