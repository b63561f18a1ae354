-- Demo restaurant payment types, cancellation reasons and courtesy types.

-- Payment types: cash and dollars give change (class E); cards (class T) carry the bank's
-- commission, copied into each payment.
INSERT INTO Tipo_Pago (ID_Tipo_Pago, Nombre_Tipo_Pago, Clase, Comision)
VALUES (1, 'EFECTIVO', 'E', 0),
       (2, 'TARJETA DE CREDITO', 'T', 2.5),
       (3, 'TARJETA DE DEBITO', 'T', 1.5),
       (4, 'DOLARES', 'E', 0)
GO

-- Cancellation reasons. A capture mistake or a product found sold out returns the product to stock
-- (Regresa_Existencia=1); a dish already made and sent back does not.
INSERT INTO Tipos_Anulacion (Nombre_Tipos_Anulacion, ID_Tipo_Anulacion, Regresa_Existencia)
VALUES ('ERROR DE CAPTURA', 1, 1),
       ('EL CLIENTE CAMBIO DE OPINION', 2, 0),
       ('PLATILLO DEVUELTO', 3, 0),
       ('DEMORA EN EL SERVICIO', 4, 0),
       ('PRODUCTO AGOTADO', 5, 1)
GO

-- Courtesy types; the house account is a charge the customer settles later (Especial=1).
INSERT INTO Tipo_Cortesia (ID_Tipo_Cortesia, Nombre_Tipo_Cortesia, Especial)
VALUES (1, 'CORTESIA DE GERENCIA', 0),
       (2, 'DESCUENTO A EMPLEADO', 0),
       (3, 'CUMPLEANOS', 0),
       (4, 'CUENTA DE LA CASA', 1)
GO
