-- Demo restaurant staff: departments, work groups with their permissions, and the employees with
-- their cards and passwords.

-- Departments (cost centres) an employee clocks into.
INSERT INTO Departamento (id_departamento, Nombre)
VALUES (1, 'COCINA'),
       (2, 'BARRA'),
       (3, 'SALON'),
       (4, 'CAJA'),
       (5, 'GERENCIA')
GO

-- The permission catalogue (1 to 69) for the administration screens. Only the numbers not yet
-- catalogued are added, so a catalogue of the base rows is kept when it exists.
INSERT INTO Permiso (ID_Permiso, Nombre_Permiso)
SELECT p.ID_Permiso, p.Nombre_Permiso
FROM (SELECT 1 AS ID_Permiso, 'SIN USO EN LA TERMINAL (1)' AS Nombre_Permiso
       UNION ALL SELECT 2, 'SIN USO EN LA TERMINAL (2)'
       UNION ALL SELECT 3, 'SIN USO EN LA TERMINAL (3)'
       UNION ALL SELECT 4, 'SIN USO EN LA TERMINAL (4)'
       UNION ALL SELECT 5, 'SIN USO EN LA TERMINAL (5)'
       UNION ALL SELECT 6, 'SIN USO EN LA TERMINAL (6)'
       UNION ALL SELECT 7, 'SIN USO EN LA TERMINAL (7)'
       UNION ALL SELECT 8, 'SIN USO EN LA TERMINAL (8)'
       UNION ALL SELECT 9, 'SIN USO EN LA TERMINAL (9)'
       UNION ALL SELECT 10, 'SIN USO EN LA TERMINAL (10)'
       UNION ALL SELECT 11, 'SIN USO EN LA TERMINAL (11)'
       UNION ALL SELECT 12, 'SIN USO EN LA TERMINAL (12)'
       UNION ALL SELECT 13, 'SIN USO EN LA TERMINAL (13)'
       UNION ALL SELECT 14, 'SIN USO EN LA TERMINAL (14)'
       UNION ALL SELECT 15, 'SIN USO EN LA TERMINAL (15)'
       UNION ALL SELECT 16, 'SIN USO EN LA TERMINAL (16)'
       UNION ALL SELECT 17, 'SIN USO EN LA TERMINAL (17)'
       UNION ALL SELECT 18, 'SIN USO EN LA TERMINAL (18)'
       UNION ALL SELECT 19, 'SIN USO EN LA TERMINAL (19)'
       UNION ALL SELECT 20, 'SIN USO EN LA TERMINAL (20)'
       UNION ALL SELECT 21, 'SIN USO EN LA TERMINAL (21)'
       UNION ALL SELECT 22, 'SIN USO EN LA TERMINAL (22)'
       UNION ALL SELECT 23, 'SIN USO EN LA TERMINAL (23)'
       UNION ALL SELECT 24, 'SIN USO EN LA TERMINAL (24)'
       UNION ALL SELECT 25, 'SIN USO EN LA TERMINAL (25)'
       UNION ALL SELECT 26, 'SIN USO EN LA TERMINAL (26)'
       UNION ALL SELECT 27, 'ENTRAR CON USUARIO Y CONTRASENA; CAMBIAR TARJETAS'
       UNION ALL SELECT 28, 'LISTA DE MESAS ABIERTAS; TRANSFERIR'
       UNION ALL SELECT 29, 'ABRIR MESA'
       UNION ALL SELECT 30, 'AJUSTAR PROPINAS'
       UNION ALL SELECT 31, 'CORTESIAS'
       UNION ALL SELECT 32, 'REDIRIGIR GRUPO DE IMPRESORAS'
       UNION ALL SELECT 33, 'PRUEBA Y REDIRECCION DE IMPRESORAS'
       UNION ALL SELECT 34, 'ARTICULOS DISPONIBLES'
       UNION ALL SELECT 35, 'ARTICULOS CANCELADOS'
       UNION ALL SELECT 36, 'ABRIR OTRA MESA'
       UNION ALL SELECT 37, 'VER MESA'
       UNION ALL SELECT 38, 'SIN USO EN LA TERMINAL (38)'
       UNION ALL SELECT 39, 'CANCELAR PRODUCTOS PREPARADOS'
       UNION ALL SELECT 40, 'DIVIDIR CUENTAS'
       UNION ALL SELECT 41, 'PERSONAL FIRMADO'
       UNION ALL SELECT 42, 'VER TODAS LAS MESAS'
       UNION ALL SELECT 43, 'ACTIVAR, APAGAR Y REINICIAR'
       UNION ALL SELECT 44, 'REIMPRIMIR CUENTAS'
       UNION ALL SELECT 45, 'SIN USO EN LA TERMINAL (45)'
       UNION ALL SELECT 46, 'VERIFICACION DE MESERO'
       UNION ALL SELECT 47, 'RESUMEN DE PAGOS'
       UNION ALL SELECT 48, 'SIN USO EN LA TERMINAL (48)'
       UNION ALL SELECT 49, 'PAGAR'
       UNION ALL SELECT 50, 'MESAS EN CERO'
       UNION ALL SELECT 51, 'RESUMEN DE VENTAS'
       UNION ALL SELECT 52, 'VENTA TOTAL'
       UNION ALL SELECT 53, 'SINCRONIZAR'
       UNION ALL SELECT 54, 'UNIR MESAS'
       UNION ALL SELECT 55, 'REPORTE DE HUESPEDES'
       UNION ALL SELECT 56, 'BORRAR PAGOS'
       UNION ALL SELECT 57, 'SIN USO EN LA TERMINAL (57)'
       UNION ALL SELECT 58, 'VENTAS POR MESERO'
       UNION ALL SELECT 59, 'SIN USO EN LA TERMINAL (59)'
       UNION ALL SELECT 60, 'SIN USO EN LA TERMINAL (60)'
       UNION ALL SELECT 61, 'SIN USO EN LA TERMINAL (61)'
       UNION ALL SELECT 62, 'UNIR CUENTAS'
       UNION ALL SELECT 63, 'VER TIEMPOS'
       UNION ALL SELECT 64, 'CAMBIAR HUESPEDES'
       UNION ALL SELECT 65, 'RESUMEN DE TODOS LOS MESEROS'
       UNION ALL SELECT 66, 'AUTORIZAR ENTRADA'
       UNION ALL SELECT 67, 'AUTORIZAR SALIDA'
       UNION ALL SELECT 68, 'TARJETA DE LEALTAD PROVISIONAL; COMANDA DIRECTA'
       UNION ALL SELECT 69, 'REGISTRAR CLIENTE') p
