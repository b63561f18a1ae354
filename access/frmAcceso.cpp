#include "access/frmAcceso.h"

#include "data/Bitacora.h"
#include "startup/TerminalContext.h"
#include "ui/TeclaTactil.h"
#include "ui/TouchTheme.h"

#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace nerin {

namespace {

QLabel* etiqueta(QWidget* parent, const QString& nombre, int letra) {
    auto* label = new QLabel(parent);
    label->setObjectName(nombre);
    label->setAlignment(Qt::AlignCenter);
    QFont font = label->font();
    font.setPixelSize(letra);
    label->setFont(font);
    return label;
}

QTableWidget* grid(QWidget* parent, const QString& nombre) {
    auto* table = new QTableWidget(parent);
    table->setObjectName(nombre);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setFocusPolicy(Qt::NoFocus);
    table->horizontalHeader()->setVisible(false);
    table->verticalHeader()->setVisible(false);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    table->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Maximum);
    table->setVisible(false);
    return table;
}

} // namespace

frmAcceso::frmAcceso(TerminalContext& context, Opciones opciones, QWidget* parent)
    : QWidget(parent), m_context(context), m_opciones(std::move(opciones)),
      m_display(context, m_opciones.reloj, m_opciones.terminarPrograma, m_opciones.continuarArranque),
      m_firma(context) {
    setObjectName(QStringLiteral("frmAcceso"));
    // Keeps the keyboard (and a keyboard card reader) while it stands: its card box is hidden.
    setFocusPolicy(Qt::StrongFocus);
    setWindowTitle(m_opciones.titulo);
    construir();
    cargarLogo();
}

frmAcceso::~frmAcceso() {
    // The reader given in the options outlives this screen and must not call into it any more.
    DesactivarLector();
    if (m_cargada)
        m_context.bitacora().EscribirBitacora(QStringLiteral("frmAcceso unload"));
}

void frmAcceso::construir() {
    TouchTheme::apply(this);
    // The access screen is a top-level widget, not a dialog: it takes the dialogs' dark background and
    // larger captions for what is read from across the room.
    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(styleSheet() +
                  QStringLiteral("QWidget#frmAcceso { background: %1; }"
                                 "QLabel#lblTerminal { font-size: 48px; font-weight: bold; }"
                                 "QLabel#imgLogo { font-size: 96px; font-weight: bold; color: %2; }"
                                 "QLabel#lblFecha { font-size: 26px; }"
                                 "QLabel#lblVersion { font-size: 18px; color: %3; }"
                                 "QTableWidget { font-size: 20px; background: %4; color: %5;"
                                 "  gridline-color: %6; border: 1px solid %6; }")
                      .arg(TouchTheme::css(TouchTheme::kFondo), TouchTheme::css(TouchTheme::kResalte),
                           TouchTheme::css(TouchTheme::kTextoSecundario),
                           TouchTheme::css(TouchTheme::kFondoLista), TouchTheme::css(TouchTheme::kTextoClaro),
                           TouchTheme::css(TouchTheme::kBorde)));
    auto* layout = new QVBoxLayout(this);

    m_lblTerminal = etiqueta(this, QStringLiteral("lblTerminal"), TouchTheme::kLetraTitulo * 2);
    layout->addWidget(m_lblTerminal);

    // The logo moves freely inside this area; no layout places it.
    m_areaLogo = new QWidget(this);
    m_areaLogo->setObjectName(QStringLiteral("fraLogo"));
    m_areaLogo->setMinimumHeight(200);
    m_imgLogo = etiqueta(m_areaLogo, QStringLiteral("imgLogo"), TouchTheme::kLetraTitulo * 3);
    layout->addWidget(m_areaLogo, 1);

    m_lblIngresando = etiqueta(this, QStringLiteral("lblIngresando"), TouchTheme::kLetraTitulo);
    m_lblIngresando->setText(QStringLiteral("Ingresando..."));
    m_lblIngresando->setVisible(false);
    layout->addWidget(m_lblIngresando);
    m_lblDesconectada = etiqueta(this, QStringLiteral("lblDesconectada"), TouchTheme::kLetraTitulo);
    m_lblDesconectada->setVisible(false);
    layout->addWidget(m_lblDesconectada);

    auto* grids = new QHBoxLayout;
    m_grdTerminales = grid(this, QStringLiteral("grdTerminales"));
    m_grdImpresoras = grid(this, QStringLiteral("grdImpresoras"));
    grids->addWidget(m_grdTerminales);
    grids->addWidget(m_grdImpresoras);
    layout->addLayout(grids);

    m_lblFecha = etiqueta(this, QStringLiteral("lblFecha"), TouchTheme::kLetraTexto);
    layout->addWidget(m_lblFecha);
    m_lblVersion = etiqueta(this, QStringLiteral("lblVersion"), TouchTheme::kLetraTecla);
    m_lblVersion->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    layout->addWidget(m_lblVersion);

    // The card box shows what the card reader typed so far; both it and its confirm button stay
    // hidden, and the button is enabled once a server answers.
    m_txtUsuario = new QLineEdit(this);
    m_txtUsuario->setObjectName(QStringLiteral("txtUsuario"));
    m_txtUsuario->setVisible(false);
    m_txtUsuario->installEventFilter(this);
    m_cmdAccesar = new TeclaTactil(QStringLiteral("Accesar"), this);
    m_cmdAccesar->setObjectName(QStringLiteral("cmdAccesar"));
    m_cmdAccesar->setEnabled(false);
    m_cmdAccesar->setVisible(false);
    connect(m_cmdAccesar, &QPushButton::clicked, this, [this] { accesar(); });
    m_imgLogo->installEventFilter(this);

    m_tmrMoverLogo = new QTimer(this);
    m_tmrMoverLogo->setObjectName(QStringLiteral("tmrMoverLogo"));
    m_tmrMoverLogo->setInterval(kIntervaloLogo);
    connect(m_tmrMoverLogo, &QTimer::timeout, this, [this] { moverLogo(); });
    m_tmrBuscaServidor = new QTimer(this);
    m_tmrBuscaServidor->setObjectName(QStringLiteral("tmrBuscaServidor"));
    m_tmrBuscaServidor->setInterval(kIntervaloBusqueda);
    connect(m_tmrBuscaServidor, &QTimer::timeout, this, [this] { buscarServidor(); });
}

