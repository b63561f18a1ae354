-- Demo restaurant menu: taxes, the menu, its submenus (product pages) and its products with their
-- prices.

-- The one tax the demo charges: 16 % value added tax, included in every price.
INSERT INTO Impuesto (ID_Impuesto, Nombre_Impuesto, Porcentaje)
VALUES (1, 'IVA 16%', 0.16)
GO

-- Both terminals show menu 1.
INSERT INTO Menu (Id_Menu, Nombre_Menu)
VALUES (1, 'MENU GENERAL')
GO

-- Product pages, in button order. Drinks and coffee keep a fixed button.
INSERT INTO SubMenu (ID_SubMenu, Nombre_SubMenu, Submenu_Fijo)
VALUES (1, 'ENTRADAS', 0),
       (2, 'ENSALADAS', 0),
       (3, 'SOPAS Y CREMAS', 0),
       (4, 'PLATOS FUERTES', 0),
       (5, 'MARISCOS', 0),
       (6, 'BEBIDAS', 1),
       (7, 'POSTRES', 0),
       (8, 'CAFETERIA', 1),
       (9, 'PAQUETES', 0)
GO

INSERT INTO SubmenuxMenu (Id_Menu, id_submenu, Orden)
VALUES (1, 1, 1), (1, 2, 2), (1, 3, 3), (1, 4, 4), (1, 5, 5), (1, 6, 6), (1, 7, 7), (1, 8, 8), (1, 9, 9)
GO

-- Products. Nombre_Boton is the button caption ("\n" breaks it in two lines), Nombre_Cuenta the
-- name on the account. Stock: -1 is not counted (never sells out); a positive number is counted
-- down by each sale: desserts by the portion, bottles, the fish of the day. CHILE EN NOGADA is sold
-- out (0). PLATILLO DEL DIA has an open price typed at the terminal. Bottled drinks carry their
-- maker's barcode, every other product an internal 13-digit one ending in its product number.
-- Dishes are printed in the kitchen (printer group 2); drinks, desserts and coffee at the bar (3).
-- The package's contents are chosen by sections (file 140).
INSERT INTO Producto (ID_Producto, Nombre_Boton, Nombre_Cuenta, Nombre_Completo, Existencia, Estado,
                      codigo_barras, ID_Grupo_Modificadores, ID_Grupo_Impresoras, Paquete, especial,
                      Abierto, ID_Impuesto, ID_Categoria)
