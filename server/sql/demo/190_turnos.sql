-- The staff on shift in the demo restaurant: the waiter mesero1, the manager and the cashier are
-- clocked in, so that their cards go straight to work; mesero2 is not, so the clock-in path can be
-- tried with his card.
EXEC procFirmarEmpleado 3, 1
GO
EXEC procFirmarEmpleado 5, 2
GO
EXEC procFirmarEmpleado 4, 3
GO
