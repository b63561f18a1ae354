#include "order/frmComanda.h"

#include "data/Bitacora.h"
#include "keyboards/Prompts.h"
#include "order/FrmBuscarProducto.h"
#include "order/PanelProductos.h"
#include "startup/AccessScreen.h"
#include "startup/TerminalContext.h"
#include "text/TextFormat.h"
#include "ui/TouchTheme.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace nerin {

namespace {

const QColor kPreparado(255, 128, 0);
const QColor kEncabezado(80, 128, 255);

enum Columna { cFolio, cTipo, cId, cTexto, cPrecio, cDespacho, cGrupo, cHora, cSeccion, kColumnas };

} // namespace

frmComanda::frmComanda(TerminalContext& context, AccessScreen& acceso, QWidget* parent)
    : QWidget(parent), m_context(context), m_acceso(acceso), m_comanda(context), m_agregar(m_comanda),
      m_guardar(m_comanda), m_menu(m_comanda) {
    setObjectName(QStringLiteral("frmComanda"));
    setWindowTitle(QStringLiteral("Comanda"));
    TouchTheme::apply(this);
    setStyleSheet(styleSheet() +
                  QStringLiteral("QWidget#frmComanda { background: #20303c; }"
                                 "QTableWidget { font-size: 20px; }"
                                 // Many keys share this screen: smaller captions keep them whole.
                                 "QPushButton { font-size: 16px; padding: 2px; }"));
    construir();
}

frmComanda::~frmComanda() {
    if (m_cargada) {
        GuardarYPrepararNuevos();
        m_context.bitacora().EscribirBitacora(QStringLiteral("frmComanda.unload"));
    }
}

QPushButton* frmComanda::boton(const QString& texto, const QString& nombre, QWidget* padre) {
    auto* b = new QPushButton(texto, padre);
    b->setObjectName(nombre);
    b->setFocusPolicy(Qt::NoFocus);
    b->setMinimumSize(TouchTheme::kMinimoTecla, TouchTheme::kMinimoTecla);
    return b;
}

