-- The restaurant's terminals and the functions switched on for each of them.

-- One row per terminal. Id_Menu is the menu whose submenus and prices the terminal shows; the
-- row with servidor=1 is the machine holding the database. Reiniciar asks a running terminal to
-- restart itself. Employee columns must never be added here: the sign-in statements join
-- Empleado and Terminal with unqualified names.
CREATE TABLE Terminal (
    ID_Terminal smallint NOT NULL PRIMARY KEY,
    Nombre_Terminal varchar(50) NOT NULL DEFAULT '',
    Estado_Terminal char(1) NOT NULL DEFAULT 'A',
    Reiniciar bit NOT NULL DEFAULT 0,
    servidor bit NOT NULL DEFAULT 0,
    Direccion_IP varchar(50) NOT NULL DEFAULT '',
    Id_Menu int NOT NULL DEFAULT 1
)
GO

-- Catalogue of terminal functions (1..25 are understood by the terminal). Holds only the number
-- and a description: Estado and ID_Terminal live in FuncionesXTerminal, because the start-up
-- statement names them unqualified in a join of both tables.
CREATE TABLE Funciones (
    ID_Funcion int NOT NULL PRIMARY KEY,
    Descripcion_Funcion varchar(100) NOT NULL DEFAULT ''
)
GO

-- Which functions are on (Estado=1) at which terminal.
CREATE TABLE FuncionesXTerminal (
    ID_Terminal smallint NOT NULL,
    ID_Funcion int NOT NULL,
    Estado bit NOT NULL DEFAULT 1,
    PRIMARY KEY (ID_Terminal, ID_Funcion)
)
GO
