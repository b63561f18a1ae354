-- Vw_PorcentajeXProducto returns every product's tax rate as a fraction (0.16 for 16 %), 0 for an
-- untaxed product: Id_Producto, Porcentaje. Prices are gross, so the tax part of a price P is
-- P * Porcentaje / (1 + Porcentaje).
CREATE VIEW Vw_PorcentajeXProducto AS
SELECT p.ID_Producto AS Id_Producto, ISNULL(i.Porcentaje, 0) AS Porcentaje
FROM Producto p
LEFT JOIN Impuesto i ON i.ID_Impuesto = p.ID_Impuesto
GO
