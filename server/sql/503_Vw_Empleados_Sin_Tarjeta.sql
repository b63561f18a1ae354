-- Vw_Empleados_Sin_Tarjeta returns the active employees who cannot sign in with a card: no card
-- stored, an empty one, or 'XXX' (card taken away). Identifier, full name and user name.
CREATE VIEW Vw_Empleados_Sin_Tarjeta AS
SELECT e.Id_Empleado AS ID_Empleado,
       e.Nombre_Empleado + ' ' + e.Apellido_Paterno + ' ' + e.Apellido_Materno AS Nombre_Empleado,
       e.Usuario
FROM Empleado e
WHERE e.Estado_Empleado = 'A'
  AND (e.Num_Tarjeta IS NULL OR e.Num_Tarjeta = '' OR e.Num_Tarjeta = 'XXX')
GO
