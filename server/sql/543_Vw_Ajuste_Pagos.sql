-- Vw_Ajuste_Pagos returns one row per payment taken on orders of the current working date, for
-- adjusting tips and payment types and for the waiter's report: ID_Pago, MESA (table), TIPO
-- (payment type name), PAGO (amount without tip), PROPINA, id_empleado (the order's waiter, to
-- whom the tip belongs), then the account it paid.
CREATE VIEW Vw_Ajuste_Pagos AS
SELECT pg.ID_Pago,
       c.Num_Mesa AS MESA,
       tp.Nombre_Tipo_Pago AS TIPO,
       pg.Monto_Pago AS PAGO,
       pg.Propina AS PROPINA,
       c.ID_Empleado AS id_empleado,
       pg.ID_Comanda,
       pg.Control,
       pg.Num_Cuenta
FROM Pago pg
INNER JOIN Comanda c ON c.ID_Comanda = pg.ID_Comanda AND c.Control = pg.Control
INNER JOIN Tipo_Pago tp ON tp.ID_Tipo_Pago = pg.ID_Tipo_Pago
WHERE c.fecha_trabajo = (SELECT pa.Valor_Cad FROM Parametros pa WHERE pa.Id_Parametro = 'FECHA_TRABAJO')
GO
