-- Vw_MesasAbiertas returns one row per open order (Abierta=1) for the open-tables screen, in the
-- column positions it reads: 1 ID_Comanda, 2 Control, 3 Num_Mesa, 4 the waiter's name, 5 Tipo,
-- 6 guests, 7 Num_Impresiones (how many times its accounts were printed; above 0 the row is drawn
-- as waiting for payment), 8 ID_Empleado (the waiter), 9 the amount due of all its accounts and
-- 10 the opening time.
CREATE VIEW Vw_MesasAbiertas AS
SELECT c.ID_Comanda,
       c.Control,
       c.Num_Mesa,
       ISNULL(e.Nombre_Empleado + ' ' + e.Apellido_Paterno, '') AS Mesero,
       c.Tipo,
       ISNULL(c.CantHuespedes, 0) AS Huespedes,
       ISNULL((SELECT SUM(cu.Num_Impresiones) FROM Cuenta cu
               WHERE cu.ID_Comanda = c.ID_Comanda AND cu.Control = c.Control), 0) AS Num_Impresiones,
       c.ID_Empleado,
       ISNULL((SELECT SUM(cu.Total) FROM Cuenta cu
               WHERE cu.ID_Comanda = c.ID_Comanda AND cu.Control = c.Control), 0) AS Total,
       c.Fecha_Apertura
FROM Comanda c
LEFT JOIN Empleado e ON e.Id_Empleado = c.ID_Empleado
WHERE c.Abierta = 1
GO
