-- Vw_Permisos returns one row per permission held by an active employee (ID_Empleado,
-- ID_Permiso), through the employee's work groups. An employee in several groups granting the
-- same permission appears once. Inactive employees hold no permissions, so they can neither act
-- nor authorise others.
CREATE VIEW Vw_Permisos AS
SELECT DISTINCT e.Id_Empleado AS ID_Empleado, pg.ID_Permiso
FROM Empleado e
INNER JOIN EmpleadosXGrupo eg ON eg.ID_Empleado = e.Id_Empleado
INNER JOIN PermisosXGrupo_Trabajo pg ON pg.ID_Grupo_Trabajo = eg.ID_Grupo_Trabajo
WHERE e.Estado_Empleado = 'A'
GO
