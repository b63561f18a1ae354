-- Vw_SeleccionarCta returns the live items of every account by their button caption, so that the
-- account picker can show what each account holds: ID_Comanda, Control, Num_Cuenta,
-- ID_ProductosXCuenta, Nombre_Boton.
CREATE VIEW Vw_SeleccionarCta AS
SELECT pxc.ID_Comanda, pxc.Control, pxc.Num_Cuenta, pxc.ID_ProductosXCuenta, p.Nombre_Boton
FROM ProductosXCuenta pxc
INNER JOIN Producto p ON p.ID_Producto = pxc.ID_Producto
WHERE pxc.ID_Tipo_Anulacion IS NULL
GO