VALUES (105, 'GUACAMOLE', 'GUACAMOLE', 'GUACAMOLE CON TOTOPOS', -1, 'A', '2000000000105', 4, 2, 0, 0, 0, 1, 1),
       (106, 'QUESO\nFUNDIDO', 'QUESO FUNDIDO', 'QUESO FUNDIDO CON CHORIZO', -1, 'A', '2000000000106', 4, 2, 0, 0, 0, 1, 1),
       (107, 'SOPES', 'SOPES', 'SOPES DE FRIJOL CON QUESO FRESCO', -1, 'A', '2000000000107', 4, 2, 0, 0, 0, 1, 1),
       (108, 'TOSTADAS\nDE TINGA', 'TOSTADAS TINGA', 'TOSTADAS DE TINGA DE POLLO', -1, 'A', '2000000000108', 4, 2, 0, 0, 0, 1, 1),
       (109, 'EMPANADAS', 'EMPANADAS', 'EMPANADAS DE QUESO Y RAJAS', -1, 'A', '2000000000109', 4, 2, 0, 0, 0, 1, 1),
       (111, 'ENSALADA\nCESAR', 'ENSALADA CESAR', 'ENSALADA CESAR CON POLLO', -1, 'A', '2000000000111', NULL, 2, 0, 0, 0, 1, 2),
       (112, 'ENSALADA\nDE NOPALES', 'ENSALADA NOPALES', 'ENSALADA DE NOPALES CON PANELA', -1, 'A', '2000000000112', NULL, 2, 0, 0, 0, 1, 2),
       (113, 'ENSALADA\nDE LA CASA', 'ENSALADA CASA', 'ENSALADA DE LA CASA', -1, 'A', '2000000000113', NULL, 2, 0, 0, 0, 1, 2),
       (101, 'SOPA DE\nTORTILLA', 'SOPA DE TORTILLA', 'SOPA DE TORTILLA CON AGUACATE Y CHICHARRON', -1, 'A', '2000000000101', 4, 2, 0, 0, 0, 1, 3),
       (202, 'CREMA\nDE ELOTE', 'CREMA DE ELOTE', 'CREMA DE ELOTE CON RAJAS', -1, 'A', '2000000000202', 4, 2, 0, 0, 0, 1, 3),
       (114, 'SOPA\nDE FIDEO', 'SOPA DE FIDEO', 'SOPA DE FIDEO SECO', -1, 'A', '2000000000114', 4, 2, 0, 0, 0, 1, 3),
       (115, 'CALDO\nDE POLLO', 'CALDO DE POLLO', 'CALDO DE POLLO CON VERDURAS', -1, 'A', '2000000000115', 4, 2, 0, 0, 0, 1, 3),
       (116, 'CREMA DE\nCHAMPINONES', 'CREMA CHAMPINONES', 'CREMA DE CHAMPINONES', -1, 'A', '2000000000116', 4, 2, 0, 0, 0, 1, 3),
       (102, 'FILETE\nMIGNON', 'FILETE MIGNON', 'FILETE MIGNON CON SALSA DE TRES PIMIENTAS', -1, 'A', '2000000000102', 1, 2, 0, 1, 0, 1, 4),
       (117, 'ARRACHERA', 'ARRACHERA', 'ARRACHERA A LA PARRILLA CON GUARNICION', -1, 'A', '2000000000117', 1, 2, 0, 1, 0, 1, 4),
       (118, 'CARNE\nTAMPIQUENA', 'CARNE TAMPIQUENA', 'CARNE A LA TAMPIQUENA', -1, 'A', '2000000000118', 1, 2, 0, 0, 0, 1, 4),
       (119, 'ENCHILADAS\nSUIZAS', 'ENCHILADAS SUIZAS', 'ENCHILADAS SUIZAS DE POLLO', -1, 'A', '2000000000119', 3, 2, 0, 0, 0, 1, 4),
       (120, 'ENCHILADAS\nDE MOLE', 'ENCHILADAS MOLE', 'ENCHILADAS DE MOLE POBLANO', -1, 'A', '2000000000120', 3, 2, 0, 0, 0, 1, 4),
       (121, 'POLLO A LA\nPLANCHA', 'POLLO PLANCHA', 'PECHUGA DE POLLO A LA PLANCHA', -1, 'A', '2000000000121', 3, 2, 0, 0, 0, 1, 4),
       (122, 'CHILE EN\nNOGADA', 'CHILE EN NOGADA', 'CHILE EN NOGADA DE TEMPORADA', 0, 'A', '2000000000122', NULL, 2, 0, 1, 0, 1, 4),
       (123, 'POZOLE\nROJO', 'POZOLE ROJO', 'POZOLE ROJO DE CERDO', -1, 'A', '2000000000123', 4, 2, 0, 0, 0, 1, 4),
       (124, 'COCHINITA\nPIBIL', 'COCHINITA PIBIL', 'COCHINITA PIBIL CON CEBOLLA MORADA', -1, 'A', '2000000000124', 3, 2, 0, 0, 0, 1, 4),
       (125, 'PLATILLO\nDEL DIA', 'PLATILLO DEL DIA', 'PLATILLO DEL DIA (PRECIO ABIERTO)', -1, 'A', '2000000000125', 3, 2, 0, 0, 1, 1, 4),
       (126, 'FILETE\nA LA TALLA', 'FILETE A LA TALLA', 'FILETE DE PESCADO A LA TALLA', 8, 'A', '2000000000126', 3, 2, 0, 1, 0, 1, 5),
       (127, 'CAMARONES\nAL MOJO', 'CAMARONES AL MOJO', 'CAMARONES AL MOJO DE AJO', -1, 'A', '2000000000127', 3, 2, 0, 0, 0, 1, 5),
       (128, 'COCTEL DE\nCAMARON', 'COCTEL CAMARON', 'COCTEL DE CAMARON', -1, 'A', '2000000000128', NULL, 2, 0, 0, 0, 1, 5),
       (129, 'AGUACHILE', 'AGUACHILE', 'AGUACHILE DE CAMARON VERDE', -1, 'A', '2000000000129', NULL, 2, 0, 0, 0, 1, 5),
       (130, 'TOSTADA DE\nATUN', 'TOSTADA ATUN', 'TOSTADA DE ATUN FRESCO', -1, 'A', '2000000000130', NULL, 2, 0, 0, 0, 1, 5),
       (103, 'LIMONADA', 'LIMONADA', 'LIMONADA NATURAL', -1, 'A', '2000000000103', 2, 3, 0, 0, 0, 1, 6),
       (131, 'NARANJADA', 'NARANJADA', 'NARANJADA NATURAL', -1, 'A', '2000000000131', 2, 3, 0, 0, 0, 1, 6),
       (132, 'AGUA DE\nJAMAICA', 'AGUA JAMAICA', 'AGUA DE JAMAICA', -1, 'A', '2000000000132', 2, 3, 0, 0, 0, 1, 6),
       (133, 'AGUA DE\nHORCHATA', 'AGUA HORCHATA', 'AGUA DE HORCHATA', -1, 'A', '2000000000133', 2, 3, 0, 0, 0, 1, 6),
       (134, 'REFRESCO', 'REFRESCO', 'REFRESCO DE COLA 355 ML', 48, 'A', '7501000112240', 2, 3, 0, 0, 0, 1, 6),
       (135, 'AGUA\nMINERAL', 'AGUA MINERAL', 'AGUA MINERAL 355 ML', 24, 'A', '7501000112233', 2, 3, 0, 0, 0, 1, 6),
       (136, 'CERVEZA\nCLARA', 'CERVEZA CLARA', 'CERVEZA CLARA 355 ML', 48, 'A', '7501000112257', NULL, 3, 0, 0, 0, 1, 6),
       (137, 'CERVEZA\nOSCURA', 'CERVEZA OSCURA', 'CERVEZA OSCURA 355 ML', 48, 'A', '7501000112264', NULL, 3, 0, 0, 0, 1, 6),
       (138, 'MARGARITA', 'MARGARITA', 'MARGARITA DE LIMON', -1, 'A', '2000000000138', 2, 3, 0, 1, 0, 1, 6),
       (139, 'MICHELADA', 'MICHELADA', 'MICHELADA PREPARADA', -1, 'A', '2000000000139', NULL, 3, 0, 0, 0, 1, 6),
       (104, 'FLAN\nNAPOLITANO', 'FLAN NAPOLITANO', 'FLAN NAPOLITANO DE LA CASA', 12, 'A', '2000000000104', NULL, 3, 0, 0, 0, 1, 7),
       (140, 'PASTEL\nTRES LECHES', 'PASTEL TRES LECHES', 'PASTEL DE TRES LECHES', 10, 'A', '2000000000140', NULL, 3, 0, 0, 0, 1, 7),
       (141, 'ARROZ CON\nLECHE', 'ARROZ CON LECHE', 'ARROZ CON LECHE Y CANELA', -1, 'A', '2000000000141', NULL, 3, 0, 0, 0, 1, 7),
       (142, 'CHURROS', 'CHURROS', 'CHURROS CON CHOCOLATE', -1, 'A', '2000000000142', NULL, 3, 0, 0, 0, 1, 7),
       (143, 'HELADO DE\nVAINILLA', 'HELADO VAINILLA', 'HELADO DE VAINILLA', -1, 'A', '2000000000143', NULL, 3, 0, 0, 0, 1, 7),
       (144, 'CAFE\nAMERICANO', 'CAFE AMERICANO', 'CAFE AMERICANO', -1, 'A', '2000000000144', 5, 3, 0, 0, 0, 1, 8),
       (145, 'CAFE\nDE OLLA', 'CAFE DE OLLA', 'CAFE DE OLLA CON PILONCILLO', -1, 'A', '2000000000145', 5, 3, 0, 0, 0, 1, 8),
       (146, 'CAPUCHINO', 'CAPUCHINO', 'CAFE CAPUCHINO', -1, 'A', '2000000000146', 5, 3, 0, 0, 0, 1, 8),
       (147, 'ESPRESSO', 'ESPRESSO', 'CAFE ESPRESSO', -1, 'A', '2000000000147', 5, 3, 0, 0, 0, 1, 8),
       (148, 'CHOCOLATE\nCALIENTE', 'CHOCOLATE CALIENTE', 'CHOCOLATE CALIENTE DE AGUA', -1, 'A', '2000000000148', 5, 3, 0, 0, 0, 1, 8),
       (149, 'TE DE\nMANZANILLA', 'TE MANZANILLA', 'TE DE MANZANILLA', -1, 'A', '2000000000149', NULL, 3, 0, 0, 0, 1, 8),
       (201, 'PAQUETE\nEJECUTIVO', 'PAQUETE EJECUTIVO', 'PAQUETE EJECUTIVO: PRIMER TIEMPO, PLATO FUERTE Y BEBIDA', -1, 'A', '2000000000201', NULL, 2, 1, 0, 0, 1, 9)
