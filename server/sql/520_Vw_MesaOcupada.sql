-- Vw_MesaOcupada returns one row per open order (Abierta=1) for the occupancy check before a table
-- number is used: Num_Mesa, the full name of the waiter as Nombre_Empleado, then ID_Comanda,
-- Control and ID_Empleado so that a screen joining tables can address the order it found.
CREATE VIEW Vw_MesaOcupada AS
SELECT c.Num_Mesa,
       ISNULL(e.Nombre_Empleado + ' ' + e.Apellido_Paterno + ' ' + e.Apellido_Materno, '') AS Nombre_Empleado,
       c.ID_Comanda,
       c.Control,
       c.ID_Empleado
FROM Comanda c
LEFT JOIN Empleado e ON e.Id_Empleado = c.ID_Empleado
WHERE c.Abierta = 1
GO
