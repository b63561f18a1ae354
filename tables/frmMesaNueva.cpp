#include "tables/frmMesaNueva.h"

#include "data/Bitacora.h"
#include "startup/TerminalContext.h"
#include "ui/TouchTheme.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace nerin {

frmMesaNueva::frmMesaNueva(TerminalContext& context, QWidget* parent)
    : ModalScreen(parent, QStringLiteral("frmMesaNueva")), m_context(context), m_mesaNueva(context) {
    m_context.bitacora().EscribirBitacora(QStringLiteral("frmMesaNueva.Load"));
    setWindowTitle(QStringLiteral("Mesa Nueva"));
    // The service options are touched like keys: light captions on the dark background, large marks.
    setStyleSheet(styleSheet() +
                  QStringLiteral("QRadioButton { color: #f2f2f2; font-size: %1px; }"
                                 "QRadioButton::indicator { width: 36px; height: 36px; border-radius: 20px;"
                                 "  border: 2px solid #7a8a96; background: #ffffff; }"
                                 "QRadioButton::indicator:checked { background: #f0b429;"
                                 "  border-color: #101010; }")
                      .arg(TouchTheme::kLetraTexto));

    QLabel* titulo = crearEtiqueta(QStringLiteral("lblTitulo"));
    titulo->setText(QStringLiteral("Mesa Nueva"));
    titulo->setAlignment(Qt::AlignCenter);
    m_txtMesa = new QLineEdit(this);
    m_txtMesa->setObjectName(QStringLiteral("txtMesa"));
    m_txtMesa->setReadOnly(true);
    m_txtMesa->setFocusPolicy(Qt::NoFocus);
    m_txtMesa->setAlignment(Qt::AlignRight);

    auto* teclas = new QGridLayout;
    for (int d = 0; d <= 9; ++d) {
        QPushButton* tecla = crearTecla(QString::number(d), QStringLiteral("cmd%1").arg(d));
        if (d == 0)
            teclas->addWidget(tecla, 3, 1);
        else
            teclas->addWidget(tecla, 2 - (d - 1) / 3, (d - 1) % 3);
        connect(tecla, &QPushButton::clicked, this, [this, d] { teclear(QString::number(d)); });
    }
    QPushButton* borrar = crearTecla(QStringLiteral("Borrar"), QStringLiteral("cmdBorrar"));
    connect(borrar, &QPushButton::clicked, this, [this] {
        m_tecleado.limpiar();
        mostrarNumero();
    });
    QPushButton* atras = crearTecla(QStringLiteral("<---"), QStringLiteral("cmdAtras"));
    connect(atras, &QPushButton::clicked, this, [this] {
        m_tecleado.borrar();
        mostrarNumero();
    });
    teclas->addWidget(borrar, 3, 0);
    teclas->addWidget(atras, 3, 2);
    for (int fila = 0; fila < 4; ++fila)
        teclas->setRowMinimumHeight(fila, 72);

    // The kinds of service; "Comedor" unless another is chosen.
    auto* servicios = new QVBoxLayout;
    auto* grupo = new QButtonGroup(this);
    const auto opcion = [&](const QString& texto, const QString& nombre) {
        auto* boton = new QRadioButton(texto, this);
        boton->setObjectName(nombre);
        boton->setFocusPolicy(Qt::NoFocus);
        boton->setMinimumHeight(TouchTheme::kMinimoTecla);
        grupo->addButton(boton);
        servicios->addWidget(boton);
        return boton;
    };
    m_optComedor = opcion(QStringLiteral("Comedor"), QStringLiteral("optComedor"));
    m_optParaLlevar = opcion(QStringLiteral("Para llevar"), QStringLiteral("optParaLlevar"));
    m_optDomicilio = opcion(QStringLiteral("Domicilio"), QStringLiteral("optDomicilio"));
    m_optComedor->setChecked(true);
    servicios->addStretch(1);

    m_cmdAceptar = crearTecla(QStringLiteral("Aceptar"), QStringLiteral("cmdAceptar"));
    m_cmdCancelar = crearTecla(QStringLiteral("Cancelar"), QStringLiteral("cmdCancelar"));
    connect(m_cmdAceptar, &QPushButton::clicked, this, [this] { aceptar(); });
    connect(m_cmdCancelar, &QPushButton::clicked, this, [this] { reject(); });
    servicios->addWidget(m_cmdAceptar);
    servicios->addWidget(m_cmdCancelar);

    auto* cuerpo = new QHBoxLayout;
    cuerpo->addLayout(teclas, 3);
    cuerpo->addLayout(servicios, 2);
    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(16, 16, 16, 16);
    todo->addWidget(titulo);
    todo->addWidget(m_txtMesa);
    todo->addLayout(cuerpo, 1);
}

frmMesaNueva::~frmMesaNueva() {
    m_context.bitacora().EscribirBitacora(QStringLiteral("frmMesaNueva.Unload"));
}

void frmMesaNueva::teclear(const QString& texto) {
    m_tecleado.agregar(texto);
    mostrarNumero();
}

void frmMesaNueva::mostrarNumero() {
    m_txtMesa->setText(m_tecleado.texto());
}

MesaNueva::Servicio frmMesaNueva::servicio() const {
    if (m_optComedor->isChecked())
        return MesaNueva::Servicio::Comedor;
    if (m_optParaLlevar->isChecked())
        return MesaNueva::Servicio::ParaLlevar;
    return MesaNueva::Servicio::Domicilio;
}

void frmMesaNueva::habilitar(bool habilitado) {
    m_cmdAceptar->setEnabled(habilitado);
    m_cmdCancelar->setEnabled(habilitado);
}

void frmMesaNueva::aceptar() {
    // Enter from a physical keyboard must not start a second opening while one is on its way.
    if (!m_cmdAceptar->isEnabled())
        return;
    m_cancelado = false;
    habilitar(false);
    const MesaNueva::Resultado resultado = m_mesaNueva.Aceptar(m_tecleado.texto(), servicio());
    if (resultado.abierta) {
        m_numMesa = resultado.numMesa;
        habilitar(true);
        accept();
        return;
    }
    if (resultado.vaciarNumero) {
        m_tecleado.limpiar();
        mostrarNumero();
    }
    habilitar(true);
}

void frmMesaNueva::reject() {
    if (!m_cmdCancelar->isEnabled())
        return;
    m_numMesa = -1;
    m_cancelado = true;
    ModalScreen::reject();
}

void frmMesaNueva::keyPressEvent(QKeyEvent* event) {
    const bool atendida = atenderTecla(event, {[this] { aceptar(); },
                                               [this] {
                                                   m_tecleado.borrar();
                                                   mostrarNumero();
                                               },
                                               [this] {
                                                   m_tecleado.limpiar();
                                                   mostrarNumero();
                                               },
                                               [this](const QString& texto) { teclear(texto); }});
    if (!atendida)
        ModalScreen::keyPressEvent(event);
}

} // namespace nerin
