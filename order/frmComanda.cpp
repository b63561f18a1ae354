#include "order/frmComanda.h"

#include "cashier/ImprimirCuentaComanda.h"
#include "data/Bitacora.h"
#include "keyboards/Prompts.h"
#include "order/FraPaquetes.h"
#include "order/FrmAnulaciones.h"
#include "order/FrmBuscarProducto.h"
#include "order/FrmElegirTiempo.h"
#include "order/GridComanda.h"
#include "order/PanelCuenta.h"
#include "order/PanelProductos.h"
#include "startup/AccessScreen.h"
#include "startup/TerminalContext.h"
#include "tables/FrmDividir.h"
#include "ui/TouchTheme.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace nerin {

frmComanda::frmComanda(TerminalContext& context, AccessScreen& acceso, QWidget* parent)
    : QWidget(parent), m_context(context), m_acceso(acceso), m_comanda(context), m_agregar(m_comanda),
      m_guardar(m_comanda), m_menu(m_comanda), m_despacho(m_comanda, m_guardar), m_modificadores(m_comanda),
      m_paquetes(m_comanda, m_agregar), m_anulacion(m_comanda, m_guardar, [this] {
          FrmAnulaciones razones(m_context.baseDatos(), this);
          razones.mostrar();
          return razones.elegida();
      }) {
    setObjectName(QStringLiteral("frmComanda"));
    setWindowTitle(QStringLiteral("Comanda"));
    TouchTheme::apply(this);
    setStyleSheet(
        styleSheet() +
        QStringLiteral("QWidget#frmComanda { background: %1; }"
                       "QTableWidget { font-size: 20px; }"
                       // Many keys share this screen: smaller captions and padding keep them
                       // whole, still kMinimoTecla on the outside.
                       "QPushButton { font-size: 16px; padding: 2px; min-width: %2px; min-height: %2px; }")
            .arg(TouchTheme::css(TouchTheme::kFondo))
            .arg(TouchTheme::kMinimoTecla - 2 * (2 + 2)));
    construir();
}

frmComanda::~frmComanda() {
    if (m_cargada) {
        // The program is ending: lines that cannot be stored now are lost, as the step's log says.
        (void)GuardarYPrepararNuevos();
        m_context.bitacora().EscribirBitacora(QStringLiteral("frmComanda.unload"));
    }
}

void frmComanda::abrir(const Navegacion::Orden& orden, const QString& mesa) {
    if (!m_cargada) {
        m_cargada = true;
        m_context.bitacora().EscribirBitacora(QStringLiteral("frmComanda.load"));
        m_panel->CrearBotonesMenu();
    }
    m_comanda.IDComanda = orden.idComanda;
    m_comanda.Control = static_cast<qint16>(orden.control);
    m_comanda.NumCuenta = orden.numCuenta;
    m_comanda.mesa = mesa;
    if (!orden.tipo.isEmpty())
        m_comanda.Tipo = orden.tipo;
    const std::optional<qint32> submenu = m_comanda.DatosEmpleado();
    // The screen is kept between orders and sign-ins: the times are hidden until asked for again.
    m_verTiempos = false;
    m_grdComanda->verTiempos(false);
    // A customer order just opened asks for its customer.
    if (orden.tipo == QLatin1String("O"))
        m_comanda.DatosCliente();
    m_cmdAbrirMesa->setEnabled(m_comanda.puedeAbrirMesa);
    m_cmdVerTiempos->setEnabled(m_comanda.puedeVerTiempos);
    m_panel->findChild<QPushButton*>(QStringLiteral("cmdMenuFijo3"))
        ->setVisible(m_paquetes.obsequiosHabilitados());
    mostrarEtiquetas();
    MostrarProductosComandaActual();
    // The buttons show this account's counts, on the terminal's default submenu when it has one.
    if (submenu && *submenu > 0)
        m_panel->MostrarProductosSubMenu(*submenu);
    else
        m_panel->refrescar();
    TouchTheme::mostrarPantalla(this, m_pantallaCompleta);
    raise();
    activateWindow();
    foco();
    // Opened from a keypad (a new table): the screen comes to the front once the keypad is gone.
    if (QWidget* modal = QApplication::activeModalWidget())
        connect(modal, &QObject::destroyed, this, [this] {
            if (isVisible()) {
                raise();
                activateWindow();
                foco();
            }
        });
    if (orden.pagar)
        Pagar();
}

