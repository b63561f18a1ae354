-- Vw_DepartamentosXEmpleado returns the departments each employee may clock into
-- (id_departamento, its Nombre, id_Empleado), offered at clock-in when there is more than one.
CREATE VIEW Vw_DepartamentosXEmpleado AS
SELECT d.id_departamento, d.Nombre, ce.id_empleado AS id_Empleado
FROM CostosxEmpleado ce
INNER JOIN Departamento d ON d.id_departamento = ce.id_departamento
GO
