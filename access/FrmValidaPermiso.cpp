#include "access/FrmValidaPermiso.h"

#include "access/ValidaPermiso.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace nerin {

FrmValidaPermiso::FrmValidaPermiso(TerminalContext& context, QWidget* parent, CardReader* lector)
    : ModalScreen(parent, QStringLiteral("FrmValidaPermiso")), m_context(context), m_lector(lector),
      m_lblTitulo(crearEtiqueta(QStringLiteral("lblTitulo"))),
      m_lblMensaje(crearEtiqueta(QStringLiteral("lblMensaje"))), m_txtUsuario(new QLineEdit(this)),
      m_cmdAccesar(crearTecla(QStringLiteral("Accesar"), QStringLiteral("cmdAccesar"))) {
    m_lblTitulo->setAlignment(Qt::AlignCenter);
    m_lblMensaje->setAlignment(Qt::AlignCenter);
    // The hidden card box and its confirm button, pressed when a card has arrived.
    m_txtUsuario->setObjectName(QStringLiteral("txtUsuario"));
    m_txtUsuario->setVisible(false);
    m_txtUsuario->installEventFilter(this);
    m_cmdAccesar->setVisible(false);
    connect(m_cmdAccesar, &QPushButton::clicked, this, [this] { validar(); });

    QPushButton* aceptar = crearTecla(QStringLiteral("Aceptar"), QStringLiteral("cmdAceptar"));
    QPushButton* cancelar = crearTecla(QStringLiteral("Cancelar"), QStringLiteral("cmdCancelar"));
    connect(aceptar, &QPushButton::clicked, this, [this] { pedirTarjeta(); });
    connect(cancelar, &QPushButton::clicked, this, [this] {
        m_valido = false;
        reject();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lblTitulo);
    layout->addWidget(m_lblMensaje);
    auto* botones = new QHBoxLayout;
    botones->addWidget(aceptar);
    botones->addWidget(cancelar);
    layout->addLayout(botones);
    setFocusPolicy(Qt::StrongFocus);

    m_teclado.activar({[this](const QString& tarjeta) { recibirTarjeta(tarjeta); }, {}});
    if (m_lector)
        m_lector->activar({[this](const QString& tarjeta) { recibirTarjeta(tarjeta); }, {}});
}

FrmValidaPermiso::~FrmValidaPermiso() {
    if (m_lector)
        m_lector->desactivar();
}

void FrmValidaPermiso::setTitle(const QString& titulo) {
    setWindowTitle(titulo);
    m_lblTitulo->setText(titulo);
}

void FrmValidaPermiso::pedirTarjeta() {
    m_lblMensaje->setText(QStringLiteral("Pase su tarjeta!"));
    m_txtUsuario->clear();
    m_teclado.limpiar();
    setFocus();
}

void FrmValidaPermiso::recibirTarjeta(const QString& tarjeta) {
    m_txtUsuario->setText(tarjeta);
    m_cmdAccesar->click();
}

void FrmValidaPermiso::validar() {
    const QString tarjeta = m_txtUsuario->text();
    m_txtUsuario->clear();
    m_teclado.limpiar();
    ValidaPermiso regla(m_context, m_permiso);
    switch (regla.validar(tarjeta)) {
    case ValidaPermiso::Resultado::Valido:
        m_valido = true;
        accept();
        return;
    case ValidaPermiso::Resultado::SinPermiso:
        setTitle(QStringLiteral("Reintentar?"));
        m_lblMensaje->setText(QStringLiteral("No tiene permisos!"));
        return;
    case ValidaPermiso::Resultado::TarjetaInvalida:
        m_lblMensaje->setText(QStringLiteral("Tarjeta inválida"));
        return;
    }
}

bool FrmValidaPermiso::tecla(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        m_valido = false;
        reject();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_teclado.confirmar();
        break;
    default:
        if (event->text().isEmpty())
            return false;
        m_teclado.teclear(event->text());
        break;
    }
    m_txtUsuario->setText(m_teclado.pendiente());
    return true;
}

void FrmValidaPermiso::keyPressEvent(QKeyEvent* event) {
    if (!tecla(event))
        ModalScreen::keyPressEvent(event);
}

bool FrmValidaPermiso::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_txtUsuario && event->type() == QEvent::KeyPress)
        return tecla(static_cast<QKeyEvent*>(event));
    return ModalScreen::eventFilter(watched, event);
}

} // namespace nerin
