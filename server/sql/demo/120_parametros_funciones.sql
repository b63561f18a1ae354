-- Demo restaurant settings, its company data and the functions switched on at each terminal.

-- Settings read by the terminals. Texts go on ticket and report headers; numbers are widths,
-- rates and counts. The loyalty service address is where scripts/demo starts the stand-in service. The working date (FECHA_TRABAJO) is not set here: it comes with the base rows.
-- The demo's values replace any default the base rows gave the same keys.
DELETE FROM Parametros
WHERE Id_Parametro IN ('CONCEPTO', 'SUCURSAL', 'URL_LEALTAD', 'CVEEMPRESA', 'TIEMPO_INACT', 'CUENTA_TICKET',
                       'STORE', 'ANCHO_TICKET', 'TC_US', 'NUM_IMPRESIONES', 'Num_Tiempos', 'PORPROPINA',
                       'DIRECCIONCALLE', 'DIRECCIONCALLE2', 'DIRECCIONCOL', 'DIRECCIONDEL', 'DIRECCIONCP',
                       'DIRECCIONEYC', 'RFC', 'SERIE')
   OR Id_Parametro LIKE 'TXTTICKET%'
GO

INSERT INTO Parametros (Id_Parametro, Valor_Num, Valor_Cad)
VALUES ('CONCEPTO', 1, ''),
       ('SUCURSAL', 1, 'LA CAZUELA DORADA CENTRO'),
       ('URL_LEALTAD', 0, 'http://127.0.0.1:8642/loyalty'),
       ('CVEEMPRESA', 1, ''),
       ('TIEMPO_INACT', 120, ''),
       ('CUENTA_TICKET', 1, ''),
       ('STORE', 0, 'CZD001'),
       ('ANCHO_TICKET', 40, ''),
       ('TC_US', 19.85, ''),
       ('NUM_IMPRESIONES', 2, ''),
       ('Num_Tiempos', 3, ''),
       ('PORPROPINA', 3, ''),
       ('DIRECCIONCALLE', 0, 'CALLE DE LOS ALAMOS 215'),
       ('DIRECCIONCALLE2', 0, 'LOCAL 3, PLANTA BAJA'),
       ('DIRECCIONCOL', 0, 'COL. JARDINES DEL LAGO'),
       ('DIRECCIONDEL', 0, 'SAN MIGUEL DE LAS HUERTAS'),
       ('DIRECCIONCP', 0, '45120'),
       ('DIRECCIONEYC', 0, 'SAN MIGUEL DE LAS HUERTAS, JAL.'),
       ('RFC', 0, 'GCD190301AB2'),
       ('SERIE', 0, 'A'),
       ('TXTTICKET01', 0, 'GRACIAS POR SU VISITA'),
       ('TXTTICKET02', 0, 'LA PROPINA NO ESTA INCLUIDA'),
       ('TXTTICKET03', 0, 'FACTURE SU CONSUMO EN CAJA EL MISMO DIA')
GO

-- The company that owns the restaurant (CVEEMPRESA), printed when the address does not come from
-- the settings above.
INSERT INTO Empresas (CveEmpresa, RazonSocial, Calle, Colonia, DelMunicipio, Estado, CP, RFC, Telefono1)
VALUES (1, 'GRUPO CAZUELA DORADA SA DE CV', 'CALLE DE LOS ALAMOS 215', 'JARDINES DEL LAGO',
        'SAN MIGUEL DE LAS HUERTAS', 'JALISCO', '45120', 'GCD190301AB2', '33 3612 4580')
GO

