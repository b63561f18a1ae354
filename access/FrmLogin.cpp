#include "access/FrmLogin.h"

#include "access/LoginEmpleado.h"
#include "keyboards/Prompts.h"
#include "startup/TerminalContext.h"

#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace nerin {

namespace {

QLineEdit* caja(QWidget* parent, const QString& nombre) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(nombre);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

} // namespace

FrmLogin::FrmLogin(TerminalContext& context, QString clave, QWidget* parent)
    : ModalScreen(parent, QStringLiteral("FrmLogin")), m_context(context), m_clave(std::move(clave)),
      m_txtUsuario(caja(this, QStringLiteral("txtUsuario"))),
      m_txtContrasena(caja(this, QStringLiteral("txtContraseña"))) {
    setWindowTitle(QStringLiteral("Ingresar"));
    m_txtUsuario->installEventFilter(this);
    m_txtContrasena->installEventFilter(this);

    QPushButton* aceptar = crearTecla(QStringLiteral("Aceptar"), QStringLiteral("cmdAceptar"));
    QPushButton* cancelar = crearTecla(QStringLiteral("Cancelar"), QStringLiteral("cmdCancelar"));
    connect(aceptar, &QPushButton::clicked, this, [this] { this->aceptar(); });
    connect(cancelar, &QPushButton::clicked, this, [this] {
        m_valido = false;
        reject();
    });

    auto* layout = new QVBoxLayout(this);
    auto* campos = new QFormLayout;
    campos->addRow(QStringLiteral("Usuario"), m_txtUsuario);
    campos->addRow(QStringLiteral("Contraseña"), m_txtContrasena);
    layout->addLayout(campos);
    auto* botones = new QHBoxLayout;
    botones->addWidget(aceptar);
    botones->addWidget(cancelar);
    layout->addLayout(botones);
}

QString FrmLogin::getUsuario() const {
    return m_valido ? m_txtUsuario->text() : QString();
}

bool FrmLogin::pedirUsuario() {
    Prompts::TextRequest pedido;
    pedido.titulo = QStringLiteral("Ingresar usuario");
    pedido.inicial = m_txtUsuario->text();
    const Prompts::TextAnswer respuesta = m_context.prompts().texto(pedido);
    if (respuesta.cancelado)
        return false;
    m_txtUsuario->setText(respuesta.texto);
    return true;
}

bool FrmLogin::pedirContrasena() {
    Prompts::TextRequest pedido;
    pedido.titulo = QStringLiteral("Ingresar contraseña");
    pedido.mbTexto = true;
    const Prompts::TextAnswer respuesta = m_context.prompts().texto(pedido);
    if (respuesta.cancelado)
        return false;
    // The box shows one "*" per character; the password itself stays here.
    m_contrasena = respuesta.texto;
    m_txtContrasena->setText(QString(m_contrasena.size(), u'*'));
    return true;
}

void FrmLogin::aceptar() {
    if (m_txtUsuario->text().isEmpty() && !pedirUsuario())
        return;
    if (m_contrasena.isEmpty() && !pedirContrasena())
        return;
    LoginEmpleado regla(m_context, m_clave);
    if (regla.validar(m_txtUsuario->text(), m_contrasena) == LoginEmpleado::Resultado::Valido) {
        m_valido = true;
        accept();
        return;
    }
    m_txtUsuario->clear();
    m_txtContrasena->clear();
    m_contrasena.clear();
}

bool FrmLogin::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == m_txtUsuario) {
            pedirUsuario();
            return true;
        }
        if (watched == m_txtContrasena) {
            pedirContrasena();
            return true;
        }
    }
    return ModalScreen::eventFilter(watched, event);
}

} // namespace nerin
