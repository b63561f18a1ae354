-- Vw_ReimprimirCta returns the accounts of the current working date that have been printed or
-- paid, so their ticket can be printed again: 1 ID_Comanda, 2 Num_Mesa, 3 Num_Cuenta, 4 the
-- waiter's name, 5 Total, 6 the order's closing time (NULL while open), 7 Control, 8 ID_Empleado
-- (the waiter).
CREATE VIEW Vw_ReimprimirCta AS
SELECT cu.ID_Comanda,
       c.Num_Mesa,
       cu.Num_Cuenta,
       ISNULL(e.Nombre_Empleado + ' ' + e.Apellido_Paterno, '') AS Mesero,
       cu.Total,
       c.Fecha_Cierre,
       cu.Control,
       c.ID_Empleado
FROM Cuenta cu
INNER JOIN Comanda c ON c.ID_Comanda = cu.ID_Comanda AND c.Control = cu.Control
LEFT JOIN Empleado e ON e.Id_Empleado = c.ID_Empleado
WHERE (cu.Num_Impresiones > 0 OR cu.Pagada = 1)
  AND c.fecha_trabajo = (SELECT pa.Valor_Cad FROM Parametros pa WHERE pa.Id_Parametro = 'FECHA_TRABAJO')
GO
