-- Demo restaurant modifiers (what can be asked of a dish), the executive package and the gift
-- promotions.

-- Modifier groups. The doneness of meat and the side dish are asked as soon as the dish is added
-- (Fluir_Automatico=1); the others only when the waiter opens them.
INSERT INTO Grupo_Modificadores (ID_Grupo_Modificadores, Nombre_Grupo_Modificadores, Grupo_Mod_Activo, Fluir_Automatico)
VALUES (1, 'TERMINO DE LA CARNE', 1, 1),
       (2, 'BEBIDAS', 1, 0),
       (3, 'GUARNICION', 1, 1),
       (4, 'SOPAS Y ENTRADAS', 1, 0),
       (5, 'CAFE', 1, 0)
GO

-- Modifiers with the price they add, taxes included (0: free).
INSERT INTO Tipo_Modificador (ID_Tipo_Modificador, Nombre_Tipo_Modificador, Precio_Tipo_Modificador, Estado_Modificador)
VALUES (1, 'ROJO', 0, 'A'),
       (2, 'TERMINO MEDIO', 0, 'A'),
       (3, 'TRES CUARTOS', 0, 'A'),
       (4, 'BIEN COCIDO', 0, 'A'),
       (5, 'SIN HIELO', 0, 'A'),
       (6, 'ESCARCHADA', 0, 'A'),
       (7, 'SIN CEBOLLA', 0, 'A'),
       (8, 'EXTRA QUESO', 15.5, 'A'),
       (9, 'CON AGUA MINERAL', 8, 'A'),
       (10, 'CON PAPAS', 0, 'A'),
       (11, 'CON ARROZ', 0, 'A'),
       (12, 'CON ENSALADA', 0, 'A'),
       (13, 'PAPAS GAJO EXTRA', 28, 'A'),
       (14, 'EXTRA AGUACATE', 20, 'A'),
       (15, 'SIN CHILE', 0, 'A'),
       (16, 'EXTRA CREMA', 10, 'A'),
       (17, 'LECHE DESLACTOSADA', 0, 'A'),
       (18, 'LECHE DE ALMENDRA', 12, 'A'),
       (19, 'CARGA EXTRA', 15, 'A'),
       (20, 'SIN AZUCAR', 0, 'A')
GO

INSERT INTO TiposXGrupo_Modificadores (ID_Grupo_Modificadores, ID_Tipo_Modificador)
VALUES (1, 1), (1, 2), (1, 3), (1, 4),
       (2, 5), (2, 6), (2, 9),
       (3, 10), (3, 11), (3, 12), (3, 13),
       (4, 7), (4, 8), (4, 14), (4, 15), (4, 16),
       (5, 17), (5, 18), (5, 19), (5, 20)
GO

-- The executive package (product 201) in three sections, one product of each: a starter (5), a
-- main course (6) and a drink (7). Its contents are priced in the package.
INSERT INTO Secciones_Paquete (ID_Seccion_Paquete, ID_Producto, Nombre_Seccion)
VALUES (5, 201, 'PRIMER TIEMPO'),
       (6, 201, 'PLATO FUERTE'),
       (7, 201, 'BEBIDA')
GO

INSERT INTO ProductosXSeccion (ID_Seccion_Paquete, ID_Producto, Numero)
VALUES (5, 202, 1), (5, 114, 1), (5, 113, 1),
       (6, 119, 1), (6, 121, 1), (6, 124, 1),
       (7, 132, 1), (7, 133, 1), (7, 144, 1)
GO

-- Gift promotions and the products each gives away.
INSERT INTO promocion (id_promocion, nombre, Activa)
VALUES (1, 'POSTRE DE CORTESIA', 1),
       (2, 'CAFE DE CORTESIA', 1)
GO

INSERT INTO ProductosxPromocion (Id_Promocion, Id_Producto)
VALUES (1, 104), (1, 140),
       (2, 144), (2, 145)
GO
