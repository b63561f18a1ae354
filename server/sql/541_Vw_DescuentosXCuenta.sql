-- vw_descuentosxcuenta returns the discounts of each account, one row per courtesy type granted on
-- its live items, with the amount taken off: nombre_tipo_cortesia, monto, id_comanda, Control,
-- Num_cuenta. Charges to house accounts are not discounts and are listed by
-- vw_reportecortesiasespeciales instead.
CREATE VIEW vw_descuentosxcuenta AS
SELECT tc.Nombre_Tipo_Cortesia AS nombre_tipo_cortesia,
       SUM(co.Monto) AS monto,
       pxc.ID_Comanda AS id_comanda,
       pxc.Control,
       pxc.Num_Cuenta AS Num_cuenta
FROM Cortesia co
INNER JOIN ProductosXCuenta pxc ON pxc.ID_ProductosXCuenta = co.ID_ProductosXCuenta
INNER JOIN Tipo_Cortesia tc ON tc.ID_Tipo_Cortesia = co.ID_Tipo_Cortesia
WHERE pxc.ID_Tipo_Anulacion IS NULL AND tc.Especial = 0
GROUP BY tc.Nombre_Tipo_Cortesia, pxc.ID_Comanda, pxc.Control, pxc.Num_Cuenta
GO
