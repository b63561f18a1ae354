#include "order/PanelProductos.h"

#include "ui/TouchTheme.h"
#include "ui/VaciarLayout.h"

#include <QCoreApplication>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace nerin {

namespace {

// Paging buttons carry negative tags so that they are never taken for a submenu.
constexpr qint32 kTagSiguiente = -1;
constexpr qint32 kTagAnterior = -2;

QIcon icono(const QString& archivo) {
    const QString ruta = QCoreApplication::applicationDirPath() + QLatin1Char('/') + archivo;
    return QFile::exists(ruta) ? QIcon(ruta) : QIcon();
}

} // namespace

PanelProductos::PanelProductos(MenuProductos& menu, std::function<bool(qint32)> alElegir, QWidget* parent)
    : QWidget(parent), m_menu(menu), m_alElegir(std::move(alElegir)) {
    setObjectName(QStringLiteral("PanelProductos"));
    auto* vertical = new QVBoxLayout(this);
    vertical->setContentsMargins(0, 0, 0, 0);
    m_rejillaSubmenus = new QGridLayout;
    m_rejillaFijos = new QGridLayout;
    m_lblSubMenu = new QLabel(this);
    m_lblSubMenu->setObjectName(QStringLiteral("lblSubMenu"));
    m_lblSubMenu->setAlignment(Qt::AlignCenter);
    m_rejillaProductos = new QGridLayout;
    // Every cell the same size, however few buttons a page has.
    for (int c = 0; c < kColumnas; ++c)
        m_rejillaProductos->setColumnStretch(c, 1);
    for (int f = 0; f < kFilas; ++f)
        m_rejillaProductos->setRowStretch(f, 1);
    auto* paginas = new QHBoxLayout;
    QPushButton* arriba = crearBoton(QStringLiteral("▲"), QStringLiteral("imgProdArriba"), this);
    QPushButton* abajo = crearBoton(QStringLiteral("▼"), QStringLiteral("imgProdAbajo"), this);
    connect(arriba, &QPushButton::clicked, this, [this] { paginaAnterior(); });
    connect(abajo, &QPushButton::clicked, this, [this] { paginaSiguiente(); });
    paginas->addWidget(arriba);
    paginas->addWidget(abajo);
    vertical->addLayout(m_rejillaSubmenus);
    vertical->addLayout(m_rejillaFijos);
    vertical->addWidget(m_lblSubMenu);
    vertical->addLayout(m_rejillaProductos, 1);
    vertical->addLayout(paginas);
}

QPushButton* PanelProductos::crearBoton(const QString& texto, const QString& nombre, QWidget* padre) {
    QPushButton* boton = TouchTheme::tecla(texto, nombre, padre);
    boton->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    return boton;
}

void PanelProductos::CrearBotonesMenu() {
    const auto submenus = m_menu.submenus();
    if (submenus) {
        m_submenus = *submenus;
        m_paginaSubmenus = 0;
        crearBotonesSubmenus();
    }
    const auto fijos = m_menu.fijos();
    if (!fijos)
        return;
    vaciarLayout(m_rejillaFijos);
    int columna = 0;
    for (const MenuProductos::Boton& fijo : *fijos) {
        QPushButton* boton = crearBoton(fijo.caption, QStringLiteral("cmdFijo%1").arg(fijo.tag), this);
        const qint32 tag = fijo.tag;
        connect(boton, &QPushButton::clicked, this, [this, tag] { MostrarProductosSubMenu(tag); });
        m_rejillaFijos->addWidget(boton, 0, columna++);
    }
}

