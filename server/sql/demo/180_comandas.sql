-- Demo restaurant in the middle of service: two open tables of mesero1 and one table of mesero2
-- already paid, so that the open-tables list, the order screen, payments and the day's reports have
-- something to show at once.
--
-- Order 1 (table 5, 4 guests): soup and a margarita sent to the kitchen, the steak held for the
-- second serving time, the flan not sent yet, and the executive package whose starter and drink are
-- chosen while its main course (section 6) is still to be chosen.
-- Order 2 (table 15, 2 guests): everything sent.
-- Order 3 (table 3, 2 guests, mesero2): closed and paid by credit card with a tip.
-- Items are numbered 1 to 18 in the order they are stored below.

-- The base rows open the working date with a day-opening record numbered 1; the demo's own orders
-- take numbers 1 to 3 and already carry the working date, so that record moves to number 0 and the
-- order counter goes on from 3.
UPDATE Comanda SET ID_Comanda = 0 WHERE ID_Comanda = 1 AND Control = 0 AND Tipo = 'D'
GO
UPDATE Consecutivos SET Ultimo = 3 WHERE Id_Consecutivo = 'COMANDA'
GO

-- The orders (opened at terminal 1) and their first accounts.
INSERT INTO Comanda (ID_Comanda, Control, Num_Mesa, Tipo, ID_Empleado, CantHuespedes, Abierta, Fecha_Apertura,
                     Fecha_Cierre, EnUsoPor, fecha_trabajo, Num_Anexo)
SELECT o.ID_Comanda, 1, o.Num_Mesa, 'N', o.ID_Empleado, o.CantHuespedes, 1, GETDATE(), NULL, 0, p.Valor_Cad, NULL
FROM (SELECT 1 AS ID_Comanda, 5 AS Num_Mesa, 1 AS ID_Empleado, 4 AS CantHuespedes
      UNION ALL SELECT 2, 15, 1, 2
      UNION ALL SELECT 3, 3, 4, 2) o, Parametros p
WHERE p.Id_Parametro = 'FECHA_TRABAJO'
GO

INSERT INTO Cuenta (ID_Comanda, Num_Cuenta, Control, Pagada, Num_Impresiones, Total, Num_Tiempo, Ultimo_Tiempo,
                    Facturada, CveCliente)
VALUES (1, 1, 1, 0, 0, 0, 1, 1, 0, 0),
       (2, 1, 1, 0, 0, 0, 1, 1, 0, 0),
       (3, 1, 1, 0, 0, 0, 1, 1, 0, 0)
GO

