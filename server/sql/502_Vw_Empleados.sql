-- Vw_Empleados returns the active employees for the card assignment list, identifier first (the
-- list hands the touched row's first column on as the employee), then the full name, the user
-- name and Admin (1 for user administrators, whose cards only another administrator may change).
CREATE VIEW Vw_Empleados AS
SELECT e.Id_Empleado AS ID_Empleado,
       e.Nombre_Empleado + ' ' + e.Apellido_Paterno + ' ' + e.Apellido_Materno AS Nombre_Empleado,
       e.Usuario,
       CAST(e.Admin_Usuarios AS int) AS Admin
FROM Empleado e
WHERE e.Estado_Empleado = 'A'
GO