void frmComanda::Pagar() {
    m_comanda.modal = true;
    if (!GuardarYPrepararNuevos()) {
        m_comanda.modal = false;
        foco();
        return;
    }
    if (Navegacion* nav = m_context.navegacion())
        nav->caja(m_comanda.IDComanda, m_comanda.Control, m_comanda.NumCuenta);
    m_comanda.modal = false;
    // Back from the payment screen: the account as it stands now.
    MostrarProductosComandaActual();
    foco();
}

void frmComanda::imprimirCuenta() {
    if (!GuardarYPrepararNuevos()) {
        foco();
        return;
    }
    MostrarProductosComandaActual();
    if (m_comanda.puedeImprimirCuenta()) {
        mostrarEtiquetas();
        ImprimirCuentaComanda(m_context, m_comanda.IDComanda, m_comanda.Control, m_comanda.NumCuenta);
    }
    foco();
}

void frmComanda::MostrarProductosComandaActual() {
    if (m_comanda.MostrarProductosComandaActual())
        mostrarCuentaLeida();
}

void frmComanda::mostrarCuentaLeida() {
    mostrarLineas();
    m_panel->cerrarModificadores();
}

void frmComanda::mostrarLineas() {
    m_grdComanda->mostrar();
    mostrarEtiquetas();
}

void frmComanda::mostrarEtiquetas() {
    m_lblMesa->setText(m_comanda.lblMesa);
    m_lblEmpleado->setText(m_comanda.lblEmpleado);
    m_lblTiempo->setText(m_comanda.lblTiempo);
    m_lblHuespedes->setText(m_comanda.lblHuespedes);
    m_cuenta->mostrarTotales(m_comanda.lblTotal, m_comanda.lblTotalUS);
}

void frmComanda::preparar() {
    m_comanda.modal = true;
    const bool enviado = m_despacho.preparar(m_grdComanda->seleccionadas());
    m_comanda.modal = false;
    // The account as the database has it now: what went to the kitchen, in its colour. When the
    // store failed the database does not have the new lines: they stay as they are on screen.
    if (enviado)
        MostrarProductosComandaActual();
    else
        mostrarLineas();
    m_panel->refrescar();
    foco();
}

void frmComanda::elegirTiempo() {
    FrmElegirTiempo elegir(m_despacho.tiempos(), m_comanda.getTiempoActual(), this);
    m_comanda.modal = true;
    elegir.mostrar();
    m_comanda.modal = false;
    if (elegir.elegido() && m_despacho.elegirTiempo(elegir.tiempo()))
        mostrarEtiquetas();
    foco();
}

void frmComanda::modificar() {
    const auto botones = m_modificadores.ModificarProductoMarcado(m_grdComanda->filaSeleccionada(),
                                                                  m_grdComanda->productosSeleccionados());
    if (botones)
        m_panel->mostrarModificadores(*botones,
                                      [this](qint32 modificador) { agregarModificador(modificador); });
    foco();
}

void frmComanda::agregarModificador(qint32 modificador) {
    if (const auto fila = m_modificadores.AñadirModificadorAComanda(
            modificador, m_grdComanda->filaSeleccionada(), m_grdComanda->productosSeleccionados()))
        mostrarTrasModificar(*fila);
    foco();
}

void frmComanda::mostrarNueva(int fila) {
    mostrarLineas();
    m_grdComanda->elegir(fila);
}

void frmComanda::mostrarTrasModificar(int fila) {
    // The product stays selected with its lines, the new modifier among them.
    mostrarNueva(fila);
}

void frmComanda::mostrarAgregada(const AgregarProducto::Agregada& agregada) {
    mostrarNueva(agregada.fila);
    if (agregada.abrirModificadores)
        modificar();
    else
        m_panel->cerrarModificadores();
}

bool frmComanda::agregar(qint32 producto) {
    const auto agregada =
        m_agregar.AñadirProductoAComanda(producto, TipoLinea::Producto, 0, m_grdComanda->filaSeleccionada());
    if (agregada)
        mostrarAgregada(*agregada);
    foco();
    return agregada.has_value();
}

bool frmComanda::GuardarYPrepararNuevos() {
    // Asked again while storing (a message of the step deactivates the screen): not stored yet.
    if (m_guardando)
        return false;
    if (!m_comanda.cuadricula().hayNoGuardadas())
        return true;
    m_guardando = true;
    const bool modal = m_comanda.modal;
    m_comanda.modal = true;
    const bool guardado = m_guardar.GuardarYPrepararNuevos();
    m_comanda.modal = modal;
    // Lines refused on the way are dropped by showing the account again. Lines that could not be
    // stored are only in the grid: reading the account again would lose them.
    if (guardado)
        MostrarProductosComandaActual();
    else
        mostrarLineas();
    m_panel->refrescar();
    m_guardando = false;
    return guardado;
}

