-- Vw_ImpuestosXProducto returns one row per product and menu in which it has a price: ID_Producto,
-- Id_Menu, Nombre_Cuenta, Precio_Producto (gross, as charged), ID_Grupo_Impresoras, Abierto (open
-- price) and the tax rate Porcentaje. It deliberately leaves out the product's button caption,
-- state and full name: the product search joins it with Producto and names those unqualified.
CREATE VIEW Vw_ImpuestosXProducto AS
SELECT p.ID_Producto,
       pm.Id_Menu,
       p.Nombre_Cuenta,
       pm.Precio_Producto,
       p.ID_Grupo_Impresoras,
       p.Abierto,
       ISNULL(i.Porcentaje, 0) AS Porcentaje
FROM PreciosXMenu pm
INNER JOIN Producto p ON p.ID_Producto = pm.ID_Producto
LEFT JOIN Impuesto i ON i.ID_Impuesto = p.ID_Impuesto
GO
