#include "keyboards/frmTecladoNumerico.h"

#include "data/Bitacora.h"
#include "keyboards/frmMsg.h"

#include <QApplication>
#include <QClipboard>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace nerin {

frmTecladoNumerico::frmTecladoNumerico(Bitacora* bitacora, QWidget* parent)
    : ModalScreen(parent, QStringLiteral("frmTecladoNumerico")), m_bitacora(bitacora),
      m_titulo(crearEtiqueta(QStringLiteral("lblTitulo"))), m_numeroTexto(new QLineEdit(this)),
      m_cmdAbierto(crearTecla(QStringLiteral("ABIERTO"), QStringLiteral("cmdAbierto"))) {
    if (m_bitacora)
        m_bitacora->EscribirBitacora(QStringLiteral("frmTecladoNumerico.load"));
    setWindowTitle(QStringLiteral("Teclado numérico"));
    m_titulo->setAlignment(Qt::AlignCenter);
    m_numeroTexto->setObjectName(QStringLiteral("txtNumero"));
    m_numeroTexto->setReadOnly(true);
    m_numeroTexto->setFocusPolicy(Qt::NoFocus);
    m_numeroTexto->setAlignment(Qt::AlignRight);

    auto* teclas = new QGridLayout;
    for (int d = 1; d <= 9; ++d) {
        QPushButton* tecla = crearTecla(QString::number(d), QStringLiteral("cmd%1").arg(d));
        teclas->addWidget(tecla, 2 - (d - 1) / 3, (d - 1) % 3);
        connect(tecla, &QPushButton::clicked, this, [this, d] {
            m_tecleado.agregar(QString::number(d));
            mostrarNumero();
        });
    }
    QPushButton* cero = crearTecla(QStringLiteral("0"), QStringLiteral("cmd0"));
    connect(cero, &QPushButton::clicked, this, [this] {
        m_tecleado.agregar(u"0");
        mostrarNumero();
    });
    QPushButton* limpiar = crearTecla(QStringLiteral("Limpiar"), QStringLiteral("cmdLimpiar"));
    connect(limpiar, &QPushButton::clicked, this, [this] {
        m_tecleado.limpiar();
        mostrarNumero();
    });
    QPushButton* borrar = crearTecla(QStringLiteral("←"), QStringLiteral("cmdBorrar"));
    connect(borrar, &QPushButton::clicked, this, [this] {
        m_tecleado.borrar();
        mostrarNumero();
    });
    teclas->addWidget(limpiar, 3, 0);
    teclas->addWidget(cero, 3, 1);
    teclas->addWidget(borrar, 3, 2);

    QPushButton* aceptarTecla = crearTecla(QStringLiteral("Aceptar"), QStringLiteral("cmdAceptar"));
    QPushButton* cancelar = crearTecla(QStringLiteral("Cancelar"), QStringLiteral("cmdCancelar"));
    teclas->addWidget(m_cmdAbierto, 0, 3);
    teclas->addWidget(cancelar, 1, 3);
    teclas->addWidget(aceptarTecla, 2, 3, 2, 1);
    aceptarTecla->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    connect(aceptarTecla, &QPushButton::clicked, this, [this] { aceptar(); });
    connect(cancelar, &QPushButton::clicked, this, [this] { reject(); });
    connect(m_cmdAbierto, &QPushButton::clicked, this, [this] {
        m_abierto = true;
        m_cancelado = false;
        m_numero = 0;
        accept();
    });
    for (int fila = 0; fila < 4; ++fila)
        teclas->setRowMinimumHeight(fila, 72);

    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(16, 16, 16, 16);
    todo->addWidget(m_titulo);
    todo->addWidget(m_numeroTexto);
    todo->addLayout(teclas, 1);

    m_aviso = [this](const QString& mensaje) { frmMsg::avisar(this, mensaje); };
}

frmTecladoNumerico::~frmTecladoNumerico() {
    if (m_bitacora)
        m_bitacora->EscribirBitacora(QStringLiteral("frmtecladonumerico.unload"));
}

void frmTecladoNumerico::setTitulo(const QString& titulo) {
    m_titulo->setText(titulo);
    setWindowTitle(titulo);
}

void frmTecladoNumerico::setDefaultNum(qint64 numero) {
    m_tecleado.fijar(numero);
    mostrarNumero();
}

void frmTecladoNumerico::setRango(qint64 minimo, qint64 maximo) {
    m_minimo = minimo;
    m_maximo = maximo;
}

void frmTecladoNumerico::setMostrarAbierto(bool mostrar) {
    m_cmdAbierto->setVisible(mostrar);
}

void frmTecladoNumerico::pegar(const QString& texto) {
    const bool todo = m_tecleado.agregar(texto);
    mostrarNumero();
    if (!todo && m_aviso)
        m_aviso(QString::fromUtf8(NumeroTecleado::kSoloDigitos));
}

void frmTecladoNumerico::mostrarNumero() {
    m_numeroTexto->setText(m_tecleado.texto());
    m_numeroTexto->setCursorPosition(static_cast<int>(m_tecleado.texto().size()));
}

void frmTecladoNumerico::aceptar() {
    const NumeroTecleado::Resultado resultado = m_tecleado.convertir(m_minimo, m_maximo);
    if (!resultado.aceptado) {
        if (m_aviso)
            m_aviso(resultado.mensaje);
        return;
    }
    m_numero = resultado.numero;
    m_cancelado = false;
    m_abierto = false;
    accept();
}

void frmTecladoNumerico::reject() {
    m_cancelado = true;
    m_abierto = false;
    QDialog::reject();
}

void frmTecladoNumerico::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        pegar(QApplication::clipboard()->text());
        return;
    }
    const bool atendida = atenderTecla(event, {[this] { aceptar(); },
                                               [this] {
                                                   m_tecleado.borrar();
                                                   mostrarNumero();
                                               },
                                               [this] {
                                                   m_tecleado.limpiar();
                                                   mostrarNumero();
                                               },
                                               [this](const QString& texto) { pegar(texto); }});
    if (!atendida)
        ModalScreen::keyPressEvent(event);
}

} // namespace nerin