QWidget* frmComanda::construirEncabezado() {
    auto* encabezado = new QWidget(this);
    auto* fila = new QHBoxLayout(encabezado);
    auto etiqueta = [encabezado](const char* nombre) {
        auto* label = new QLabel(encabezado);
        label->setObjectName(QString::fromLatin1(nombre));
        return label;
    };
    m_lblMesa = etiqueta("lblMesa");
    m_lblEmpleado = etiqueta("lblEmpleado");
    m_lblTiempo = etiqueta("lblTiempo");
    m_lblReloj = etiqueta("lblReloj");
    m_lblHuespedes = boton(QString(), QStringLiteral("lblHuespedes"), encabezado);
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
        {"Buscar", "cmdBuscar", [this] { buscar(); }},
        {"Cantidad", "CmdMultiplicar", [this] { multiplicar(); }},
        {"Preparar", "cmdPreparar", nullptr},
        {"Retener", "cmdRetener", nullptr},
        {"Tiempo", "cmdTiempo", nullptr},
        {"Ver tiempos", "cmdVerTiempos", nullptr},
        {"Cuenta", "cmdOperaciones", [this] { imprimirCuenta(); }},
        {"Pagar", "cmdPagar", [this] { Pagar(); }},
        {"Mesas", "cmdListaMesas",
         [this] {
             dejarComanda();
             hide();
             if (Navegacion* nav = m_context.navegacion())
                 nav->mesasAbiertas(Navegacion::ModoMesas::Normal);
         }},
        {"Utilerías", "cmdUtilierias",
         [this] {
             dejarComanda();
             hide();
             if (Navegacion* nav = m_context.navegacion())
                 nav->funciones();
         }},
        {"Salir", "cmdSalir",
         [this] {
             dejarComanda();
             m_context.SalirSistema(m_acceso, QStringLiteral("frmComanda"), false);
             hide();
         }},
    };
    for (const auto& accion : acciones) {
        QPushButton* b = boton(QString::fromUtf8(accion.texto), QString::fromLatin1(accion.nombre), panel);
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

    auto* izquierda = new QVBoxLayout;
    m_grdComanda = new QTableWidget(0, kColumnas, this);
    m_grdComanda->setObjectName(QStringLiteral("grdComanda"));
    m_grdComanda->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdComanda->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grdComanda->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grdComanda->setFocusPolicy(Qt::NoFocus);
    m_grdComanda->horizontalHeader()->setVisible(false);
    m_grdComanda->verticalHeader()->setVisible(false);
    m_grdComanda->horizontalHeader()->setSectionResizeMode(cTexto, QHeaderView::Stretch);
    m_grdComanda->horizontalHeader()->setSectionResizeMode(cPrecio, QHeaderView::Fixed);
    m_grdComanda->setColumnWidth(cPrecio, 90);
    m_grdComanda->setMinimumWidth(320);
    m_grdComanda->setWordWrap(true);
    for (int c : {cFolio, cTipo, cId, cDespacho, cGrupo, cHora, cSeccion})
        m_grdComanda->setColumnHidden(c, true);
    izquierda->addWidget(m_grdComanda, 1);
    auto* desplazar = new QHBoxLayout;
    QPushButton* arriba = boton(QStringLiteral("▲"), QStringLiteral("imgComandaArriba"), this);
    QPushButton* abajo = boton(QStringLiteral("▼"), QStringLiteral("imgComandaAbajo"), this);
    connect(arriba, &QPushButton::clicked, this, [this] {
        m_grdComanda->verticalScrollBar()->setValue(m_grdComanda->verticalScrollBar()->value() - 1);
    });
    connect(abajo, &QPushButton::clicked, this, [this] {
        m_grdComanda->verticalScrollBar()->setValue(m_grdComanda->verticalScrollBar()->value() + 1);
    });
    desplazar->addWidget(arriba);
    desplazar->addWidget(abajo);
    izquierda->addLayout(desplazar);
    m_lblTotal = new QLabel(this);
    m_lblTotal->setObjectName(QStringLiteral("lblTotal"));
    m_lblTotalUS = new QLabel(this);
    m_lblTotalUS->setObjectName(QStringLiteral("lblTotalUS"));
    izquierda->addWidget(m_lblTotal);
    izquierda->addWidget(m_lblTotalUS);
    auto* barras = new QHBoxLayout;
    m_txtInsBarras = new QLineEdit(this);
    m_txtInsBarras->setObjectName(QStringLiteral("txtInsBarras"));
    connect(m_txtInsBarras, &QLineEdit::returnPressed, this, [this] { codigoDeBarras(); });
    QPushButton* insBarras = boton(QStringLiteral("Código"), QStringLiteral("cmdInsBarras"), this);
    connect(insBarras, &QPushButton::clicked, this, [this] { codigoDeBarras(); });
    barras->addWidget(m_txtInsBarras, 1);
    barras->addWidget(insBarras);
    izquierda->addLayout(barras);
    cuerpo->addLayout(izquierda, 5);

    m_panel = new PanelProductos(
        m_menu, [this](qint32 producto) { return agregar(producto); }, this);
    cuerpo->addWidget(m_panel, 6);
    cuerpo->addWidget(construirFunciones());

    m_timer1 = new QTimer(this);
    m_timer1->setInterval(1000);
    connect(m_timer1, &QTimer::timeout, this,
            [this] { m_lblReloj->setText(m_context.ahora().toString(QStringLiteral("HH:mm"))); });
    m_timer1->start();
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
    // A customer order just opened asks for its customer.
    if (orden.tipo == QLatin1String("O"))
        m_comanda.DatosCliente();
    m_cmdAbrirMesa->setEnabled(m_comanda.puedeAbrirMesa);
    m_cmdVerTiempos->setEnabled(false);
    mostrarEtiquetas();
    MostrarProductosComandaActual();
    if (submenu && *submenu > 0)
        m_panel->MostrarProductosSubMenu(*submenu);
    if (m_pantallaCompleta) {
        showFullScreen();
    } else {
        resize(1024, 768);
        show();
    }
    raise();
    activateWindow();
    foco();
    if (orden.pagar)
        Pagar();
}

void frmComanda::Pagar() {
    m_comanda.modal = true;
    GuardarYPrepararNuevos();
    if (Navegacion* nav = m_context.navegacion())
        nav->caja(m_comanda.IDComanda, m_comanda.Control, m_comanda.NumCuenta);
    m_comanda.modal = false;
    foco();
}

void frmComanda::imprimirCuenta() {
    GuardarYPrepararNuevos();
    MostrarProductosComandaActual();
    if (m_comanda.puedeImprimirCuenta()) {
        mostrarEtiquetas();
        // The ticket is not printed by this version, so Num_Impresiones is not raised either: an
        // account counts as printed only once its ticket is queued.
        m_context.Mensaje(QStringLiteral("La impresión de la cuenta aún no está disponible en esta versión."),
                          Prompts::kExclamation);
    }
    foco();
}

void frmComanda::MostrarProductosComandaActual() {
    if (m_comanda.MostrarProductosComandaActual())
        mostrarLineas();
}

