#include "tables/frmMesasAbiertas.h"

#include "data/Bitacora.h"
#include "startup/TerminalContext.h"
#include "tables/frmMesaNueva.h"
#include "text/TextFormat.h"
#include "ui/TouchTheme.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace nerin {

namespace {

// The headings of the view's columns; a column not named here shows its own name.
QString encabezado(const QString& columna) {
    static const QList<std::pair<QString, QString>> kEncabezados = {
        {QStringLiteral("ID_Comanda"), QStringLiteral("Folio")},
        {QStringLiteral("Control"), QStringLiteral("Terminal")},
        {QStringLiteral("Num_Mesa"), QStringLiteral("Mesa")},
        {QStringLiteral("Mesero"), QStringLiteral("Mesero")},
        {QStringLiteral("Tipo"), QStringLiteral("Tipo")},
        {QStringLiteral("Huespedes"), QStringLiteral("Huéspedes")},
        {QStringLiteral("Num_Impresiones"), QStringLiteral("Impresa")},
        {QStringLiteral("ID_Empleado"), QStringLiteral("Empleado")},
        {QStringLiteral("Total"), QStringLiteral("Total")},
        {QStringLiteral("Fecha_Apertura"), QStringLiteral("Apertura")},
    };
    for (const auto& [nombre, texto] : kEncabezados) {
        if (columna.compare(nombre, Qt::CaseInsensitive) == 0)
            return texto;
    }
    return columna;
}

QString celda(const QString& columna, const DbValue& valor) {
    if (valor.type() == DbValue::Type::Currency || columna.compare(u"Total", Qt::CaseInsensitive) == 0)
        return TextFormat::number(valor.toCurrency(), u"#,##0.00");
    if (valor.type() == DbValue::Type::DateTime)
        return valor.toDateTime().toString(QStringLiteral("HH:mm"));
    return valor.toString();
}

const QColor kAzul(TouchTheme::kTextoAzulFuerte);

} // namespace

frmMesasAbiertas::frmMesasAbiertas(TerminalContext& context, AccessScreen& acceso, QWidget* parent)
    : QWidget(parent), m_context(context), m_acceso(acceso), m_mesas(context) {
    setObjectName(QStringLiteral("frmMesasAbiertas"));
    m_context.bitacora().EscribirBitacora(QStringLiteral("frmMesasAbiertas.Load"));
    construir();
    aplicarModo(MesasAbiertas::Modo::Normal);
}

frmMesasAbiertas::~frmMesasAbiertas() {
    m_context.bitacora().EscribirBitacora(QStringLiteral("frmMesasAbiertas.Unload"));
}

