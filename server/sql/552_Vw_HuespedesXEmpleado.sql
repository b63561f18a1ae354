-- Vw_HuespedesXEmpleado returns the guests each waiter served on the current working date: Nombre
-- (full name), Huespedes, Mesas (orders opened), ID_Empleado.
CREATE VIEW Vw_HuespedesXEmpleado AS
SELECT e.Nombre_Empleado + ' ' + e.Apellido_Paterno + ' ' + e.Apellido_Materno AS Nombre,
       SUM(ISNULL(c.CantHuespedes, 0)) AS Huespedes,
       COUNT(*) AS Mesas,
       e.Id_Empleado AS ID_Empleado
FROM Comanda c
INNER JOIN Empleado e ON e.Id_Empleado = c.ID_Empleado
WHERE c.fecha_trabajo = (SELECT pa.Valor_Cad FROM Parametros pa WHERE pa.Id_Parametro = 'FECHA_TRABAJO')
GROUP BY e.Id_Empleado, e.Nombre_Empleado, e.Apellido_Paterno, e.Apellido_Materno
GO
