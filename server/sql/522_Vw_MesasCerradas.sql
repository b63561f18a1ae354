-- Vw_MesasCerradas returns the orders closed on the current working date, which may be reopened:
-- 1 ID_Comanda, 2 Control, 3 Num_Mesa (the positions the screen reads), then the waiter's name, the
-- closing time, the amount of all its accounts and ID_Empleado. The day-opening records (Tipo 'D',
-- written when a working date begins) are not tables and are never offered for reopening.
CREATE VIEW Vw_MesasCerradas AS
SELECT c.ID_Comanda,
       c.Control,
       c.Num_Mesa,
       ISNULL(e.Nombre_Empleado + ' ' + e.Apellido_Paterno, '') AS Mesero,
       c.Fecha_Cierre,
       ISNULL((SELECT SUM(cu.Total) FROM Cuenta cu
               WHERE cu.ID_Comanda = c.ID_Comanda AND cu.Control = c.Control), 0) AS Total,
       c.ID_Empleado
FROM Comanda c
LEFT JOIN Empleado e ON e.Id_Empleado = c.ID_Empleado
WHERE c.Abierta = 0
  AND c.Tipo <> 'D'
  AND c.fecha_trabajo = (SELECT p.Valor_Cad FROM Parametros p WHERE p.Id_Parametro = 'FECHA_TRABAJO')
GO
