-- Vw_Cortesias_Totales returns the courtesies granted on live items of orders of the current
-- working date per courtesy type (house-account charges included): 1 Nombre_Tipo_Cortesia,
-- 2 SumaDeMonto.
CREATE VIEW Vw_Cortesias_Totales AS
SELECT tc.Nombre_Tipo_Cortesia, SUM(co.Monto) AS SumaDeMonto
FROM Cortesia co
INNER JOIN ProductosXCuenta pxc ON pxc.ID_ProductosXCuenta = co.ID_ProductosXCuenta
INNER JOIN Comanda c ON c.ID_Comanda = pxc.ID_Comanda AND c.Control = pxc.Control
INNER JOIN Tipo_Cortesia tc ON tc.ID_Tipo_Cortesia = co.ID_Tipo_Cortesia
WHERE pxc.ID_Tipo_Anulacion IS NULL
  AND c.fecha_trabajo = (SELECT pa.Valor_Cad FROM Parametros pa WHERE pa.Id_Parametro = 'FECHA_TRABAJO')
GROUP BY tc.Nombre_Tipo_Cortesia
GO