GO

-- Prices in menu 1, taxes included.
INSERT INTO PreciosXMenu (Id_Menu, ID_Producto, Precio_Producto)
VALUES (1, 105, 95),
       (1, 106, 110),
       (1, 107, 78),
       (1, 108, 72),
       (1, 109, 85),
       (1, 111, 98),
       (1, 112, 75),
       (1, 113, 82),
       (1, 101, 85),
       (1, 202, 72),
       (1, 114, 58),
       (1, 115, 80),
       (1, 116, 75),
       (1, 102, 245.5),
       (1, 117, 235),
       (1, 118, 210),
       (1, 119, 135),
       (1, 120, 140),
       (1, 121, 150),
       (1, 122, 195),
       (1, 123, 125),
       (1, 124, 160),
       (1, 125, 0),
       (1, 126, 215),
       (1, 127, 230),
       (1, 128, 165),
       (1, 129, 175),
       (1, 130, 95),
       (1, 103, 32),
       (1, 131, 32),
       (1, 132, 30),
       (1, 133, 30),
       (1, 134, 35),
       (1, 135, 32),
       (1, 136, 45),
       (1, 137, 48),
       (1, 138, 95),
       (1, 139, 70),
       (1, 104, 65),
       (1, 140, 70),
       (1, 141, 55),
       (1, 142, 68),
       (1, 143, 50),
       (1, 144, 35),
       (1, 145, 38),
       (1, 146, 48),
       (1, 147, 35),
       (1, 148, 45),
       (1, 149, 30),
       (1, 201, 189)
