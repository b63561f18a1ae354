-- Demo restaurant "La Cazuela Dorada": its terminals, printers and printer groups.

-- Terminal 1 is the cashier station next to the database (servidor=1); terminal 2 is the waiters'
-- station in the dining room. Both show menu 1.
INSERT INTO Terminal (ID_Terminal, Nombre_Terminal, Estado_Terminal, Reiniciar, servidor, Direccion_IP, Id_Menu)
VALUES (1, 'CAJA PRINCIPAL', 'A', 0, 1, '127.0.0.1', 1),
       (2, 'MESEROS SALON', 'A', 0, 0, '127.0.0.1', 1)
GO

-- Printers. Every port writes to a file under the state folder, so the demo prints without any
-- hardware: the cashier's ticket and invoice printer (terminal 1), the kitchen, the bar, and the
-- waiters' ticket printer (terminal 2). Each prints its own jobs (Redirigido = itself).
-- "?texto" makes them plain text, for people to read.
INSERT INTO Impresora (ID_Impresora, Nombre_Impresora, Puerto, Estado_Impresora, ID_Terminal, EsDeCheques, Fiscal, Redirigido)
VALUES (1, 'CAJA', 'file:caja.txt?texto', 'A', 1, 1, 1, 1),
       (2, 'COCINA', 'file:cocina.txt?texto', 'A', 0, 0, 0, 2),
       (3, 'BARRA', 'file:barra.txt?texto', 'A', 0, 0, 0, 3),
       (4, 'MESEROS', 'file:meseros.txt?texto', 'A', 2, 1, 0, 4)
GO

-- Printer groups: where the kitchen order of a product goes. Dishes go to the kitchen (2), drinks,
-- coffee and desserts to the bar (3); group 1 sends to both.
INSERT INTO Grupo_Impresoras (ID_Grupo_Impresoras, Nombre_Grupo_Impresoras)
VALUES (1, 'COCINA Y BARRA'),
       (2, 'COCINA'),
       (3, 'BARRA')
GO

INSERT INTO ImpresorasXGrupo (ID_Grupo_Impresoras, ID_Impresora)
VALUES (1, 2),
       (1, 3),
       (2, 2),
       (3, 3)
GO
