#include "cashier/frmFacturas.h"

#include "data/Bitacora.h"
#include "startup/TerminalContext.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace nerin {

namespace {

QLineEdit* campo(QWidget* parent, const QString& nombre) {
    auto* caja = new QLineEdit(parent);
    caja->setObjectName(nombre);
    caja->setReadOnly(true);
    caja->setFocusPolicy(Qt::NoFocus);
    return caja;
}

struct Fila {
    FacturaCuenta::Campo campo;
    const char* etiqueta;
    const char* nombre; // the field's name; its edit key is "cmdEditar" + the name without "txt"
};

constexpr Fila kFilas[] = {
    {FacturaCuenta::Campo::Rfc, "R.F.C.", "txtRFC"},
    {FacturaCuenta::Campo::Razon, "Razón social", "txtrazon"},
    {FacturaCuenta::Campo::DirCalle, "Dirección 1", "txtDirCalle"},
    {FacturaCuenta::Campo::DirCol, "Dirección 2", "txtDirCol"},
    {FacturaCuenta::Campo::DirDelMun, "Dirección 3", "txtDirDelMun"},
};

} // namespace

frmFacturas::frmFacturas(TerminalContext& context, qint32 idComanda, qint16 control, qint16 numCuenta,
                         QWidget* parent)
    : ModalScreen(parent, QStringLiteral("frmFacturas")), m_context(context),
      m_factura(context, idComanda, control, numCuenta),
      m_txtCveCliente(campo(this, QStringLiteral("txtCveCliente"))) {
    m_context.bitacora().EscribirBitacora(QStringLiteral("frmFacturas.Load"));
    setWindowTitle(QStringLiteral("Facturación"));
    // Wide enough for a company name or an address line of 40 letters.
    resize(1024, 620);

    QLabel* titulo = crearEtiqueta(QStringLiteral("lblTitulo"));
    titulo->setText(QStringLiteral("Factura de la cuenta ") + QString::number(numCuenta) +
                    QStringLiteral(" de la comanda ") + QString::number(idComanda));
    titulo->setAlignment(Qt::AlignCenter);

    auto* datos = new QGridLayout;
    datos->addWidget(new QLabel(QStringLiteral("Clave"), this), 0, 0);
    datos->addWidget(m_txtCveCliente, 0, 1);
    QPushButton* buscarClave = crearTecla(QStringLiteral("Buscar clave"), QStringLiteral("cmdBuscarClave"));
    connect(buscarClave, &QPushButton::clicked, this, [this] {
        if (m_factura.buscarClave())
            mostrarCliente();
    });
    datos->addWidget(buscarClave, 0, 3);
    for (const Fila& fila : kFilas) {
        const int renglon = static_cast<int>(fila.campo) + 1;
        const QString nombre = QString::fromLatin1(fila.nombre);
        QLineEdit* caja = campo(this, nombre);
        caja->installEventFilter(this);
        m_campos[static_cast<size_t>(fila.campo)] = caja;
        QPushButton* editar =
            crearTecla(QStringLiteral("Editar"), QStringLiteral("cmdEditar") + nombre.mid(3));
        connect(editar, &QPushButton::clicked, this, [this, c = fila.campo] { this->editar(c); });
        datos->addWidget(new QLabel(QString::fromUtf8(fila.etiqueta), this), renglon, 0);
        datos->addWidget(caja, renglon, 1);
        datos->addWidget(editar, renglon, 2);
    }
    QPushButton* buscarRfc = crearTecla(QStringLiteral("Buscar R.F.C."), QStringLiteral("cmdBuscarRFC"));
    connect(buscarRfc, &QPushButton::clicked, this, [this] {
        if (m_factura.buscarRfc())
            mostrarCliente();
    });
    datos->addWidget(buscarRfc, 1, 3);
    datos->setColumnStretch(1, 1);

    QPushButton* nuevo = crearTecla(QStringLiteral("Nuevo"), QStringLiteral("cmdNuevo"));
    QPushButton* aceptar = crearTecla(QStringLiteral("Aceptar"), QStringLiteral("cmdAceptar"));
    QPushButton* imprimir = crearTecla(QStringLiteral("Imprimir"), QStringLiteral("cmdImprimir"));
    QPushButton* cancelar = crearTecla(QStringLiteral("Cancelar"), QStringLiteral("cmdCancelar"));
    connect(nuevo, &QPushButton::clicked, this, [this] {
        m_factura.nuevo();
        mostrarCliente();
    });
    connect(aceptar, &QPushButton::clicked, this, [this] {
        m_factura.aceptar();
        mostrarCliente();
    });
    connect(imprimir, &QPushButton::clicked, this, [this] { m_factura.imprimir(); });
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
    auto* acciones = new QHBoxLayout;
    for (QPushButton* tecla : {nuevo, aceptar, imprimir, cancelar})
        acciones->addWidget(tecla);

    auto* todo = new QVBoxLayout(this);
    todo->addWidget(titulo);
    todo->addLayout(datos);
    todo->addStretch(1);
    todo->addLayout(acciones);

    m_factura.cargar();
    mostrarCliente();
}

void frmFacturas::mostrarCliente() {
    const ClienteFiscal& cliente = m_factura.cliente();
    m_txtCveCliente->setText(cliente.cveCliente > 0 ? QString::number(cliente.cveCliente) : QString());
    const QString textos[] = {cliente.rfc, cliente.razon, cliente.dirCalle, cliente.dirCol,
                              cliente.dirDelMun};
    for (size_t i = 0; i < m_campos.size(); ++i)
        m_campos[i]->setText(textos[i]);
}

void frmFacturas::editar(FacturaCuenta::Campo campo) {
    if (m_factura.editar(campo))
        mostrarCliente();
}

bool frmFacturas::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress)
        for (size_t i = 0; i < m_campos.size(); ++i)
            if (watched == m_campos[i]) {
                editar(static_cast<FacturaCuenta::Campo>(i));
                return true;
            }
    return ModalScreen::eventFilter(watched, event);
}

} // namespace nerin
