-- Vw_Total_Pagos returns the payments received on the current working date per payment type,
-- all waiters together: Nombre_Tipo_Pago, Monto (without tips), Propina, Clase.
CREATE VIEW Vw_Total_Pagos AS
SELECT tp.Nombre_Tipo_Pago,
       SUM(pg.Monto_Pago) AS Monto,
       SUM(pg.Propina) AS Propina,
       tp.Clase
FROM Pago pg
INNER JOIN Comanda c ON c.ID_Comanda = pg.ID_Comanda AND c.Control = pg.Control
INNER JOIN Tipo_Pago tp ON tp.ID_Tipo_Pago = pg.ID_Tipo_Pago
WHERE c.fecha_trabajo = (SELECT pa.Valor_Cad FROM Parametros pa WHERE pa.Id_Parametro = 'FECHA_TRABAJO')
GROUP BY tp.Nombre_Tipo_Pago, tp.Clase
GO
