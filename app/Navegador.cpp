#include "app/Navegador.h"

#include "access/FrmCambioPassword.h"
#include "access/FrmFirmarEntrada.h"
#include "access/FrmFunciones.h"
#include "access/FrmMeserosFirmados.h"
#include "access/FrmValidaCliente.h"
#include "access/FrmValidaPermiso.h"
#include "cashier/AbonoLealtadServicio.h"
#include "cashier/FacturacionPantalla.h"
#include "cashier/FrmAjustarPropinas.h"
#include "cashier/FrmReimprimircta.h"
#include "cashier/FrmVerComandaC.h"
#include "cashier/frmCaja.h"
#include "customers/frmClientes.h"
#include "data/Bitacora.h"
#include "keyboards/Prompts.h"
#include "order/FrmArtAnulados.h"
#include "order/FrmArtDisponibles.h"
#include "order/frmComanda.h"
#include "printing/FrmRedirigirImpresora.h"
#include "reports/FrmElegirMesero.h"
#include "reports/FrmRepHuespedes.h"
#include "reports/FrmVentaTotal.h"
#include "reports/FrmVentas.h"
#include "reports/frmResumen.h"
#include "startup/ContextoImpresionTerminal.h"
#include "startup/TerminalContext.h"
#include "tables/FrmMesasEnCero.h"
#include "tables/FrmReabrirMesa.h"
#include "tables/frmMesaNueva.h"
#include "tables/frmMesasAbiertas.h"
#include "tables/frmSelCuenta.h"
#include "tables/frmTransferir.h"
#include "tables/frmUnirMesas.h"

#include <QApplication>

