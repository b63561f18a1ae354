#include "startup/frmConfiguracion.h"

#include "keyboards/Prompts.h"
#include "startup/Configuracion.h"
#include "startup/TerminalContext.h"
#include "startup/TipoCambio.h"
#include "ui/TouchTheme.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace nerin {

namespace {

constexpr int kAncho = 900; // fits a 1024x768 screen with the captions whole

QGridLayout* armarPantalla(ModalScreen* pantalla, QLabel* titulo, QHBoxLayout** botones) {
    auto* vertical = new QVBoxLayout(pantalla);
    vertical->addWidget(titulo);
    auto* rejilla = new QGridLayout;
    vertical->addLayout(rejilla);
    vertical->addStretch(1);
    *botones = new QHBoxLayout;
    vertical->addLayout(*botones);
    return rejilla;
}

} // namespace

frmConfiguracion::frmConfiguracion(Configuracion& configuracion, QWidget* parent)
    : ModalScreen(parent, QStringLiteral("frmConfiguracion")), m_configuracion(&configuracion) {
    setWindowTitle(QStringLiteral("Configuración de la terminal"));
    QLabel* titulo = crearEtiqueta(QStringLiteral("lblTitulo"));
    titulo->setText(QStringLiteral("CONFIGURACION DE LA TERMINAL"));
    QHBoxLayout* botones = nullptr;
    construirAjustes(armarPantalla(this, titulo, &botones));

    const struct {
        const char* texto;
        const char* nombre;
        std::function<void()> accion;
    } acciones[] = {
        {"Guardar", "cmdGuardar", [this] { guardarAjustes(); }},
        {"Reemplazar programas", "cmdRemplazar", [this] { m_configuracion->remplazarProgramas(); }},
        {"Salir", "cmdSalir", [this] { m_configuracion->salir(); }},
        {"Apagar", "cmdApagar", [this] { m_configuracion->apagar(); }},
        {"Reiniciar", "cmdReiniciar", [this] { m_configuracion->reiniciar(); }},
        {"Cancelar", "cmdCancelar", [this] { reject(); }},
    };
    // Saving and cancelling on one row, the requests that end the program or the machine's work on
    // another, so that no caption is cut at 1024x768.
    auto* peligrosos = new QHBoxLayout;
    qobject_cast<QVBoxLayout*>(layout())->addLayout(peligrosos);
    for (const auto& accion : acciones) {
        QPushButton* boton = crearTecla(QString::fromUtf8(accion.texto), QString::fromLatin1(accion.nombre));
        connect(boton, &QPushButton::clicked, this, accion.accion);
        const bool fila1 =
            qstrcmp(accion.nombre, "cmdGuardar") == 0 || qstrcmp(accion.nombre, "cmdCancelar") == 0;
        (fila1 ? botones : peligrosos)->addWidget(boton);
    }
    setMinimumWidth(kAncho);
    m_configuracion->cargar();
    mostrarValores();
}

frmConfiguracion::frmConfiguracion(TerminalContext& context, QWidget* parent)
    : ModalScreen(parent, QStringLiteral("frmConfiguracion")), m_context(&context) {
    setWindowTitle(QStringLiteral("Tipo de cambio"));
    QLabel* titulo = crearEtiqueta(QStringLiteral("lblTitulo"));
    titulo->setText(QStringLiteral("TIPO DE CAMBIO"));
    QHBoxLayout* botones = nullptr;
    construirTipoCambio(armarPantalla(this, titulo, &botones));

    QPushButton* guardar = crearTecla(QStringLiteral("Guardar"), QStringLiteral("cmdGuardar"));
    connect(guardar, &QPushButton::clicked, this, [this] { guardarTipoCambio(); });
    QPushButton* cancelar = crearTecla(QStringLiteral("Cancelar"), QStringLiteral("cmdCancelar"));
    connect(cancelar, &QPushButton::clicked, this, [this] { reject(); });
    botones->addWidget(guardar);
    botones->addWidget(cancelar);
}

QLineEdit* frmConfiguracion::crearCampo(const QString& nombre) {
    auto* campo = new QLineEdit(this);
    campo->setObjectName(nombre);
    campo->setReadOnly(true);
    campo->setFocusPolicy(Qt::NoFocus);
    return campo;
}