void frmComanda::mostrarLineas() {
    const QList<LineaComanda>& lineas = m_comanda.cuadricula().lineas();
    m_grdComanda->setRowCount(static_cast<int>(lineas.size()));
    for (int fila = 0; fila < lineas.size(); ++fila) {
        const LineaComanda& linea = lineas.at(fila);
        const QString celdas[kColumnas] = {
            linea.folio ? QString::number(linea.folio) : QString(),
            linea.tipo,
            QString::number(linea.id),
            QString(linea.texto).replace(QStringLiteral("<N>"), QStringLiteral("\n")).replace(u'\t', u' '),
            linea.tipo == QLatin1String("T") || linea.tipo == QLatin1String("C")
                ? QString()
                : TextFormat::number(linea.precio, u"#,##0.00"),
            linea.despacho,
            QString::number(linea.grupoImpresoras),
            linea.horaPreparacion,
            linea.seccion ? QString::number(linea.seccion) : QString(),
        };
        QColor color;
        if (linea.tipo == QLatin1String("T"))
            color = kEncabezado;
        else if (linea.preparado || linea.tipo == QLatin1String("C"))
            color = kPreparado;
        for (int c = 0; c < kColumnas; ++c) {
            auto* celda = new QTableWidgetItem(celdas[c]);
            if (c == cPrecio)
                celda->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (color.isValid())
                celda->setForeground(color);
            m_grdComanda->setItem(fila, c, celda);
        }
    }
    m_grdComanda->resizeRowsToContents();
    mostrarEtiquetas();
}

void frmComanda::mostrarEtiquetas() {
    m_lblMesa->setText(m_comanda.lblMesa);
    m_lblEmpleado->setText(m_comanda.lblEmpleado);
    m_lblTiempo->setText(m_comanda.lblTiempo);
    m_lblHuespedes->setText(m_comanda.lblHuespedes);
    m_lblTotal->setText(m_comanda.lblTotal);
    m_lblTotalUS->setText(m_comanda.lblTotalUS);
    m_lblTotalUS->setVisible(!m_comanda.lblTotalUS.isEmpty());
}

int frmComanda::filaSeleccionada() const {
    const QList<QTableWidgetItem*> elegidas = m_grdComanda->selectedItems();
    return elegidas.isEmpty() ? -1 : elegidas.first()->row();
}

bool frmComanda::agregar(qint32 producto) {
    const auto agregada =
        m_agregar.AñadirProductoAComanda(producto, QStringLiteral("P"), 0, filaSeleccionada());
    if (agregada) {
        mostrarLineas();
        m_grdComanda->selectRow(agregada->fila);
    }
    foco();
    return agregada.has_value();
}

void frmComanda::GuardarYPrepararNuevos() {
    if (m_guardando || !m_comanda.cuadricula().hayNoGuardadas())
        return;
    m_guardando = true;
    const bool modal = m_comanda.modal;
    m_comanda.modal = true;
    m_guardar.GuardarYPrepararNuevos();
    m_comanda.modal = modal;
    // Lines refused on the way are dropped by showing the account again.
    MostrarProductosComandaActual();
    m_panel->refrescar();
    m_guardando = false;
}

void frmComanda::dejarComanda() {
    GuardarYPrepararNuevos();
    m_comanda.liberar();
}

void frmComanda::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // Losing the front to another screen stores what is pending; a keypad or message of this
    // screen's own does not.
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && isVisible() && !m_comanda.modal &&
        QApplication::activeModalWidget() == nullptr)
        GuardarYPrepararNuevos();
}

void frmComanda::closeEvent(QCloseEvent* event) {
    dejarComanda();
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
            if (resultados.producto() != 0 && m_menu.agregarBuscado(resultados.producto(), m_agregar)) {
                mostrarLineas();
                m_panel->refrescar();
            }
        }
    }
    m_comanda.modal = false;
    foco();
}

void frmComanda::codigoDeBarras() {
    m_comanda.modal = true;
    if (m_menu.agregarCodigo(m_txtInsBarras->text(), m_agregar)) {
        mostrarLineas();
        m_panel->refrescar();
    }
    m_comanda.modal = false;
    m_txtInsBarras->clear();
    foco();
}

void frmComanda::multiplicar() {
    if (m_agregar.repetir(filaSeleccionada())) {
        mostrarLineas();
        m_panel->refrescar();
    }
    foco();
}

void frmComanda::moverMesa(bool siguiente) {
    if (m_comanda.moverMesa(siguiente, [this] { GuardarYPrepararNuevos(); })) {
        mostrarLineas();
        m_panel->refrescar();
    }
}

void frmComanda::abrirMesa() {
    GuardarYPrepararNuevos();
    m_comanda.liberar();
    if (Navegacion* nav = m_context.navegacion())
        nav->mesaNueva();
}

void frmComanda::otrasCuentas() {
    if (!m_comanda.variasCuentas) {
        m_context.Mensaje(QStringLiteral("No Disponible!"), Prompts::kExclamation);
        return;
    }
    if (Navegacion* nav = m_context.navegacion())
        nav->elegirCuenta(m_comanda.IDComanda, m_comanda.Control, false);
}

void frmComanda::foco() {
    if (m_txtInsBarras->isVisible() && m_txtInsBarras->isEnabled())
        m_txtInsBarras->setFocus();
}

} // namespace nerin
