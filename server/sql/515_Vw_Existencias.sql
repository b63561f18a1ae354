-- Vw_Existencias returns the stock of every active product for the stock screen: Id_Producto,
-- Nombre_Cuenta, Existencia and Id_Categoria, the submenu the product is reported under (its
-- category), so that a product appears once even when several submenus offer it.
CREATE VIEW Vw_Existencias AS
SELECT p.ID_Producto AS Id_Producto, p.Nombre_Cuenta, p.Existencia, p.ID_Categoria AS Id_Categoria
FROM Producto p
WHERE p.Estado = 'A'
GO
