-- Vw_ControlPropina returns one row per order with the figures of the waiter's tip control, to be
-- summed per waiter and working date: Nombre_Empleado (the waiter), Mesas (1), Huespedes, Venta
-- (charged, taxes included), Venta_neta (before tax), prop_rep (tip owed to the house: PORPROPINA %
-- of the net sale), PROPINA (tips received), prop_com (tips less the payment type's commission
-- percentage), Balance (prop_com - prop_rep), Fecha_Trabajo, ID_Empleado.
CREATE VIEW Vw_ControlPropina AS
SELECT v.Nombre_Empleado, v.Mesas, v.Huespedes, v.Venta, v.Venta_neta,
       v.Venta_neta * v.Por_Propina / 100.0 AS prop_rep,
       v.PROPINA,
       v.prop_com,
       v.prop_com - v.Venta_neta * v.Por_Propina / 100.0 AS Balance,
       v.Fecha_Trabajo,
       v.ID_Empleado
FROM (SELECT e.Nombre_Empleado + ' ' + e.Apellido_Paterno AS Nombre_Empleado,
             1 AS Mesas,
             ISNULL(c.CantHuespedes, 0) AS Huespedes,
             ISNULL((SELECT SUM(dv.Precio_Neto + dv.Modificadores_Neto + dv.Impuesto_Producto + dv.Impuesto_Modificadores)
                     FROM Vw_DetalleVentas dv WHERE dv.ID_Comanda = c.ID_Comanda AND dv.Control = c.Control), 0) AS Venta,
             ISNULL((SELECT SUM(dv.Precio_Neto + dv.Modificadores_Neto)
                     FROM Vw_DetalleVentas dv WHERE dv.ID_Comanda = c.ID_Comanda AND dv.Control = c.Control), 0) AS Venta_neta,
             ISNULL((SELECT SUM(pg.Propina) FROM Pago pg
                     WHERE pg.ID_Comanda = c.ID_Comanda AND pg.Control = c.Control), 0) AS PROPINA,
             ISNULL((SELECT SUM(pg.Propina - pg.Propina * pg.comision / 100.0) FROM Pago pg
                     WHERE pg.ID_Comanda = c.ID_Comanda AND pg.Control = c.Control), 0) AS prop_com,
             ISNULL((SELECT pa.Valor_Num FROM Parametros pa WHERE pa.Id_Parametro = 'PORPROPINA'), 0) AS Por_Propina,
             c.fecha_trabajo AS Fecha_Trabajo,
             c.ID_Empleado
      FROM Comanda c
      INNER JOIN Empleado e ON e.Id_Empleado = c.ID_Empleado) v
GO
