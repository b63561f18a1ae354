-- Vw_Total_Ventas returns the sales of the current working date per category (the product's
-- submenu, 'SIN CATEGORIA' when it has none), all waiters together: Nombre_Categoria, Precio (before
-- tax, modifiers included), Impuestos, Total (charged: Precio + Impuestos). Cancelled items do not
-- count; courtesies are reported apart (Vw_Cortesias_Totales).
CREATE VIEW Vw_Total_Ventas AS
SELECT ISNULL(sm.Nombre_SubMenu, 'SIN CATEGORIA') AS Nombre_Categoria,
       SUM(dv.Precio_Neto + dv.Modificadores_Neto) AS Precio,
       SUM(dv.Impuesto_Producto + dv.Impuesto_Modificadores) AS Impuestos,
       SUM(dv.Precio_Neto + dv.Modificadores_Neto + dv.Impuesto_Producto + dv.Impuesto_Modificadores) AS Total
FROM Vw_DetalleVentas dv
INNER JOIN Comanda c ON c.ID_Comanda = dv.ID_Comanda AND c.Control = dv.Control
LEFT JOIN Producto p ON p.ID_Producto = dv.ID_Producto
LEFT JOIN SubMenu sm ON sm.ID_SubMenu = p.ID_Categoria
WHERE c.fecha_trabajo = (SELECT pa.Valor_Cad FROM Parametros pa WHERE pa.Id_Parametro = 'FECHA_TRABAJO')
GROUP BY ISNULL(sm.Nombre_SubMenu, 'SIN CATEGORIA')
GO