GO

-- The products of each page, in button order.
INSERT INTO ProductosXSubmenu (ID_Submenu, ID_Producto, Orden)
VALUES (1, 105, 1),
       (1, 106, 2),
       (1, 107, 3),
       (1, 108, 4),
       (1, 109, 5),
       (2, 111, 1),
       (2, 112, 2),
       (2, 113, 3),
       (3, 101, 1),
       (3, 202, 2),
       (3, 114, 3),
       (3, 115, 4),
       (3, 116, 5),
       (4, 102, 1),
       (4, 117, 2),
       (4, 118, 3),
       (4, 119, 4),
       (4, 120, 5),
       (4, 121, 6),
       (4, 122, 7),
       (4, 123, 8),
       (4, 124, 9),
       (4, 125, 10),
       (5, 126, 1),
       (5, 127, 2),
       (5, 128, 3),
       (5, 129, 4),
       (5, 130, 5),
       (6, 103, 1),
       (6, 131, 2),
       (6, 132, 3),
       (6, 133, 4),
       (6, 134, 5),
       (6, 135, 6),
       (6, 136, 7),
       (6, 137, 8),
       (6, 138, 9),
       (6, 139, 10),
       (7, 104, 1),
       (7, 140, 2),
       (7, 141, 3),
       (7, 142, 4),
       (7, 143, 5),
       (8, 144, 1),
       (8, 145, 2),
       (8, 146, 3),
       (8, 147, 4),
       (8, 148, 5),
       (8, 149, 6),
       (9, 201, 1)
GO
