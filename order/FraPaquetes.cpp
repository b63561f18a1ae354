#include "order/FraPaquetes.h"

#include "order/MenuProductos.h"
#include "ui/TouchTheme.h"
#include "ui/VaciarLayout.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace nerin {

FraPaquetes::FraPaquetes(Paquetes& paquetes, std::function<int()> fila,
                         std::function<void(const AgregarProducto::Agregada&)> alAgregar, QWidget* parent)
    : QWidget(parent), m_paquetes(paquetes), m_fila(std::move(fila)), m_alAgregar(std::move(alAgregar)) {
    setObjectName(QStringLiteral("FraPaquetes"));
    auto* vertical = new QVBoxLayout(this);
    vertical->setContentsMargins(0, 0, 0, 0);
    m_titulo = new QLabel(this);
    m_titulo->setObjectName(QStringLiteral("lblPaquetes"));
    m_titulo->setAlignment(Qt::AlignCenter);
    m_rejilla = new QGridLayout;
    for (int c = 0; c < kColumnas; ++c)
        m_rejilla->setColumnStretch(c, 1);
    for (int f = 0; f < kFilas; ++f)
        m_rejilla->setRowStretch(f, 1);
    vertical->addWidget(m_titulo);
    vertical->addLayout(m_rejilla, 1);
}

bool FraPaquetes::mostrar(Modo modo, qint32 id) {
    std::optional<QList<Paquetes::Boton>> botones;
    switch (modo) {
    case Modo::Insertar:
    case Modo::Elegir:
        botones = m_paquetes.listar();
        break;
    case Modo::Contenido:
        botones = m_paquetes.contenido(id);
        break;
    case Modo::Obsequios:
        botones = m_paquetes.obsequios();
        break;
    case Modo::Promocion:
        botones = m_paquetes.productosPromocion(id);
        break;
    }
    if (!botones)
        return false;
    m_modo = modo;
    m_id = id;
    m_botones = *botones;
    m_pagina = 0;
    // A package's contents and a promotion's products keep the title they were chosen under.
    if (modo == Modo::Insertar)
        m_titulo->setText(QStringLiteral("Insertar Paquete"));
    else if (modo == Modo::Elegir)
        m_titulo->setText(QStringLiteral("Seleccionar Paquete"));
    else if (modo == Modo::Obsequios)
        m_titulo->setText(QStringLiteral("Seleccionar Obsequio"));
    crearBotones();
    return true;
}

void FraPaquetes::crearBotones() {
    vaciarLayout(m_rejilla);
    const int porPagina = kColumnas * kFilas;
    const int desde = m_pagina * porPagina;
    const int hasta = std::min<int>(desde + porPagina, static_cast<int>(m_botones.size()));
    for (int i = desde; i < hasta; ++i) {
        QString texto = m_botones.at(i).caption;
        texto.replace(QLatin1Char('&'), QStringLiteral("&&"));
        const qint32 id = m_botones.at(i).id;
        QPushButton* boton = TouchTheme::tecla(texto, QStringLiteral("cmdPaquete%1").arg(id), this);
        boton->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        connect(boton, &QPushButton::clicked, this, [this, id, i] { presionar(id, i); });
        m_rejilla->addWidget(boton, (i - desde) / kColumnas, (i - desde) % kColumnas);
        boton->show();
    }
}

void FraPaquetes::presionar(qint32 id, int indice) {
    std::optional<AgregarProducto::Agregada> agregada;
    switch (m_modo) {
    case Modo::Insertar:
        agregada = m_paquetes.insertar(id);
        break;
    case Modo::Elegir:
        mostrar(Modo::Contenido, id);
        return;
    case Modo::Contenido:
        agregada = m_paquetes.elegir(m_id, id, m_fila());
        break;
    case Modo::Obsequios:
        mostrar(Modo::Promocion, id);
        return;
    case Modo::Promocion:
        agregada = m_paquetes.agregarObsequio(m_id, id);
        break;
    }
    if (!agregada)
        return;
    // The count goes up on the button pressed; the buttons are made again with it.
    m_botones[indice].caption = MenuProductos::unoMas(m_botones.at(indice).caption);
    m_alAgregar(*agregada);
    crearBotones();
}

void FraPaquetes::paginaSiguiente() {
    if ((m_pagina + 1) * kColumnas * kFilas < m_botones.size()) {
        ++m_pagina;
        crearBotones();
    }
}

void FraPaquetes::paginaAnterior() {
    if (m_pagina > 0) {
        --m_pagina;
        crearBotones();
    }
}

} // namespace nerin