void frmMesasAbiertas::construir() {
    TouchTheme::apply(this);
    // A top-level widget, not a dialog: it takes the dialogs' dark background itself. The grid stays
    // light so that the blue of the printed tables reads well.
    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(styleSheet() +
                  QStringLiteral("QWidget#frmMesasAbiertas { background: %2; }"
                                 "QTableWidget { font-size: %1px; background: %3; color: %4; }"
                                 "QTableWidget::item:selected { background: %5; color: %4; }")
                      .arg(TouchTheme::kLetraTexto)
                      .arg(TouchTheme::css(TouchTheme::kFondo), TouchTheme::css(TouchTheme::kCampo),
                           TouchTheme::css(TouchTheme::kTextoOscuro), TouchTheme::css(TouchTheme::kResalte)));
    setWindowTitle(QStringLiteral("Mesas abiertas"));
    resize(1024, 768);

    m_lblTitulo = new QLabel(this);
    m_lblTitulo->setObjectName(QStringLiteral("lblTitulo"));
    m_lblTitulo->setAlignment(Qt::AlignCenter);
    QFont letraTitulo = m_lblTitulo->font();
    letraTitulo.setPixelSize(TouchTheme::kLetraTitulo);
    letraTitulo.setBold(true);
    m_lblTitulo->setFont(letraTitulo);
    m_lblEmpleado = new QLabel(this);
    m_lblEmpleado->setObjectName(QStringLiteral("lblEmpleado"));
    m_lblEmpleado->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    m_grid = new QTableWidget(this);
    m_grid->setObjectName(QStringLiteral("Spread"));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->verticalHeader()->setVisible(false);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_grid->horizontalHeader()->setStretchLastSection(true);

    const auto tecla = [this](const QString& texto, const QString& nombre) {
        QPushButton* boton = TouchTheme::tecla(texto, nombre, this);
        boton->setMinimumSize(TouchTheme::kMinimoTecla * 2, TouchTheme::kMinimoTecla);
        return boton;
    };
    QPushButton* arriba = tecla(QStringLiteral("▲"), QStringLiteral("cmdArriba"));
    QPushButton* abajo = tecla(QStringLiteral("▼"), QStringLiteral("cmdAbajo"));
    arriba->setMinimumSize(TouchTheme::kMinimoTecla, TouchTheme::kMinimoTecla * 2);
    abajo->setMinimumSize(TouchTheme::kMinimoTecla, TouchTheme::kMinimoTecla * 2);
    connect(arriba, &QPushButton::clicked, this, [this] { desplazar(-1); });
    connect(abajo, &QPushButton::clicked, this, [this] { desplazar(1); });

    m_cmdAbrirMesa = tecla(QStringLiteral("Abrir mesa"), QStringLiteral("cmdAbrirMesa"));
    m_cmdVerMesa = tecla(QStringLiteral("Ver mesa"), QStringLiteral("cmdVerMesa"));
    m_cmdPagar = tecla(QStringLiteral("Pagar"), QStringLiteral("cmdPagar"));
    m_cmdTransferir = tecla(QStringLiteral("Transferir"), QStringLiteral("cmdTransferir"));
    m_cmdUtilerias = tecla(QStringLiteral("Utilerias"), QStringLiteral("cmdUtilerias"));
    m_cmdSalir = tecla(QStringLiteral("Salir"), QStringLiteral("cmdSalir"));
    m_cmdAceptar = tecla(QStringLiteral("Aceptar"), QStringLiteral("cmdAceptar"));
    m_cmdCancelar = tecla(QStringLiteral("Cancelar"), QStringLiteral("cmdCancelar"));
    connect(m_cmdAbrirMesa, &QPushButton::clicked, this, [this] { abrirMesa(); });
    connect(m_cmdVerMesa, &QPushButton::clicked, this, [this] { verMesa(MesasAbiertas::Accion::VerMesa); });
    connect(m_cmdPagar, &QPushButton::clicked, this, [this] { verMesa(MesasAbiertas::Accion::Pagar); });
    connect(m_cmdTransferir, &QPushButton::clicked, this, [this] { transferir(); });
    connect(m_cmdUtilerias, &QPushButton::clicked, this, [this] {
        if (m_mesas.Utilerias())
            hide();
    });
    connect(m_cmdSalir, &QPushButton::clicked, this, [this] {
        hide();
        m_mesas.Salir(m_acceso);
    });
    connect(m_cmdAceptar, &QPushButton::clicked, this, [this] { aceptar(); });
    connect(m_cmdCancelar, &QPushButton::clicked, this, [this] { cancelar(); });

    auto* encabezadoFila = new QHBoxLayout;
    encabezadoFila->addWidget(m_lblTitulo, 1);
    encabezadoFila->addWidget(m_lblEmpleado);
    auto* desplazamiento = new QVBoxLayout;
    desplazamiento->addWidget(arriba);
    desplazamiento->addStretch(1);
    desplazamiento->addWidget(abajo);
    auto* centro = new QHBoxLayout;
    centro->addWidget(m_grid, 1);
    centro->addLayout(desplazamiento);
    auto* botones = new QHBoxLayout;
    for (QPushButton* boton : {m_cmdAbrirMesa, m_cmdVerMesa, m_cmdPagar, m_cmdTransferir, m_cmdUtilerias,
                               m_cmdAceptar, m_cmdCancelar, m_cmdSalir})
        botones->addWidget(boton);
    auto* todo = new QVBoxLayout(this);
    todo->addLayout(encabezadoFila);
    todo->addLayout(centro, 1);
    todo->addLayout(botones);
}

void frmMesasAbiertas::aplicarModo(MesasAbiertas::Modo modo) {
    using Modo = MesasAbiertas::Modo;
    m_modo = modo;
    m_lblTitulo->setText(MesasAbiertas::titulo(modo));
    const bool normal = modo == Modo::Normal;
    m_cmdAbrirMesa->setVisible(normal);
    m_cmdVerMesa->setVisible(normal);
    m_cmdPagar->setVisible(normal);
    m_cmdUtilerias->setVisible(normal);
    m_cmdSalir->setVisible(normal);
    m_cmdTransferir->setVisible(modo != Modo::Cortesia);
    m_cmdAceptar->setVisible(modo == Modo::Cortesia);
    m_cmdCancelar->setVisible(!normal);
}

void frmMesasAbiertas::mostrar(MesasAbiertas::Modo modo) {
    aplicarModo(modo);
    if (isVisible())
        Llenar_Spread();
    else
        show();
    raise();
    activateWindow();
}

void frmMesasAbiertas::setTransferirMesero(bool activo) {
    aplicarModo(activo ? MesasAbiertas::Modo::Transferir : MesasAbiertas::Modo::Normal);
}

void frmMesasAbiertas::setAsignarCortesia(bool activo) {
    aplicarModo(activo ? MesasAbiertas::Modo::Cortesia : MesasAbiertas::Modo::Normal);
}

