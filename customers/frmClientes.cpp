#include "customers/frmClientes.h"

#include "customers/frmClientesList.h"
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

using Campo = FichaCliente::Campo;
using Filtro = FichaCliente::Filtro;

struct Fila {
    Campo campo;
    const char* nombre; // the field's name; its edit key is "cmdEditar" + the name without "txt"
};

constexpr Fila kFilas[] = {
    {Campo::Nombre, "txtNombre"},
    {Campo::ApPaterno, "txtApPaterno"},
    {Campo::ApMaterno, "txtApMaterno"},
    {Campo::FechaNacimiento, "txtFechaNacimiento"},
    {Campo::Tel, "txtTel"},
    {Campo::RFC, "txtRFC"},
    {Campo::Razon, "txtRazon"},
    {Campo::Tarjeta, "txtTarjeta"},
    {Campo::DirCalle, "txtDirCalle"},
    {Campo::DirCol, "txtDirCol"},
    {Campo::DirDelMun, "txtDirDelMun"},
    {Campo::CP, "txtCP"},
    {Campo::Email, "txtEmail"},
    {Campo::Edad, "txtEdad"},
    {Campo::Genero, "txtGenero"},
    {Campo::Ciudad, "txtCiudad"},
    {Campo::TarjetaTemporal, "txtTarjetaTemporal"},
};

struct Busqueda {
    Filtro filtro;
    const char* texto;
    const char* nombre;
};

constexpr Busqueda kBusquedas[] = {
    {Filtro::Nombre, "Buscar nombre", "cmdBuscarNombre"},
    {Filtro::ApPaterno, "Buscar apellido", "cmdBuscarPaterno"},
    {Filtro::Razon, "Buscar razón social", "cmdBuscarRazon"},
    {Filtro::RFC, "Buscar R.F.C.", "cmdBuscarRFC"},
    {Filtro::Tel, "Buscar teléfono", "cmdBuscarTel"},
};

} // namespace

frmClientes::frmClientes(TerminalContext& context, FichaCliente::Modo modo, QWidget* parent)
    : ModalScreen(parent, QStringLiteral("frmClientes")), m_context(context), m_ficha(context, modo) {
    m_context.bitacora().EscribirBitacora(QStringLiteral("frmClientes.Load"));
    const QString nombre = modo == FichaCliente::Modo::Registro ? QStringLiteral("Registrar cliente")
                                                                : QStringLiteral("Clientes");
    setWindowTitle(nombre);
    resize(1024, 740);
    QLabel* titulo = crearEtiqueta(QStringLiteral("lblTitulo"));
    titulo->setText(nombre);
    titulo->setAlignment(Qt::AlignCenter);

    // Two columns of fields, each a label, the field and its edit key.
    auto* datos = new QGridLayout;
    int shown = 0;
    for (const Fila& fila : kFilas) {
        if (!m_ficha.usaCampo(fila.campo))
            continue;
        const QString nombreCampo = QString::fromLatin1(fila.nombre);
        auto* caja = new QLineEdit(this);
        caja->setObjectName(nombreCampo);
        caja->setReadOnly(true);
        caja->setFocusPolicy(Qt::NoFocus);
        caja->installEventFilter(this);
        m_campos.insert(fila.campo, caja);
        QPushButton* editar =
            crearTecla(QStringLiteral("Editar"), QStringLiteral("cmdEditar") + nombreCampo.mid(3));
        connect(editar, &QPushButton::clicked, this, [this, c = fila.campo] { this->editar(c); });
        const int renglon = shown % 8;
        const int columna = (shown / 8) * 3;
        datos->addWidget(new QLabel(FichaCliente::titulo(fila.campo), this), renglon, columna);
        datos->addWidget(caja, renglon, columna + 1);
        datos->addWidget(editar, renglon, columna + 2);
        ++shown;
    }
    datos->setColumnStretch(1, 1);
    datos->setColumnStretch(4, 1);

    auto* busquedas = new QHBoxLayout;
    for (const Busqueda& b : kBusquedas) {
        QPushButton* tecla = crearTecla(QString::fromUtf8(b.texto), QString::fromLatin1(b.nombre));
        connect(tecla, &QPushButton::clicked, this, [this, f = b.filtro] { buscar(f); });
        busquedas->addWidget(tecla);
    }
    QPushButton* todos = crearTecla(QStringLiteral("Lista"), QStringLiteral("cmdLista"));
    connect(todos, &QPushButton::clicked, this, [this] { lista({}); });
    busquedas->addWidget(todos);

    QPushButton* aceptar = crearTecla(QStringLiteral("Aceptar"), QStringLiteral("cmdAceptar"));
    QPushButton* cancelar = crearTecla(QStringLiteral("Cancelar"), QStringLiteral("cmdCancelar"));
    connect(aceptar, &QPushButton::clicked, this, [this] {
        if (m_ficha.aceptar())
            accept();
        else
            mostrarCliente();
    });
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);
    auto* acciones = new QHBoxLayout;
    acciones->addWidget(aceptar);
    acciones->addWidget(cancelar);

    auto* todo = new QVBoxLayout(this);
    todo->addWidget(titulo);
    todo->addLayout(datos);
    todo->addLayout(busquedas);
    todo->addStretch(1);
    todo->addLayout(acciones);
}

void frmClientes::mostrarCliente() {
    // Each field shows the start of its text, as a long text is read from its beginning.
    for (auto it = m_campos.cbegin(); it != m_campos.cend(); ++it) {
        it.value()->setText(m_ficha.texto(it.key()));
        it.value()->setCursorPosition(0);
    }
}

void frmClientes::editar(Campo campo) {
    if (m_ficha.editar(campo))
        mostrarCliente();
}

void frmClientes::buscar(Filtro filtro) {
    const std::optional<QList<ClientesLocales::Renglon>> hallados = m_ficha.buscar(filtro);
    if (!hallados || hallados->isEmpty())
        return;
    if (hallados->size() == 1) {
        m_ficha.cargar(hallados->first().cveCliente);
        mostrarCliente();
        return;
    }
    // Several match: the person chooses among them.
    lista(m_ficha.ultimaBusqueda());
}

void frmClientes::lista(const ClientesLocales::Busqueda& busqueda) {
    frmClientesList lista(m_context, busqueda, this);
    lista.mostrar();
    if (lista.elegido() && m_ficha.cargar(*lista.elegido()))
        mostrarCliente();
}

bool frmClientes::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress)
        for (auto it = m_campos.cbegin(); it != m_campos.cend(); ++it)
            if (watched == it.value()) {
                editar(it.key());
                return true;
            }
    return ModalScreen::eventFilter(watched, event);
}

} // namespace nerin
