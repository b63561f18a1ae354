-- Vw_CubiertosXDia returns the covers served on the current working date: one row with Cantidad
-- (the orders that held at least one live item, i.e. tables, take-aways and deliveries actually
-- served) and fecha_trabajo. Earlier days are left out, as in every daily report.
CREATE VIEW Vw_CubiertosXDia AS
SELECT COUNT(*) AS Cantidad, c.fecha_trabajo
FROM Comanda c
WHERE c.fecha_trabajo = (SELECT pa.Valor_Cad FROM Parametros pa WHERE pa.Id_Parametro = 'FECHA_TRABAJO')
  AND EXISTS (SELECT 1 FROM ProductosXCuenta pxc
              WHERE pxc.ID_Comanda = c.ID_Comanda AND pxc.Control = c.Control
                AND pxc.ID_Tipo_Anulacion IS NULL)
GROUP BY c.fecha_trabajo
GO