void PanelProductos::crearBotonesSubmenus() {
    vaciarLayout(m_rejillaSubmenus);
    // The submenus share the row's width evenly, whatever the length of their names; the paging and
    // closing keys keep their own.
    for (int c = 0; c < kSubmenusPorPagina + 3; ++c)
        m_rejillaSubmenus->setColumnStretch(c, 0);
    const int paginas = static_cast<int>((m_submenus.size() + kSubmenusPorPagina - 1) / kSubmenusPorPagina);
    int columna = 0;
    if (paginas > 1) {
        QPushButton* anterior = crearBoton(QString(), QStringLiteral("cmdMenu%1").arg(kTagAnterior), this);
        anterior->setIcon(icono(QStringLiteral("Arwatr.ico")));
        anterior->setText(anterior->icon().isNull() ? QStringLiteral("◀") : QString());
        connect(anterior, &QPushButton::clicked, this, [this, paginas] {
            m_paginaSubmenus = (m_paginaSubmenus + paginas - 1) % paginas;
            crearBotonesSubmenus();
        });
        m_rejillaSubmenus->addWidget(anterior, 0, columna++);
    }
    const int desde = m_paginaSubmenus * kSubmenusPorPagina;
    for (int i = desde; i < std::min<int>(desde + kSubmenusPorPagina, static_cast<int>(m_submenus.size()));
         ++i) {
        const MenuProductos::Boton& submenu = m_submenus.at(i);
        QPushButton* boton = crearBoton(submenu.caption, QStringLiteral("cmdMenu%1").arg(submenu.tag), this);
        boton->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Expanding);
        const qint32 tag = submenu.tag;
        connect(boton, &QPushButton::clicked, this, [this, tag] { MostrarProductosSubMenu(tag); });
        m_rejillaSubmenus->setColumnStretch(columna, 1);
        m_rejillaSubmenus->addWidget(boton, 0, columna++);
    }
    if (paginas > 1) {
        QPushButton* siguiente = crearBoton(QString(), QStringLiteral("cmdMenu%1").arg(kTagSiguiente), this);
        siguiente->setIcon(icono(QStringLiteral("Arwsig.ico")));
        siguiente->setText(siguiente->icon().isNull() ? QStringLiteral("▶") : QString());
        connect(siguiente, &QPushButton::clicked, this, [this, paginas] {
            m_paginaSubmenus = (m_paginaSubmenus + 1) % paginas;
            crearBotonesSubmenus();
        });
        m_rejillaSubmenus->addWidget(siguiente, 0, columna++);
    }
    QPushButton* cerrar = crearBoton(QStringLiteral("Cerrar"), QStringLiteral("cmdCerrarMenu"), this);
    connect(cerrar, &QPushButton::clicked, this, [this] {
        ocultarPaquetes();
        m_productos = {};
        m_submenu = 0;
        CrearBotonesProductos();
    });
    m_rejillaSubmenus->addWidget(cerrar, 0, columna);
}

void PanelProductos::MostrarProductosSubMenu(qint32 submenu) {
    ocultarPaquetes();
    m_modoModificadores = false;
    m_submenu = submenu;
    m_pagina = 0;
    refrescar();
}

void PanelProductos::refrescar() {
    if (m_modoModificadores || paquetesVisibles())
        return;
    if (m_submenu != 0) {
        if (const auto productos = m_menu.MostrarProductosSubMenu(m_submenu))
            m_productos = *productos;
    }
    const int paginas =
        static_cast<int>((m_productos.botones.size() + kColumnas * kFilas - 1) / (kColumnas * kFilas));
    m_pagina = std::clamp(m_pagina, 0, std::max(0, paginas - 1));
    CrearBotonesProductos();
}

int PanelProductos::porPagina() const {
    return kColumnas * kFilas;
}

void PanelProductos::mostrarModificadores(const QList<Modificadores::Boton>& modificadores,
                                          std::function<void(qint32)> alElegir) {
    m_modificadores = modificadores;
    m_alModificar = std::move(alElegir);
    ocultarPaquetes();
    m_modoModificadores = true;
    m_paginaModificadores = 0;
    crearBotonesModificadores();
}

void PanelProductos::cerrarModificadores() {
    if (!m_modoModificadores)
        return;
    m_modoModificadores = false;
    // The products come back with their counts as they are now.
    refrescar();
}

void PanelProductos::crearBotonesModificadores() {
    vaciarLayout(m_rejillaProductos);
    m_lblSubMenu->setText(QStringLiteral("MODIFICADORES"));
    QPushButton* regresar = crearBoton(QStringLiteral("<< REGRESAR"), QStringLiteral("cmdRegresar"), this);
    connect(regresar, &QPushButton::clicked, this, [this] { cerrarModificadores(); });
    m_rejillaProductos->addWidget(regresar, 0, 0);
    regresar->show();
    // The first cell of every page holds "<< REGRESAR".
    const int porHoja = porPagina() - 1;
    const int desde = m_paginaModificadores * porHoja;
    const int hasta = std::min<int>(desde + porHoja, static_cast<int>(m_modificadores.size()));
    for (int i = desde; i < hasta; ++i) {
        const Modificadores::Boton& modificador = m_modificadores.at(i);
        QString texto = modificador.caption;
        texto.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QPushButton* boton = crearBoton(texto, QStringLiteral("cmdModificador%1").arg(modificador.id), this);
        const qint32 id = modificador.id;
        connect(boton, &QPushButton::clicked, this, [this, id] {
            if (m_alModificar)
                m_alModificar(id);
        });
        const int celda = i - desde + 1;
        m_rejillaProductos->addWidget(boton, celda / kColumnas, celda % kColumnas);
        boton->show();
    }
}

