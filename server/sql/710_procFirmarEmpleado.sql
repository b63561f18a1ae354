-- procFirmarEmpleado clocks an employee in or out (arguments: department, employee). Not clocked in
-- (Firmado 0): a new shift in HorasxEmpleado for the department (0: the employee has none), started
-- now on the current working date, and Firmado 1. Clocked in: the latest shift ends now and Firmado
-- goes back to 0.
--
-- Decisions:
-- - Clocking out closes the latest entry only while it is still open; the department given with a
--   clock-out is not used (the shift keeps the department it was opened with).
-- - An unknown employee is refused with an error, so no shift is recorded for nobody.
-- - The employee's row is read with UPDLOCK, HOLDLOCK inside a transaction of the procedure's own
--   (XACT_ABORT on): a second clocking of the same employee waits until this one commits, so one
--   press never opens two shifts or closes one twice.
CREATE PROCEDURE procFirmarEmpleado
    @nDepartamento int,
    @nIDEmpleado int
AS
BEGIN
    SET NOCOUNT ON
    SET XACT_ABORT ON
    DECLARE @nFirmado int, @sFecha char(8), @nEntrada int

    BEGIN TRAN
    SELECT @nFirmado = Firmado FROM Empleado WITH (UPDLOCK, HOLDLOCK) WHERE Id_Empleado = @nIDEmpleado
    IF @nFirmado IS NULL
    BEGIN
        ROLLBACK TRAN
        RAISERROR('El empleado no existe.', 16, 1)
        RETURN 1
    END

    IF @nFirmado = 0
    BEGIN
        SELECT @sFecha = Valor_Cad FROM Parametros WHERE Id_Parametro = 'FECHA_TRABAJO'
        INSERT INTO HorasxEmpleado (Id_Empleado, id_departamento, Hora_Inicio, Hora_Final, Fecha_Trabajo)
        VALUES (@nIDEmpleado, ISNULL(@nDepartamento, 0), GETDATE(), NULL, ISNULL(@sFecha, ''))
        UPDATE Empleado SET Firmado = 1 WHERE Id_Empleado = @nIDEmpleado
    END
    ELSE
    BEGIN
        SELECT @nEntrada = MAX(Id_Entrada) FROM HorasxEmpleado WHERE Id_Empleado = @nIDEmpleado
        UPDATE HorasxEmpleado SET Hora_Final = GETDATE() WHERE Id_Entrada = @nEntrada AND Hora_Final IS NULL
        UPDATE Empleado SET Firmado = 0 WHERE Id_Empleado = @nIDEmpleado
    END
    COMMIT TRAN
END
GO
