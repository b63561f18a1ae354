-- Vw_Resumen_Pagos_Emp returns the same figures as Vw_Resumen_Pagos (payments of the current
-- working date per waiter and payment type: Nombre_Tipo_Pago, Total, Propina, Clase, ID_Empleado),
-- read by name by the payment summary screen; kept as one definition so both always agree.
CREATE VIEW Vw_Resumen_Pagos_Emp AS
SELECT rp.Nombre_Tipo_Pago, rp.Total, rp.Propina, rp.Clase, rp.ID_Empleado
FROM Vw_Resumen_Pagos rp
GO
