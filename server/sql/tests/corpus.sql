-- General.Main: concept number (ConsultarCampo "Valor_num", "Parametros")
SELECT Valor_num FROM Parametros WHERE Id_Parametro='CONCEPTO'
GO
-- General.Main: branch number (ConsultarCampo "Valor_num")
SELECT Valor_num FROM Parametros WHERE Id_Parametro='SUCURSAL'
GO
-- General.Main: branch name (ConsultarCampo "Valor_cad")
SELECT Valor_cad FROM Parametros WHERE Id_Parametro='SUCURSAL'
GO
-- General.Main: loyalty service address (ConsultarCampo "Valor_Cad")
SELECT Valor_Cad FROM Parametros WHERE Id_Parametro='URL_LEALTAD'
GO
-- General.Main: working date of the newest order as yyyymmdd (NULL read as 19700101)
SELECT top 1 substring(fecha_trabajo,5,4) + substring(fecha_trabajo,3,2) + substring(fecha_trabajo,1,2) as yyyymmdd FROM comanda ORDER BY id_comanda DESC
GO
-- General.Main: is this terminal known (ConsultarCampo "Count(*)", "Terminal")
SELECT Count(*) FROM Terminal WHERE id_terminal=1
GO
-- General.Main: working date parameter as yyyymmdd (ConsultarCampo)
SELECT substring(Valor_Cad,5,4) + substring(Valor_Cad,3,2) + substring(Valor_Cad,1,2) FROM Parametros WHERE ID_Parametro='FECHA_TRABAJO'
GO
-- General.Main: redirected cheque printer of this terminal (ConsultarCampo "Redirigido", "Impresora")
SELECT Redirigido FROM Impresora WHERE esdecheques=1 and Id_Terminal=1
GO
-- General.Main: company key (ConsultarCampo; table written "parametros", key "Id_parametro")
SELECT Valor_Num FROM parametros WHERE Id_parametro='CVEEMPRESA'
GO
-- General.Main: inactivity time in seconds (ConsultarCampo)
SELECT Valor_Num FROM Parametros WHERE ID_Parametro='TIEMPO_INACT'
GO
-- General.Main: every how many orders the ticket footer prints (ConsultarCampo)
SELECT Valor_Num FROM Parametros WHERE ID_Parametro='CUENTA_TICKET'
GO
-- General.Main: store code (ConsultarCampo "Valor_Cad")
SELECT Valor_Cad FROM Parametros WHERE ID_Parametro='STORE'
GO
-- General.Main: ticket width in characters (ConsultarCampo)
SELECT Valor_Num FROM Parametros WHERE ID_Parametro='ANCHO_TICKET'
GO
-- General.Main: function flags enabled for terminal 1
SELECT fun.ID_Funcion FROM FuncionesXTerminal fxt, Funciones fun WHERE fxt.id_funcion=fun.id_funcion and estado=1 and ID_Terminal=1
GO
-- General.Main: address of the server terminal (ConsultarCampo "Direccion_IP", "terminal")
SELECT Direccion_IP FROM terminal WHERE servidor = 1
GO
-- General.Main: dollar exchange rate, function 1 (ConsultarCampo "Valor_Num", key written "Id_parametro")
SELECT Valor_Num FROM Parametros WHERE Id_parametro='TC_US'
GO
-- General.Main: store the exchange rate typed on the numeric keypad (ActualizarRegistros)
UPDATE Parametros SET Valor_Num=20 WHERE Id_Parametro='TC_US'
GO
-- General.SalirSistema: release every order locked by employee 1 (ActualizarRegistros)
UPDATE Comanda SET EnUsoPor=0 WHERE EnUsoPor=1
GO
-- General.SalirSistema: unbind employee 1 from any terminal
UPDATE Empleado SET Id_Terminal = 0 WHERE Id_Empleado = 1
GO
-- General.HoraServidor: server date and time
SELECT getdate() as Hora
GO
-- BaseDatos.EmpleadoDeTarjeta: active employee holding the encrypted (RC4, Base64) card number
SELECT ID_Empleado FROM Empleado WHERE Estado_Empleado='A' AND Num_Tarjeta='q1YwC5nH3kT8xA=='
GO
-- frmConfiguracion: current exchange rate in exchange-rate mode (ConsultarCampo)
SELECT Valor_Num FROM Parametros WHERE Id_Parametro='TC_US'
GO
-- frmConfiguracion: store the new exchange rate (ActualizarRegistros)
UPDATE Parametros SET Valor_Num=20 WHERE Id_Parametro='TC_US'
GO
-- frmAcceso.Load: terminal name label (ConsultarCampo "Nombre_Terminal", "Terminal")
SELECT Nombre_Terminal FROM Terminal WHERE id_terminal=1
GO
-- frmAcceso.cmdAccesar: name, user name and administrator flag of the employee who swiped
SELECT Usuario,Nombre_Empleado + ' ' + Apellido_Paterno + ' ' + Apellido_Materno AS Nombre_Empleado, Admin_Usuarios FROM Empleado WHERE Id_Empleado = 1
GO
-- frmAcceso.cmdAccesar: terminal where the employee is signed in, other than this one (ConsultarCampo "Nombre_Terminal", "Empleado,Terminal")
SELECT Nombre_Terminal FROM Empleado,Terminal WHERE Empleado.ID_Terminal=Terminal.ID_Terminal AND ID_Empleado=1 AND Empleado.ID_Terminal<>1
GO
-- frmAcceso.cmdAccesar: is the employee clocked in (reads Empleado.Firmado; statement form not given, assumed)
SELECT Firmado FROM Empleado WHERE ID_Empleado=1
GO
-- frmAcceso.cmdAccesar: departments of the employee, function 15 (ConsultarCampo on "costosxempleado"; condition assumed)
SELECT Count(*) FROM costosxempleado WHERE Id_Empleado=1
GO
-- frmAcceso.cmdAccesar: bind the employee to terminal 1 (ActualizarRegistros)
UPDATE Empleado SET ID_Terminal=1 WHERE ID_Empleado=1
GO
-- frmAcceso.cmdAccesar: release orders still locked by the employee (ActualizarRegistros)
UPDATE Comanda SET EnUsoPor=0 WHERE EnUsoPor=1
GO
-- clsEmpleado.getPermisos: permission flags of the signed-in employee
SELECT ID_Permiso FROM Vw_Permisos WHERE ID_Empleado=1
GO
-- frmAcceso.cmdAccesar: next table number of the employee, function 20 or permission 68 (ConsultarCampo "MAX(Num_Mesa) + 1", "vw_mesasabiertas")
SELECT MAX(Num_Mesa) + 1 FROM vw_mesasabiertas WHERE id_empleado=1
GO
-- frmAcceso.cmdAccesar: Abrir_Mesa command for a customer order "O" with 0 guests; @nFolio returns ID_Comanda (the SELECT stands for reading the output parameter)
DECLARE @nFolio bigint
EXEC Abrir_Mesa @nNumMesa=16, @nControl=1, @nIDEmpleado=1, @sTipo='O', @nHuespedes=0, @nFolio=@nFolio OUTPUT
SELECT @nFolio AS nFolio
GO
-- frmAcceso.cmdAccesar: first account of the order handed to the order screen (ConsultarCampo "top 1 num_cuenta", "cuenta")
SELECT top 1 num_cuenta FROM cuenta WHERE id_comanda=1
GO
-- frmAcceso.cmdAccesar: control of the order handed to the order screen (ConsultarCampo "control", "Comanda")
SELECT control FROM Comanda WHERE id_comanda=1
GO
-- frmAcceso.tmrMoverLogo: working date ddmmyyyy (ConsultarCampo "Valor_Cad", "Vw_FechaTrabajo", no condition; form assumed)
SELECT Valor_Cad FROM Vw_FechaTrabajo
GO
-- frmAcceso.tmrMoverLogo: clear the restart request of this terminal (ActualizarRegistros; form as in FrmFunciones)
UPDATE Terminal SET Reiniciar=0 WHERE ID_Terminal=1
GO
-- frmAcceso.tmrMoverLogo: restart request posted for this terminal
SELECT Reiniciar FROM Terminal WHERE ID_Terminal=1
GO
-- frmAcceso.tmrMoverLogo: grid of inactive terminals
SELECT Nombre_Terminal, 'INACTIVA' FROM Terminal WHERE Estado_Terminal <> 'A'
GO
-- frmAcceso.tmrMoverLogo: grid of redirected printers
SELECT Nombre_Impresora, Estado_1,' REDIRIGIDO A ', Nombre_Impresora1 FROM Vw_Impresoras WHERE Id_Impresora <> Redirigido AND Estado_1 <> 'L'
GO
-- frmAcceso (key "A" or logo touched): employees without a card (key "A" or touching the logo)
SELECT * FROM Vw_Empleados_Sin_Tarjeta
GO
-- FrmValidaPermiso: does the employee who swiped (2) hold the required permission (ConsultarCampo "Count(*)", "Vw_Permisos")
SELECT Count(*) FROM Vw_Permisos WHERE ID_Empleado=2 AND ID_Permiso = 39
GO
-- FrmLogin: stored DES password of a user whose work group holds permission 27
SELECT Contraseña FROM Empleado,EmpleadosXGrupo,PermisosXGrupo_Trabajo WHERE Empleado.ID_Empleado=EmpleadosXGrupo.ID_Empleado AND EmpleadosXGrupo.ID_Grupo_Trabajo=PermisosXGrupo_Trabajo.ID_Grupo_Trabajo AND ID_Permiso=27 AND Usuario='gerente1'
GO
-- FrmFunciones (activation): which menu permissions the employee holds
SELECT ID_Permiso FROM Vw_Permisos WHERE ID_Empleado=1 AND ID_Permiso IN (27,28,29,30,31,32,33,34,35,41,43,44,46,47,50,51,52,53,54,55,58,68,69)
GO
-- FrmFunciones (print test): every active printer for the print test
select id_impresora,nombre_impresora,puerto from impresora where estado_impresora = 'A'
GO
-- FrmFunciones (close of day): clear the restart request of this terminal (ActualizarRegistros)
UPDATE Terminal SET Reiniciar=0 WHERE ID_Terminal=1
GO
-- FrmFunciones (verification): open tables of the employee (ConsultarCampo "count(*)", "Vw_MesasAbiertas")
SELECT count(*) FROM Vw_MesasAbiertas WHERE id_empleado=1
GO
-- FrmFunciones (clock-in): is the employee still clocked in after the clock-in screen (form assumed)
SELECT Firmado FROM Empleado WHERE ID_Empleado=1
GO
-- FrmFirmarEntrada.Load: server time
SELECT getdate() as Hora
GO
-- FrmFirmarEntrada.Load: department name (ConsultarCampo "Nombre", "Vw_DepartamentosXEmpleado")
SELECT Nombre FROM Vw_DepartamentosXEmpleado WHERE Id_Empleado=1
GO
-- FrmFirmarEntrada (activation): clock-in time of a clocked-in employee (ConsultarCampo "Hora_Inicio", "Vw_EmpleadosFirmados")
SELECT Hora_Inicio FROM Vw_EmpleadosFirmados WHERE id_empleado=1
GO
-- FrmFirmarEntrada (activation): department of a clocked-in employee (ConsultarCampo "Departamento")
SELECT Departamento FROM Vw_EmpleadosFirmados WHERE id_empleado=1
GO
-- FrmFirmarEntrada (sign button): is the employee clocked in, choosing permission 66 or 67 (form assumed)
SELECT Firmado FROM Empleado WHERE ID_Empleado=1
GO
-- FrmFirmarEntrada (sign button): number of departments of the employee (ConsultarCampo "COUNT(*)", "CostosxEmpleado")
SELECT COUNT(*) FROM CostosxEmpleado WHERE id_empleado=1
GO
-- FrmFirmarEntrada (sign button): department list to choose from
select id_departamento,Nombre from Vw_DepartamentosXEmpleado WHere id_Empleado = 1
GO
-- FrmFirmarEntrada (sign button) (FrmValidaPermiso): supervisor 2 may authorise a clock-in (permission 66)
SELECT Count(*) FROM Vw_Permisos WHERE ID_Empleado=2 AND ID_Permiso = 66
GO
-- FrmFirmarEntrada (sign button) (FrmValidaPermiso): supervisor 2 may authorise a clock-out (permission 67)
SELECT Count(*) FROM Vw_Permisos WHERE ID_Empleado=2 AND ID_Permiso = 67
GO
-- FrmFirmarEntrada (sign button): clock employee 1 in or out for department 3
procFirmarEmpleado 3,1
GO
-- FrmFirmarEntrada (sign button): clock employee 1 in or out without departments (department 0)
procFirmarEmpleado 0,1
GO
-- FrmMeserosFirmados: working staff with function 15 (clock-in in use)
SELECT Id_Empleado, Empleado, Nombre_Terminal, Departamento, Hora_Inicio FROM Vw_EmpleadosFirmados WHERE Id_Empleado <> 1
GO
-- FrmMeserosFirmados: staff signed in at a terminal, without function 15
SELECT Id_Empleado, Nombre_Empleado + ' ' + Apellido_Paterno + ' ' + Apellido_Materno, Nombre_Terminal,'','' FROM Empleado emp, Terminal ter WHERE emp.Id_Terminal <> 0 AND emp.Id_Terminal = ter.Id_Terminal AND Id_Empleado <> 1
GO
-- FrmMeserosFirmados (row touched): latest shift of employee 2 (ConsultarCampo "max(Id_Entrada)", "HorasxEmpleado")
SELECT max(Id_Entrada) FROM HorasxEmpleado WHERE Id_Empleado=2
GO
-- FrmMeserosFirmados (row touched): correct the clock-in time to hh:mm (ActualizarRegistros)
UPDATE HorasxEmpleado SET Hora_Inicio='08:30' WHERE Id_Entrada=5
GO
-- FrmMeserosFirmados ("desfirmar"): release employee 2 from its terminal (table written "Empleado " with a trailing blank)
UPDATE Empleado  SET Id_Terminal = 0 WHERE Id_Empleado = 2
GO
-- FrmMeserosFirmados ("desfirmar"): release the orders held by employee 2 (ActualizarRegistros)
UPDATE Comanda SET EnUsoPor=0 WHERE EnUsoPor=2
GO
-- FrmCambioPassword.Load: employees whose card may be changed, non-administrator
SELECT * FROM Vw_Empleados WHERE Admin=0
GO
-- FrmCambioPassword.Load: employees whose card may be changed, signed-in user administrator
SELECT * FROM Vw_Empleados WHERE Admin=0 OR Admin=1
GO
-- FrmNuevaContraseña: take the card away from whoever holds it (ActualizarRegistros)
UPDATE Empleado SET Num_Tarjeta='XXX' WHERE Num_Tarjeta='Zk9tN2VxR4pLwB=='
GO
-- FrmNuevaContraseña: give the card to employee 2 (ActualizarRegistros)
UPDATE Empleado SET Num_Tarjeta='Zk9tN2VxR4pLwB==' WHERE ID_Empleado=2
GO
-- frmMesaNueva ("Aceptar"): occupancy check (ADO command "SELECT * FROM Vw_MesaOcupada WHERE Num_Mesa=?", integer parameter bound to 20)
SELECT * FROM Vw_MesaOcupada WHERE Num_Mesa=20
GO
-- frmMesaNueva ("Aceptar"): next free table number of the restaurant (ConsultarCampo "MAX(Num_Mesa) + 1", "vw_mesasabiertas", no condition)
SELECT MAX(Num_Mesa) + 1 FROM vw_mesasabiertas
GO
-- frmMesaNueva ("Aceptar"): Abrir_Mesa command, dining room "N", free table 20, 4 guests (parameters appended in this order; the SELECT stands for reading @nFolio)
DECLARE @nFolio bigint
EXEC Abrir_Mesa @nNumMesa=20, @nControl=1, @nIDEmpleado=1, @sTipo='N', @nHuespedes=4, @nFolio=@nFolio OUTPUT
SELECT @nFolio AS nFolio
GO
-- frmMesaNueva ("Aceptar"): Abrir_Mesa command, take-away "B" with the next free number and 0 guests
DECLARE @nFolio bigint
EXEC Abrir_Mesa @nNumMesa=18, @nControl=1, @nIDEmpleado=1, @sTipo='B', @nHuespedes=0, @nFolio=@nFolio OUTPUT
SELECT @nFolio AS nFolio
GO
-- frmMesaNueva ("Aceptar"): Abrir_Mesa command, home delivery "O" with the next free number and 0 guests
DECLARE @nFolio bigint
EXEC Abrir_Mesa @nNumMesa=19, @nControl=1, @nIDEmpleado=1, @sTipo='O', @nHuespedes=0, @nFolio=@nFolio OUTPUT
SELECT @nFolio AS nFolio
GO
-- frmMesasAbiertas.Llenar_Spread: does the employee see all open tables (permission 42)
SELECT ID_Permiso FROM Vw_Permisos WHERE ID_Empleado=1 AND ID_Permiso =42
GO
-- frmMesasAbiertas.Llenar_Spread: own open tables (grid reads columns 1, 2, 3 and 7 by position)
SELECT * FROM Vw_MesasAbiertas WHERE ID_Empleado=1 ORDER BY Num_Mesa
GO
-- frmMesasAbiertas.Llenar_Spread: all open tables, permission 42
SELECT * FROM Vw_MesasAbiertas ORDER BY Num_Mesa
GO
-- frmMesasAbiertas.DatosEmpleado: button permissions 28, 36, 37, 49
SELECT ID_Permiso FROM Vw_Permisos WHERE ID_Empleado=1 AND ID_Permiso IN (28,36,37,49)
GO
-- frmMesasAbiertas.DatosEmpleado: employee label (ConsultarCampo "Usuario", "Empleado")
SELECT Usuario FROM Empleado WHERE ID_Empleado=1
GO
-- frmMesasAbiertas ("Ver mesa" / "Pagar"): was the order closed meanwhile (ConsultarCampo "Count(*)", "Comanda")
SELECT Count(*) FROM Comanda WHERE Fecha_Cierre IS NOT NULL AND Id_comanda=1
GO
-- frmMesasAbiertas ("Pagar"): has any account of the order been printed (ConsultarCampo "SUM(num_impresiones)", "Cuenta")
SELECT SUM(num_impresiones) FROM Cuenta WHERE Id_comanda=1
GO
-- frmMesasAbiertas ("Ver mesa" / "Pagar"): full name of another employee holding the order (ConsultarCampo on "Comanda,Empleado")
SELECT Nombre_Empleado + ' ' + Apellido_Paterno + ' ' + Apellido_Materno FROM Comanda,Empleado WHERE Comanda.EnUsoPor=Empleado.ID_Empleado AND ID_Comanda=1 AND EnUsoPor<>1
GO
-- frmMesasAbiertas ("Ver mesa" / "Pagar"): take the order lock (ActualizarRegistros)
UPDATE Comanda SET EnUsoPor=1 WHERE ID_Comanda=1
GO
-- frmMesasAbiertas ("Ver mesa" / "Pagar"): number of accounts of the order
SELECT COUNT(Num_Cuenta) AS Cuentas FROM Cuenta WHERE ID_Comanda=1 AND Control = 1
GO
-- frmMesasAbiertas ("Ver mesa" / "Pagar"): account the order screen opens on (ConsultarCampo "top 1 num_cuenta", "cuenta")
SELECT top 1 num_cuenta FROM cuenta WHERE id_comanda=1
GO
-- frmMesasAbiertas ("Aceptar", courtesy mode): lock check with the order held by this same employee (ConsultarCampo on "Comanda,Empleado")
SELECT Nombre_Empleado + ' ' + Apellido_Paterno + ' ' + Apellido_Materno FROM Comanda,Empleado WHERE Comanda.EnUsoPor=Empleado.ID_Empleado AND ID_Comanda=1 AND EnUsoPor=1
GO
-- frmMesasAbiertas ("Aceptar", courtesy mode): take the order lock (ActualizarRegistros)
UPDATE Comanda SET EnUsoPor=1 WHERE ID_Comanda=1
GO
-- FrmTransferirMesa ("Aceptar"): occupancy check of the target number (ADO command, parameter bound to 21)
SELECT * FROM Vw_MesaOcupada WHERE Num_Mesa=21
GO
-- FrmTransferirMesa ("Aceptar"): move order 1 to table 21 as dining room (ActualizarRegistros)
UPDATE Comanda SET Num_Mesa=21, Tipo='N' WHERE ID_Comanda=1 AND Control=1
GO
-- FrmTransferirMesa ("Aceptar"): event row for the move (InsertarRegistro)
INSERT INTO Bitacora(FechaHora,ID_Empleado,Texto) VALUES('06/12/2026 13:45:00',1,'Comanda 1 transferida a 21')
GO
-- FrmTransferirMesa ("Aceptar") (UnirMesas): find the open order that carries the typed number (form assumed: the same occupancy command)
SELECT * FROM Vw_MesaOcupada WHERE Num_Mesa=15
GO
-- FrmTransferirMesa ("Aceptar") (UnirMesas): give the source order 3 the target's number (ActualizarRegistros; condition assumed)
UPDATE Comanda SET Num_Mesa=15 WHERE ID_Comanda=3 AND Control=1
GO
-- FrmTransferirMesa ("Aceptar") (UnirMesas): copy the source accounts that target order 2 lacks
insert into cuenta (ID_Comanda,Num_Cuenta,Pagada,Num_Impresiones,Total,Control,Num_Tiempo,Ultimo_Tiempo,Facturada,CveCliente) select 2, Num_Cuenta,1,0,0,1,Num_Tiempo,Ultimo_Tiempo,Facturada,cvecliente from cuenta where id_comanda = 3 and control=1 and Num_Cuenta not in (Select Num_cuenta from cuenta where id_comanda = 2 and control=1)
GO
-- FrmTransferirMesa ("Aceptar") (UnirMesas): move the items to the target order (ActualizarRegistros)
UPDATE ProductosXCuenta SET Id_Comanda=2, Control =1 WHERE Id_Comanda = 3 AND Control = 1
GO
-- FrmTransferirMesa ("Aceptar") (UnirMesas): read Pagada of the source accounts (form assumed)
SELECT Pagada FROM Cuenta WHERE Id_Comanda = 3 AND Control = 1
GO
-- FrmTransferirMesa ("Aceptar") (UnirMesas): empty the source accounts and mark them paid (ActualizarRegistros)
UPDATE Cuenta SET Total=0, Pagada = 1 WHERE Id_Comanda = 3 AND Control = 1
GO
-- FrmTransferirMesa ("Aceptar") (UnirMesas): recompute account 1 of the target order (ID_Comanda 2, Num_Cuenta 1, Control 1)
EXEC Totalizar_Cuenta 2,1,1
GO
-- FrmTransferirMesa ("Aceptar") (UnirMesas): close the source order 3 (ActualizarRegistros; condition assumed)
UPDATE Comanda SET Abierta=0, Fecha_Cierre = getdate() WHERE ID_Comanda=3 AND Control=1
GO
-- FrmTransferirMesa ("Aceptar") (UnirMesas): move the payments to the target order (ActualizarRegistros)
UPDATE Pago SET Id_Comanda=2, Control =1 WHERE Id_Comanda = 3 AND Control = 1
GO
-- FrmTransferirMesa ("Aceptar") (UnirMesas): no source account was paid, so the target accounts are unpaid (ActualizarRegistros)
UPDATE Cuenta SET pagada=0 WHERE id_comanda = 2 and control=1
GO
-- FrmTransferirMesero.Load: employees to hand the order to (statement form not given, assumed; column 1 id, column 2 name)
SELECT * FROM Vw_EmpleadosDisponibles
GO
-- FrmTransferirMesero ("Aceptar"): hand order 2 to employee 2 (ActualizarRegistros)
UPDATE Comanda SET ID_Empleado=2 WHERE ID_Comanda=2 AND Control = 1
GO
-- FrmTransferirMesero ("Aceptar"): event row for the hand-over (InsertarRegistro)
INSERT INTO Bitacora(FechaHora,ID_Empleado,Texto) VALUES('06/12/2026 13:45:00',1,'Comanda 2 transferida a Juan Perez Lopez')
GO
-- frmUnirMesas.Llenar_Spread: does the employee see all open tables (permission 42)
SELECT ID_Permiso FROM Vw_Permisos WHERE ID_Empleado=1 AND ID_Permiso =42
GO
-- frmUnirMesas.Llenar_Spread: own open tables
SELECT * FROM Vw_MesasAbiertas WHERE ID_Empleado=1 ORDER BY Num_Mesa
GO
-- frmUnirMesas.Llenar_Spread: all open tables, permission 42
SELECT * FROM Vw_MesasAbiertas ORDER BY Num_Mesa
GO
-- FrmReabrirMesa.Llenar_Spread: closed orders (columns 1 ID_Comanda, 2 Control, 3 Num_Mesa; trailing blank kept)
SELECT * FROM Vw_MesasCerradas 
GO
-- FrmReabrirMesa ("Aceptar"): reopen closed order 5 (ActualizarRegistros)
UPDATE Comanda SET Abierta=1,Fecha_Cierre = NULL WHERE ID_Comanda=5 AND Control = 1
GO
-- FrmMesasEnCero.Llenar_Spread: open orders without a live item
SELECT ID_Comanda,Num_Mesa,Nombre_Empleado,Fecha_apertura,Control FROM Comanda,Empleado WHERE Comanda.ID_Empleado=Empleado.ID_Empleado AND Abierta=1 AND ID_Comanda NOT IN (SELECT ID_Comanda FROM ProductosXCuenta WHERE ID_Tipo_Anulacion IS NULL)
GO
-- FrmMesasEnCero ("Cerrar"): close empty order 4 without payment (ActualizarRegistros)
UPDATE Comanda SET Abierta=0,CantHuespedes=0 WHERE ID_Comanda = 4 AND Control=1
GO
-- frmComanda.DatosEmpleado: user name of the employee
SELECT Usuario FROM Empleado WHERE ID_Empleado=1
GO
-- frmComanda.DatosEmpleado: lowest account of the order
SELECT Num_Cuenta FROM Cuenta WHERE Id_Comanda=1 AND Control=1 ORDER BY Num_Cuenta
GO
-- frmComanda.DatosEmpleado: current serving time of the account
SELECT Ultimo_Tiempo FROM Cuenta WHERE id_comanda=1 AND Control=1 AND Num_Cuenta=1
GO
-- frmComanda.DatosEmpleado: order type
SELECT tipo FROM comanda WHERE id_comanda=1
GO
-- frmComanda.DatosEmpleado: customer key of the first account
SELECT CveCliente FROM Cuenta WHERE Id_Comanda=1 AND Control=1 ORDER BY Num_Cuenta
GO
-- frmComanda.DatosEmpleado: highest account number (several-accounts flag)
SELECT top 1 num_cuenta FROM Cuenta WHERE Id_comanda=1 ORDER BY Num_Cuenta desc
GO
-- frmComanda.DatosEmpleado: permissions 36, 40 and 63
SELECT ID_Permiso FROM Vw_Permisos WHERE ID_Empleado=1 AND ID_Permiso IN (36,40,63)
GO
-- frmComanda.DatosEmpleado: default submenu of the terminal
SELECT top 1 Id_submenu FROM Vw_SubMenu_Default WHERE Id_Terminal=1 ORDER BY orden
GO
-- frmComanda.DatosCliente: store the delivery customer on the account
UPDATE Cuenta SET CveCliente=123456789012345 WHERE Id_Comanda = 1 AND Num_Cuenta=1
GO
-- frmComanda.MostrarProductosComandaActual: item lines of the account
SELECT * FROM Vw_Comanda WHERE ID_Comanda=1 AND Control=1 AND Num_Cuenta=1 ORDER BY tiempo_requerido, Hora_Preparacion,ID_Paquete DESC,ID_ProductosXCuenta,Orden
GO
-- frmComanda.MostrarProductosComandaActual: section of package component 202 under package head 10
SELECT Control_Paquetes.ID_Seccion_Paquete FROM Control_Paquetes,ProductosXSeccion WHERE Control_Paquetes.ID_Seccion_Paquete=ProductosXSeccion.ID_Seccion_Paquete AND ID_Producto=202 AND ID_ProductosXCuenta=10
GO
-- frmComanda.MostrarProductosComandaActual: guests of the order
SELECT isnull(CantHuespedes,0) FROM Comanda WHERE ID_Comanda=1 AND Control=1
GO
-- frmComanda.MostrarProductosComandaActual: table number of the order
SELECT Num_Mesa FROM comanda WHERE id_comanda=1
GO
-- frmComanda.CalculaTotal: exchange rate for the dollar total
SELECT Valor_Num FROM Parametros WHERE ID_Parametro='TC_US'
GO
-- frmComanda.imgTodoArriba: the employee's next open order
SELECT TOP 1 id_comanda FROM Vw_MesasAbiertas WHERE ID_Empleado=1 AND id_comanda > 1 ORDER BY id_comanda
GO
-- frmComanda.imgTodoAbajo: the employee's previous open order
SELECT TOP 1 id_comanda FROM Vw_MesasAbiertas WHERE ID_Empleado=1 AND id_comanda < 2 ORDER BY id_comanda desc
GO
-- frmComanda.imgTodoArriba: release the order left behind
UPDATE Comanda SET EnUsoPor=0 WHERE ID_Comanda=1
GO
-- frmComanda.imgTodoArriba: account of the new order
SELECT Num_Cuenta FROM Cuenta WHERE id_comanda=2
GO
-- frmComanda.imgTodoArriba: control of the new order
SELECT control FROM Comanda WHERE id_comanda=2
GO
-- frmComanda.imgTodoArriba: lock the new order
UPDATE Comanda SET EnUsoPor=1 WHERE ID_Comanda=2
GO
-- frmComanda.cmdAbrirMesa: release the current order before opening another table
UPDATE Comanda SET EnUsoPor=0 WHERE ID_Comanda=1
GO
-- frmComanda.lblHuespedes: may the employee change the guests (permission 64)
SELECT COUNT(*) FROM Vw_Permisos WHERE Id_Empleado=1 AND Id_Permiso=64
GO
-- frmComanda.lblHuespedes: store the guests (also cmdOperaciones when the count was 0)
UPDATE Comanda SET CantHuespedes=4 WHERE ID_Comanda=1
GO
-- frmComanda.cmdOperaciones: prints of the account so far
SELECT Num_Impresiones FROM cuenta WHERE id_comanda=1 AND Control=1 AND Num_Cuenta=1
GO
-- frmComanda.cmdOperaciones: allowed number of prints
SELECT Valor_Num FROM parametros WHERE id_parametro='NUM_IMPRESIONES'
GO
-- frmComanda.cmdOperaciones: may the employee reprint (permission 44)
SELECT Count(*) FROM Vw_Permisos WHERE ID_Empleado=1 AND ID_Permiso = 44
GO
-- frmComanda.cmdOperaciones: count the print
UPDATE Cuenta SET Num_Impresiones=Num_Impresiones+1 WHERE ID_Comanda=1 AND Num_Cuenta=1 AND Control=1
GO
-- frmComanda.cmdSalir: release the order (also cmdListaMesas, cmdUtilierias)
UPDATE Comanda SET EnUsoPor=0 WHERE ID_Comanda=1
GO
-- frmComanda.CrearBotonesMenu: submenus of the terminal's menu
SELECT sub.ID_SubMenu,Nombre_SubMenu FROM SubMenu sub, SubmenuxMenu men WHERE sub.id_submenu = men.id_submenu AND men.Id_Menu = (SELECT Id_Menu FROM Terminal WHERE Id_Terminal=1) ORDER BY Orden,Nombre_SubMenu
GO
-- frmComanda.CrearBotonesMenu: fixed submenus of the terminal's menu
SELECT * FROM SubMenu sub, SubmenuxMenu men WHERE Submenu_Fijo=1 AND sub.id_submenu = men.id_submenu AND men.id_menu=(SELECT Id_Menu FROM Terminal WHERE Id_Terminal = 1) ORDER By Orden,Nombre_Submenu
GO
-- frmComanda.MostrarProductosSubMenu: submenu title
SELECT Nombre_Submenu FROM SubMenu WHERE ID_Submenu=3
GO
-- frmComanda.MostrarProductosSubMenu: products of submenu 3 with the count already in the account (three statements, then both drops)
SELECT Producto.ID_Producto,Nombre_Boton,Producto.Existencia INTO #TempMenu FROM ProductosXSubmenu,Producto WHERE ProductosXSubmenu.ID_Producto=Producto.ID_Producto AND ID_Submenu=3 AND Estado='A' ORDER BY Orden,Nombre_Boton
SELECT ID_Producto,COUNT(ID_Producto) AS Cant INTO #TempPXC FROM ProductosXCuenta WHERE ID_Comanda=1 AND Control=1 AND Num_Cuenta=1 AND ID_Tipo_Anulacion IS NULL AND ID_Paquete IS NULL GROUP BY ID_Producto
SELECT #TempMenu.ID_Producto,Nombre_Boton,Cant,Existencia FROM #TempMenu,#TempPXC WHERE #TempMenu.ID_Producto*=#TempPXC.ID_Producto
DROP TABLE #TempPXC
DROP TABLE #TempMenu
GO
-- frmComanda.CmdProductos: stock after pressing product 101
SELECT Existencia FROM Producto WHERE Id_Producto=101
GO
-- frmComanda.cmdBuscar (search results screen): products of the terminal's menu whose full name holds the searched text
SELECT Pro.ID_Producto,Nombre_Submenu,Nombre_Boton,nombre_completo,Precio_Producto,Estado FROM SubMenu SubMen, productosxsubmenu PXSubMen, Producto Pro, Vw_ImpuestosXProducto IXP WHERE PXSubMen.ID_SubMenu=SubMen.ID_SubMenu AND Pro.ID_Producto = PXSubMen.ID_Producto AND IXP.ID_Producto=Pro.ID_Producto AND Pro.Estado='A' AND IXP.Id_menu = (SELECT Id_Menu FROM Terminal WHERE Id_Terminal=1) AND Nombre_Completo LIKE '%SOPA%'
GO
-- frmComanda.cmdBuscar: is the chosen product still active
SELECT COUNT(id_producto) FROM Producto WHERE Estado='A' AND Id_Producto=101
GO
-- frmComanda.cmdInsBarras: does the barcode belong to a listed product
SELECT count(*) FROM Vw_ListaProductos WHERE codigo_barras='7501000112233'
GO
-- frmComanda.cmdInsBarras: product of the barcode
SELECT Id_Producto FROM Producto WHERE codigo_barras='7501000112233'
GO
-- frmComanda.AñadirProductoAComanda: stock check before adding
SELECT Existencia FROM Producto WHERE Id_Producto=101
GO
-- frmComanda.AñadirProductoAComanda: the product as priced in the terminal's menu
SELECT * FROM Vw_ImpuestosXProducto WHERE ID_Producto=101 AND Id_Menu = (SELECT Id_Menu FROM Terminal WHERE Id_Terminal=1)
GO
-- frmComanda.AñadirProductoAComanda: tax fraction of the product (price without tax)
SELECT Porcentaje FROM Vw_PorcentajeXProducto WHERE Id_Producto=101
GO
-- frmComanda.AñadirProductoAComanda: does the product's modifier group open the modifier panel by itself
SELECT Fluir_Automatico FROM Producto,Grupo_Modificadores WHERE Producto.ID_Grupo_Modificadores=Grupo_Modificadores.ID_Grupo_Modificadores AND ID_Producto=101
GO
-- frmComanda.GuardarYPrepararNuevos: stock check before storing (written "Id_producto")
SELECT Existencia FROM Producto WHERE Id_producto=101
GO
-- frmComanda.GuardarYPrepararNuevos: is there a Control_Paquetes row for section 5 of package head 10 ("PA" line)
SELECT ID_Seccion_Paquete FROM Control_Paquetes WHERE ID_ProductosXCuenta=10 AND ID_Seccion_Paquete=5
GO
-- frmComanda.GuardarYPrepararNuevos: one more component ordered in the section
UPDATE Control_Paquetes SET Ordenados=Ordenados+1 WHERE ID_ProductosXcuenta=10 AND ID_Seccion_Paquete=5
GO
-- frmComanda.GuardarYPrepararNuevos: first component of another section (6)
INSERT INTO Control_Paquetes(ID_ProductosXCuenta,ID_Seccion_Paquete) VALUES(10,6)
GO
-- frmComanda.GuardarYPrepararNuevos: Insertar_Producto command, ordinary "P" line sent now, with a comment (the SELECT stands for reading @nFolio)
DECLARE @nFolio int
EXEC Insertar_Producto @nIDComanda=1, @nControl=1, @nIDProducto=101, @nNumCta=1, @nComentario='SIN SAL<N>TERMINO MEDIO', @bPreparado=1, @nIDPaquete=0, @sTipo='P', @nIDSeccion=0, @nIDGrupoImpresoras=2, @sProducto='SOPA DE TORTILLA', @nTiempo=1, @nPrecio=85, @nPromocion=0, @nFolio=@nFolio OUTPUT
SELECT @nFolio AS nFolio
GO
-- frmComanda.GuardarYPrepararNuevos: Insertar_Producto command, "P" line held for serving time 2
DECLARE @nFolio int
EXEC Insertar_Producto @nIDComanda=1, @nControl=1, @nIDProducto=102, @nNumCta=1, @nComentario='', @bPreparado=2, @nIDPaquete=0, @sTipo='P', @nIDSeccion=0, @nIDGrupoImpresoras=2, @sProducto='FILETE MIGNON', @nTiempo=2, @nPrecio=245.5, @nPromocion=0, @nFolio=@nFolio OUTPUT
SELECT @nFolio AS nFolio
GO
-- frmComanda.GuardarYPrepararNuevos: Insertar_Producto command, "PM" line with an empty dispatch mark
DECLARE @nFolio int
EXEC Insertar_Producto @nIDComanda=1, @nControl=1, @nIDProducto=103, @nNumCta=1, @nComentario='', @bPreparado=0, @nIDPaquete=0, @sTipo='PM', @nIDSeccion=0, @nIDGrupoImpresoras=3, @sProducto='LIMONADA', @nTiempo=1, @nPrecio=32, @nPromocion=0, @nFolio=@nFolio OUTPUT
SELECT @nFolio AS nFolio
GO
-- frmComanda.GuardarYPrepararNuevos: Insertar_Producto command, package head "PP" (its folio becomes the head of the following "PA" lines)
DECLARE @nFolio int
EXEC Insertar_Producto @nIDComanda=1, @nControl=1, @nIDProducto=201, @nNumCta=1, @nComentario='', @bPreparado=1, @nIDPaquete=0, @sTipo='PP', @nIDSeccion=0, @nIDGrupoImpresoras=2, @sProducto='PAQUETE EJECUTIVO', @nTiempo=1, @nPrecio=189, @nPromocion=0, @nFolio=@nFolio OUTPUT
SELECT @nFolio AS nFolio
GO
-- frmComanda.GuardarYPrepararNuevos: Insertar_Producto command, package component "PA" of head 10 in section 5, price 0
DECLARE @nFolio int
EXEC Insertar_Producto @nIDComanda=1, @nControl=1, @nIDProducto=202, @nNumCta=1, @nComentario='', @bPreparado=1, @nIDPaquete=10, @sTipo='PA', @nIDSeccion=5, @nIDGrupoImpresoras=2, @sProducto='CREMA DE ELOTE', @nTiempo=1, @nPrecio=0, @nPromocion=0, @nFolio=@nFolio OUTPUT
SELECT @nFolio AS nFolio
GO
-- frmComanda.GuardarYPrepararNuevos: Insertar_Producto command, gift line of promotion 1
DECLARE @nFolio int
EXEC Insertar_Producto @nIDComanda=1, @nControl=1, @nIDProducto=104, @nNumCta=1, @nComentario='', @bPreparado=0, @nIDPaquete=0, @sTipo='P', @nIDSeccion=0, @nIDGrupoImpresoras=3, @sProducto='POSTRE CORTESIA', @nTiempo=1, @nPrecio=0, @nPromocion=1, @nFolio=@nFolio OUTPUT
SELECT @nFolio AS nFolio
GO
-- frmComanda.GuardarYPrepararNuevos: event row for a stored product (text quotes doubled; time dd/mm/yyyy hh:mm)
INSERT INTO Bitacora(FechaHora,ID_Empleado,Texto) VALUES('06/12/2026 13:45',1,'Producto ingresado SOPA DE TORTILLA  $85.00')
GO
-- frmComanda.GuardarYPrepararNuevos: mark the stored item prepared (line sent now)
UPDATE ProductosXCuenta SET Preparado=1 WHERE ID_ProductosXCuenta=1
GO
-- frmComanda.GuardarYPrepararNuevos: is modifier type 7 already stored on item 1
SELECT count(*) FROM Modificador WHERE ID_ProductosXCuenta=1 AND ID_Tipo_Modificador=7
GO
-- frmComanda.GuardarYPrepararNuevos: store a predefined modifier (item 1, type 7, price 0, flag 1, name)
Inserta_Modificador 1,7,0,1,'SIN CEBOLLA'
GO
-- frmComanda.GuardarYPrepararNuevos: store a priced modifier with flag 0
Inserta_Modificador 1,8,15.5,0,'EXTRA QUESO'
GO
-- frmComanda.GuardarYPrepararNuevos: store a free-text modifier (identifier and price of free text are the implementer's; 0 here)
Inserta_Modificador 1,0,0,0,'*BIEN COCIDO*'
GO
-- frmComanda.GuardarYPrepararNuevos: printer group of the item that carries the modifier
SELECT ID_Grupo_Impresoras FROM ProductosXCuenta,Producto WHERE ProductosXCuenta.ID_Producto=Producto.ID_Producto AND ID_ProductosXCuenta=1
GO
-- frmComanda.GuardarYPrepararNuevos: total the account (ID_Comanda 1, Num_Cuenta 1, Control 1)
Totalizar_Cuenta 1,1,1
GO
-- frmComanda.GuardarYPrepararNuevos: user name of the order's waiter for Mandar_Impresion
SELECT Usuario FROM Comanda,Empleado WHERE Comanda.ID_Empleado=Empleado.ID_Empleado AND ID_Comanda=1
GO
-- frmComanda.GuardarYPrepararNuevos: print lines of the stored items (Texto Varchar (500)) handed to the kitchen; the terminal sends the call as its own command "Mandar_Impresion 12,'mesero1','1',4" (EXEC written only because it is not first in this batch)
CREATE TABLE #Tmp_Imprimir (ID Int IDENTITY (1, 1),Texto Varchar (500),ID_Impresora Int,Tipo Char(1), Tiempo Int)
INSERT INTO #Tmp_Imprimir(Texto,ID_Impresora,Tipo,Tiempo) SELECT 'SOPA DE TORTILLA</B></H>',ImpresorasXGrupo.ID_Impresora,'P',1 FROM ImpresorasXGrupo,Impresora WHERE ImpresorasXGrupo.ID_Impresora=Impresora.ID_Impresora AND ID_Grupo_Impresoras=2
INSERT INTO #Tmp_Imprimir(Texto,ID_Impresora,Tipo,Tiempo) SELECT '<N><H><B>SIN CEBOLLA</B></H>',ImpresorasXGrupo.ID_Impresora,'M',1 FROM ImpresorasXGrupo,Impresora WHERE ImpresorasXGrupo.ID_Impresora=Impresora.ID_Impresora AND ID_Grupo_Impresoras=2
EXEC Mandar_Impresion 12,'mesero1','1',4
DROP TABLE #Tmp_Imprimir
GO
-- FrmArtDisponibles.Load: categories (submenus that hold products)
SELECT distinct sub.* FROM Submenu sub, productosxsubmenu pxs where pxs.id_submenu = sub.id_submenu ORDER BY Nombre_Submenu
GO
-- FrmArtDisponibles: stock of every product
SELECT * FROM Vw_Existencias ORDER BY Nombre_Cuenta
GO
-- FrmArtDisponibles: stock of the products of category 3
SELECT * FROM Vw_Existencias WHERE Id_Categoria = 3 ORDER BY Nombre_Cuenta
GO
-- FrmArtDisponibles (product row touched): set the stock of product 101
UPDATE Producto SET Existencia=20 WHERE Id_Producto=101
GO
-- frmComanda.ModificarProductoMarcado: modifier group of the product
SELECT ID_Grupo_Modificadores FROM Producto WHERE ID_Producto=101
GO
-- frmComanda.ModificarProductoMarcado: active modifier types of active group 4
SELECT TM.ID_Tipo_Modificador ,Nombre_Tipo_Modificador ,Precio_Tipo_Modificador ,Fluir_automatico FROM Tipo_Modificador TM , Grupo_Modificadores GM , TiposXGrupo_Modificadores TGM WHERE GM.ID_Grupo_Modificadores = TGM.ID_Grupo_Modificadores AND TM.ID_Tipo_Modificador = TGM.ID_Tipo_Modificador AND GM.Grupo_Mod_Activo = 1 AND TM.Estado_Modificador = 'A' AND GM.ID_Grupo_Modificadores = 4
GO
-- frmComanda.AñadirModificadorAComanda: the chosen modifier type
SELECT ID_Tipo_Modificador, Nombre_Tipo_Modificador, Precio_Tipo_Modificador FROM Tipo_Modificador TM WHERE TM.ID_Tipo_Modificador = 7
GO
-- frmComanda.cmdPreparar: user name of the order's waiter
SELECT Usuario FROM Comanda,Empleado WHERE Comanda.ID_Empleado=Empleado.ID_Empleado AND ID_Comanda=1
GO
-- frmComanda.cmdPreparar: print lines of the selected product, its modifier, and a package head with its component, sent to the kitchen; the terminal sends "Mandar_Impresion 12,'mesero1','1',4" as its own command (EXEC written only because it is not first in this batch)
CREATE TABLE #Tmp_Imprimir (ID Int IDENTITY (1, 1),Texto Varchar (255),ID_Impresora Int,Tipo Char(1), Tiempo Int)
INSERT INTO #Tmp_Imprimir(Texto,ID_Impresora,Tipo,Tiempo) SELECT 'SOPA DE TORTILLA</B></H>',ImpresorasXGrupo.ID_Impresora,'P',1 FROM ImpresorasXGrupo,Impresora WHERE ImpresorasXGrupo.ID_Impresora=Impresora.ID_Impresora AND ID_Grupo_Impresoras=2
INSERT INTO #Tmp_Imprimir(Texto,ID_Impresora,Tipo,Tiempo) SELECT '<N><H><B>SIN CEBOLLA</B></H>',ImpresorasXGrupo.ID_Impresora,'M',1 FROM ImpresorasXGrupo,Impresora WHERE ImpresorasXGrupo.ID_Impresora=Impresora.ID_Impresora AND ID_Grupo_Impresoras=2
INSERT INTO #Tmp_Imprimir(Texto,ID_Impresora,Tipo,Tiempo) SELECT 'PAQUETE EJECUTIVO</B></H>',ImpresorasXGrupo.ID_Impresora,'P',1 FROM ImpresorasXGrupo,Impresora WHERE ImpresorasXGrupo.ID_Impresora=Impresora.ID_Impresora AND ID_Grupo_Impresoras=2
INSERT INTO #Tmp_Imprimir(Texto,ID_Impresora,Tipo,Tiempo) SELECT 'CREMA DE ELOTE</B></H>',ImpresorasXGrupo.ID_Impresora,'P',1 FROM ImpresorasXGrupo,Impresora WHERE ImpresorasXGrupo.ID_Impresora=Impresora.ID_Impresora AND ID_Grupo_Impresoras=2
EXEC Mandar_Impresion 12,'mesero1','1',4
DROP TABLE #Tmp_Imprimir
GO
-- FrmElegirTiempo.Load: number of serving times offered
SELECT Valor_Num FROM Parametros WHERE Id_Parametro='Num_Tiempos'
GO
-- frmComanda.cmdTiempo: new current serving time of the account
UPDATE Cuenta SET Ultimo_Tiempo=2 WHERE ID_Comanda=1 AND Num_Cuenta=1
GO
-- frmComanda.cmdSigTiempo: release the held items of serving time 2 (ID_Comanda 1, Num_Cuenta 1, user name unquoted, time 2)
Mandar_Tiempo 1,1,mesero1,2
GO
-- frmComanda.cmdMenuFijo: packages with the count ordered in the order (old outer join)
select pr.id_producto,pr.nombre_boton,count(pxc.id_producto) as cantidad from productosxcuenta pxc, producto pr where pr.id_producto *= pxc.id_producto and pr.estado='A' and pr.paquete=1 and id_comanda=1 and control=1 group by pr.id_producto,pr.nombre_boton ORDER BY Nombre_Boton
GO
-- frmComanda.CmdPaquetes: contents of package 201 with the count already ordered inside packages (three statements, then both drops)
SELECT ProductosXSeccion.ID_Producto AS ID,Nombre_Boton AS Nombre INTO #TempMenu FROM Secciones_Paquete,ProductosXSeccion,Producto WHERE Secciones_Paquete.ID_Seccion_Paquete=ProductosXSeccion.ID_Seccion_Paquete AND ProductosXSeccion.ID_Producto=Producto.ID_Producto AND Secciones_Paquete.ID_Producto=201
SELECT ID_Producto,COUNT(ID_Producto) AS Cant INTO #TempPXC FROM ProductosXCuenta WHERE ID_Comanda=1 AND Control=1 AND Num_Cuenta=1 AND ID_Tipo_Anulacion IS NULL AND NOT ID_Paquete IS NULL GROUP BY ID_Producto
SELECT #TempMenu.ID,Nombre,Cant FROM #TempMenu,#TempPXC WHERE #TempMenu.ID*=#TempPXC.ID_Producto ORDER BY Nombre
DROP TABLE #TempPXC
DROP TABLE #TempMenu
GO
-- frmComanda.CmdPaquetes: section and allowance of content 202 in package 201
SELECT Numero,Secciones_Paquete.ID_Seccion_Paquete FROM ProductosXSeccion,Secciones_Paquete WHERE ProductosXSeccion.ID_Seccion_Paquete=Secciones_Paquete.ID_Seccion_Paquete AND Secciones_Paquete.ID_Producto=201 AND ProductosXSeccion.ID_Producto=202
GO
-- frmComanda.cmdMenuFijo (gifts): promotions of the gift list "GO 1:1"; the terminal sends "DROP TABLE #tmpObs" before each CREATE, the DROP closing this batch stands for the one that opens the next listing
CREATE TABLE #tmpObs(Id_Promocion INT,Cantidad INT)
INSERT INTO #tmpObs(Id_Promocion,Cantidad) VALUES(1,1 )
select pr.id_promocion as id_producto, nombre as nombre_boton,Cantidad from promocion pr inner join #tmpObs tmp on pr.id_promocion = tmp.Id_promocion ORDER BY Nombre
DROP TABLE #tmpObs
GO
-- frmComanda.CmdPaquetes (gifts, panel tag "OO"): products of the promotions with the count in the account (no drop is stated; the DROP closes the batch)
SELECT ID_Producto,COUNT(ID_Producto) AS Cant INTO #TempPXC FROM ProductosXCuenta WHERE ID_Comanda=1 AND Control=1 AND Num_Cuenta=1 AND ID_Tipo_Anulacion IS NULL GROUP BY ID_Producto
SELECT pxp.Id_Producto as ID,Nombre_Boton as Nombre,isnull(Cant,0) as Cant FROM Producto pr, ProductosxPromocion pxp,#TempPXC pxc WHERE pxp.Id_producto*=pxc.ID_Producto and pxp.id_producto = pr.id_producto ORDER BY Nombre_Boton
DROP TABLE #TempPXC
GO
-- frmComanda.cmdCancelar: remove item 5, not yet prepared
Borrar_Producto 5
GO
-- frmComanda.cmdCancelar: may the employee cancel prepared items (permission 39)
SELECT ID_Empleado FROM Vw_Permisos WHERE ID_Empleado=1 AND ID_Permiso=39
GO
-- frmComanda.cmdCancelar: payments on the account (ConsultarCampo "ID_Pago", "Pago")
SELECT ID_Pago FROM Pago WHERE ID_Comanda=1 AND Num_Cuenta=1
GO
-- frmComanda.cmdCancelar: courtesy on the item (ConsultarCampo "Count(*)", "Cortesia")
SELECT Count(*) FROM Cortesia WHERE ID_ProductosXCuenta=1
GO
-- frmComanda.cmdCancelar: local ticket printer of the terminal (ConsultarCampo "ID_Impresora", "Impresora")
SELECT ID_Impresora FROM Impresora WHERE EsDeCheques=1 AND ID_Terminal=1
GO
-- FrmAnulaciones.Load: cancellation reasons (grid: name, identifier, stock flag)
SELECT * FROM Tipos_Anulacion
GO
-- frmComanda.cmdCancelar: full name of the order's waiter for the ticket header (ConsultarCampo on "Comanda,Empleado")
SELECT Nombre_Empleado + ' ' + Apellido_Paterno + ' ' + Apellido_Materno FROM Comanda,Empleado WHERE Comanda.ID_Empleado=Empleado.ID_Empleado AND ID_Comanda=1
GO
-- frmComanda.cmdCancelar: stamp prepared item 1 with reason 2, employee and time (ActualizarRegistros)
UPDATE ProductosXCuenta SET ID_Tipo_Anulacion=2,Empleado_Anulacion=1,Hora_Anulacion='06/12/2026 13:45' WHERE ID_ProductosXCuenta=1
GO
-- frmComanda.cmdCancelar: event row for the cancellation (InsertarRegistro)
INSERT INTO Bitacora(FechaHora,ID_Empleado,Texto) VALUES(GETDATE(),1,'ID_ProdXCta 1 anulado')
GO
-- frmComanda.cmdCancelar: recompute the account after the cancellations (ID_Comanda 1, Num_Cuenta 1, Control 1)
Totalizar_Cuenta 1,1,1
GO
-- frmComanda.cmdCancelar: cancellation work table, record the cancellation of item 1 and queue the slip; the terminal sends "Agregar_Cancelacion 1" and "Mandar_Impresion_C 12,'mesero1','1',4,1" as their own commands (EXEC written only because they are not first in this batch)
CREATE TABLE #Tmp_Imprimir_C (ID Int IDENTITY (1, 1),Texto Varchar (255),ID_Impresora Int,Tipo Char(1))
EXEC Agregar_Cancelacion 1
EXEC Mandar_Impresion_C 12,'mesero1','1',4,1
DROP TABLE #Tmp_Imprimir_C
GO
-- frmComanda.cmdCancelar: a refused cancellation creates and drops the work table only
CREATE TABLE #Tmp_Imprimir_C (ID Int IDENTITY (1, 1),Texto Varchar (255),ID_Impresora Int,Tipo Char(1))
DROP TABLE #Tmp_Imprimir_C
GO
-- FrmArtAnulados.Load: cancelled items (columns 1 to 7: date, reason, manager, product, table, ID_Comanda, Control; form assumed)
SELECT * FROM Vw_Anulaciones
GO
-- FrmArtAnulados ("Imprimir"): full name of the order's waiter by ID_Comanda and Control (ConsultarCampo; "ANd" kept)
SELECT Nombre_Empleado + ' ' + Apellido_Paterno + ' ' + Apellido_Materno FROM Comanda,Empleado WHERE Comanda.ID_Empleado=Empleado.ID_Empleado AND ID_Comanda=1 ANd Control = 1
GO
-- FrmArtAnulados ("Imprimir"): local ticket printer (ConsultarCampo)
SELECT ID_Impresora FROM Impresora WHERE EsDeCheques=1 AND ID_Terminal=1
GO
-- frmComanda ("Dividir"): payments anywhere in the order (ConsultarCampo "COUNT(*)", "Pago")
SELECT COUNT(*) FROM Pago WHERE Id_Comanda=1 AND Control=1
GO
-- FrmDividir.Llenar_Cuenta: live items of the current account, packages once by their head
SELECT ID_ProductosXCuenta,Nombre_Cuenta,Id_Paquete,Paquete FROM ProductosXCuenta,Producto WHERE (id_paquete is null or paquete=1) and ProductosXCuenta.ID_Producto=Producto.ID_Producto AND ID_Comanda=1 AND Control=1 AND Num_Cuenta=1 AND ID_Tipo_Anulacion IS NULL ORDER BY ID_Paquete,ID_ProductosXCuenta
GO
-- FrmDividir ("Aceptar") (in the connection's transaction): highest account number of the order
SELECT MAX(Num_Cuenta) AS Numero FROM Cuenta WHERE ID_Comanda=1 AND Control=1
GO
-- FrmDividir ("Aceptar") (in the transaction): the new account 2 (InsertarRegistro; CveCliente not named)
INSERT INTO Cuenta(Id_Comanda,Num_Cuenta,Pagada,Num_Impresiones,Total,Control,Num_Tiempo,Ultimo_Tiempo,facturada) VALUES(1,2,0,0,0,1,1,1,0)
GO
-- FrmDividir ("Aceptar") (in the transaction): event row for the split (InsertarRegistro, "Id_Empleado")
INSERT INTO Bitacora(FechaHora,Id_Empleado,Texto) VALUES('06/12/2026 13:45:00',1,'Dividir mesa 12 nueva cuenta 2')
GO
-- FrmDividir ("Aceptar") (in the transaction): move item 3 to the new account (ActualizarRegistros)
UPDATE ProductosXCuenta SET Num_Cuenta=2 WHERE ID_ProductosXCuenta=3
GO
-- FrmDividir ("Aceptar") (in the transaction): move the components of package item 3 with it (ActualizarRegistros)
UPDATE ProductosXCuenta SET Num_Cuenta=2 WHERE ID_Paquete=3
GO
-- FrmDividir ("Aceptar") (in the transaction): event row for the moved item (InsertarRegistro)
INSERT INTO Bitacora(FechaHora,Id_Empleado,Texto) VALUES('06/12/2026 13:45:00',1,'Se paso producto SOPA DE TORTILLA a nueva cuenta 2')
GO
-- FrmDividir ("Aceptar") (in the transaction): totals of every account of the order (number run into "AND" kept)
SELECT Num_Cuenta,SUM(Precio_Venta+Impuesto) AS Total FROM ProductosXCuenta,Vw_TotalesImpuestos WHERE ProductosXCuenta.ID_ProductosXCuenta=Vw_TotalesImpuestos.ID_ProductosXCuenta AND ID_Comanda=1AND Control= 1 GROUP BY Num_Cuenta
GO
-- FrmDividir ("Aceptar") (in the transaction): store the total of account 1 (ActualizarRegistros)
UPDATE Cuenta SET Total=85 WHERE ID_Comanda=1 AND Control=1 AND Num_Cuenta=1
GO
-- frmComanda ("Dividir"): number of accounts after the split (ConsultarCampo "COUNT(*) AS Cuentas", "Cuenta"; condition assumed)
SELECT COUNT(*) AS Cuentas FROM Cuenta WHERE ID_Comanda=1 AND Control=1
GO
-- frmSelCuenta.Load: may the employee join accounts (permission 62)
SELECT ID_Permiso FROM Vw_Permisos WHERE ID_Empleado=1 AND ID_Permiso=62
GO
-- frmSelCuenta.Load: accounts of the order
SELECT Num_Cuenta FROM Cuenta WHERE ID_Comanda=1 AND Control=1
GO
-- frmSelCuenta (account touched): items of account 2
SELECT Nombre_Boton FROM Vw_SeleccionarCta WHERE ID_Comanda=1 AND Num_Cuenta=2
GO
-- frmSelCuenta ("Ver"): event row for opening account 2 (InsertarRegistro, "Id_Empleado")
INSERT INTO Bitacora(FechaHora,Id_Empleado,Texto) VALUES('06/12/2026 13:45:00',1,'Ver mesa 12 cuenta 2')
GO
-- frmSelCuenta ("Unir", in the connection's transaction): payments of account 2 into account 1 (ActualizarRegistros)
UPDATE Pago SET Num_Cuenta=1 WHERE ID_comanda=1 AND Control=1 AND Num_Cuenta=2
GO
-- frmSelCuenta ("Unir", in the transaction): items of account 2 into account 1 (ActualizarRegistros)
UPDATE ProductosXCuenta SET Num_Cuenta=1 WHERE ID_comanda=1 AND Control=1 AND Num_Cuenta=2
GO
-- frmSelCuenta ("Unir", in the transaction): Pagada of the selected account (form assumed)
SELECT Pagada FROM Cuenta WHERE ID_Comanda=1 AND Control=1 AND Num_Cuenta=1
GO
-- frmSelCuenta ("Unir", in the transaction): Pagada of the touched account (form assumed)
SELECT Pagada FROM Cuenta WHERE ID_Comanda=1 AND Control=1 AND Num_Cuenta=2
GO
-- frmSelCuenta ("Unir", in the transaction): the joined account is paid only when both were (ActualizarRegistros; condition assumed)
UPDATE Cuenta SET Pagada=0 WHERE ID_Comanda=1 AND Control=1 AND Num_Cuenta=1
GO
-- frmSelCuenta ("Unir", in the transaction): delete account 2 (BorrarRegistros: the DELETE, then its text recorded in Transacciones)
DELETE FROM Cuenta WHERE ID_Comanda=1 AND Control=1 AND Num_Cuenta=2
INSERT INTO Transacciones(Transaccion) VALUES('DELETE FROM Cuenta WHERE ID_Comanda=1 AND Control=1 AND Num_Cuenta=2')
GO
-- frmSelCuenta ("Unir", in the transaction): recompute the joined account (ID_Comanda 1, Num_Cuenta 1, Control 1)
Totalizar_Cuenta 1,1,1
GO
-- frmCaja (loading the account): account total
SELECT Total FROM Cuenta WHERE ID_Comanda=1 AND Control=1 AND Num_cuenta=1
GO
-- frmCaja (loading the account): modifier taxes of the live items
SELECT isnull(SUM(Impuesto_Modificador),0) AS Impuesto FROM ProductosXCuenta,Modificador WHERE ProductosXCuenta.ID_ProductosXCuenta=Modificador.ID_ProductosXCuenta AND ID_Tipo_Anulacion IS NULL AND ID_Comanda=1 AND Control=1 AND Num_cuenta=1
GO
-- frmCaja (loading the account): product taxes and the count of untaxed live items
SELECT ISNULL(SUM(Monto_ImpuestosXCuenta),0) AS Impuesto,ISNULL(SUM(CASE ISNULL(Monto_ImpuestosXCuenta,0) WHEN 0 THEN 1 ELSE 0 END),1) AS SinImpuesto FROM ProductosXCuenta,ImpuestosXCuenta WHERE ProductosXCuenta.ID_ProductosXCuenta=ImpuestosXCuenta.ID_ProductosXCuenta AND ID_Tipo_Anulacion IS NULL AND ID_Comanda=1 AND Control=1 AND Num_cuenta=1
GO
-- frmCaja (loading the account): amount already paid on the account
SELECT SUM(Monto_Pago) AS Pagado FROM Pago WHERE ID_Comanda=1 AND Control=1 AND Num_cuenta=1
GO
-- frmCaja (loading the account): payments already stored for the account
SELECT Nombre_Tipo_Pago,Monto_Pago,Propina FROM Pago,Tipo_Pago WHERE Pago.ID_Tipo_Pago=Tipo_Pago.ID_Tipo_Pago AND ID_Comanda=1 AND Control=1 AND Num_cuenta=1
GO
-- frmCaja (load): payment type buttons (statement form not given; assumed as in FrmAjustarPagos)
Select * from Tipo_Pago where id_tipo_pago > 0
GO
-- frmCaja (load): guests label (CantHuespedes by ID_Comanda and Control; form assumed)
SELECT CantHuespedes FROM Comanda WHERE ID_Comanda=1 AND Control=1
GO
-- frmCaja (guests label touched): store the guests (ActualizarRegistros; condition assumed)
UPDATE Comanda SET CantHuespedes=4 WHERE ID_Comanda=1 AND Control=1
GO
-- frmCaja ("Aceptar"): commission of payment type 1 (ConsultarCampo "Comision", "Tipo_Pago")
SELECT Comision FROM Tipo_Pago WHERE Id_tipo_pago=1
GO
-- frmCaja ("Aceptar"): cash payment of 350 with a tip of 50 and no reference (InsertarRegistro)
INSERT INTO Pago(ID_Comanda,Control,Num_Cuenta,ID_Tipo_Pago,Monto_Pago,Propina,Referencia,Id_Empleado,comision) VALUES(1,1,1,1,350,50,'',1,0)
GO
-- frmCaja ("Aceptar"): card payment with a reference and a commission (InsertarRegistro)
INSERT INTO Pago(ID_Comanda,Control,Num_Cuenta,ID_Tipo_Pago,Monto_Pago,Propina,Referencia,Id_Empleado,comision) VALUES(1,1,1,2,412.35,61.85,'004821',1,2.5)
GO
-- frmCaja ("Aceptar"): event row for the payment (InsertarRegistro)
INSERT INTO Bitacora(FechaHora,ID_Empleado,Texto) VALUES(GETDATE(),1,'Pago Com 1 cta 1 monto 350 prop 50')
GO
-- frmCaja ("Aceptar"): the account is paid exactly (ActualizarRegistros)
UPDATE Cuenta SET Pagada=1 WHERE ID_Comanda=1 AND Num_Cuenta=1
GO
-- frmCaja ("Aceptar"): payments of the whole order
SELECT SUM(Monto_Pago) AS Pagos FROM Pago WHERE ID_Comanda=1 AND Control=1
GO
-- frmCaja ("Aceptar"): total of the whole order
SELECT SUM(Total) AS TotalComanda FROM Cuenta WHERE ID_Comanda=1 AND Control=1
GO
-- frmCaja ("Aceptar"): close the table (ActualizarRegistros; time dd/mm/yyyy hh:mm)
UPDATE Comanda SET Abierta=0,Fecha_Cierre='06/12/2026 13:45' WHERE ID_Comanda=1 AND Control = 1
GO
-- frmCaja ("Aceptar"): event row for the closing (InsertarRegistro)
INSERT INTO Bitacora(FechaHora,ID_Empleado,Texto) VALUES(GETDATE(),1,'Comanda 1 cerrada')
GO
-- frmCaja ("Aceptar"): accounts of the closed order for points and tickets
SELECT Num_Cuenta, Total FROM Cuenta WHERE Id_Comanda = 1
GO
-- frmCaja ("Aceptar"): customer of account 1 (ConsultarCampo "CveCliente", "Cuenta")
SELECT CveCliente FROM Cuenta WHERE id_comanda =1 and num_cuenta=1 and control=1
GO
-- frmCaja ("Aceptar"): count the printed ticket (ActualizarRegistros; condition assumed)
UPDATE Cuenta SET Num_Impresiones=Num_Impresiones+1 WHERE ID_Comanda=1 AND Num_Cuenta=1 AND Control=1
GO
-- frmFacturas (find by tax identifier): customer by part of the tax identifier
SELECT TOP 1 * FROM Clientes WHERE RFC like '%PEGJ%' ORDER BY CVECLIENTE DESC
GO
-- frmFacturas (find by key): customer by key
SELECT * FROM Clientes WHERE CveCliente=2 ORDER BY CVECLIENTE DESC
GO
-- frmFacturas ("Nuevo"): next customer key (ConsultarCampo "ISNULL(MAX(cvecliente),0)+1", "Clientes", no condition)
SELECT ISNULL(MAX(cvecliente),0)+1 FROM Clientes
GO
-- frmFacturas ("Aceptar"): new fiscal customer (InsertarRegistro)
INSERT INTO Clientes(CveCliente,RFC,Razon,DirCalle,DirCol,DirDelMun) VALUES(5,'PEGJ800101AB1','COMERCIAL PEREZ SA DE CV','AV. JUAREZ 100','CENTRO','CUAUHTEMOC, CDMX')
GO
-- frmFacturas ("Aceptar"): fiscal customer on record (ActualizarRegistros)
UPDATE Clientes SET RFC='PEGJ800101AB1', Razon='COMERCIAL PEREZ SA DE CV',DirCalle='AV. JUAREZ 100',DirCol='CENTRO',DirDelMun='CUAUHTEMOC, CDMX' WHERE cvecliente=5
GO
-- frmFacturas ("Imprimir"): fiscal printer of the terminal (ConsultarCampo "Id_Impresora", "Impresora")
SELECT Id_Impresora FROM Impresora WHERE Fiscal=1 AND Id_Terminal=1
GO
-- FrmAjustarPropinas.Load: may the list show every payment (permissions 47, 65)
SELECT ID_Permiso FROM Vw_Permisos WHERE ID_Empleado=1 AND ID_Permiso in (47,65)
GO
-- FrmAjustarPropinas: own payments
SELECT * FROM Vw_Ajuste_Pagos WHERE id_empleado=1
GO
-- FrmAjustarPropinas: every payment, permission 47 or 65 (statement form not given, assumed)
SELECT * FROM Vw_Ajuste_Pagos
GO
-- FrmAjustarPropinas.Load: may the employee delete payments (permission 56)
SELECT ID_Permiso FROM Vw_Permisos WHERE ID_Empleado=1 AND ID_Permiso =56
GO
-- FrmAjustarPropinas ("Ajustar propina"): new tip of payment 1 (ActualizarRegistros)
UPDATE Pago SET Propina=60 WHERE ID_Pago=1
GO
-- FrmAjustarPropinas ("Borrar"): order of payment 1 (ConsultarCampo "ID_Comanda", "Pago")
SELECT ID_Comanda FROM Pago WHERE ID_Pago=1
GO
-- FrmAjustarPropinas ("Borrar"): reopen the order (ActualizarRegistros)
UPDATE Comanda SET Abierta=1, Fecha_Cierre = NULL WHERE ID_Comanda=1
GO
-- FrmAjustarPropinas ("Borrar"): delete payment 1 (BorrarRegistros: the DELETE, then its text recorded in Transacciones)
DELETE FROM Pago WHERE ID_Pago=1
INSERT INTO Transacciones(Transaccion) VALUES('DELETE FROM Pago WHERE ID_Pago=1')
GO
-- FrmAjustarPagos.Load: payment types offered
Select * from Tipo_Pago where id_tipo_pago > 0
GO
-- FrmAjustarPagos ("Aceptar"): new payment type of payment 1 (ActualizarRegistros)
UPDATE Pago SET ID_Tipo_Pago=2 WHERE ID_Pago=1
GO
-- FrmReimprimircta.Load: does the employee see every account (permission 42)
SELECT ID_Permiso FROM Vw_Permisos WHERE ID_Empleado=1 AND ID_Permiso =42
GO
-- FrmReimprimircta.Load: own accounts to reprint (columns 1 ID_Comanda, 3 Num_Cuenta, 7 Control)
SELECT * FROM Vw_ReimprimirCta WHERE ID_Empleado=1
GO
-- FrmReimprimircta.Load: every account to reprint, permission 42
SELECT * FROM Vw_ReimprimirCta
GO
-- FrmReimprimircta.Load: button permissions 28, 36, 37
SELECT ID_Permiso FROM Vw_Permisos WHERE ID_Empleado=1 AND ID_Permiso IN (28,36,37)
GO
-- ImprimirSpread: local ticket printer (ConsultarCampo "ID_Impresora", "Impresora")
SELECT ID_Impresora FROM Impresora WHERE EsDeCheques=1 AND ID_Terminal=1
GO
-- EncabezadoReporte: name of the employee who prints (three fragments run together as written)
SELECT  Nombre_Empleado FROM Empleado  WHERE ID_Empleado=1
GO
-- EncabezadoReporte: server time
SELECT getdate() as Hora
GO
-- EncabezadoReporte: company key, function 13 off (parameter CVEEMPRESA, Valor_Num; form assumed)
SELECT Valor_Num FROM Parametros WHERE Id_Parametro='CVEEMPRESA'
GO
-- EncabezadoReporte: company address, function 13 off
SELECT * FROM Empresas WHERE CveEmpresa=1
GO
-- EncabezadoReporte: branch name line, function 13 on (Valor_Cad; form assumed for all address parameters)
SELECT Valor_Cad FROM Parametros WHERE Id_Parametro='SUCURSAL'
GO
-- EncabezadoReporte: address line 1, function 13 on
SELECT Valor_Cad FROM Parametros WHERE Id_Parametro='DIRECCIONCALLE'
GO
-- EncabezadoReporte: address line 2, function 13 on
SELECT Valor_Cad FROM Parametros WHERE Id_Parametro='DIRECCIONCALLE2'
GO
-- EncabezadoReporte: district, function 13 on
SELECT Valor_Cad FROM Parametros WHERE Id_Parametro='DIRECCIONCOL'
GO
-- EncabezadoReporte: borough or municipality, function 13 on
SELECT Valor_Cad FROM Parametros WHERE Id_Parametro='DIRECCIONDEL'
GO
-- EncabezadoReporte: postal code, function 13 on
SELECT Valor_Cad FROM Parametros WHERE Id_Parametro='DIRECCIONCP'
GO
-- EncabezadoReporte: state and city, function 13 on
SELECT Valor_Cad FROM Parametros WHERE Id_Parametro='DIRECCIONEYC'
GO
-- EncabezadoReporte: tax identifier, function 13 on
SELECT Valor_Cad FROM Parametros WHERE Id_Parametro='RFC'
GO
-- Tickets.ImprimirCuenta: local ticket printer (ConsultarCampo)
SELECT ID_Impresora FROM Impresora WHERE EsDeCheques=1 AND ID_Terminal=1
GO
-- Tickets.ImprimirCuenta: item lines of the account (ID_Comanda 1, Control 1, Num_Cuenta 1; note the order differs from Totalizar_Cuenta)
ImprimirTicket 1,1,1
GO
-- Tickets.EncabezadoCuenta: header data of the order
SELECT  Nombre_Empleado,Fecha_Cierre,Num_Mesa,Num_Impresiones,CantHuespedes,isnull(cli.nombrecliente,'') as NombreCliente FROM Comanda Com inner join Empleado Emp on com.id_empleado=emp.id_empleado inner join Cuenta Cu on com.id_comanda=cu.id_comanda left join Clientes cli on cli.cvecliente = cu.cvecliente Where Com.Id_Comanda = 1
GO
-- Tickets.EncabezadoCuenta: header data with the waiter shown by number (function 25)
SELECT  com.id_empleado as Nombre_Empleado,Fecha_Cierre,Num_Mesa,Num_Impresiones,CantHuespedes,isnull(cli.nombrecliente,'') as NombreCliente FROM Comanda Com inner join Empleado Emp on com.id_empleado=emp.id_empleado inner join Cuenta Cu on com.id_comanda=cu.id_comanda left join Clientes cli on cli.cvecliente = cu.cvecliente Where Com.Id_Comanda = 1
GO
-- Tickets.EncabezadoCuenta: company key for the address, function 13 off (form assumed)
SELECT Valor_Num FROM Parametros WHERE Id_Parametro='CVEEMPRESA'
GO
-- Tickets.EncabezadoCuenta: company address, function 13 off
SELECT * FROM Empresas WHERE CveEmpresa=1
GO
-- Tickets.EncabezadoCuenta: invoice series for the folio line, function 13 off (form assumed)
SELECT Valor_Cad FROM Parametros WHERE Id_Parametro='SERIE'
GO
-- Tickets.EncabezadoCuenta: customer of the account
select NombreCliente + isnull(ApPaterno,'') + isnull(ApMaterno,'') as Nombre from clientes cli inner join cuenta cu on cli.cvecliente = cu.cvecliente and Id_comanda =1 AND Num_Cuenta =1
GO
-- Tickets.TotalesCuenta: discounts of the account
Select nombre_tipo_cortesia,monto from vw_descuentosxcuenta where id_comanda=1 and Num_cuenta=1
GO
-- Tickets.TotalesCuenta: exchange rate for the U.S. total, function 10 (form assumed)
SELECT Valor_Num FROM Parametros WHERE Id_Parametro='TC_US'
GO
-- Tickets.TotalesCuenta: loyalty balances of the account's customer, function 19
select isnull(SaldoAnteriorP,0) as SaldoAnteriorP,isnull(SaldoAnterior,0) as SaldoAnterior,isnull(NuevoSaldoP,0) as NuevoSaldoP,isnull(NuevoSaldo,0) as NuevoSaldo from clientes cli inner join cuenta cu on cli.cvecliente = cu.cvecliente and Id_comanda = 1 AND Num_Cuenta = 1
GO
-- Tickets.TotalesCuenta: charges to house accounts
select nombrecliente as nombre,nombre_tipo_cortesia as tipo, total From vw_reportecortesiasespeciales Where Id_Comanda = 1 AND Num_Cuenta = 1
GO
-- Tickets.ImprimirCuenta: payments block, ConPagos (two blanks before FROM kept)
SELECT nombre_tipo_pago AS TIPO_PAGO, monto, propina  FROM Vw_PagosXCuenta WHERE ID_Comanda=1 AND Control=1 AND Num_Cuenta=1
GO
-- Tickets.ImprimirCuenta: special products in the account, contest block (function 16)
select count(*) as valor from productosxcuenta pxc inner join producto pr on pxc.id_producto = pr.id_producto where pr.especial=1 and pxc.ID_Comanda=1 AND pxc.Control=1 AND pxc.Num_Cuenta=1
GO
-- Tickets.ImprimirCuenta: periodic footer texts (function 16)
SELECT Valor_Cad FROM Parametros WHERE Id_Parametro LIKE 'TXTTICKET%' ORDER BY id_parametro
GO
-- Tickets.ImprimirCuenta: server time for the coupon code
SELECT getdate() as Hora
GO
-- Tickets.ResumenConsumo (frmFacturas "Imprimir"): item lines for the invoice summary
ImprimirTicket 1,1,1
GO
-- Tickets.AnexoComanda: the records of the order with their annex numbers
SELECT ID_Comanda,Control,Num_Anexo FROM Comanda WHERE ID_Comanda=1 ORDER BY Num_Anexo DESC
GO
-- Tickets.AnexoComanda: Numerar_Anexo command numbering the record of control 1 (the SELECT stands for reading @nAnexo)
DECLARE @nAnexo int
EXEC Numerar_Anexo @nComanda=1, @nControl=1, @nAnexo=@nAnexo OUTPUT
SELECT @nAnexo AS nAnexo
GO
-- ImprimirVerificacion: local ticket printer, staff-report condition (ConsultarCampo)
SELECT ID_Impresora FROM Impresora WHERE ID_Terminal=1 AND Esdecheques=1
GO
-- ImprimirVerificacion: working date (parameter FECHA_TRABAJO, Valor_Cad; form assumed)
SELECT Valor_Cad FROM Parametros WHERE Id_Parametro='FECHA_TRABAJO'
GO
-- ImprimirVerificacion: tip percentage owed on gross sales (parameter PORPROPINA, Valor_Num; form assumed)
SELECT Valor_Num FROM Parametros WHERE Id_Parametro='PORPROPINA'
GO
-- ImprimirVerificacion: employee name (ConsultarCampo on "Empleado")
SELECT Nombre_Empleado + ' ' + Apellido_Paterno FROM Empleado WHERE Id_Empleado=1
GO
-- ImprimirVerificacion: the waiter's figures of the working date
SELECT Nombre_empleado, SUM(Mesas) as Mesas, SUM(Huespedes) as Huespedes, SUM(Venta) as Venta, SUM(Venta_neta) as Venta_Neta, SUM(prop_rep) as PROP_REP, SUM(PROPINA) as Propina, SUM(prop_com) as Prop_com, SUM(Balance) as Balance FROM Vw_ControlPropina WHERE Fecha_Trabajo=(SELECT valor_cad FROM Parametros WHERE Id_Parametro='FECHA_TRABAJO') AND ID_Empleado=1 GROUP BY Nombre_Empleado
GO
-- ImprimirVerificacion: payment summary of the waiter
SELECT * FROM Vw_Resumen_Pagos WHERE ID_Empleado=1
GO
-- ImprimirVerificacion: payments of the waiter
SELECT MESA,TIPO,PAGO,PROPINA FROM Vw_Ajuste_Pagos WHERE id_empleado=1 ORDER BY TIPO, MESA
GO
-- ImprimirSalida: local ticket printer, staff-report condition (ConsultarCampo)
SELECT ID_Impresora FROM Impresora WHERE ID_Terminal=1 AND Esdecheques=1
GO
-- ImprimirSalida: working date (form assumed)
SELECT Valor_Cad FROM Parametros WHERE Id_Parametro='FECHA_TRABAJO'
GO
-- ImprimirSalida: entries and minutes of the working date
select Count(*) as Entradas,sum(minutos) as Minutos from vw_detallehoras Where Fecha_Trabajo=(SELECT Valor_Cad FROM parametros WHERE Id_Parametro='fecha_trabajo') AND ID_Empleado = 1
GO
-- ImprimirSalida: hours by department of the working date
SELECT Departamento,Hora_Inicio,Hora_Final,Minutos FROM Vw_DetalleHoras WHERE Fecha_Trabajo=(SELECT Valor_Cad FROM Parametros WHERE Id_Parametro='Fecha_Trabajo') AND id_empleado=1
GO
-- FrmRedirigirImpresora.Load: every printer with its target (trailing blank kept)
SELECT Id_Impresora, Nombre_Impresora, Estado_1, Redirigido, Nombre_Impresora1, Estado_2 FROM Vw_Impresoras 
GO
-- FrmEscogerImpresora.Load: printers to choose the target from
SELECT Id_Impresora, Nombre_Impresora FROM Impresora
GO
-- FrmEscogerImpresora (accept): redirect printer 2 to printer 3 and mark it active (ActualizarRegistros)
UPDATE Impresora SET Redirigido=3, Estado_Impresora='A' WHERE ID_Impresora=2
GO
-- frmResumen.Load: summary permissions 47 and 65
SELECT ID_Permiso FROM Vw_Permisos WHERE ID_Empleado=1 AND ID_Permiso in (47,65)
GO
-- frmResumen: payments of all waiters, permission 65 (two blanks before "group by" kept)
SELECT Nombre_Tipo_Pago,sum(Total),sum(Propina),Clase FROM Vw_Resumen_Pagos_Emp  group by Nombre_Tipo_Pago,Clase
GO
-- frmResumen: payment summary of the employee, permission 47 (grid columns: type, amount, tip, class)
SELECT * FROM Vw_Resumen_Pagos WHERE ID_Empleado=1
GO
-- frmResumen: payment summary of the employee, otherwise
SELECT Nombre_Tipo_Pago,Total,Propina,Clase FROM Vw_Resumen_Pagos_Emp WHERE ID_Empleado=1
GO
-- FrmVentaTotal.Load: working date
SELECT Valor_Cad FROM parametros WHERE id_parametro='FECHA_TRABAJO'
GO
-- FrmVentaTotal.Load: sales by category
SELECT Nombre_Categoria, Precio as Monto, Total FROM Vw_Total_Ventas
GO
-- FrmVentaTotal.Load: payments by type with tips
SELECT Nombre_Tipo_Pago, ISNULL(Monto,0)+ISNULL(Propina,0) as Monto, isnull(Propina,0) as Propina FROM Vw_Total_Pagos
GO
-- FrmVentaTotal.Load: total sales and taxes
SELECT isnull(SUM(Total),0) as Monto, isnull(SUM(Impuestos),0) as impuesto FROM Vw_Total_Ventas
GO
-- FrmVentaTotal.Load: card payments and tips (class T)
SELECT SUM(Monto) as Total, SUM(propina) as Propinas FROM Vw_Total_Pagos WHERE Clase = 'T'
GO
-- FrmVentaTotal.Load: cash payments and tips (class E)
SELECT SUM(Monto) as Total, SUM(propina) as Propinas FROM Vw_Total_Pagos WHERE Clase = 'E'
GO
-- FrmVentaTotal.Load: courtesies by type (columns Nombre_Tipo_Cortesia, SumaDeMonto)
SELECT * FROM Vw_Cortesias_Totales
GO
-- FrmVentaTotal.Load: guests of the working date
select Cantidad from Vw_HuespedesXDia where fecha_trabajo=(select valor_cad from parametros where id_parametro='fecha_trabajo')
GO
-- FrmVentaTotal.Load: covers of the working date
select Cantidad from Vw_CubiertosXDia where fecha_trabajo=(select valor_cad from parametros where id_parametro='fecha_trabajo')
GO
-- FrmVentas.Load: sales of the waiter by category
SELECT Nombre_Categoria,Precio+Impuestos+Modificadores FROM Vw_Resumen_Ventas WHERE ID_Empleado=1
GO
-- FrmVentas.Load: guests served by the waiter on the working date
SELECT SUM(CantHuespedes) HUESPEDES FROM Comanda WHERE Fecha_Trabajo=(SELECT Valor_Cad FROM parametros WHERE Id_parametro='FECHA_TRABAJO') AND ID_Empleado=1
GO
-- FrmVentas.Load: verification button (permission 46)
SELECT ID_Permiso FROM Vw_Permisos WHERE ID_Empleado=1 AND ID_Permiso= 46
GO
-- FrmElegirMesero.Load: waiters to choose for sales per waiter, permission 58 (statement form not given, assumed)
SELECT * FROM Vw_EmpleadosDisponibles
GO
-- FrmRepHuespedes.Load: guests per waiter
SELECT * FROM Vw_HuespedesXEmpleado ORDER BY Nombre
GO
-- clsCustomer.getLocalData: local record of a customer
select cvecliente,nombrecliente,isnull(appaterno,'') as ApPaterno,isnull(ApMaterno,'') as ApMaterno,isnull(FechaNacimiento,'') as FechaNacimiento,isnull(dircalle,'') as dir1,isnull(dircol,'') as dir2,isnull(dirdelmun,'') as dirciudad, isnull(dircp,'') as dircp,isnull(rfc,'') as rfc, isnull(razon,'') as razon, isnull(tel,'') as tel, isnull(numtarjeta,'') as numtarjeta,idtipocliente,activo from clientes where CveCliente=123456789012345
GO
-- frmClientes ("Aceptar"): customer on record (ActualizarRegistros on "Clientes"; values begin with a blank)
UPDATE Clientes SET  nombrecliente='MARIA',ApPaterno='LOPEZ',FechaNacimiento='15/03/1985',dircalle='AV. REFORMA 222',dircol='JUAREZ',dirdelmun='CUAUHTEMOC',dircp='06600',rfc='LOGM850315AB1',razon='',tel='5512345678',activo=1 WHERE CveCliente=123456789012345 and Numtarjeta='123456789012345'
GO
-- frmClientes ("Aceptar"): new customer with the next key, customer type 2, active
INSERT INTO CLIENTES(CveCliente,nombrecliente, ApPaterno, ApMaterno, FechaNacimiento, dircalle, dircol, dirdelmun, dircp, rfc, razon, tel, Numtarjeta, idtipocliente, Activo) SELECT max(cvecliente)+1, 'MARIA', 'LOPEZ', 'GARCIA', '15/03/1985', 'AV. REFORMA 222', 'JUAREZ', 'CUAUHTEMOC', '06600', 'LOGM850315AB1', '', '5512345678', '987654321098765', 2, 1 FROM CLIENTES
GO
-- frmClientes ("Aceptar"): key given to the new customer (ConsultarCampo "MAX(cvecliente)", "CLIENTES", no condition)
SELECT MAX(cvecliente) FROM CLIENTES
GO
-- frmClientesList: by telephone
select cvecliente , numtarjeta , nombrecliente + ' ' + isnull(appaterno,'') as Nombre , isnull(tel,'') as tel from clientes where tel like '%5512%'
GO
-- frmClientesList: by name
select cvecliente , numtarjeta , nombrecliente + ' ' + isnull(appaterno,'') as Nombre , isnull(tel,'') as tel from clientes where nombrecliente like '%MARIA%'
GO
-- frmClientesList: by surnames
select cvecliente , numtarjeta , nombrecliente + ' ' + isnull(appaterno,'') as Nombre , isnull(tel,'') as tel from clientes where appaterno like '%LOPEZ%' or apmaterno like '%LOPEZ%'
GO
-- frmClientesList: by tax identifier
select cvecliente , numtarjeta , nombrecliente + ' ' + isnull(appaterno,'') as Nombre , isnull(tel,'') as tel from clientes where rfc like '%LOGM%'
GO
-- frmClientesList: by company name
select cvecliente , numtarjeta , nombrecliente + ' ' + isnull(appaterno,'') as Nombre , isnull(tel,'') as tel from clientes where razon like '%COMERCIAL%'
GO
-- FrmValidaCliente: is the loyalty card already in the local table (by the customer key)
SELECT COUNT(*) FROM Clientes WHERE CveCliente=123456789012345
GO
-- FrmValidaCliente: mirror the balances of a known card, both card columns, previous and new balances
UPDATE Clientes SET nombrecliente='MARIA O''NEIL GARCIA',idtipocliente=1,Activo=1,SaldoAnteriorP=120,SaldoAnterior=35.5,NuevoSaldoP=120,NuevoSaldo=35.5,Numtarjeta='123456789012345',Num_Tarjeta=123456789012345 WHERE CveCliente=123456789012345
GO
-- FrmValidaCliente: new card, the card number is the customer key
INSERT INTO Clientes(CveCliente,nombrecliente,Numtarjeta,Num_Tarjeta,idtipocliente,Activo,SaldoAnteriorP,SaldoAnterior,NuevoSaldoP,NuevoSaldo) VALUES(111122223333444,'JORGE RUIZ','111122223333444',111122223333444,1,1,0,0,0,0)
GO
-- frmCaja (card key): the account's customer
UPDATE Cuenta SET CveCliente=111122223333444 WHERE ID_Comanda=2 AND Control=1 AND Num_cuenta=1
GO
-- frmCaja: the account's loyalty customer and balances
SELECT cli.CveCliente, cli.nombrecliente, isnull(cli.NuevoSaldoP,0), isnull(cli.NuevoSaldo,0) FROM Clientes cli INNER JOIN Cuenta cu ON cli.CveCliente = cu.CveCliente WHERE ID_Comanda=2 AND Control=1 AND Num_cuenta=1
GO
-- frmCaja (accrual at close): the account's accrual mark
SELECT Estado FROM Abono_Lealtad WHERE ID_Comanda=2 AND Control=1 AND Num_Cuenta=1
GO
-- frmCaja (accrual at close): marked as sent before the request goes out
INSERT INTO Abono_Lealtad(ID_Comanda,Control,Num_Cuenta,CveCliente,Autorizacion,Monto,Estado) VALUES(2,1,1,111122223333444,'2-1-1',42000,'E')
GO
-- frmCaja (accrual at close): a failure that may have reached the service keeps the mark, with why
UPDATE Abono_Lealtad SET Mensaje='El servicio de lealtad no respondió a tiempo.' WHERE ID_Comanda=2 AND Control=1 AND Num_Cuenta=1
GO
-- frmCaja (accrual at close): confirmed, and the new balances the ticket prints
UPDATE Abono_Lealtad SET Estado='A' WHERE ID_Comanda=2 AND Control=1 AND Num_Cuenta=1
GO
UPDATE Clientes SET NuevoSaldoP=162,NuevoSaldo=56.5 WHERE CveCliente=111122223333444
GO
-- frmCaja (accrual at close): a request that never reached the service is unmarked
DELETE FROM Abono_Lealtad WHERE ID_Comanda=2 AND Control=1 AND Num_Cuenta=1
GO
-- FrmFunciones (close of day): close of day (placed last: it ends the working day)
Fin_Dia
GO
-- frmAcceso.tmrMoverLogo: automatic day end (placed last: it ends the working day)
Fin_Dia
GO
