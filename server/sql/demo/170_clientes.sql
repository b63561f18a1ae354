-- Demo restaurant customers: two fiscal customers for invoices and two loyalty card holders.
-- Keys 2 and 123456789012345 are left free: the terminal's own customer screens create them.

-- Fiscal customers (invoices), numbered from 1.
INSERT INTO Clientes (CveCliente, RFC, Razon, DirCalle, DirCol, DirDelMun, dircp, nombrecliente,
                      ApPaterno, ApMaterno, tel, idtipocliente, Activo)
VALUES (1, 'SAL120504KP3', 'SERVICIOS ALIMENTARIOS DEL LAGO SA DE CV', 'AV. DEL PARQUE 48',
        'CENTRO', 'SAN MIGUEL DE LAS HUERTAS, JAL.', '45100', 'SERVICIOS ALIMENTARIOS DEL LAGO', '', '',
        '3336120011', 2, 1),
       (3, 'VARE800214QW1', 'ELENA VARGAS RIOS', 'CALLE NOGAL 12', 'LAS FUENTES',
        'SAN MIGUEL DE LAS HUERTAS, JAL.', '45130', 'ELENA', 'VARGAS', 'RIOS', '3336125522', 2, 1)
GO

-- Loyalty card holders: the key is the 15-digit card number, also kept as text and as a number;
-- balances (points and money) as last mirrored from the loyalty service.
INSERT INTO Clientes (CveCliente, nombrecliente, ApPaterno, ApMaterno, FechaNacimiento, tel,
                      Numtarjeta, Num_Tarjeta, idtipocliente, Activo, SaldoAnteriorP, SaldoAnterior,
                      NuevoSaldoP, NuevoSaldo)
VALUES (100000000000017, 'ELENA', 'VARGAS', 'RIOS', '14/02/1980', '3336125522',
        '100000000000017', 100000000000017, 1, 1, 250, 62.5, 250, 62.5),
       (100000000000025, 'RAMIRO', 'OCHOA', 'BLANCO', '30/09/1975', '3336127788',
        '100000000000025', 100000000000025, 1, 1, 80, 20, 80, 20)
GO
