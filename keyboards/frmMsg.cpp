#include "keyboards/frmMsg.h"

#include "keyboards/Prompts.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace nerin {

frmMsg::frmMsg(QWidget* parent)
    : ModalScreen(parent, QStringLiteral("frmMsg")), m_icono(crearEtiqueta(QStringLiteral("lblIcono"))),
      m_mensaje(crearEtiqueta(QStringLiteral("lblMensaje"))),
      m_ok(crearTecla(QStringLiteral("OK"), QStringLiteral("cmdOK"))),
      m_si(crearTecla(QStringLiteral("Sí"), QStringLiteral("cmdSi"))),
      m_no(crearTecla(QStringLiteral("No"), QStringLiteral("cmdNo"))) {
    setWindowTitle(QStringLiteral("Mensaje"));
    m_mensaje->setAlignment(Qt::AlignCenter);
    m_mensaje->setMinimumWidth(480);

    auto* arriba = new QHBoxLayout;
    arriba->addWidget(m_icono);
    arriba->addWidget(m_mensaje, 1);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(m_ok);
    botones->addWidget(m_si);
    botones->addWidget(m_no);
    botones->addStretch();
    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(24, 24, 24, 24);
    todo->setSpacing(24);
    todo->addLayout(arriba, 1);
    todo->addLayout(botones);

    connect(m_ok, &QPushButton::clicked, this, [this] { responder(Prompts::kAnswerOk); });
    connect(m_si, &QPushButton::clicked, this, [this] { responder(Prompts::kAnswerYes); });
    connect(m_no, &QPushButton::clicked, this, [this] { responder(Prompts::kAnswerNo); });
    setMensaje(QString(), Prompts::kOk);
}

bool frmMsg::esSiNo() const {
    return (m_estilo & 0x0F) == Prompts::kYesNo;
}

void frmMsg::setMensaje(const QString& texto, int estilo) {
    m_estilo = estilo;
    m_mensaje->setText(texto);
    m_ok->setVisible(!esSiNo());
    m_si->setVisible(esSiNo());
    m_no->setVisible(esSiNo());

    const int icono = estilo & 0x70;
    QStyle::StandardPixmap figura = QStyle::SP_CustomBase;
    if (icono == Prompts::kCritical)
        figura = QStyle::SP_MessageBoxCritical;
    else if (icono == Prompts::kExclamation)
        figura = QStyle::SP_MessageBoxWarning;
    if (figura == QStyle::SP_CustomBase) {
        m_icono->clear();
        m_icono->setVisible(false);
    } else {
        m_icono->setPixmap(style()->standardIcon(figura).pixmap(64, 64));
        m_icono->setVisible(true);
    }
}

void frmMsg::avisar(QWidget* parent, const QString& texto) {
    frmMsg msg(parent);
    msg.setMensaje(texto, Prompts::kOk + Prompts::kExclamation);
    msg.mostrar();
}

void frmMsg::responder(int codigo) {
    m_respuesta = codigo;
    done(codigo == Prompts::kAnswerNo ? QDialog::Rejected : QDialog::Accepted);
}

void frmMsg::reject() {
    // Escape and the window's close box: the answer that changes nothing.
    m_respuesta = esSiNo() ? Prompts::kAnswerNo : Prompts::kAnswerOk;
    QDialog::reject();
}

void frmMsg::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        (esSiNo() ? m_si : m_ok)->click();
        return;
    case Qt::Key_Escape:
        (esSiNo() ? m_no : m_ok)->click();
        return;
    default:
        ModalScreen::keyPressEvent(event);
    }
}

} // namespace nerin
