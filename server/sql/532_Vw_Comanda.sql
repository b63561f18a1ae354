-- Vw_Comanda returns the live items of every account (not cancelled) for the order screen, each
-- with its modifiers: one row per item without modifiers, one row per modifier otherwise (the
-- modifier columns are NULL on an item without any; Orden keeps an item's modifiers in the order
-- they were added). Preparado says the item went to the kitchen, Retenido that it waits for its
-- course. Nombre_Cuenta is the name the item was ordered under, ID_Grupo_Impresoras the
-- printer group it was sent with (the product's when not recorded).
CREATE VIEW Vw_Comanda AS
SELECT pxc.ID_Comanda,
       pxc.Control,
       pxc.Num_Cuenta,
       pxc.ID_ProductosXCuenta,
       pxc.ID_Producto AS id_producto,
       ISNULL(pxc.Nombre_Producto, ISNULL(p.Nombre_Cuenta, '')) AS Nombre_Cuenta,
       pxc.Precio,
       ISNULL(pxc.Grupo_Impresion, ISNULL(p.ID_Grupo_Impresoras, 0)) AS ID_Grupo_Impresoras,
       pxc.Hora_Preparacion,
       pxc.Tiempo_requerido,
       pxc.ID_Paquete,
       ISNULL(m.ID_Modificador, 0) AS Orden,
       pxc.Comentario,
       m.Nombre_Modificador AS Nombre_Tipo_Modificador,
       m.ID_Tipo_Modificador,
       m.Precio_Modificador,
       pxc.Preparado,
       pxc.Retenido
FROM ProductosXCuenta pxc
LEFT JOIN Producto p ON p.ID_Producto = pxc.ID_Producto
LEFT JOIN Modificador m ON m.ID_ProductosXCuenta = pxc.ID_ProductosXCuenta
WHERE pxc.ID_Tipo_Anulacion IS NULL
GO
