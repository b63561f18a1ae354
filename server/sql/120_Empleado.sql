-- Employees, their work groups and the permissions granted to each group.

-- One row per employee. The name parts are NOT NULL with '' defaults because the terminal builds
-- full names with +, where one NULL would blank the whole name. ID_Terminal is the terminal the
-- employee is signed in at (0: none); Firmado says whether the employee is clocked in. Num_Tarjeta
-- holds the enciphered card number ('XXX' once the card was taken away) and Contraseña the
-- enciphered password. Usuario must be a plain identifier: it is passed unquoted to Mandar_Tiempo.
-- Order columns (ID_Comanda, Control, EnUsoPor, ...) and Nombre_Terminal must never be added:
-- several statements join Empleado with Comanda or Terminal using unqualified names.
CREATE TABLE Empleado (
    Id_Empleado int NOT NULL PRIMARY KEY,
    Usuario varchar(20) NOT NULL DEFAULT '',
    Nombre_Empleado varchar(50) NOT NULL DEFAULT '',
    Apellido_Paterno varchar(50) NOT NULL DEFAULT '',
    Apellido_Materno varchar(50) NOT NULL DEFAULT '',
    Admin_Usuarios bit NOT NULL DEFAULT 0,
    ID_Terminal smallint NOT NULL DEFAULT 0,
    Firmado bit NOT NULL DEFAULT 0,
    Estado_Empleado char(1) NOT NULL DEFAULT 'A',
    Num_Tarjeta varchar(100) NULL,
    Contraseña varchar(255) NULL
)
GO

-- Card swipes and password sign-ins look employees up by these two columns.
CREATE INDEX IX_Empleado_Num_Tarjeta ON Empleado (Num_Tarjeta)
GO
CREATE INDEX IX_Empleado_Usuario ON Empleado (Usuario)
GO

-- Work groups (waiters, captains, managers...): permissions are granted to groups.
CREATE TABLE Grupo_Trabajo (
    ID_Grupo_Trabajo int NOT NULL PRIMARY KEY,
    Nombre_Grupo_Trabajo varchar(50) NOT NULL DEFAULT ''
)
GO

-- Catalogue of permission numbers and what they allow, for the administration screens.
CREATE TABLE Permiso (
    ID_Permiso int NOT NULL PRIMARY KEY,
    Nombre_Permiso varchar(100) NOT NULL DEFAULT ''
)
GO

-- Membership of employees in work groups.
CREATE TABLE EmpleadosXGrupo (
    ID_Empleado int NOT NULL,
    ID_Grupo_Trabajo int NOT NULL,
    PRIMARY KEY (ID_Empleado, ID_Grupo_Trabajo)
)
GO
CREATE INDEX IX_EmpleadosXGrupo_Grupo ON EmpleadosXGrupo (ID_Grupo_Trabajo)
GO

-- Permissions held by each work group.
CREATE TABLE PermisosXGrupo_Trabajo (
    ID_Grupo_Trabajo int NOT NULL,
    ID_Permiso int NOT NULL,
    PRIMARY KEY (ID_Grupo_Trabajo, ID_Permiso)
)
GO
CREATE INDEX IX_PermisosXGrupo_Permiso ON PermisosXGrupo_Trabajo (ID_Permiso)
GO
