-- Vw_Anulaciones returns the items cancelled in orders of the current working date, in the column
-- positions the cancelled-items screen reads: 1 when, 2 the reason, 3 the manager who cancelled,
-- 4 the product, 5 the table, 6 ID_Comanda, 7 Control; then the item folio.
CREATE VIEW Vw_Anulaciones AS
SELECT pxc.Hora_Anulacion AS Fecha,
       ISNULL(ta.Nombre_Tipos_Anulacion, '') AS Motivo,
       ISNULL(e.Nombre_Empleado + ' ' + e.Apellido_Paterno + ' ' + e.Apellido_Materno, '') AS Gerente,
       ISNULL(pxc.Nombre_Producto, ISNULL(p.Nombre_Cuenta, '')) AS Producto,
       c.Num_Mesa,
       c.ID_Comanda,
       c.Control,
       pxc.ID_ProductosXCuenta
FROM ProductosXCuenta pxc
INNER JOIN Comanda c ON c.ID_Comanda = pxc.ID_Comanda AND c.Control = pxc.Control
LEFT JOIN Tipos_Anulacion ta ON ta.ID_Tipo_Anulacion = pxc.ID_Tipo_Anulacion
LEFT JOIN Empleado e ON e.Id_Empleado = pxc.Empleado_Anulacion
LEFT JOIN Producto p ON p.ID_Producto = pxc.ID_Producto
WHERE pxc.ID_Tipo_Anulacion IS NOT NULL
  AND c.fecha_trabajo = (SELECT pa.Valor_Cad FROM Parametros pa WHERE pa.Id_Parametro = 'FECHA_TRABAJO')
GO
