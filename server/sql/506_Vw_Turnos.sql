-- Vw_Turnos returns every clock-in entry (shift) with its start as a full date and time. A start
-- corrected by hand may hold only a time of day (stored on 1 Jan 1900); such a start is placed on
-- the shift's working date, so durations and listings stay right. Open shifts have no Hora_Final.
-- The staff views (Vw_EmpleadosFirmados, Vw_DetalleHoras) are built on it.
CREATE VIEW Vw_Turnos AS
SELECT h.Id_Entrada,
       h.Id_Empleado,
       h.id_departamento,
       h.Fecha_Trabajo,
       CASE WHEN DATEDIFF(day, '19000101', h.Hora_Inicio) = 0 AND LEN(h.Fecha_Trabajo) = 8
            THEN DATEADD(minute, DATEDIFF(minute, '19000101', h.Hora_Inicio),
                         CAST(SUBSTRING(h.Fecha_Trabajo, 5, 4) + SUBSTRING(h.Fecha_Trabajo, 3, 2)
                              + SUBSTRING(h.Fecha_Trabajo, 1, 2) AS datetime))
            ELSE h.Hora_Inicio END AS Hora_Inicio,
       h.Hora_Final
FROM HorasxEmpleado h
GO