-- The items, stored as the terminal stores them: prepared (1), held for a serving time (2) or not
-- yet sent (0); the package head (PP) and its components (PA, price included in the package).
DECLARE @nFolio int
-- 1: SOPA DE TORTILLA
EXEC Insertar_Producto @nIDComanda=1, @nControl=1, @nIDProducto=101, @nNumCta=1, @nComentario='', @bPreparado=1, @nIDPaquete=0, @sTipo='P', @nIDSeccion=0, @nIDGrupoImpresoras=2, @sProducto='SOPA DE TORTILLA', @nTiempo=1, @nPrecio=85, @nPromocion=0, @nFolio=@nFolio OUTPUT
-- 2: FILETE MIGNON
EXEC Insertar_Producto @nIDComanda=1, @nControl=1, @nIDProducto=102, @nNumCta=1, @nComentario='', @bPreparado=2, @nIDPaquete=0, @sTipo='P', @nIDSeccion=0, @nIDGrupoImpresoras=2, @sProducto='FILETE MIGNON', @nTiempo=2, @nPrecio=245.5, @nPromocion=0, @nFolio=@nFolio OUTPUT
-- 3: LIMONADA
EXEC Insertar_Producto @nIDComanda=1, @nControl=1, @nIDProducto=103, @nNumCta=1, @nComentario='', @bPreparado=1, @nIDPaquete=0, @sTipo='P', @nIDSeccion=0, @nIDGrupoImpresoras=3, @sProducto='LIMONADA', @nTiempo=1, @nPrecio=32, @nPromocion=0, @nFolio=@nFolio OUTPUT
-- 4: MARGARITA
EXEC Insertar_Producto @nIDComanda=1, @nControl=1, @nIDProducto=138, @nNumCta=1, @nComentario='', @bPreparado=1, @nIDPaquete=0, @sTipo='P', @nIDSeccion=0, @nIDGrupoImpresoras=3, @sProducto='MARGARITA', @nTiempo=1, @nPrecio=95, @nPromocion=0, @nFolio=@nFolio OUTPUT
-- 5: FLAN NAPOLITANO
EXEC Insertar_Producto @nIDComanda=1, @nControl=1, @nIDProducto=104, @nNumCta=1, @nComentario='', @bPreparado=0, @nIDPaquete=0, @sTipo='P', @nIDSeccion=0, @nIDGrupoImpresoras=3, @sProducto='FLAN NAPOLITANO', @nTiempo=3, @nPrecio=65, @nPromocion=0, @nFolio=@nFolio OUTPUT
-- 6: ARRACHERA
EXEC Insertar_Producto @nIDComanda=2, @nControl=1, @nIDProducto=117, @nNumCta=1, @nComentario='SIN CEBOLLA ASADA', @bPreparado=1, @nIDPaquete=0, @sTipo='P', @nIDSeccion=0, @nIDGrupoImpresoras=2, @sProducto='ARRACHERA', @nTiempo=1, @nPrecio=235, @nPromocion=0, @nFolio=@nFolio OUTPUT
-- 7: AGUA JAMAICA
EXEC Insertar_Producto @nIDComanda=2, @nControl=1, @nIDProducto=132, @nNumCta=1, @nComentario='', @bPreparado=1, @nIDPaquete=0, @sTipo='P', @nIDSeccion=0, @nIDGrupoImpresoras=3, @sProducto='AGUA JAMAICA', @nTiempo=1, @nPrecio=30, @nPromocion=0, @nFolio=@nFolio OUTPUT
-- 8: CERVEZA CLARA
EXEC Insertar_Producto @nIDComanda=2, @nControl=1, @nIDProducto=136, @nNumCta=1, @nComentario='', @bPreparado=1, @nIDPaquete=0, @sTipo='P', @nIDSeccion=0, @nIDGrupoImpresoras=3, @sProducto='CERVEZA CLARA', @nTiempo=1, @nPrecio=45, @nPromocion=0, @nFolio=@nFolio OUTPUT
-- 9: QUESO FUNDIDO
EXEC Insertar_Producto @nIDComanda=2, @nControl=1, @nIDProducto=106, @nNumCta=1, @nComentario='', @bPreparado=1, @nIDPaquete=0, @sTipo='P', @nIDSeccion=0, @nIDGrupoImpresoras=2, @sProducto='QUESO FUNDIDO', @nTiempo=1, @nPrecio=110, @nPromocion=0, @nFolio=@nFolio OUTPUT
-- 10: PAQUETE EJECUTIVO
EXEC Insertar_Producto @nIDComanda=1, @nControl=1, @nIDProducto=201, @nNumCta=1, @nComentario='', @bPreparado=1, @nIDPaquete=0, @sTipo='PP', @nIDSeccion=0, @nIDGrupoImpresoras=2, @sProducto='PAQUETE EJECUTIVO', @nTiempo=1, @nPrecio=189, @nPromocion=0, @nFolio=@nFolio OUTPUT
-- 11: SOPA DE FIDEO
EXEC Insertar_Producto @nIDComanda=1, @nControl=1, @nIDProducto=114, @nNumCta=1, @nComentario='', @bPreparado=1, @nIDPaquete=10, @sTipo='PA', @nIDSeccion=5, @nIDGrupoImpresoras=2, @sProducto='SOPA DE FIDEO', @nTiempo=1, @nPrecio=0, @nPromocion=0, @nFolio=@nFolio OUTPUT
-- 12: AGUA HORCHATA
EXEC Insertar_Producto @nIDComanda=1, @nControl=1, @nIDProducto=133, @nNumCta=1, @nComentario='', @bPreparado=1, @nIDPaquete=10, @sTipo='PA', @nIDSeccion=7, @nIDGrupoImpresoras=3, @sProducto='AGUA HORCHATA', @nTiempo=1, @nPrecio=0, @nPromocion=0, @nFolio=@nFolio OUTPUT
-- 13: GUACAMOLE
EXEC Insertar_Producto @nIDComanda=3, @nControl=1, @nIDProducto=105, @nNumCta=1, @nComentario='', @bPreparado=1, @nIDPaquete=0, @sTipo='P', @nIDSeccion=0, @nIDGrupoImpresoras=2, @sProducto='GUACAMOLE', @nTiempo=1, @nPrecio=95, @nPromocion=0, @nFolio=@nFolio OUTPUT
-- 14: CARNE TAMPIQUENA
EXEC Insertar_Producto @nIDComanda=3, @nControl=1, @nIDProducto=118, @nNumCta=1, @nComentario='', @bPreparado=1, @nIDPaquete=0, @sTipo='P', @nIDSeccion=0, @nIDGrupoImpresoras=2, @sProducto='CARNE TAMPIQUENA', @nTiempo=1, @nPrecio=210, @nPromocion=0, @nFolio=@nFolio OUTPUT
-- 15: ENCHILADAS MOLE
EXEC Insertar_Producto @nIDComanda=3, @nControl=1, @nIDProducto=120, @nNumCta=1, @nComentario='', @bPreparado=1, @nIDPaquete=0, @sTipo='P', @nIDSeccion=0, @nIDGrupoImpresoras=2, @sProducto='ENCHILADAS MOLE', @nTiempo=1, @nPrecio=140, @nPromocion=0, @nFolio=@nFolio OUTPUT
-- 16: CERVEZA OSCURA
EXEC Insertar_Producto @nIDComanda=3, @nControl=1, @nIDProducto=137, @nNumCta=1, @nComentario='', @bPreparado=1, @nIDPaquete=0, @sTipo='P', @nIDSeccion=0, @nIDGrupoImpresoras=3, @sProducto='CERVEZA OSCURA', @nTiempo=1, @nPrecio=48, @nPromocion=0, @nFolio=@nFolio OUTPUT
-- 17: CERVEZA OSCURA
EXEC Insertar_Producto @nIDComanda=3, @nControl=1, @nIDProducto=137, @nNumCta=1, @nComentario='', @bPreparado=1, @nIDPaquete=0, @sTipo='P', @nIDSeccion=0, @nIDGrupoImpresoras=3, @sProducto='CERVEZA OSCURA', @nTiempo=1, @nPrecio=48, @nPromocion=0, @nFolio=@nFolio OUTPUT
-- 18: PASTEL TRES LECHES
EXEC Insertar_Producto @nIDComanda=3, @nControl=1, @nIDProducto=140, @nNumCta=1, @nComentario='', @bPreparado=1, @nIDPaquete=0, @sTipo='P', @nIDSeccion=0, @nIDGrupoImpresoras=3, @sProducto='PASTEL TRES LECHES', @nTiempo=2, @nPrecio=70, @nPromocion=0, @nFolio=@nFolio OUTPUT
GO

