-- Vw_ListaProductos returns the products that may be sold by scanning their barcode: active
-- products with a barcode (ID_Producto, codigo_barras, Nombre_Cuenta).
CREATE VIEW Vw_ListaProductos AS
SELECT p.ID_Producto, p.codigo_barras, p.Nombre_Cuenta
FROM Producto p
WHERE p.Estado = 'A' AND p.codigo_barras IS NOT NULL AND p.codigo_barras <> ''
GO
