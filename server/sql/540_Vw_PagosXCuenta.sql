-- Vw_PagosXCuenta returns every payment of every account with its payment type's name, for the
-- ticket: nombre_tipo_pago, monto (without tip), propina, ID_Comanda, Control, Num_Cuenta, ID_Pago.
CREATE VIEW Vw_PagosXCuenta AS
SELECT tp.Nombre_Tipo_Pago AS nombre_tipo_pago,
       pg.Monto_Pago AS monto,
       pg.Propina AS propina,
       pg.ID_Comanda,
       pg.Control,
       pg.Num_Cuenta,
       pg.ID_Pago
FROM Pago pg
INNER JOIN Tipo_Pago tp ON tp.ID_Tipo_Pago = pg.ID_Tipo_Pago
GO
