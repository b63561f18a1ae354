#include "access/FrmFunciones.h"

#include "data/Bitacora.h"
#include "startup/TerminalContext.h"
#include "ui/TouchTheme.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace nerin {

namespace {

using Boton = Funciones::Boton;

// Where a button stands: the general row, or one of the three groups.
enum Grupo { kGeneral = -1, kSistema = 0, kReportes = 1, kArticulos = 2 };

struct Definicion {
    Boton boton;
    const char* texto;
    const char* nombre;
    Grupo grupo;
};

// The menu's buttons in the order they are laid out.
const Definicion kDefiniciones[] = {
    {Boton::MesasAbiertas, "Mesas abiertas", "cmdMesasAbiertas", kGeneral},
    {Boton::MesaNueva, "Abrir mesa", "cmdAbrirMesa", kGeneral},
    {Boton::Verificacion, "Verificación", "cmdVerificacion", kGeneral},
    {Boton::Checador, "Checador", "cmdChecador", kGeneral},
    {Boton::Salir, "Salir", "cmdSalir", kGeneral},

    {Boton::CambioTarjetas, "Tarjetas de empleados", "cmdCambioPassword", kSistema},
    {Boton::PersonalFirmado, "Personal firmado", "cmdMeserosFirmados", kSistema},
    {Boton::PruebaImpresion, "Prueba de impresión", "cmdPruebaImpresion", kSistema},
    {Boton::RedirigirImpresoras, "Redirigir impresoras", "cmdRedirigir", kSistema},
    {Boton::RedirigirGrupo, "Redirigir grupo", "cmdRedirigirGrupo", kSistema},
    {Boton::ColaImpresion, "Cola de impresión", "cmdColaImpresion", kSistema},
    {Boton::Sincronizar, "Sincronizar", "cmdSincronizar", kSistema},
    {Boton::Activar, "Activar", "cmdActivar", kSistema},
    {Boton::Apagar, "Apagar", "cmdApagar", kSistema},
    {Boton::Reiniciar, "Reiniciar", "cmdReiniciar", kSistema},
    {Boton::FinDia, "Cerrar día", "cmdFinDia", kSistema},

    {Boton::ResumenPagos, "Resumen de pagos", "cmdResumen", kReportes},
    {Boton::ResumenVentas, "Resumen de ventas", "cmdResumenVentas", kReportes},
    {Boton::VentaTotal, "Venta total", "cmdVentaTotal", kReportes},
    {Boton::VentasMesero, "Ventas por mesero", "cmdVentasMesero", kReportes},
    {Boton::ReporteHuespedes, "Huéspedes", "cmdHuespedes", kReportes},
    {Boton::ArticulosCancelados, "Artículos cancelados", "cmdCancelados", kReportes},

    {Boton::AjustePropinas, "Ajustar propinas", "cmdPropinas", kArticulos},
    {Boton::Cortesias, "Cortesías", "cmdCortesias", kArticulos},
    {Boton::Reimprimir, "Reimprimir cuenta", "cmdReimprimir", kArticulos},
    {Boton::MesasEnCero, "Mesas en cero", "cmdMesasCero", kArticulos},
    {Boton::ReabrirMesa, "Reabrir mesa", "cmdReabrirMesa", kArticulos},
    {Boton::UnirMesas, "Unir mesas", "cmdUnirMesas", kArticulos},
    {Boton::ArticulosDisponibles, "Artículos disponibles", "cmdDisponibles", kArticulos},
    {Boton::TarjetaProvisional, "Tarjeta provisional", "cmdTarjetaProvisional", kArticulos},
    {Boton::RegistrarCliente, "Registrar cliente", "cmdClientes", kArticulos},
};

struct GrupoMenu {
    const char* titulo;
    const char* marco;
    const char* tecla;
};

const GrupoMenu kGrupos[] = {
    {"Sistemas", "fraSistema", "cmdSistema"},
    {"Reportes", "fraReportes", "cmdReportes"},
    {"Financieras", "fraArticulos", "cmdArticulos"},
};

constexpr int kColumnas = 4;

} // namespace

FrmFunciones::FrmFunciones(TerminalContext& context, AccessScreen& acceso, QWidget* parent)
    : QWidget(parent), m_context(context), m_cola(context.baseDatos()), m_funciones(context, acceso, m_cola) {
    setObjectName(QStringLiteral("FrmFunciones"));
    m_context.bitacora().EscribirBitacora(QStringLiteral("FrmFunciones.Load"));
    construir();
}

FrmFunciones::~FrmFunciones() {
    m_context.bitacora().EscribirBitacora(QStringLiteral("FrmFunciones.Unload"));
}

