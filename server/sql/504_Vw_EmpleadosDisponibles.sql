-- Vw_EmpleadosDisponibles returns the active employees a table can be handed to or a report can be
-- asked for: identifier first, full name second (the pickers read these two positions), then the
-- user name.
CREATE VIEW Vw_EmpleadosDisponibles AS
SELECT e.Id_Empleado AS ID_Empleado,
       e.Nombre_Empleado + ' ' + e.Apellido_Paterno + ' ' + e.Apellido_Materno AS Nombre_Empleado,
       e.Usuario
FROM Empleado e
WHERE e.Estado_Empleado = 'A'
GO
