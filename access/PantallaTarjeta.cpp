#include "access/PantallaTarjeta.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace nerin {

PantallaTarjeta::PantallaTarjeta(QWidget* parent, const QString& nombre, const QString& nombreCaja,
                                 CardReader* lector)
    : ModalScreen(parent, nombre), m_lector(lector), m_txtTarjeta(new QLineEdit(this)),
      m_cmdAccesar(crearTecla(QStringLiteral("Accesar"), QStringLiteral("cmdAccesar"))) {
    m_txtTarjeta->setObjectName(nombreCaja);
    m_txtTarjeta->setVisible(false);
    m_txtTarjeta->installEventFilter(this);
    m_cmdAccesar->setVisible(false);
    connect(m_cmdAccesar, &QPushButton::clicked, this, [this] { confirmar(); });
    setFocusPolicy(Qt::StrongFocus);
    ActivarLector();
}

PantallaTarjeta::~PantallaTarjeta() {
    DesactivarLector();
}

void PantallaTarjeta::ActivarLector() {
    const CardReader::Receptor receptor{[this](const QString& tarjeta) { recibir(tarjeta); }, {}};
    if (!m_teclado.activo())
        m_teclado.activar(receptor);
    if (m_lector) {
        m_lector->desactivar();
        m_lector->activar(receptor);
    }
}

void PantallaTarjeta::DesactivarLector() {
    m_teclado.desactivar();
    if (m_lector)
        m_lector->desactivar();
}

void PantallaTarjeta::esperarTarjeta() {
    m_txtTarjeta->clear();
    m_teclado.limpiar();
    setFocus();
}

void PantallaTarjeta::recibir(const QString& tarjeta) {
    m_txtTarjeta->setText(tarjeta);
    m_cmdAccesar->click();
}

void PantallaTarjeta::confirmar() {
    const QString tarjeta = m_txtTarjeta->text();
    m_txtTarjeta->clear();
    m_teclado.limpiar();
    tarjetaRecibida(tarjeta);
}

bool PantallaTarjeta::tecla(QKeyEvent* event) {
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

void PantallaTarjeta::keyPressEvent(QKeyEvent* event) {
    if (!tecla(event))
        ModalScreen::keyPressEvent(event);
}

bool PantallaTarjeta::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_txtTarjeta && event->type() == QEvent::KeyPress)
        return tecla(static_cast<QKeyEvent*>(event));
    return ModalScreen::eventFilter(watched, event);
}

} // namespace nerin