void FrmFunciones::construir() {
    TouchTheme::apply(this);
    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(styleSheet() +
                  QStringLiteral("QWidget#FrmFunciones { background: %2; }"
                                 "QGroupBox { font-size: %1px; font-weight: bold; color: %3;"
                                 " border: 2px solid %3; border-radius: 6px;"
                                 " margin-top: 18px; padding: 12px; }"
                                 "QGroupBox::title { subcontrol-origin: margin; left: 12px; }")
                      .arg(TouchTheme::kLetraTitulo)
                      .arg(TouchTheme::css(TouchTheme::kFondo), TouchTheme::css(TouchTheme::kResalte)));
    setWindowTitle(QStringLiteral("Funciones"));
    resize(1024, 768);

    auto* titulo = new QLabel(QStringLiteral("Funciones"), this);
    titulo->setObjectName(QStringLiteral("lblTitulo"));
    QFont letraTitulo = titulo->font();
    letraTitulo.setPixelSize(TouchTheme::kLetraTitulo);
    letraTitulo.setBold(true);
    titulo->setFont(letraTitulo);
    m_lblEmpleado = new QLabel(this);
    m_lblEmpleado->setObjectName(QStringLiteral("lblEmpleado"));
    m_lblEmpleado->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* encabezado = new QHBoxLayout;
    encabezado->addWidget(titulo, 1);
    encabezado->addWidget(m_lblEmpleado);

    auto* general = new QHBoxLayout;
    auto* selector = new QHBoxLayout;
    auto* marcos = new QVBoxLayout;
    QList<QGridLayout*> rejillas;
    for (int g = 0; g < static_cast<int>(std::size(kGrupos)); ++g) {
        auto* marco = new QGroupBox(QString::fromUtf8(kGrupos[g].titulo), this);
        marco->setObjectName(QString::fromLatin1(kGrupos[g].marco));
        rejillas.append(new QGridLayout(marco));
        marcos->addWidget(marco);
        m_grupos.append(marco);
        QPushButton* tecla = TouchTheme::tecla(QString::fromUtf8(kGrupos[g].titulo),
                                               QString::fromLatin1(kGrupos[g].tecla), this);
        connect(tecla, &QPushButton::clicked, this, [this, g] { mostrarGrupo(g); });
        selector->addWidget(tecla);
    }
    QList<int> enGrupo(m_grupos.size(), 0);
    for (const Definicion& definicion : kDefiniciones) {
        QPushButton* tecla = TouchTheme::tecla(QString::fromUtf8(definicion.texto),
                                               QString::fromLatin1(definicion.nombre), this);
        tecla->setMinimumSize(TouchTheme::kMinimoTecla * 3, TouchTheme::kMinimoTecla + 16);
        const Boton boton = definicion.boton;
        connect(tecla, &QPushButton::clicked, this, [this, boton] { pulsar(boton); });
        m_botones.append({boton, tecla});
        if (definicion.grupo == kGeneral) {
            general->addWidget(tecla);
        } else {
            const int n = enGrupo[definicion.grupo]++;
            rejillas[definicion.grupo]->addWidget(tecla, n / kColumnas, n % kColumnas);
        }
    }

    auto* todo = new QVBoxLayout(this);
    todo->addLayout(encabezado);
    todo->addLayout(general);
    todo->addLayout(selector);
    todo->addLayout(marcos, 1);
    mostrarGrupo(kSistema);
}

void FrmFunciones::mostrar() {
    if (isVisible()) {
        static_cast<void>(m_funciones.cargarPermisos());
        habilitar();
    } else {
        show();
    }
    raise();
    activateWindow();
}

void FrmFunciones::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The menu is kept between sign-ins: whoever it is shown to now decides its buttons.
    static_cast<void>(m_funciones.cargarPermisos());
    habilitar();
}

void FrmFunciones::mostrarGrupo(int grupo) {
    for (int g = 0; g < m_grupos.size(); ++g)
        m_grupos[g]->setVisible(g == grupo);
}

void FrmFunciones::habilitar() {
    for (const BotonMenu& boton : m_botones) {
        boton.tecla->setVisible(m_funciones.visible(boton.boton));
        boton.tecla->setEnabled(m_funciones.habilitado(boton.boton));
    }
    m_lblEmpleado->setText(m_context.sesion().usuario());
}

void FrmFunciones::pulsar(Funciones::Boton boton) {
    // A second touch while a button's work (a modal screen, a report) runs is dropped.
    if (m_ocupado)
        return;
    m_ocupado = true;
    const Funciones::Despues despues = m_funciones.pulsar(boton);
    m_ocupado = false;
    if (despues == Funciones::Despues::Quedarse)
        habilitar();
    else
        hide();
}

} // namespace nerin
