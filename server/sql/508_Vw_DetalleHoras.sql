-- Vw_DetalleHoras returns one row per shift for the staff exit report: working date, employee,
-- department name ('' for department 0), start, end (NULL while open) and the minutes worked, up to
-- now for a shift still open.
CREATE VIEW Vw_DetalleHoras AS
SELECT tu.Fecha_Trabajo,
       tu.Id_Empleado AS ID_Empleado,
       ISNULL(d.Nombre, '') AS Departamento,
       tu.Hora_Inicio,
       tu.Hora_Final,
       DATEDIFF(minute, tu.Hora_Inicio, ISNULL(tu.Hora_Final, GETDATE())) AS Minutos
FROM Vw_Turnos tu
LEFT JOIN Departamento d ON d.id_departamento = tu.id_departamento
GO
