-- Vw_Impresoras returns every printer with the printer that receives its jobs: Id_Impresora, its
-- name, its state as Estado_1, Redirigido, the receiving printer's name as Nombre_Impresora1 and
-- its state as Estado_2 (both '' when Redirigido names no printer). A printer with
-- Id_Impresora <> Redirigido is redirected.
CREATE VIEW Vw_Impresoras AS
SELECT i.ID_Impresora AS Id_Impresora,
       i.Nombre_Impresora,
       i.Estado_Impresora AS Estado_1,
       i.Redirigido,
       ISNULL(r.Nombre_Impresora, '') AS Nombre_Impresora1,
       ISNULL(r.Estado_Impresora, '') AS Estado_2
FROM Impresora i
LEFT JOIN Impresora r ON r.ID_Impresora = i.Redirigido
GO