-- The functions the terminal understands (1..25), for the per-terminal switches below. Only the
-- numbers not yet catalogued are added, so the catalogue of the base rows is kept when it exists.
INSERT INTO Funciones (ID_Funcion, Descripcion_Funcion)
SELECT f.ID_Funcion, f.Descripcion_Funcion
FROM (SELECT 1 AS ID_Funcion, 'TIPO DE CAMBIO AL ARRANCAR' AS Descripcion_Funcion
       UNION ALL SELECT 2, 'PANTALLA DE COMANDA (2)'
       UNION ALL SELECT 3, 'PANTALLA DE COMANDA (3)'
       UNION ALL SELECT 4, 'PANTALLA DE COMANDA (4)'
       UNION ALL SELECT 5, 'PANTALLA DE COMANDA (5)'
       UNION ALL SELECT 6, 'ENCABEZADOS DE TIEMPOS'
       UNION ALL SELECT 7, 'PANTALLA DE COMANDA (7)'
       UNION ALL SELECT 8, 'PANTALLA DE COMANDA (8)'
       UNION ALL SELECT 9, 'PANTALLA DE COMANDA (9)'
       UNION ALL SELECT 10, 'TOTAL EN DOLARES EN EL TICKET'
       UNION ALL SELECT 11, 'RESERVADA (11)'
       UNION ALL SELECT 12, 'BOTONES DE PRODUCTOS'
       UNION ALL SELECT 13, 'ENCABEZADO CON DIRECCION DE PARAMETROS'
       UNION ALL SELECT 14, 'PANTALLA DE PAGO'
       UNION ALL SELECT 15, 'CONTROL DE ASISTENCIA'
       UNION ALL SELECT 16, 'CONCURSO Y LEYENDAS DEL TICKET'
       UNION ALL SELECT 17, 'OBSEQUIOS EN MENUS FIJOS'
       UNION ALL SELECT 18, 'PANTALLA DE COMANDA (18)'
       UNION ALL SELECT 19, 'PROGRAMA DE LEALTAD'
       UNION ALL SELECT 20, 'FIRMA DIRECTA A LA COMANDA'
       UNION ALL SELECT 21, 'OPERACIONES DE LA COMANDA'
       UNION ALL SELECT 22, 'MENUS FIJOS'
       UNION ALL SELECT 23, 'SUBTOTAL E IMPUESTOS EN EL TICKET'
       UNION ALL SELECT 24, 'TICKET CON PRECIO MAS IMPUESTO'
       UNION ALL SELECT 25, 'MESERO POR NUMERO EN EL TICKET') f
WHERE f.ID_Funcion NOT IN (SELECT ID_Funcion FROM Funciones)
GO

-- Functions per terminal: every function 1..25 has a row at each terminal, switched on (1) or off
-- (0). Both terminals: serving-time headers (6), product buttons (12), address header from the
-- settings (13), payment screen (14), clock-in (15), ticket footer (16), order-screen operations
-- (21), fixed menus (22), subtotal and tax lines (23), item lines with tax (24). The cashier also
-- prints the dollar total (10), offers gifts among the fixed menus (17) and runs the loyalty
-- programme (19). Off: the exchange-rate prompt at start-up (1), going straight to the order screen
-- (20), the waiter by number (25).
INSERT INTO FuncionesXTerminal (ID_Terminal, ID_Funcion, Estado)
VALUES (1, 1, 0), (1, 2, 0), (1, 3, 0), (1, 4, 0), (1, 5, 0), (1, 6, 1), (1, 7, 0), (1, 8, 0), (1, 9, 0),
       (1, 10, 1), (1, 11, 0), (1, 12, 1), (1, 13, 1), (1, 14, 1), (1, 15, 1), (1, 16, 1), (1, 17, 1),
       (1, 18, 0), (1, 19, 1), (1, 20, 0), (1, 21, 1), (1, 22, 1), (1, 23, 1), (1, 24, 1), (1, 25, 0),
       (2, 1, 0), (2, 2, 0), (2, 3, 0), (2, 4, 0), (2, 5, 0), (2, 6, 1), (2, 7, 0), (2, 8, 0), (2, 9, 0),
       (2, 10, 0), (2, 11, 0), (2, 12, 1), (2, 13, 1), (2, 14, 1), (2, 15, 1), (2, 16, 1), (2, 17, 0),
       (2, 18, 0), (2, 19, 0), (2, 20, 0), (2, 21, 1), (2, 22, 1), (2, 23, 1), (2, 24, 1), (2, 25, 0)
GO
