-- Restaurant-wide settings and the company data printed on tickets and reports.

-- One row per setting, looked up by key. A setting holds a number (Valor_Num: rates, counts,
-- widths), a text (Valor_Cad: names, addresses, the working date "ddmmyyyy") or both (SUCURSAL has
-- a branch number and a branch name). Keys are compared case-insensitively.
CREATE TABLE Parametros (
    Id_Parametro varchar(50) NOT NULL PRIMARY KEY,
    Valor_Num decimal(18,4) NULL DEFAULT 0,
    Valor_Cad varchar(255) NULL DEFAULT ''
)
GO

-- Companies that own branches; the parameter CVEEMPRESA names the one printed in headers. Every
-- text column is read by name from SELECT *, so they may be empty but are never missing.
CREATE TABLE Empresas (
    CveEmpresa int NOT NULL PRIMARY KEY,
    RazonSocial varchar(100) NOT NULL DEFAULT '',
    Calle varchar(100) NOT NULL DEFAULT '',
    Colonia varchar(100) NOT NULL DEFAULT '',
    DelMunicipio varchar(100) NOT NULL DEFAULT '',
    Estado varchar(50) NOT NULL DEFAULT '',
    CP varchar(10) NOT NULL DEFAULT '',
    RFC varchar(13) NOT NULL DEFAULT '',
    Telefono1 varchar(30) NOT NULL DEFAULT ''
)
GO

-- Named counters for numbers the server hands out itself (for instance order numbers, which are
-- not identities because one order number is shared by the order's annexes). A procedure that
-- takes a number increments Ultimo inside its transaction and uses the new value.
CREATE TABLE Consecutivos (
    Id_Consecutivo varchar(30) NOT NULL PRIMARY KEY,
    Ultimo bigint NOT NULL DEFAULT 0
)
GO