void frmMesasAbiertas::DatosEmpleado() {
    const MesasAbiertas::Botones botones = m_mesas.DatosEmpleado();
    m_cmdTransferir->setEnabled(botones.transferir);
    m_cmdAbrirMesa->setEnabled(botones.abrirMesa);
    m_cmdVerMesa->setEnabled(botones.verMesa);
    m_cmdPagar->setEnabled(botones.pagar);
    m_lblEmpleado->setText(botones.usuario);
}

void frmMesasAbiertas::Llenar_Spread() {
    const std::optional<MesasAbiertas::Fila> anterior = filaActual();
    const std::optional<RecordSet> mesas = m_mesas.Llenar_Spread();
    if (!mesas)
        return;
    m_grid->clear();
    m_filas.clear();
    m_grid->setColumnCount(mesas->fieldCount());
    QStringList encabezados;
    for (const QString& columna : mesas->columns())
        encabezados.append(encabezado(columna));
    m_grid->setHorizontalHeaderLabels(encabezados);
    m_grid->setRowCount(mesas->recordCount());
    const int alto = m_grid->horizontalHeader()->sizeHint().height() + MesasAbiertas::kAltoExtraFila;
    int seleccion = 0;
    for (int r = 0; r < mesas->recordCount(); ++r) {
        const QList<DbValue>& valores = mesas->rows()[r];
        const bool azul = MesasAbiertas::azul(valores);
        m_filas.append(MesasAbiertas::fila(valores));
        for (int c = 0; c < mesas->fieldCount() && c < valores.size(); ++c) {
            auto* item = new QTableWidgetItem(celda(mesas->columns()[c], valores[c]));
            if (azul && c < MesasAbiertas::kColumnaImpresiones)
                item->setForeground(kAzul);
            m_grid->setItem(r, c, item);
        }
        m_grid->setRowHeight(r, alto);
        if (anterior && m_filas.last().idComanda == anterior->idComanda &&
            m_filas.last().control == anterior->control)
            seleccion = r;
    }
    // A table stays chosen across refreshes; otherwise the first one is.
    if (m_grid->rowCount() > 0)
        m_grid->selectRow(seleccion);
}

std::optional<MesasAbiertas::Fila> frmMesasAbiertas::filaActual() const {
    const int fila = m_grid->currentRow();
    if (fila < 0 || fila >= m_filas.size())
        return std::nullopt;
    return m_filas[fila];
}

bool frmMesasAbiertas::hayFilas() const {
    return !m_filas.isEmpty();
}

void frmMesasAbiertas::abrirMesa() {
    frmMesaNueva nueva(m_context, this);
    nueva.mostrar();
    // The new-table screen opened the order screen itself.
    if (nueva.numeroMesa() >= 0)
        hide();
}

void frmMesasAbiertas::verMesa(MesasAbiertas::Accion accion) {
    const std::optional<MesasAbiertas::Fila> fila = filaActual();
    if (!hayFilas() || !fila)
        return;
    if (m_mesas.VerMesa(*fila, accion))
        hide();
}

void frmMesasAbiertas::aceptar() {
    const std::optional<MesasAbiertas::Fila> fila = filaActual();
    if (!fila)
        return;
    if (!m_mesas.AceptarCortesia(*fila))
        return;
    // The courtesy screen has closed: the open tables again, with the totals it changed.
    aplicarModo(MesasAbiertas::Modo::Normal);
    Llenar_Spread();
}

void frmMesasAbiertas::cancelar() {
    const bool fuera = m_mesas.Utilerias();
    aplicarModo(MesasAbiertas::Modo::Normal);
    if (fuera)
        hide();
}

void frmMesasAbiertas::transferir() {
    m_mesas.Transferir(hayFilas() ? filaActual() : std::nullopt);
    // The transfer screens move tables between numbers and waiters.
    if (isVisible())
        Llenar_Spread();
}

void frmMesasAbiertas::desplazar(int filas) {
    QScrollBar* barra = m_grid->verticalScrollBar();
    barra->setValue(barra->value() + filas * barra->singleStep());
}

void frmMesasAbiertas::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    m_recienMostrada = true;
    // The screen is kept between sign-ins: whoever it is shown to now decides its buttons and label.
    DatosEmpleado();
    Llenar_Spread();
}

bool frmMesasAbiertas::event(QEvent* event) {
    // Coming back to the front after a screen shown over it, the grid is read again; the activation
    // that follows showing it is already covered by showEvent.
    if (event->type() == QEvent::WindowActivate) {
        if (!m_recienMostrada)
            Llenar_Spread();
        m_recienMostrada = false;
    }
    return QWidget::event(event);
}

} // namespace nerin