void frmAcceso::cargarLogo() {
    QPixmap imagen;
    if (QFile::exists(m_opciones.logo))
        imagen.load(m_opciones.logo);
    if (imagen.isNull())
        m_imgLogo->setText(QString::fromLatin1(kTextoLogo));
    else
        m_imgLogo->setPixmap(imagen);
    m_imgLogo->adjustSize();
    m_imgLogo->move(0, 0);
}

void frmAcceso::cargarEtiquetas() {
    m_lblTerminal->setText(m_display.nombreTerminal());
    m_lblVersion->setText(AccesoDisplay::version(m_opciones.titulo, m_opciones.version, m_opciones.mesero));
}

void frmAcceso::showAccessScreen(bool serverFound) {
    m_lblVersion->setText(AccesoDisplay::version(m_opciones.titulo, m_opciones.version, m_opciones.mesero));
    if (serverFound) {
        m_lblDesconectada->setVisible(false);
        cargarEtiquetas();
        habilitarFirma();
        iniciarRefresco();
    } else {
        m_lblDesconectada->setVisible(true);
        m_tmrBuscaServidor->start();
    }
    mostrarPantalla();
    if (!m_cargada) {
        m_cargada = true;
        m_context.bitacora().EscribirBitacora(QStringLiteral("frmAcceso load"));
    }
}

void frmAcceso::returnToAccess(const QString& /*screenName*/, bool /*unload*/) {
    // The screen that ended the work hides or unloads itself; this one takes over the terminal again.
    m_lblIngresando->setVisible(false);
    m_txtUsuario->clear();
    ActivarLector();
    // The day end leaves through SalirSistema from inside a refresh: that refresh decides what follows.
    if (!m_refrescando)
        iniciarRefresco();
    mostrarPantalla();
    setFocus();
}

void frmAcceso::mostrarPantalla() {
    TouchTheme::mostrarPantalla(this, m_opciones.pantallaCompleta);
}

void frmAcceso::iniciarRefresco() {
    m_pasos = 0;
    // Started first: a refresh that ends the day stops it again.
    m_tmrMoverLogo->start();
    refrescar();
}

void frmAcceso::llenar(QTableWidget* tabla, const AccesoDisplay::Filas& filas) {
    qsizetype columnas = 0;
    for (const QStringList& fila : filas)
        columnas = std::max(columnas, fila.size());
    tabla->clear();
    tabla->setRowCount(static_cast<int>(filas.size()));
    tabla->setColumnCount(static_cast<int>(columnas));
    for (qsizetype r = 0; r < filas.size(); ++r)
        for (qsizetype c = 0; c < filas[r].size(); ++c)
            tabla->setItem(static_cast<int>(r), static_cast<int>(c), new QTableWidgetItem(filas[r][c]));
    tabla->setVisible(!filas.isEmpty());
}

void frmAcceso::refrescar() {
    // A message shown during the refresh (a database error) runs its own event loop: the timer must
    // not fire again under it, or a lasting error stacks one box a second. It goes on once the
    // refresh is over.
    const bool enMarcha = m_tmrMoverLogo->isActive();
    m_tmrMoverLogo->stop();
    m_refrescando = true;
    const AccesoDisplay::Refresco refresco = m_display.refrescar(*this);
    m_refrescando = false;
    m_lblFecha->setText(refresco.fecha);
    // After a day end the machine is restarting and the program ending: nothing more to refresh.
    if (refresco.accion == AccesoDisplay::Accion::FinDia)
        return;
    if (enMarcha)
        m_tmrMoverLogo->start();
    llenar(m_grdTerminales, refresco.terminales);
    llenar(m_grdImpresoras, refresco.impresoras);
}

