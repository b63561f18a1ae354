#include "customers/frmClientesList.h"

#include "keyboards/Prompts.h"
#include "startup/TerminalContext.h"

#include <QEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace nerin {

namespace {

struct Caja {
    const char* etiqueta;
    const char* nombre; // the box's name; its edit key is "cmdEditar" + the name without "txt"
    QString ClientesLocales::Busqueda::*texto;
};

const Caja kCajas[] = {
    {"Teléfono", "txtTel", &ClientesLocales::Busqueda::tel},
    {"Nombre", "txtNombre", &ClientesLocales::Busqueda::nombre},
    {"Apellidos", "txtApellidos", &ClientesLocales::Busqueda::apellidos},
    {"R.F.C.", "txtRFC", &ClientesLocales::Busqueda::rfc},
    {"Razón social", "txtRazon", &ClientesLocales::Busqueda::razon},
};

} // namespace

frmClientesList::frmClientesList(TerminalContext& context, const ClientesLocales::Busqueda& inicial,
                                 QWidget* parent)
    : ModalScreen(parent, QStringLiteral("frmClientesList")), m_context(context),
      m_clientes(context.baseDatos()), m_busqueda(inicial), m_grdClientes(new QTableWidget(0, 4, this)) {
    setWindowTitle(QStringLiteral("Buscar cliente"));
    resize(1024, 700);
    QLabel* titulo = crearEtiqueta(QStringLiteral("lblTitulo"));
    titulo->setText(QStringLiteral("Buscar cliente"));
    titulo->setAlignment(Qt::AlignCenter);

    auto* cajas = new QGridLayout;
    for (size_t i = 0; i < m_cajas.size(); ++i) {
        const QString nombre = QString::fromLatin1(kCajas[i].nombre);
        auto* caja = new QLineEdit(this);
        caja->setObjectName(nombre);
        caja->setReadOnly(true);
        caja->setFocusPolicy(Qt::NoFocus);
        caja->setText(m_busqueda.*kCajas[i].texto);
        caja->installEventFilter(this);
        m_cajas[i] = caja;
        QPushButton* editar =
            crearTecla(QStringLiteral("Editar"), QStringLiteral("cmdEditar") + nombre.mid(3));
        connect(editar, &QPushButton::clicked, this, [this, i] { this->editar(i); });
        const int renglon = static_cast<int>(i);
        cajas->addWidget(new QLabel(QString::fromUtf8(kCajas[i].etiqueta), this), renglon, 0);
        cajas->addWidget(caja, renglon, 1);
        cajas->addWidget(editar, renglon, 2);
    }
    cajas->setColumnStretch(1, 1);

    m_grdClientes->setObjectName(QStringLiteral("grdClientes"));
    m_grdClientes->setHorizontalHeaderLabels({QStringLiteral("CveCliente"), QStringLiteral("Numtarjeta"),
                                              QStringLiteral("Nombre"), QStringLiteral("tel")});
    m_grdClientes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdClientes->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grdClientes->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grdClientes->verticalHeader()->setVisible(false);
    m_grdClientes->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    connect(m_grdClientes, &QTableWidget::clicked, this, [this](const QModelIndex& indice) {
        if (indice.row() < 0 || indice.row() >= m_renglones.size())
            return;
        m_elegido = m_renglones.at(indice.row()).cveCliente;
        accept();
    });
    QPushButton* arriba = crearTecla(QStringLiteral("▲"), QStringLiteral("cmdArriba"));
    QPushButton* abajo = crearTecla(QStringLiteral("▼"), QStringLiteral("cmdAbajo"));
    connect(arriba, &QPushButton::clicked, this, [this] { moverFila(m_grdClientes, -1); });
    connect(abajo, &QPushButton::clicked, this, [this] { moverFila(m_grdClientes, 1); });

    QPushButton* buscarTecla = crearTecla(QStringLiteral("Buscar"), QStringLiteral("cmdBuscar"));
    QPushButton* cancelar = crearTecla(QStringLiteral("Cancelar"), QStringLiteral("cmdCancelar"));
    connect(buscarTecla, &QPushButton::clicked, this, [this] { buscar(); });
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
    auto* acciones = new QHBoxLayout;
    acciones->addWidget(buscarTecla);
    acciones->addWidget(cancelar);

    auto* todo = new QVBoxLayout(this);
    todo->addWidget(titulo);
    todo->addLayout(cajas);
    todo->addLayout(listaConFlechas(m_grdClientes, arriba, abajo), 1);
    todo->addLayout(acciones);

    buscar();
}

void frmClientesList::editar(size_t caja) {
    Prompts::TextRequest pedido;
    pedido.titulo = QStringLiteral("Buscar por ") + QString::fromUtf8(kCajas[caja].etiqueta).toLower();
    pedido.inicial = m_busqueda.*kCajas[caja].texto;
    const Prompts::TextAnswer respuesta = m_context.prompts().texto(pedido);
    if (respuesta.cancelado)
        return;
    m_busqueda.*kCajas[caja].texto = respuesta.texto.trimmed();
    m_cajas[caja]->setText(respuesta.texto.trimmed());
    buscar();
}

void frmClientesList::buscar() {
    // A failed search was reported: the list is left empty.
    m_renglones = m_clientes.buscar(m_busqueda).value_or(QList<ClientesLocales::Renglon>());
    m_grdClientes->clearSelection();
    m_grdClientes->setRowCount(static_cast<int>(m_renglones.size()));
    for (int fila = 0; fila < m_renglones.size(); ++fila) {
        const ClientesLocales::Renglon& r = m_renglones.at(fila);
        const QString celdas[] = {QString::number(r.cveCliente), r.numTarjeta, r.nombre, r.tel};
        for (int columna = 0; columna < 4; ++columna)
            m_grdClientes->setItem(fila, columna, new QTableWidgetItem(celdas[columna]));
    }
}

bool frmClientesList::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress)
        for (size_t i = 0; i < m_cajas.size(); ++i)
            if (watched == m_cajas[i]) {
                editar(i);
                return true;
            }
    return ModalScreen::eventFilter(watched, event);
}

} // namespace nerin
