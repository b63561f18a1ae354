-- Vw_EmpleadosFirmados returns the employees clocked in now (Firmado=1), one row each, with the
-- shift they are in (their latest entry): Id_Empleado, full name as Empleado, the terminal they are
-- signed in at ('' when none), the department's name ('' for department 0) and Hora_Inicio.
CREATE VIEW Vw_EmpleadosFirmados AS
SELECT e.Id_Empleado,
       e.Nombre_Empleado + ' ' + e.Apellido_Paterno + ' ' + e.Apellido_Materno AS Empleado,
       ISNULL(t.Nombre_Terminal, '') AS Nombre_Terminal,
       ISNULL(d.Nombre, '') AS Departamento,
       tu.Hora_Inicio
FROM Empleado e
INNER JOIN Vw_Turnos tu
        ON tu.Id_Entrada = (SELECT MAX(h.Id_Entrada) FROM HorasxEmpleado h WHERE h.Id_Empleado = e.Id_Empleado)
LEFT JOIN Terminal t ON t.ID_Terminal = e.ID_Terminal
LEFT JOIN Departamento d ON d.id_departamento = tu.id_departamento
WHERE e.Firmado = 1
GO
