#include "keyboards/DialogoEspera.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace nerin {

DialogoEspera::DialogoEspera(QWidget* parent, int demoraMs)
    : ModalScreen(parent, QStringLiteral("DialogoEspera")),
      m_texto(crearEtiqueta(QStringLiteral("lblEspera"))),
      m_cancelar(crearTecla(QStringLiteral("Cancelar"), QStringLiteral("cmdCancelarEspera"))) {
    setWindowTitle(QStringLiteral("Espere"));
    setWindowModality(Qt::ApplicationModal);
    m_texto->setAlignment(Qt::AlignCenter);
    m_texto->setMinimumWidth(480);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(m_cancelar);
    botones->addStretch();
    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(24, 24, 24, 24);
    todo->setSpacing(24);
    todo->addWidget(m_texto, 1);
    todo->addLayout(botones);
    connect(m_cancelar, &QPushButton::clicked, this, [this] { cancelar(); });

    // Polished and laid out now, with a text of the usual length, so that appearing in the middle of a
    // call costs only the painting.
    m_texto->setText(QStringLiteral("Consultando el servicio de lealtad…"));
    ensurePolished();
    adjustSize();

    m_mostrar.setSingleShot(true);
    // A coarse timer may fire up to 5% early: the window would flash for calls just under the delay.
    m_mostrar.setTimerType(Qt::PreciseTimer);
    m_mostrar.setInterval(demoraMs);
    connect(&m_mostrar, &QTimer::timeout, this, [this] {
        show();
        raise();
    });
}

void DialogoEspera::empezar(const QString& texto, std::function<void()> cancelar) {
    m_texto->setText(texto);
    m_cancelar->setEnabled(true);
    m_alCancelar = std::move(cancelar);
    m_mostrar.start();
}

void DialogoEspera::terminar() {
    m_mostrar.stop();
    m_alCancelar = nullptr;
    hide();
}

void DialogoEspera::reject() {
    if (m_alCancelar)
        cancelar();
    else
        ModalScreen::reject();
}

void DialogoEspera::cancelar() {
    // The call may be cancelled once; the window stays until the call says it ended.
    const std::function<void()> alCancelar = std::exchange(m_alCancelar, nullptr);
    m_cancelar->setEnabled(false);
    if (alCancelar)
        alCancelar();
}

} // namespace nerin
