-- Vw_Total_Ventas returns the sales of the current working date per category (the product's
-- submenu, 'SIN CATEGORIA' when it has none), all waiters together: Nombre_Categoria, Precio (before
-- tax, modifiers included), Impuestos, Total (charged: Precio + Impuestos). Cancelled items do not
-- count; courtesies are reported apart (Vw_Cortesias_Totales).
--
-- Prices are stored with their tax, so what was charged is each live item's price plus its
-- modifiers' prices, and the price before tax is that less the item's and the modifiers' taxes. The
-- day's items, their modifiers and their taxes are read as three lists joined by index and summed
-- once per category: the day's figures cost the same however much history the database holds, and
-- each amount is read once rather than once per column that needs it.
CREATE VIEW Vw_Total_Ventas AS
SELECT ISNULL(sm.Nombre_SubMenu, 'SIN CATEGORIA') AS Nombre_Categoria,
       SUM(v.Bruto) - SUM(v.Impuesto) AS Precio,
       SUM(v.Impuesto) AS Impuestos,
       SUM(v.Bruto) AS Total
FROM (SELECT pxc.ID_Producto, ISNULL(pxc.Precio, 0) AS Bruto, 0 AS Impuesto
      FROM Comanda c
      INNER JOIN ProductosXCuenta pxc ON pxc.ID_Comanda = c.ID_Comanda AND pxc.Control = c.Control
      WHERE c.fecha_trabajo = (SELECT pa.Valor_Cad FROM Parametros pa WHERE pa.Id_Parametro = 'FECHA_TRABAJO')
        AND pxc.ID_Tipo_Anulacion IS NULL
      UNION ALL
      SELECT pxc.ID_Producto, ISNULL(m.Precio_Modificador, 0), ISNULL(m.Impuesto_Modificador, 0)
      FROM Comanda c
      INNER JOIN ProductosXCuenta pxc ON pxc.ID_Comanda = c.ID_Comanda AND pxc.Control = c.Control
      INNER JOIN Modificador m ON m.ID_ProductosXCuenta = pxc.ID_ProductosXCuenta
      WHERE c.fecha_trabajo = (SELECT pa.Valor_Cad FROM Parametros pa WHERE pa.Id_Parametro = 'FECHA_TRABAJO')
        AND pxc.ID_Tipo_Anulacion IS NULL
      UNION ALL
      SELECT pxc.ID_Producto, 0, ISNULL(ixc.Monto_ImpuestosXCuenta, 0)
      FROM Comanda c
      INNER JOIN ProductosXCuenta pxc ON pxc.ID_Comanda = c.ID_Comanda AND pxc.Control = c.Control
      INNER JOIN ImpuestosXCuenta ixc ON ixc.ID_ProductosXCuenta = pxc.ID_ProductosXCuenta
      WHERE c.fecha_trabajo = (SELECT pa.Valor_Cad FROM Parametros pa WHERE pa.Id_Parametro = 'FECHA_TRABAJO')
        AND pxc.ID_Tipo_Anulacion IS NULL) v
LEFT JOIN Producto p ON p.ID_Producto = v.ID_Producto
LEFT JOIN SubMenu sm ON sm.ID_SubMenu = p.ID_Categoria
GROUP BY ISNULL(sm.Nombre_SubMenu, 'SIN CATEGORIA')
GO
