-- Vw_Resumen_Ventas returns the sales of the current working date per waiter and category:
-- Nombre_Categoria, Precio (items before tax), Impuestos (of items and modifiers), Modificadores
-- (modifiers before tax), ID_Empleado; Precio+Impuestos+Modificadores is what was charged.
CREATE VIEW Vw_Resumen_Ventas AS
SELECT ISNULL(sm.Nombre_SubMenu, 'SIN CATEGORIA') AS Nombre_Categoria,
       SUM(dv.Precio_Neto) AS Precio,
       SUM(dv.Impuesto_Producto + dv.Impuesto_Modificadores) AS Impuestos,
       SUM(dv.Modificadores_Neto) AS Modificadores,
       c.ID_Empleado
FROM Vw_DetalleVentas dv
INNER JOIN Comanda c ON c.ID_Comanda = dv.ID_Comanda AND c.Control = dv.Control
LEFT JOIN Producto p ON p.ID_Producto = dv.ID_Producto
LEFT JOIN SubMenu sm ON sm.ID_SubMenu = p.ID_Categoria
WHERE c.fecha_trabajo = (SELECT pa.Valor_Cad FROM Parametros pa WHERE pa.Id_Parametro = 'FECHA_TRABAJO')
GROUP BY ISNULL(sm.Nombre_SubMenu, 'SIN CATEGORIA'), c.ID_Empleado
GO