void PanelProductos::CrearBotonesProductos() {
    vaciarLayout(m_rejillaProductos);
    m_lblSubMenu->setText(m_productos.titulo);
    const int desde = m_pagina * kColumnas * kFilas;
    const int hasta = std::min<int>(desde + kColumnas * kFilas, static_cast<int>(m_productos.botones.size()));
    for (int i = desde; i < hasta; ++i) {
        const MenuProductos::Boton& producto = m_productos.botones.at(i);
        // "&" is shown as it is, never as a shortcut.
        QString texto = producto.caption;
        texto.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QPushButton* boton = crearBoton(texto, QStringLiteral("cmdProducto%1").arg(producto.tag), this);
        boton->setEnabled(producto.habilitado);
        const qint32 tag = producto.tag;
        connect(boton, &QPushButton::clicked, this, [this, boton, tag] { presionar(boton, tag); });
        m_rejillaProductos->addWidget(boton, (i - desde) / kColumnas, (i - desde) % kColumnas);
        boton->show();
    }
}

void PanelProductos::presionar(QPushButton* boton, qint32 producto) {
    const QString antes = boton->text();
    boton->setText(MenuProductos::unoMas(antes));
    // A refused product (sold out, no price) must not count one more.
    if (!m_alElegir(producto))
        boton->setText(antes);
    boton->setEnabled(m_menu.disponible(producto));
}

void PanelProductos::setPaquetes(FraPaquetes* paquetes) {
    m_paquetes = paquetes;
    auto* vertical = static_cast<QVBoxLayout*>(layout());
    auto* fijos = new QHBoxLayout;
    const char* const textos[] = {"Productos", "Insertar\nPaquete", "Seleccionar\nPaquete", "Obsequios"};
    for (int i = 0; i < 4; ++i) {
        QPushButton* boton =
            crearBoton(QString::fromUtf8(textos[i]), QStringLiteral("cmdMenuFijo%1").arg(i), this);
        connect(boton, &QPushButton::clicked, this, [this, i] {
            if (i == 0) {
                cerrarPaquetes();
                CrearBotonesMenu();
            } else {
                mostrarPaquetes(i == 1   ? FraPaquetes::Modo::Insertar
                                : i == 2 ? FraPaquetes::Modo::Elegir
                                         : FraPaquetes::Modo::Obsequios);
            }
        });
        fijos->addWidget(boton);
    }
    // Below the fixed submenus; the panel itself where the product buttons stand.
    vertical->insertLayout(2, fijos);
    vertical->insertWidget(5, paquetes, 1);
    paquetes->hide();
}

void PanelProductos::mostrarPaquetes(FraPaquetes::Modo modo) {
    if (m_paquetes == nullptr || !m_paquetes->mostrar(modo))
        return;
    m_modoModificadores = false;
    vaciarLayout(m_rejillaProductos);
    m_lblSubMenu->hide();
    // The empty product area gives its room to the panel.
    static_cast<QVBoxLayout*>(layout())->setStretchFactor(m_rejillaProductos, 0);
    m_paquetes->show();
}

void PanelProductos::ocultarPaquetes() {
    if (!paquetesVisibles())
        return;
    m_paquetes->hide();
    m_lblSubMenu->show();
    static_cast<QVBoxLayout*>(layout())->setStretchFactor(m_rejillaProductos, 1);
}

void PanelProductos::cerrarPaquetes() {
    if (!paquetesVisibles())
        return;
    ocultarPaquetes();
    refrescar();
}

void PanelProductos::paginaSiguiente() {
    if (paquetesVisibles()) {
        m_paquetes->paginaSiguiente();
        return;
    }
    if (m_modoModificadores) {
        if ((m_paginaModificadores + 1) * (porPagina() - 1) < m_modificadores.size()) {
            ++m_paginaModificadores;
            crearBotonesModificadores();
        }
        return;
    }
    if ((m_pagina + 1) * porPagina() < m_productos.botones.size()) {
        ++m_pagina;
        CrearBotonesProductos();
    }
}

void PanelProductos::paginaAnterior() {
    if (paquetesVisibles()) {
        m_paquetes->paginaAnterior();
        return;
    }
    if (m_modoModificadores) {
        if (m_paginaModificadores > 0) {
            --m_paginaModificadores;
            crearBotonesModificadores();
        }
        return;
    }
    if (m_pagina > 0) {
        --m_pagina;
        CrearBotonesProductos();
    }
}

} // namespace nerin
