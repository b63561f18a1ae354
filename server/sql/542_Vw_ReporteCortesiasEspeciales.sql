-- vw_reportecortesiasespeciales returns the charges to house accounts of each account: per
-- customer and courtesy type, the amount charged (total) on its live items: nombrecliente,
-- nombre_tipo_cortesia, total, Id_Comanda, Control, Num_Cuenta.
CREATE VIEW vw_reportecortesiasespeciales AS
SELECT ISNULL(cli.nombrecliente, '') + ISNULL(' ' + cli.ApPaterno, '') AS nombrecliente,
       tc.Nombre_Tipo_Cortesia AS nombre_tipo_cortesia,
       SUM(co.Monto) AS total,
       pxc.ID_Comanda AS Id_Comanda,
       pxc.Control,
       pxc.Num_Cuenta
FROM Cortesia co
INNER JOIN ProductosXCuenta pxc ON pxc.ID_ProductosXCuenta = co.ID_ProductosXCuenta
INNER JOIN Tipo_Cortesia tc ON tc.ID_Tipo_Cortesia = co.ID_Tipo_Cortesia
LEFT JOIN Clientes cli ON cli.CveCliente = co.CveCliente
WHERE pxc.ID_Tipo_Anulacion IS NULL AND tc.Especial = 1
GROUP BY cli.nombrecliente, cli.ApPaterno, tc.Nombre_Tipo_Cortesia, pxc.ID_Comanda, pxc.Control, pxc.Num_Cuenta
GO