bool frmComanda::dejarComanda() {
    if (!GuardarYPrepararNuevos())
        return false;
    m_comanda.liberar();
    return true;
}

void frmComanda::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange)
        return;
    // Back in front, the barcode box listens again.
    if (isActiveWindow()) {
        foco();
        return;
    }
    // Losing the front to another screen stores what is pending; a keypad or message of this
    // screen's own does not.
    // A failure has been said; the lines stay on screen for the next try.
    if (isVisible() && !m_comanda.modal && QApplication::activeModalWidget() == nullptr)
        (void)GuardarYPrepararNuevos();
}

void frmComanda::keyPressEvent(QKeyEvent* event) {
    if (!m_cuenta->teclear(event))
        QWidget::keyPressEvent(event);
}

void frmComanda::closeEvent(QCloseEvent* event) {
    if (!dejarComanda()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void frmComanda::buscar() {
    Prompts::TextRequest pedido;
    pedido.titulo = QStringLiteral("Buscar Producto");
    m_comanda.modal = true;
    const Prompts::TextAnswer texto = m_context.prompts().texto(pedido);
    if (!texto.cancelado && !texto.texto.trimmed().isEmpty()) {
        if (const auto encontrados = m_menu.buscar(texto.texto.trimmed())) {
            FrmBuscarProducto resultados(*encontrados, this);
            resultados.mostrar();
            if (const auto agregada = m_menu.agregarBuscado(resultados.producto(), m_agregar)) {
                m_panel->refrescar();
                mostrarAgregada(*agregada);
            }
        }
    }
    m_comanda.modal = false;
    foco();
}

void frmComanda::codigoDeBarras() {
    m_comanda.modal = true;
    if (const auto agregada = m_menu.agregarCodigo(m_cuenta->codigo(), m_agregar)) {
        m_panel->refrescar();
        mostrarAgregada(*agregada);
    }
    m_comanda.modal = false;
    m_cuenta->limpiarCodigo();
    foco();
}

void frmComanda::multiplicar() {
    if (m_agregar.repetir(m_grdComanda->filaSeleccionada())) {
        mostrarLineas();
        m_panel->refrescar();
    }
    foco();
}

void frmComanda::repetir() {
    // A package repeated in part has lines on the account even when it says it could not.
    (void)m_agregar.repetirUna(m_grdComanda->filaSeleccionada());
    mostrarLineas();
    m_panel->refrescar();
    foco();
}

void frmComanda::moverMesa(bool siguiente) {
    if (m_comanda.moverMesa(siguiente, [this] { return GuardarYPrepararNuevos(); })) {
        mostrarCuentaLeida();
        m_panel->refrescar();
    }
}

void frmComanda::abrirMesa() {
    if (!GuardarYPrepararNuevos())
        return;
    // This order stays locked while the new-table screen stands: cancelled, the waiter is back on it;
    // once the new order is on the screen, this one is let go.
    const qint32 anterior = m_comanda.IDComanda;
    Navegacion* nav = m_context.navegacion();
    if (nav && nav->mesaNueva() && m_comanda.IDComanda != anterior)
        m_comanda.liberar(anterior);
}

void frmComanda::otrasCuentas() {
    if (!m_comanda.variasCuentas) {
        m_context.Mensaje(QStringLiteral("No Disponible!"), Prompts::kExclamation);
        return;
    }
    if (!GuardarYPrepararNuevos())
        return;
    Navegacion* nav = m_context.navegacion();
    if (nav && !nav->elegirCuenta(m_comanda.IDComanda, m_comanda.Control, false)) {
        // Left without a choice: a join there may have taken this account; the order is entered again.
        (void)m_comanda.DatosEmpleado();
        MostrarProductosComandaActual();
    }
}

void frmComanda::dividir() {
    if (!m_comanda.puedeDividir) {
        m_context.Mensaje(QStringLiteral("No cuenta con los privilegios necesarios!"), Prompts::kExclamation);
        return;
    }
    if (!GuardarYPrepararNuevos())
        return;
    CuentasComanda cuentas(m_context, m_comanda.IDComanda, m_comanda.Control);
    if (!cuentas.puedeDividir())
        return;
    m_comanda.modal = true;
    FrmDividir pantalla(cuentas, m_comanda.NumCuenta, m_comanda.mesa, this);
    pantalla.mostrar();
    m_comanda.modal = false;
    if (pantalla.nueva())
        m_comanda.variasCuentas = true;
    MostrarProductosComandaActual();
    foco();
}

void frmComanda::foco() {
    m_cuenta->foco();
}

} // namespace nerin
