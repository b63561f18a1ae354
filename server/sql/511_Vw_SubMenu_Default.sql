-- Vw_SubMenu_Default returns the submenus each terminal shows (those of the terminal's menu):
-- Id_submenu, Id_Terminal and the button order; the order screen opens on the first by orden.
CREATE VIEW Vw_SubMenu_Default AS
SELECT sm.id_submenu AS Id_submenu, t.ID_Terminal AS Id_Terminal, sm.Orden AS orden
FROM Terminal t
INNER JOIN SubmenuxMenu sm ON sm.Id_Menu = t.Id_Menu
GO
