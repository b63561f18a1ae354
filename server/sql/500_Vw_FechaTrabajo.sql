-- Vw_FechaTrabajo returns the current working date: one row whose Valor_Cad holds the date the
-- restaurant is operating under, as "ddmmyyyy" (the FECHA_TRABAJO setting). Orders, shifts and
-- every daily report are filed under this date rather than the calendar date, so a night that
-- runs past midnight still belongs to one working day.
CREATE VIEW Vw_FechaTrabajo AS
SELECT p.Valor_Cad
FROM Parametros p
WHERE p.Id_Parametro = 'FECHA_TRABAJO'
GO