-- The package's sections served so far (starter and drink of head 10).
INSERT INTO Control_Paquetes (ID_ProductosXCuenta, ID_Seccion_Paquete, Ordenados)
VALUES (10, 5, 1),
       (10, 7, 1)
GO

-- Modifiers: the steaks' doneness, extra avocado on the guacamole.
EXEC Inserta_Modificador 2,2,0,1,'TERMINO MEDIO'
GO
EXEC Inserta_Modificador 6,3,0,1,'TRES CUARTOS'
GO
EXEC Inserta_Modificador 13,14,20,1,'EXTRA AGUACATE'
GO

EXEC Totalizar_Cuenta 1,1,1
GO
EXEC Totalizar_Cuenta 2,1,1
GO
EXEC Totalizar_Cuenta 3,1,1
GO

-- Order 3 is paid in full by credit card with a 15 % tip, its ticket printed once, and closed.
INSERT INTO Pago (ID_Comanda, Control, Num_Cuenta, ID_Tipo_Pago, Monto_Pago, Propina, Referencia, Id_Empleado, comision)
SELECT ID_Comanda, Control, Num_Cuenta, 2, Total, ROUND(Total * 0.15, 0), '004518', 4, 2.5
FROM Cuenta
WHERE ID_Comanda = 3 AND Control = 1 AND Num_Cuenta = 1
GO
UPDATE Cuenta SET Pagada = 1, Num_Impresiones = 1 WHERE ID_Comanda = 3 AND Control = 1 AND Num_Cuenta = 1
GO
UPDATE Comanda SET Abierta = 0, Fecha_Cierre = GETDATE() WHERE ID_Comanda = 3 AND Control = 1
GO