WHERE p.ID_Permiso NOT IN (SELECT ID_Permiso FROM Permiso)
GO

-- Work groups: management holds every permission (1 to 69), the cashiers what running the till
-- and the day's reports needs, the waiters what serving tables needs. Signing in with user name
-- and password (27) is for management and the cashiers; cancelling prepared dishes (39) and
-- authorising clock-ins and clock-outs (66, 67) for management only.
INSERT INTO Grupo_Trabajo (ID_Grupo_Trabajo, Nombre_Grupo_Trabajo)
VALUES (1, 'GERENCIA'),
       (2, 'CAJEROS'),
       (3, 'MESEROS')
GO

INSERT INTO PermisosXGrupo_Trabajo (ID_Grupo_Trabajo, ID_Permiso)
VALUES (1, 1), (1, 2), (1, 3), (1, 4), (1, 5), (1, 6), (1, 7), (1, 8), (1, 9), (1, 10),
       (1, 11), (1, 12), (1, 13), (1, 14), (1, 15), (1, 16), (1, 17), (1, 18), (1, 19), (1, 20),
       (1, 21), (1, 22), (1, 23), (1, 24), (1, 25), (1, 26), (1, 27), (1, 28), (1, 29), (1, 30),
       (1, 31), (1, 32), (1, 33), (1, 34), (1, 35), (1, 36), (1, 37), (1, 38), (1, 39), (1, 40),
       (1, 41), (1, 42), (1, 43), (1, 44), (1, 45), (1, 46), (1, 47), (1, 48), (1, 49), (1, 50),
       (1, 51), (1, 52), (1, 53), (1, 54), (1, 55), (1, 56), (1, 57), (1, 58), (1, 59), (1, 60),
       (1, 61), (1, 62), (1, 63), (1, 64), (1, 65), (1, 66), (1, 67), (1, 68), (1, 69),
       (2, 27), (2, 28), (2, 29), (2, 30), (2, 34), (2, 35), (2, 36), (2, 37), (2, 41), (2, 42),
       (2, 44), (2, 46), (2, 47), (2, 49), (2, 50), (2, 51), (2, 52), (2, 55), (2, 56), (2, 58),
       (2, 62), (2, 63), (2, 64), (2, 65), (2, 69),
       (3, 28), (3, 29), (3, 36), (3, 37), (3, 40), (3, 46), (3, 47), (3, 51), (3, 62), (3, 63),
       (3, 64)
GO

-- Employees. Num_Tarjeta is the card number enciphered with RC4 under the demo card key
-- (NERIN-DEMO-2026), in Base64; Contraseña the password enciphered with DES under the same key, in
-- Base64. The card texts and passwords are listed in README-demo.txt.
-- 1 waiter (mesero1), 2 manager and user administrator (gerente1), 3 cashier (cajero1),
-- 4 waiter (mesero2).
INSERT INTO Empleado (Id_Empleado, Usuario, Nombre_Empleado, Apellido_Paterno, Apellido_Materno,
                      Admin_Usuarios, ID_Terminal, Firmado, Estado_Empleado, Num_Tarjeta, Contraseña)
VALUES (1, 'mesero1', 'ROSA', 'MENDOZA', 'RUIZ', 0, 0, 0, 'A',
        'mnreuqPvlh/m9krJFp7PY2k8zZgu6LAESWSzHiV3IZs3', 'CZsueizjwb5WdADB5JSrjg=='),
       (2, 'gerente1', 'JUAN', 'PEREZ', 'LOPEZ', 1, 0, 0, 'A',
        'mnreuqPvlh/r/E/IEpHIYG08zZgu6LAESWSzHiV3IZg0', 'hHEAwJH039/uPey9XNyclg=='),
       (3, 'cajero1', 'LAURA', 'HERNANDEZ', 'SOTO', 0, 0, 0, 'A',
        'mnreuqPvlh/h90nBH5XMZWg8zZgu6LAESWSzHiV3IZk1', 'iIwhEIo7kajMhMTX67e3lg=='),
       (4, 'mesero2', 'PEDRO', 'GARCIA', 'NAVA', 0, 0, 0, 'A',
        'mnreuqPvlh/l80zMFZHNYWc8zZgu6LAESWSzHiV3IZ4y', 'TKB6dEIPugmHqLHVrrqhwA==')
GO

INSERT INTO EmpleadosXGrupo (ID_Empleado, ID_Grupo_Trabajo)
VALUES (1, 3),
       (2, 1),
       (3, 2),
       (4, 3)
GO

-- The departments each employee may clock into; mesero2 also covers the bar and so chooses.
INSERT INTO CostosxEmpleado (id_empleado, id_departamento)
VALUES (1, 3),
       (2, 5),
       (3, 4),
       (4, 3),
       (4, 2)
GO