void frmConfiguracion::construirAjustes(QGridLayout* rejilla) {
    // Room for the longest caption in two lines, so that none needs a third the row has no height for.
    rejilla->setColumnMinimumWidth(0, kAncho * 3 / 10);
    int fila = 0;
    for (const Configuracion::Campo& ajuste : m_configuracion->campos()) {
        QLabel* etiqueta = crearEtiqueta(QStringLiteral("lbl") + ajuste.clave);
        etiqueta->setText(ajuste.indicacion);
        QLineEdit* campo = crearCampo(QStringLiteral("txt") + ajuste.clave);
        QPushButton* editar = crearTecla(QStringLiteral("..."), QStringLiteral("cmd") + ajuste.clave);
        const QString clave = ajuste.clave;
        connect(editar, &QPushButton::clicked, this, [this, clave, campo] {
            if (m_configuracion->editar(clave))
                campo->setText(m_configuracion->valor(clave));
        });
        rejilla->addWidget(etiqueta, fila, 0);
        rejilla->addWidget(campo, fila, 1);
        rejilla->addWidget(editar, fila, 2);
        m_campos.insert(clave, campo);
        ++fila;
    }
    const struct {
        const char* clave;
        const char* texto;
    } interruptores[] = {{Configuracion::kServEncontrado, "Servidor encontrado"},
                         {Configuracion::kMandarBitacora, "Mandar bitácora"}};
    for (const auto& interruptor : interruptores) {
        const QString clave = QString::fromLatin1(interruptor.clave);
        auto* casilla = new QCheckBox(QString::fromUtf8(interruptor.texto), this);
        casilla->setObjectName(QStringLiteral("chk") + clave);
        casilla->setFocusPolicy(Qt::NoFocus);
        casilla->setMinimumHeight(TouchTheme::kMinimoTecla);
        connect(casilla, &QCheckBox::toggled, this,
                [this, clave](bool marcada) { m_configuracion->setInterruptor(clave, marcada); });
        rejilla->addWidget(casilla, fila++, 0, 1, 3);
        m_interruptores.insert(clave, casilla);
    }
}

void frmConfiguracion::construirTipoCambio(QGridLayout* rejilla) {
    QLabel* etiqueta = crearEtiqueta(QStringLiteral("lblTipoCambio"));
    etiqueta->setText(QStringLiteral("TIPO DE CAMBIO (US)"));
    m_txtTipoCambio = crearCampo(QStringLiteral("txtTipoCambio"));
    TipoCambio tipoCambio(m_context->baseDatos(), m_context->prompts());
    m_txtTipoCambio->setText(tipoCambio.actual().toPlainText());
    QPushButton* editar = crearTecla(QStringLiteral("..."), QStringLiteral("cmdTipoCambio"));
    connect(editar, &QPushButton::clicked, this, [this] {
        TipoCambio pedido(m_context->baseDatos(), m_context->prompts());
        const auto actual = Currency::parse(m_txtTipoCambio->text());
        if (const auto nueva = pedido.pedir(actual ? *actual : Currency()))
            m_txtTipoCambio->setText(nueva->toPlainText());
    });
    rejilla->addWidget(etiqueta, 0, 0);
    rejilla->addWidget(m_txtTipoCambio, 0, 1);
    rejilla->addWidget(editar, 0, 2);
}

void frmConfiguracion::mostrarValores() {
    for (auto campo = m_campos.cbegin(); campo != m_campos.cend(); ++campo)
        campo.value()->setText(m_configuracion->valor(campo.key()));
    for (auto casilla = m_interruptores.cbegin(); casilla != m_interruptores.cend(); ++casilla)
        casilla.value()->setChecked(m_configuracion->interruptor(casilla.key()));
}

void frmConfiguracion::guardarAjustes() {
    // The screen shows what was stored: server names with their backslashes.
    if (m_configuracion->guardar())
        mostrarValores();
}

void frmConfiguracion::guardarTipoCambio() {
    const auto tasa = Currency::parse(m_txtTipoCambio->text());
    TipoCambio tipoCambio(m_context->baseDatos(), m_context->prompts());
    if (!tasa || !tipoCambio.escribir(*tasa)) {
        m_context->Mensaje(QStringLiteral("No se pudo realizar la operacion"), Prompts::kCritical);
        return;
    }
    m_context->tipoCambio = *tasa;
    accept();
}

} // namespace nerin
