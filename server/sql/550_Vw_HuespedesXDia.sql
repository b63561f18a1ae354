-- Vw_HuespedesXDia returns the guests served on the current working date: one row with Cantidad
-- (the guests of all its orders) and fecha_trabajo. Orders closed at zero have their guests reset,
-- so they do not count. Earlier days are left out, as in every daily report, so that reading the
-- day never depends on how much history the database holds.
CREATE VIEW Vw_HuespedesXDia AS
SELECT SUM(ISNULL(c.CantHuespedes, 0)) AS Cantidad, c.fecha_trabajo
FROM Comanda c
WHERE c.fecha_trabajo = (SELECT pa.Valor_Cad FROM Parametros pa WHERE pa.Id_Parametro = 'FECHA_TRABAJO')
GROUP BY c.fecha_trabajo
GO
