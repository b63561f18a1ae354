-- ImprimirTicket returns the item lines of one account for its ticket (arguments: order, terminal,
-- account — not the order Totalizar_Cuenta takes). One row per live item line, items of the same
-- name and amount grouped, in the order they were taken: Nombre_Cuenta, Cantidad, Precio_original
-- and impuesto_original (net amount and tax before courtesies), Precio and Impuesto (net amount and
-- tax after them). The ticket sums Precio and Impuesto as subtotal and tax.
--
-- Decisions:
-- - An item's amount includes its modifiers; its name is the one it was ordered under.
-- - A courtesy is split between net amount and tax in the item's own proportion, the tax part to the
--   cent; Precio + Impuesto of all lines is then exactly the Total Totalizar_Cuenta stores.
-- - Package components that cost nothing are left out: the package head carries the price.
CREATE PROCEDURE ImprimirTicket
    @nIDComanda int,
    @nControl int,
    @nNumCuenta int
AS
BEGIN
    SET NOCOUNT ON
    SELECT d.Nombre_Cuenta,
           COUNT(*) AS Cantidad,
           SUM(d.Bruto - d.Impuesto) AS Precio_original,
           SUM(d.Impuesto) AS impuesto_original,
           SUM(d.Bruto - d.Descuento - d.Impuesto
               + CASE WHEN d.Bruto = 0 THEN 0 ELSE ROUND(d.Descuento * d.Impuesto / d.Bruto, 2) END) AS Precio,
           SUM(d.Impuesto - CASE WHEN d.Bruto = 0 THEN 0 ELSE ROUND(d.Descuento * d.Impuesto / d.Bruto, 2) END)
               AS Impuesto
    FROM (SELECT pxc.ID_ProductosXCuenta AS Folio,
                 ISNULL(pxc.Nombre_Producto, ISNULL(p.Nombre_Cuenta, '')) AS Nombre_Cuenta,
                 CASE WHEN pxc.ID_Paquete IS NOT NULL AND pxc.ID_Paquete <> pxc.ID_ProductosXCuenta
                      THEN 1 ELSE 0 END AS Componente,
                 pxc.Precio + ISNULL((SELECT SUM(m.Precio_Modificador) FROM Modificador m
                                      WHERE m.ID_ProductosXCuenta = pxc.ID_ProductosXCuenta), 0) AS Bruto,
                 ISNULL((SELECT SUM(ixc.Monto_ImpuestosXCuenta) FROM ImpuestosXCuenta ixc
                         WHERE ixc.ID_ProductosXCuenta = pxc.ID_ProductosXCuenta), 0)
                 + ISNULL((SELECT SUM(m.Impuesto_Modificador) FROM Modificador m
                           WHERE m.ID_ProductosXCuenta = pxc.ID_ProductosXCuenta), 0) AS Impuesto,
                 ISNULL((SELECT SUM(co.Monto) FROM Cortesia co
                         WHERE co.ID_ProductosXCuenta = pxc.ID_ProductosXCuenta), 0) AS Descuento
          FROM ProductosXCuenta pxc
          LEFT JOIN Producto p ON p.ID_Producto = pxc.ID_Producto
          WHERE pxc.ID_Comanda = @nIDComanda AND pxc.Control = @nControl AND pxc.Num_Cuenta = @nNumCuenta
            AND pxc.ID_Tipo_Anulacion IS NULL) d
    WHERE NOT (d.Componente = 1 AND d.Bruto = 0)
    GROUP BY d.Nombre_Cuenta, d.Bruto
    ORDER BY MIN(d.Folio)
END
GO
