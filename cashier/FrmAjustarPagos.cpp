#include "cashier/FrmAjustarPagos.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace nerin {

FrmAjustarPagos::FrmAjustarPagos(AjustePagos& ajuste, AjustePagos::Pago pago, QWidget* parent)
    : ModalScreen(parent, QStringLiteral("FrmAjustarPagos")), m_ajuste(ajuste), m_pago(std::move(pago)) {
    setWindowTitle(QStringLiteral("Tipo de pago"));
    QLabel* lblTitulo = crearEtiqueta(QStringLiteral("lblTitulo"));
    lblTitulo->setText(QStringLiteral("Mesa ") + QString::number(m_pago.mesa) + QStringLiteral(": ") +
                       m_pago.tipo);

    m_tiposPago = m_ajuste.tiposPago().value_or(QList<AjustePagos::TipoPago>());
    auto* tipos = new QGridLayout;
    auto* grupo = new QButtonGroup(this);
    for (int i = 0; i < m_tiposPago.size(); ++i) {
        const AjustePagos::TipoPago& tipo = m_tiposPago.at(i);
        QPushButton* boton = crearTecla(tipo.nombre, QStringLiteral("cmdTipoPago%1").arg(tipo.id));
        boton->setCheckable(true);
        grupo->addButton(boton);
        const qint32 id = tipo.id;
        connect(boton, &QPushButton::clicked, this, [this, id] { m_elegido = id; });
        tipos->addWidget(boton, (i % kPorPagina) / 2, i % 2);
        m_botones.append(boton);
    }
    m_cmdMenos = crearTecla(QStringLiteral("Menos"), QStringLiteral("cmdMenos"));
    m_cmdMas = crearTecla(QStringLiteral("Más"), QStringLiteral("cmdMas"));
    connect(m_cmdMenos, &QPushButton::clicked, this, [this] {
        --m_pagina;
        mostrarPagina();
    });
    connect(m_cmdMas, &QPushButton::clicked, this, [this] {
        ++m_pagina;
        mostrarPagina();
    });
    QPushButton* aceptar = crearTecla(QStringLiteral("Aceptar"), QStringLiteral("cmdAceptar"));
    QPushButton* cancelar = crearTecla(QStringLiteral("Cancelar"), QStringLiteral("cmdCancelar"));
    connect(aceptar, &QPushButton::clicked, this, [this] { this->aceptar(); });
    connect(cancelar, &QPushButton::clicked, this, [this] { reject(); });

    auto* botones = new QHBoxLayout;
    botones->addWidget(m_cmdMenos);
    botones->addWidget(m_cmdMas);
    botones->addStretch(1);
    botones->addWidget(cancelar);
    botones->addWidget(aceptar);
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(lblTitulo);
    todo->addLayout(tipos, 1);
    todo->addLayout(botones);
    mostrarPagina();
}

void FrmAjustarPagos::mostrarPagina() {
    const int paginas = std::max(1, static_cast<int>((m_botones.size() + kPorPagina - 1) / kPorPagina));
    m_pagina = std::clamp(m_pagina, 0, paginas - 1);
    for (int i = 0; i < m_botones.size(); ++i)
        m_botones.at(i)->setVisible(i / kPorPagina == m_pagina);
    m_cmdMenos->setEnabled(m_pagina > 0);
    m_cmdMas->setEnabled(m_pagina < paginas - 1);
}

void FrmAjustarPagos::aceptar() {
    if (m_ajuste.cambiarTipo(m_pago, m_elegido))
        accept();
}

} // namespace nerin