void frmAcceso::moverLogo() {
    m_imgLogo->move(m_rebote.siguiente(m_areaLogo->rect(), m_imgLogo->size(), m_imgLogo->pos()));
    if (++m_pasos >= kPasosPorRefresco) {
        m_pasos = 0;
        refrescar();
    }
}

void frmAcceso::buscarServidor() {
    // A message shown during the try runs its own event loop; the timer must not fire again under it.
    m_tmrBuscaServidor->stop();
    switch (m_display.buscarServidor()) {
    case AccesoDisplay::Busqueda::Encontrado:
        m_lblDesconectada->setVisible(false);
        cargarEtiquetas();
        habilitarFirma();
        iniciarRefresco();
        return;
    case AccesoDisplay::Busqueda::TerminalInvalida:
        return;
    case AccesoDisplay::Busqueda::NoResponde:
        m_puntos = m_puntos % 20 + 1;
        m_lblDesconectada->setText(QString(m_puntos + 1, u'.'));
        break;
    case AccesoDisplay::Busqueda::SinNombre:
        break;
    }
    m_tmrBuscaServidor->start();
}

void frmAcceso::habilitarFirma() {
    m_cmdAccesar->setEnabled(true);
    ActivarLector();
}

CardReader::Receptor frmAcceso::receptorLector() {
    CardReader::Receptor receptor;
    receptor.tarjeta = [this](const QString& tarjeta) {
        // Only the check digest is written: the rest of the text is what signs the employee in.
        m_context.bitacora().EscribirBitacora(QStringLiteral(">>>>>>>>>>>>>>>>>>>>>> TARJETA: ") +
                                              tarjeta.section(u'_', 0, 0));
        recibirTarjeta(tarjeta);
    };
    receptor.error = [this](int codigo) {
        m_context.bitacora().EscribirBitacora(QStringLiteral(">>>>>>>>>>>>>>>>>>TARJETA ERR:") +
                                              QString::number(codigo));
    };
    return receptor;
}

void frmAcceso::ActivarLector() {
    if (!m_teclado.activo())
        m_teclado.activar(receptorLector());
    if (!m_opciones.lector)
        return;
    m_opciones.lector->desactivar();
    m_opciones.lector->activar(receptorLector());
}

void frmAcceso::DesactivarLector() {
    if (m_opciones.lector)
        m_opciones.lector->desactivar();
}

void frmAcceso::recibirTarjeta(const QString& tarjeta) {
    if (!m_cmdAccesar->isEnabled()) {
        m_txtUsuario->clear();
        return;
    }
    m_txtUsuario->setText(tarjeta);
    m_cmdAccesar->click();
}

void frmAcceso::accesar() {
    const QString tarjeta = m_txtUsuario->text();
    m_txtUsuario->clear();
    m_teclado.limpiar();
    const qint16 id = m_firma.identificar(tarjeta);
    if (id < 1)
        return;
    m_lblIngresando->setVisible(true);
    m_lblIngresando->repaint();
    if (m_firma.entrar(id) != FirmaEmpleado::Entrada::Firmado) {
        m_lblIngresando->setVisible(false);
        return;
    }
    // Done before the next screen opens: a modal one returns only when the employee leaves.
    m_tmrMoverLogo->stop();
    m_context.bitacora().EscribirBitacora(QStringLiteral("Entrando al sistema"));
    m_lblIngresando->setVisible(false);
    DesactivarLector();
    // The access screen stands aside, hidden and not unloaded, while the employee works.
    hide();
    // Declining a new table leaves nobody working here: the employee is released and the screen
    // waits for the next card instead of standing still with the employee bound.
    if (m_firma.rutear() == FirmaEmpleado::Ruta::Cancelada)
        m_context.SalirSistema(*this, objectName(), false);
}

bool frmAcceso::tecla(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        m_teclado.confirmar();
        m_txtUsuario->setText(m_teclado.pendiente());
        return true;
    }
    const QString texto = event->text();
    if (texto.isEmpty())
        return false;
    // "A" lists the employees without a card, unless it is part of a card being typed.
    if (m_teclado.vacio() && texto.compare(QStringLiteral("A"), Qt::CaseInsensitive) == 0) {
        if (m_cmdAccesar->isEnabled())
            m_firma.registrarTarjetas();
        return true;
    }
    m_teclado.teclear(texto);
    m_txtUsuario->setText(m_teclado.pendiente());
    return true;
}

void frmAcceso::keyPressEvent(QKeyEvent* event) {
    if (!tecla(event))
        QWidget::keyPressEvent(event);
}

bool frmAcceso::eventFilter(QObject* watched, QEvent* event) {
    // Keys sent to the hidden box itself go through the same reader as those typed on the screen.
    if (watched == m_txtUsuario && event->type() == QEvent::KeyPress)
        return tecla(static_cast<QKeyEvent*>(event));
    if (watched == m_imgLogo && event->type() == QEvent::MouseButtonPress) {
        if (m_cmdAccesar->isEnabled())
            m_firma.registrarTarjetas();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace nerin
