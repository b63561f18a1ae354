-- Base rows every restaurant database needs before its first start: the working date, a few
-- neutral settings, the order counter and the day-opening record. The restaurant itself (terminals,
-- printers, menu, staff, its own settings) is added afterwards; its settings replace these.

-- The working date starts as the day the database is created ("ddmmyyyy"; style 103 gives
-- dd/mm/yyyy). Fin_Dia moves it on.
INSERT INTO Parametros (Id_Parametro, Valor_Num, Valor_Cad)
SELECT 'FECHA_TRABAJO', 0, SUBSTRING(h.Hoy, 1, 2) + SUBSTRING(h.Hoy, 4, 2) + SUBSTRING(h.Hoy, 7, 4)
FROM (SELECT CONVERT(char(10), GETDATE(), 103) AS Hoy) h
GO

-- Settings whose zero would hinder a fresh installation: a ticket of 32 columns, the footer on every
-- ticket, one print of an account allowed without permission 44, three serving times offered.
INSERT INTO Parametros (Id_Parametro, Valor_Num, Valor_Cad) VALUES ('ANCHO_TICKET', 32, '')
INSERT INTO Parametros (Id_Parametro, Valor_Num, Valor_Cad) VALUES ('CUENTA_TICKET', 1, '')
INSERT INTO Parametros (Id_Parametro, Valor_Num, Valor_Cad) VALUES ('NUM_IMPRESIONES', 1, '')
INSERT INTO Parametros (Id_Parametro, Valor_Num, Valor_Cad) VALUES ('Num_Tiempos', 3, '')
GO

-- The day-opening record. Every terminal refuses to start when the working date is later than the
-- working date of the newest order (the order with the highest ID_Comanda). So that a new database,
-- and one whose day was just closed, start without an order having been taken, each working date
-- begins with a closed, empty record carrying the next order number and that date: Tipo 'D', table
-- 0, terminal (Control) 0, no employee, no account. It is written here for the first working date
-- and by Fin_Dia for every following one. ID_Comanda 1 is its number, so the counter starts at 1.
INSERT INTO Consecutivos (Id_Consecutivo, Ultimo) VALUES ('COMANDA', 1)
GO
INSERT INTO Comanda (ID_Comanda, Control, Num_Mesa, Tipo, ID_Empleado, CantHuespedes, Abierta,
                     Fecha_Apertura, Fecha_Cierre, EnUsoPor, fecha_trabajo, Num_Anexo)
SELECT 1, 0, 0, 'D', 0, 0, 0, GETDATE(), GETDATE(), 0, p.Valor_Cad, NULL
FROM Parametros p
WHERE p.Id_Parametro = 'FECHA_TRABAJO'
GO
