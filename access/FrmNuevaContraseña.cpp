#include "access/FrmNuevaContraseña.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace nerin {

FrmNuevaContraseña::FrmNuevaContraseña(TerminalContext& context, QWidget* parent, CardReader* lector)
    : ModalScreen(parent, QStringLiteral("FrmNuevaContraseña")), m_cambio(context), m_lector(lector),
      m_lblTitulo(crearEtiqueta(QStringLiteral("lblTitulo"))), m_txtTarjeta(new QLineEdit(this)),
      m_cmdAccesar(crearTecla(QStringLiteral("Accesar"), QStringLiteral("cmdAccesar"))) {
    setWindowTitle(QStringLiteral("Nueva tarjeta"));
    m_lblTitulo->setAlignment(Qt::AlignCenter);
    setNombre(QString());
    QLabel* indicacion = crearEtiqueta(QStringLiteral("lblMensaje"));
    indicacion->setAlignment(Qt::AlignCenter);
    indicacion->setText(QStringLiteral("Pase la nueva tarjeta"));
    // The hidden card box and its confirm button, pressed when a card has arrived.
    m_txtTarjeta->setObjectName(QStringLiteral("txtTarjeta"));
    m_txtTarjeta->setVisible(false);
    m_txtTarjeta->installEventFilter(this);
    m_cmdAccesar->setVisible(false);
    connect(m_cmdAccesar, &QPushButton::clicked, this, [this] { guardar(); });
    QPushButton* cancelar = crearTecla(QStringLiteral("Cancelar"), QStringLiteral("cmdCancelar"));
    connect(cancelar, &QPushButton::clicked, this, [this] { reject(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lblTitulo);
    layout->addWidget(indicacion);
    layout->addWidget(cancelar);
    setFocusPolicy(Qt::StrongFocus);
    ActivarLector();
}

FrmNuevaContraseña::~FrmNuevaContraseña() {
    DesactivarLector();
}

void FrmNuevaContraseña::setNombre(const QString& nombre) {
    m_lblTitulo->setText(nombre.isEmpty() ? QStringLiteral("NUEVA TARJETA")
                                          : QStringLiteral("NUEVA TARJETA DE ") + nombre);
}

CardReader::Receptor FrmNuevaContraseña::receptor() {
    return {[this](const QString& tarjeta) { recibirTarjeta(tarjeta); }, {}};
}

void FrmNuevaContraseña::ActivarLector() {
    if (!m_teclado.activo())
        m_teclado.activar(receptor());
    if (m_lector) {
        m_lector->desactivar();
        m_lector->activar(receptor());
    }
}

void FrmNuevaContraseña::DesactivarLector() {
    m_teclado.desactivar();
    if (m_lector)
        m_lector->desactivar();
}

void FrmNuevaContraseña::recibirTarjeta(const QString& tarjeta) {
    m_txtTarjeta->setText(tarjeta);
    m_cmdAccesar->click();
}

void FrmNuevaContraseña::guardar() {
    const QString tarjeta = m_txtTarjeta->text();
    m_txtTarjeta->clear();
    m_teclado.limpiar();
    m_cambiada = m_cambio.asignar(m_idEmpleado, tarjeta) == CambioTarjeta::Resultado::Cambiada;
    if (m_cambiada)
        accept();
}

bool FrmNuevaContraseña::tecla(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
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
    m_txtTarjeta->setText(m_teclado.pendiente());
    return true;
}

void FrmNuevaContraseña::keyPressEvent(QKeyEvent* event) {
    if (!tecla(event))
        ModalScreen::keyPressEvent(event);
}

bool FrmNuevaContraseña::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_txtTarjeta && event->type() == QEvent::KeyPress)
        return tecla(static_cast<QKeyEvent*>(event));
    return ModalScreen::eventFilter(watched, event);
}

} // namespace nerin
