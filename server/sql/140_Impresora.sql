-- Printers, printer groups and the print queue read by the print-queue program.

-- One row per printer. Redirigido is the printer that actually receives this printer's jobs; a
-- printer that prints its own jobs holds its own ID_Impresora there (no default: whoever adds a
-- printer states it). EsDeCheques marks a terminal's local ticket printer, Fiscal its invoice
-- printer; Estado_Impresora 'A' is active. ID_Grupo_Impresoras must never be added here: kitchen
-- lines join ImpresorasXGrupo and Impresora naming it unqualified.
CREATE TABLE Impresora (
    ID_Impresora int NOT NULL PRIMARY KEY,
    Nombre_Impresora varchar(50) NOT NULL DEFAULT '',
    Puerto varchar(50) NOT NULL DEFAULT '',
    Estado_Impresora char(1) NOT NULL DEFAULT 'A',
    ID_Terminal smallint NOT NULL DEFAULT 0,
    EsDeCheques bit NOT NULL DEFAULT 0,
    Fiscal bit NOT NULL DEFAULT 0,
    Redirigido int NOT NULL
)
GO
CREATE INDEX IX_Impresora_Terminal ON Impresora (ID_Terminal)
GO

-- Printer groups: a product is sent to every printer of its group (0: not printed).
CREATE TABLE Grupo_Impresoras (
    ID_Grupo_Impresoras int NOT NULL PRIMARY KEY,
    Nombre_Grupo_Impresoras varchar(50) NOT NULL DEFAULT ''
)
GO

-- The printers of each group.
CREATE TABLE ImpresorasXGrupo (
    ID_Grupo_Impresoras int NOT NULL,
    ID_Impresora int NOT NULL,
    PRIMARY KEY (ID_Grupo_Impresoras, ID_Impresora)
)
GO

-- Print jobs. A job is opened ('A') while its lines are written, closed to pending ('P') when
-- complete, and marked printed ('I') or failed ('E', tried again later) by the print-queue program,
-- which counts its attempts and keeps the last error. A job left open past a grace period (its
-- terminal stopped while writing it) is given up ('F') with the reason in Ultimo_Error and never
-- printed, since its lines may be incomplete. Tipo is the document letter; ID_Impresora the printer
-- that prints it (redirections already applied); Usuario the employee who caused it.
--
-- Several print-queue programs may serve one database. A program claims a waiting job before sending
-- it, with one conditional update that succeeds only while no other claim runs (Reclamado_Hasta is
-- NULL or past), so a job is sent by one program at a time; the claim lasts longer than a printer may
-- take, and a program that died leaves a claim that runs out, after which another program takes
-- the job. Reclamado_Por names the last program that claimed the job (machine, process, instance).
CREATE TABLE Cola_Trabajo (
    ID_Trabajo int IDENTITY(1,1) NOT NULL PRIMARY KEY,
    Tipo char(1) NOT NULL,
    ID_Impresora int NOT NULL,
    Usuario varchar(20) NOT NULL DEFAULT '',
    Estado char(1) NOT NULL DEFAULT 'A' CHECK (Estado IN ('A', 'P', 'I', 'E', 'F')),
    Fecha_Alta datetime NOT NULL DEFAULT (getdate()),
    Fecha_Cierre datetime NULL,
    Fecha_Impresion datetime NULL,
    Intentos int NOT NULL DEFAULT 0,
    Ultimo_Error varchar(255) NULL,
    Reclamado_Por varchar(100) NULL,
    Reclamado_Hasta datetime NULL
)
GO
-- The print-queue program takes the pending jobs oldest first; printed jobs
-- accumulate, so this lookup must not depend on how many there are.
CREATE INDEX IX_Cola_Trabajo_Pendientes ON Cola_Trabajo (Estado, ID_Trabajo)
GO

-- The text lines of a job, printed in Num_Linea order; the text carries the print markup tags.
CREATE TABLE Cola_Linea (
    ID_Trabajo int NOT NULL REFERENCES Cola_Trabajo (ID_Trabajo),
    Num_Linea int NOT NULL,
    Texto varchar(1000) NOT NULL DEFAULT '',
    PRIMARY KEY (ID_Trabajo, Num_Linea)
)
GO
