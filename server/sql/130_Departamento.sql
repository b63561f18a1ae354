-- Departments (cost centres) and the employees' clock-in entries.

-- Departments an employee may clock into.
CREATE TABLE Departamento (
    id_departamento int NOT NULL PRIMARY KEY,
    Nombre varchar(50) NOT NULL DEFAULT ''
)
GO

-- Departments of each employee; an employee without rows clocks in with department 0.
CREATE TABLE CostosxEmpleado (
    id_empleado int NOT NULL,
    id_departamento int NOT NULL,
    PRIMARY KEY (id_empleado, id_departamento)
)
GO

-- One row per shift, opened and closed by procFirmarEmpleado; the latest entry of an employee is
-- the one with the highest Id_Entrada. Fecha_Trabajo is the working date the shift belongs to, so
-- that shifts can be reported per working date even when a corrected Hora_Inicio holds only a
-- time of day.
CREATE TABLE HorasxEmpleado (
    Id_Entrada int IDENTITY(1,1) NOT NULL PRIMARY KEY,
    Id_Empleado int NOT NULL,
    id_departamento int NOT NULL DEFAULT 0,
    Hora_Inicio datetime NOT NULL DEFAULT (getdate()),
    Hora_Final datetime NULL,
    Fecha_Trabajo char(8) NOT NULL DEFAULT ''
)
GO
CREATE INDEX IX_HorasxEmpleado_Empleado ON HorasxEmpleado (Id_Empleado, Id_Entrada)
GO
CREATE INDEX IX_HorasxEmpleado_Fecha ON HorasxEmpleado (Fecha_Trabajo, Id_Empleado)
GO
