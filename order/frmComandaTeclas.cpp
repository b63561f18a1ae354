#include "order/FraPaquetes.h"
#include "order/GridComanda.h"
#include "order/PanelCuenta.h"
#include "order/PanelProductos.h"
#include "order/frmComanda.h"
#include "startup/Navegacion.h"
#include "startup/TerminalContext.h"
#include "ui/TouchTheme.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

// How the order screen is laid out: its header, the account column, the product area and the column
// of function keys, each key tied to what it does.
namespace nerin {

QWidget* frmComanda::construirEncabezado() {
    auto* encabezado = new QWidget(this);
    auto* fila = new QHBoxLayout(encabezado);
    // The screen's own margins frame the header; its own would cost the key column its last row on a
    // 768-pixel screen.
    fila->setContentsMargins(0, 0, 0, 0);
    auto etiqueta = [encabezado](const char* nombre) {
        auto* label = new QLabel(encabezado);
        label->setObjectName(QString::fromLatin1(nombre));
        return label;
    };
    m_lblMesa = etiqueta("lblMesa");
    m_lblEmpleado = etiqueta("lblEmpleado");
    m_lblTiempo = etiqueta("lblTiempo");
    m_lblReloj = etiqueta("lblReloj");
    m_lblHuespedes = TouchTheme::tecla(QString(), QStringLiteral("lblHuespedes"), encabezado);
    m_lblHuespedes->setFlat(true);
    connect(m_lblHuespedes, &QPushButton::clicked, this, [this] {
        if (m_comanda.cambiarHuespedes())
            mostrarEtiquetas();
        foco();
    });
    for (QWidget* w : {static_cast<QWidget*>(m_lblMesa), static_cast<QWidget*>(m_lblEmpleado),
                       static_cast<QWidget*>(m_lblHuespedes), static_cast<QWidget*>(m_lblTiempo),
                       static_cast<QWidget*>(m_lblReloj)})
        fila->addWidget(w);
    return encabezado;
}

QWidget* frmComanda::construirFunciones() {
    auto* panel = new QWidget(this);
    // Two columns of keys, so that all of them fit the height of a 1024x768 screen.
    auto* columna = new QGridLayout(panel);
    columna->setContentsMargins(0, 0, 0, 0);
    int posicion = 0;
    const struct {
        const char* texto;
        const char* nombre;
        std::function<void()> accion;
    } acciones[] = {
        {"Mesa ▲", "imgTodoArriba", [this] { moverMesa(true); }},
        {"Mesa ▼", "imgTodoAbajo", [this] { moverMesa(false); }},
        {"Abrir mesa", "cmdAbrirMesa", [this] { abrirMesa(); }},
        {"Otras cuentas", "cmdOtrasCuentas", [this] { otrasCuentas(); }},
        {"Dividir", "cmdDividir", [this] { dividir(); }},
        {"Buscar", "cmdBuscar", [this] { buscar(); }},
        {"Cantidad", "CmdMultiplicar", [this] { multiplicar(); }},
        {"Repetir", "cmdRepetir", [this] { repetir(); }},
        {"Preparar", "cmdPreparar", [this] { preparar(); }},
        {"Retener", "cmdRetener",
         [this] {
             m_despacho.retener(m_grdComanda->seleccionadas());
             mostrarLineas();
         }},
        {"Cancelar", "cmdCancelar",
         [this] {
             m_comanda.modal = true;
             const bool leer = m_anulacion.cancelar(m_grdComanda->seleccionadas());
             m_comanda.modal = false;
             if (leer)
                 MostrarProductosComandaActual();
             else
                 mostrarLineas();
             m_panel->refrescar();
             foco();
         }},
        {"Tiempo", "cmdTiempo", [this] { elegirTiempo(); }},
        {"Sig. tiempo", "cmdSigTiempo",
         [this] {
             m_comanda.modal = true;
             if (m_despacho.siguienteTiempo(m_grdComanda->seleccionadas()))
                 mostrarCuentaLeida();
             m_comanda.modal = false;
         }},
        {"Ver tiempos", "cmdVerTiempos",
         [this] {
             m_verTiempos = !m_verTiempos;
             m_grdComanda->verTiempos(m_verTiempos);
         }},
        {"Modificar", "cmdModificar", [this] { modificar(); }},
        {"Modif. libre", "imgTecladoModif",
         [this] {
             if (const auto fila = m_modificadores.modificadorLibre(m_grdComanda->filaSeleccionada()))
                 mostrarTrasModificar(*fila);
             foco();
         }},
        {"Cuenta", "cmdOperaciones", [this] { imprimirCuenta(); }},
        {"Pagar", "cmdPagar", [this] { Pagar(); }},
        {"Mesas", "cmdListaMesas",
         [this] {
             if (!dejarComanda())
                 return;
             hide();
             if (Navegacion* nav = m_context.navegacion())
                 nav->mesasAbiertas(Navegacion::ModoMesas::Normal);
         }},
        {"Utilerías", "cmdUtilierias",
         [this] {
             // The order is stored and free before the menu takes the front; without a menu the open
             // tables do.
             if (!dejarComanda())
                 return;
             hide();
             if (Navegacion* nav = m_context.navegacion(); nav && !nav->funciones())
                 nav->mesasAbiertas(Navegacion::ModoMesas::Normal);
         }},
        {"Salir", "cmdSalir",
         [this] {
             if (!dejarComanda())
                 return;
             m_context.SalirSistema(m_acceso, QStringLiteral("frmComanda"), false);
             hide();
         }},
    };
    for (const auto& accion : acciones) {
        QPushButton* b =
            TouchTheme::tecla(QString::fromUtf8(accion.texto), QString::fromLatin1(accion.nombre), panel);
        // Buttons whose work is not part of this version stay visible and disabled.
        if (accion.accion)
            connect(b, &QPushButton::clicked, this, accion.accion);
        else
            b->setEnabled(false);
        b->setMaximumWidth(110);
        columna->addWidget(b, posicion / 2, posicion % 2);
        ++posicion;
    }
    m_cmdAbrirMesa = panel->findChild<QPushButton*>(QStringLiteral("cmdAbrirMesa"));
    m_cmdVerTiempos = panel->findChild<QPushButton*>(QStringLiteral("cmdVerTiempos"));
    columna->setRowStretch(posicion / 2 + 1, 1);
    return panel;
}

void frmComanda::construir() {
    auto* vertical = new QVBoxLayout(this);
    vertical->addWidget(construirEncabezado());
    auto* cuerpo = new QHBoxLayout;
    vertical->addLayout(cuerpo, 1);

    m_cuenta = new PanelCuenta(
        m_comanda.cuadricula(), [this] { codigoDeBarras(); }, this);
    m_grdComanda = m_cuenta->grid();
    cuerpo->addWidget(m_cuenta, 5);

    m_panel = new PanelProductos(
        m_menu, [this](qint32 producto) { return agregar(producto); }, this);
    m_panel->setPaquetes(new FraPaquetes(
        m_paquetes, [this] { return m_grdComanda->filaSeleccionada(); },
        [this](const AgregarProducto::Agregada& agregada) {
            mostrarAgregada(agregada);
            foco();
        },
        m_panel));
    cuerpo->addWidget(m_panel, 6);
    cuerpo->addWidget(construirFunciones());

    m_timer1 = new QTimer(this);
    m_timer1->setInterval(1000);
    connect(m_timer1, &QTimer::timeout, this,
            [this] { m_lblReloj->setText(m_context.ahora().toString(QStringLiteral("HH:mm"))); });
    m_timer1->start();
}

} // namespace nerin