namespace nerin {

Navegador::Navegador(TerminalContext& context, AccessScreen& acceso) : m_context(context), m_acceso(acceso) {}

Navegador::~Navegador() = default;

bool Navegador::noDisponible(const QString& pantalla) {
    m_context.bitacora().EscribirBitacora(QStringLiteral("Pantalla no disponible: ") + pantalla);
    m_context.Mensaje(QStringLiteral("La pantalla \"") + pantalla +
                          QStringLiteral("\" aún no está disponible en esta versión."),
                      Prompts::kExclamation);
    return false;
}

void Navegador::ocultarFunciones() {
    if (m_frmFunciones)
        m_frmFunciones->hide();
}

template <typename Ventana> Ventana& Navegador::mantenida(std::unique_ptr<Ventana>& ventana) {
    if (!ventana) {
        ventana = std::make_unique<Ventana>(m_context, m_acceso);
        if (m_pantallaCompleta)
            ventana->setWindowState(Qt::WindowFullScreen);
        else
            ventana->resize(1024, 768);
    }
    return *ventana;
}

void Navegador::mesasAbiertas(ModoMesas modo) {
    ocultarFunciones();
    mantenida(m_frmMesasAbiertas).mostrar(modo);
}

bool Navegador::mesaNueva() {
    frmMesaNueva nueva(m_context, QApplication::activeWindow());
    nueva.mostrar();
    return nueva.numeroMesa() >= 0;
}

void Navegador::comanda(const Orden& orden) {
    ocultarFunciones();
    if (!m_frmComanda)
        m_frmComanda = std::make_unique<frmComanda>(m_context, m_acceso);
    m_frmComanda->setPantallaCompleta(m_pantallaCompleta);
    m_frmComanda->abrir(orden, orden.mesa);
}

bool Navegador::elegirCuenta(qint32 idComanda, qint32 control, bool pagar) {
    frmSelCuenta chooser(m_context, idComanda, static_cast<qint16>(control), QApplication::activeWindow());
    chooser.mostrar();
    if (!chooser.elegida())
        return false;
    Orden orden;
    orden.idComanda = idComanda;
    orden.control = control;
    orden.numCuenta = *chooser.elegida();
    orden.mesa = QString::number(chooser.mesa());
    orden.pagar = pagar;
    comanda(orden);
    return true;
}

bool Navegador::funciones() {
    mantenida(m_frmFunciones).mostrar();
    return true;
}

void Navegador::transferirMesas(qint32 idComanda, qint32 control, qint16 numMesa) {
    frmTransferir transferir(m_context, {idComanda, control, numMesa}, QApplication::activeWindow());
    transferir.mostrar();
}

void Navegador::despuesDeLista(FrmListaMesas::Salida salida, const QString& pantalla) {
    switch (salida) {
    case FrmListaMesas::Salida::Mesas:
        mesasAbiertas(ModoMesas::Normal);
        break;
    case FrmListaMesas::Salida::Salir:
        ocultarFunciones();
        m_context.SalirSistema(m_acceso, pantalla, true);
        break;
    case FrmListaMesas::Salida::Cancelar:
        break;
    }
}

bool Navegador::cortesias(qint32 idComanda, qint32 control, const QString& titulo) {
    FrmVerComandaC pantalla(m_context, idComanda, static_cast<qint16>(control), titulo,
                            QApplication::activeWindow());
    pantalla.mostrar();
    return true;
}

Navegacion::Checada Navegador::checador(qint16 idEmpleado) {
    FrmFirmarEntrada checador(m_context, idEmpleado, QApplication::activeWindow());
    checador.mostrar();
    return checador.checada();
}

void Navegador::registroTarjetas() {
    FrmCambioPassword lista(m_context, CambioTarjeta::Lista::SinTarjeta, QApplication::activeWindow());
    lista.mostrar();
}

void Navegador::caja(qint32 idComanda, qint32 control, qint16 numCuenta) {
    FacturacionPantalla facturacion(m_context);
    AbonoLealtadServicio lealtad(m_context);
    frmCaja pantalla(m_context, facturacion, lealtad, QApplication::activeWindow());
    pantalla.setNumero_Comanda(idComanda);
    pantalla.setNumero_Control(static_cast<qint16>(control));
    pantalla.setNumero_Cuenta(numCuenta);
    pantalla.mostrar();
}

std::optional<qint64> Navegador::elegirCliente() {
    frmClientes clientes(m_context, FichaCliente::Modo::Local, QApplication::activeWindow());
    clientes.mostrar();
    return clientes.elegido();
}

std::optional<Navegacion::TarjetaCliente> Navegador::tarjetaCliente(const QString& titulo, bool enLinea) {
    FrmValidaCliente ventana(m_context, QApplication::activeWindow());
    ventana.setTitle(titulo);
    ventana.setOnLine(enLinea);
    ventana.mostrar();
    if (!ventana.getValido())
        return std::nullopt;
    return TarjetaCliente{ventana.getCliente(), ventana.getNombreCliente(), ventana.getSaldoPuntos(),
                          ventana.getSaldoPesos(), ventana.getTipoTarjeta()};
}

bool Navegador::abrir(Pantalla pantalla) {
    switch (pantalla) {
    case Pantalla::ArticulosDisponibles: {
        FrmArtDisponibles disponibles(m_context, QApplication::activeWindow());
        disponibles.mostrar();
        return true;
    }
    case Pantalla::CambioTarjetas: {
        FrmCambioPassword lista(m_context, CambioTarjeta::Lista::Empleados, QApplication::activeWindow());
        lista.mostrar();
        if (lista.irAMesas())
            mesasAbiertas(ModoMesas::Normal);
        return true;
    }
    case Pantalla::PersonalFirmado: {
        FrmMeserosFirmados firmados(m_context, QApplication::activeWindow());
        firmados.mostrar();
        return true;
    }
    case Pantalla::AjustePropinas: {
        FrmAjustarPropinas propinas(m_context, QApplication::activeWindow());
        propinas.mostrar();
        return true;
    }
    case Pantalla::RedirigirGrupo:
    case Pantalla::RedirigirImpresoras: {
        FrmRedirigirImpresora redirigir(contextoImpresion(m_context), QApplication::activeWindow());
        redirigir.mostrar();
        if (redirigir.salida() == FrmRedirigirImpresora::Salida::Mesas)
            despuesDeLista(FrmListaMesas::Salida::Mesas, QStringLiteral("FrmRedirigirImpresora"));
        else if (redirigir.salida() == FrmRedirigirImpresora::Salida::Salir)
            despuesDeLista(FrmListaMesas::Salida::Salir, QStringLiteral("FrmRedirigirImpresora"));
        return true;
    }
    case Pantalla::ArticulosCancelados: {
        FrmArtAnulados anulados(m_context, QApplication::activeWindow());
        anulados.mostrar();
        return true;
    }
    case Pantalla::Reimprimir: {
        FrmReimprimircta reimprimir(m_context, QApplication::activeWindow());
        reimprimir.mostrar();
        if (reimprimir.salir())
            despuesDeLista(FrmListaMesas::Salida::Salir, QStringLiteral("FrmReimprimircta"));
        return true;
    }
    case Pantalla::ResumenPagos: {
        frmResumen resumen(m_context, QApplication::activeWindow());
        resumen.mostrar();
        despuesDeLista(resumen.salida(), QStringLiteral("frmResumen"));
        return true;
    }
    case Pantalla::ResumenVentas: {
        const Sesion& sesion = m_context.sesion();
        FrmVentas ventas(m_context, {sesion.idEmpleado(), sesion.nombreEmpleado()},
                         QApplication::activeWindow());
        ventas.mostrar();
        despuesDeLista(ventas.salida(), QStringLiteral("FrmVentas"));
        return true;
    }
    case Pantalla::VentaTotal: {
        FrmVentaTotal ventaTotal(m_context, QApplication::activeWindow());
        ventaTotal.mostrar();
        despuesDeLista(ventaTotal.salida(), QStringLiteral("FrmVentaTotal"));
        return true;
    }
    case Pantalla::VentasMesero: {
        FrmElegirMesero elegir(m_context.baseDatos(), QApplication::activeWindow());
        elegir.mostrar();
        if (!elegir.elegido())
            return false;
        FrmVentas ventas(m_context, *elegir.elegido(), QApplication::activeWindow());
        ventas.mostrar();
        despuesDeLista(ventas.salida(), QStringLiteral("FrmVentas"));
        return true;
    }
    case Pantalla::ReporteHuespedes: {
        FrmRepHuespedes huespedes(m_context, QApplication::activeWindow());
        huespedes.mostrar();
        despuesDeLista(huespedes.salida(), QStringLiteral("FrmRepHuespedes"));
        return true;
    }
    case Pantalla::MesasEnCero: {
        FrmMesasEnCero enCero(m_context, QApplication::activeWindow());
        enCero.mostrar();
        despuesDeLista(enCero.salida(), QStringLiteral("FrmMesasEnCero"));
        return true;
    }
    case Pantalla::ReabrirMesa: {
        FrmReabrirMesa reabrir(m_context, QApplication::activeWindow());
        reabrir.mostrar();
        despuesDeLista(reabrir.salida(), QStringLiteral("FrmReabrirMesa"));
        return true;
    }
    case Pantalla::UnirMesas: {
        frmUnirMesas unir(m_context, QApplication::activeWindow());
        unir.mostrar();
        return true;
    }
    case Pantalla::Sincronizar:
        return noDisponible(QStringLiteral("Sincronizar"));
    case Pantalla::Activar:
        return noDisponible(QStringLiteral("Activar terminales"));
    case Pantalla::RegistrarCliente: {
        frmClientes registro(m_context, FichaCliente::Modo::Registro, QApplication::activeWindow());
        registro.mostrar();
        return true;
    }
    }
    return false;
}

bool Navegador::autorizar(int permiso, const QString& titulo) {
    return autorizante(permiso, titulo).has_value();
}

std::optional<qint32> Navegador::autorizante(int permiso, const QString& titulo) {
    FrmValidaPermiso validar(m_context, QApplication::activeWindow());
    validar.setPermiso(permiso);
    validar.setTitle(titulo);
    validar.mostrar();
    if (!validar.getValido())
        return std::nullopt;
    return validar.getEmpleado();
}

} // namespace nerin
