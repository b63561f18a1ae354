-- Vw_DetalleVentas returns one row per live item (not cancelled) with its amounts split the way
-- the sales figures need them: the item's net price (gross price minus its tax), its tax, the net
-- price of its modifiers and their tax, together with the order, account, product, waiter and
-- working date it belongs to. Prices are stored gross, so net + tax of the item and of its
-- modifiers is exactly what the customer is charged. The totals, split and report views read it.
CREATE VIEW Vw_DetalleVentas AS
SELECT pxc.ID_ProductosXCuenta,
       pxc.ID_Comanda,
       pxc.Control,
       pxc.Num_Cuenta,
       pxc.ID_Producto,
       pxc.Precio - ISNULL((SELECT SUM(ixc.Monto_ImpuestosXCuenta) FROM ImpuestosXCuenta ixc
                            WHERE ixc.ID_ProductosXCuenta = pxc.ID_ProductosXCuenta), 0) AS Precio_Neto,
       ISNULL((SELECT SUM(ixc.Monto_ImpuestosXCuenta) FROM ImpuestosXCuenta ixc
               WHERE ixc.ID_ProductosXCuenta = pxc.ID_ProductosXCuenta), 0) AS Impuesto_Producto,
       ISNULL((SELECT SUM(m.Precio_Modificador - m.Impuesto_Modificador) FROM Modificador m
               WHERE m.ID_ProductosXCuenta = pxc.ID_ProductosXCuenta), 0) AS Modificadores_Neto,
       ISNULL((SELECT SUM(m.Impuesto_Modificador) FROM Modificador m
               WHERE m.ID_ProductosXCuenta = pxc.ID_ProductosXCuenta), 0) AS Impuesto_Modificadores
FROM ProductosXCuenta pxc
WHERE pxc.ID_Tipo_Anulacion IS NULL
GO
