-- Vw_Resumen_Pagos returns, for the current working date, the payments received per waiter (the
-- employee of the paid order) and payment type: 1 Nombre_Tipo_Pago, 2 Total (without tips),
-- 3 Propina, 4 Clase ('E' cash, 'T' cards), 5 ID_Empleado.
CREATE VIEW Vw_Resumen_Pagos AS
SELECT tp.Nombre_Tipo_Pago,
       SUM(pg.Monto_Pago) AS Total,
       SUM(pg.Propina) AS Propina,
       tp.Clase,
       c.ID_Empleado
FROM Pago pg
INNER JOIN Comanda c ON c.ID_Comanda = pg.ID_Comanda AND c.Control = pg.Control
INNER JOIN Tipo_Pago tp ON tp.ID_Tipo_Pago = pg.ID_Tipo_Pago
WHERE c.fecha_trabajo = (SELECT pa.Valor_Cad FROM Parametros pa WHERE pa.Id_Parametro = 'FECHA_TRABAJO')
GROUP BY tp.Nombre_Tipo_Pago, tp.Clase, c.ID_Empleado
GO
