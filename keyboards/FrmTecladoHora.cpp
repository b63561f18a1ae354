#include "keyboards/FrmTecladoHora.h"

#include "text/TextFormat.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace nerin {

FrmTecladoHora::FrmTecladoHora(QWidget* parent)
    : ModalScreen(parent, QStringLiteral("FrmTecladoHora")),
      m_horaTexto(crearEtiqueta(QStringLiteral("lblHora"))) {
    setWindowTitle(QStringLiteral("Hora"));
    m_horaTexto->setAlignment(Qt::AlignCenter);
    m_horaTexto->setStyleSheet(QStringLiteral("font-size: 40px; font-weight: bold;"));

    QPushButton* horaArriba = crearTecla(QStringLiteral("▲"), QStringLiteral("cmdHoraArriba"));
    QPushButton* horaAbajo = crearTecla(QStringLiteral("▼"), QStringLiteral("cmdHoraAbajo"));
    QPushButton* minutoArriba = crearTecla(QStringLiteral("▲"), QStringLiteral("cmdMinutoArriba"));
    QPushButton* minutoAbajo = crearTecla(QStringLiteral("▼"), QStringLiteral("cmdMinutoAbajo"));
    QPushButton* aceptar = crearTecla(QStringLiteral("Aceptar"), QStringLiteral("cmdAceptar"));
    QPushButton* cancelar = crearTecla(QStringLiteral("Cancelar"), QStringLiteral("cmdCancelar"));
    connect(horaArriba, &QPushButton::clicked, this, [this] { moverHora(1); });
    connect(horaAbajo, &QPushButton::clicked, this, [this] { moverHora(-1); });
    connect(minutoArriba, &QPushButton::clicked, this, [this] { moverMinuto(1); });
    connect(minutoAbajo, &QPushButton::clicked, this, [this] { moverMinuto(-1); });
    connect(aceptar, &QPushButton::clicked, this, [this] {
        m_cancelado = false;
        accept();
    });
    connect(cancelar, &QPushButton::clicked, this, [this] { reject(); });

    QLabel* hora = crearEtiqueta(QStringLiteral("lblTituloHora"));
    hora->setText(QStringLiteral("Hora"));
    QLabel* minuto = crearEtiqueta(QStringLiteral("lblTituloMinuto"));
    minuto->setText(QStringLiteral("Minuto"));
    auto* rejilla = new QGridLayout;
    rejilla->addWidget(hora, 0, 0, Qt::AlignCenter);
    rejilla->addWidget(minuto, 0, 1, Qt::AlignCenter);
    rejilla->addWidget(horaArriba, 1, 0);
    rejilla->addWidget(minutoArriba, 1, 1);
    rejilla->addWidget(m_horaTexto, 2, 0, 1, 2);
    rejilla->addWidget(horaAbajo, 3, 0);
    rejilla->addWidget(minutoAbajo, 3, 1);
    rejilla->addWidget(cancelar, 4, 0);
    rejilla->addWidget(aceptar, 4, 1);
    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(16, 16, 16, 16);
    todo->addLayout(rejilla);
    mostrarHora();
}

void FrmTecladoHora::setHora(const QTime& hora) {
    m_hora = hora.isValid() ? QTime(hora.hour(), hora.minute()) : QTime(0, 0);
    mostrarHora();
}

void FrmTecladoHora::moverHora(int pasos) {
    const int hora = ((m_hora.hour() + pasos) % 24 + 24) % 24;
    m_hora = QTime(hora, m_hora.minute());
    mostrarHora();
}

void FrmTecladoHora::moverMinuto(int pasos) {
    const int minuto = ((m_hora.minute() + pasos) % 60 + 60) % 60;
    m_hora = QTime(m_hora.hour(), minuto);
    mostrarHora();
}

void FrmTecladoHora::mostrarHora() {
    m_horaTexto->setText(TextFormat::time(m_hora, u"hh:mm AMPM"));
}

void FrmTecladoHora::reject() {
    m_cancelado = true;
    QDialog::reject();
}

void FrmTecladoHora::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_cancelado = false;
        accept();
        return;
    case Qt::Key_Escape:
        reject();
        return;
    case Qt::Key_Up:
        moverMinuto(1);
        return;
    case Qt::Key_Down:
        moverMinuto(-1);
        return;
    case Qt::Key_PageUp:
        moverHora(1);
        return;
    case Qt::Key_PageDown:
        moverHora(-1);
        return;
    default:
        ModalScreen::keyPressEvent(event);
    }
}

} // namespace nerin
