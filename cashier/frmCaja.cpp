#include "cashier/frmCaja.h"

#include "data/Bitacora.h"
#include "startup/Navegacion.h"
#include "startup/TerminalContext.h"
#include "text/TextFormat.h"
#include "ui/TouchTheme.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace nerin {

namespace {

constexpr int kColumnasPagos = 5;

QString dinero(Currency monto) {
    return TextFormat::number(monto, u"$#,0.00");
}

QTableWidget* crearGrid(QWidget* parent, const QString& nombre, int filas, int columnas) {
    auto* grid = new QTableWidget(filas, columnas, parent);
    grid->setObjectName(nombre);
    grid->setFocusPolicy(Qt::NoFocus);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->horizontalHeader()->setVisible(false);
    grid->verticalHeader()->setVisible(false);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    return grid;
}

void poner(QTableWidget* grid, int fila, int columna, const QString& texto) {
    grid->setItem(fila, columna, new QTableWidgetItem(texto));
}

} // namespace

frmCaja::frmCaja(TerminalContext& context, Facturacion& facturacion, AbonoLealtad& lealtad, QWidget* parent)
    : ModalScreen(parent, QStringLiteral("frmCaja")), m_context(context),
      m_caja(context, facturacion, lealtad) {
    m_context.bitacora().EscribirBitacora(QStringLiteral("frmCaja.Load"));
    setWindowTitle(QStringLiteral("Caja"));

    QLabel* titulo = crearEtiqueta(QStringLiteral("lblTitulo"));
    titulo->setText(QStringLiteral("Caja"));
    titulo->setAlignment(Qt::AlignCenter);
    m_lblHuespedes = crearTecla(QString(), QStringLiteral("lblHuespedes"));
    connect(m_lblHuespedes, &QPushButton::clicked, this, [this] {
        if (m_caja.cambiarHuespedes())
            m_lblHuespedes->setText(m_caja.textoHuespedes());
    });

    m_lblCliente = crearEtiqueta(QStringLiteral("lblCliente"));
    QPushButton* tarjeta = crearTecla(QStringLiteral("Tarjeta Cliente"), QStringLiteral("cmdTarjetaCliente"));
    connect(tarjeta, &QPushButton::clicked, this, [this] { tarjetaCliente(); });

    // Columns: name, amount, payment type, class, reference; type and class are kept out of sight.
    m_grdPagos = crearGrid(this, QStringLiteral("grdPagos"), 0, kColumnasPagos);
    m_grdPagos->setColumnHidden(2, true);
    m_grdPagos->setColumnHidden(3, true);
    m_grdTotales = crearGrid(this, QStringLiteral("grdTotales"), 4, 2);
    poner(m_grdTotales, 0, 0, QStringLiteral("Total"));
    poner(m_grdTotales, 1, 0, QStringLiteral("Pagado"));
    poner(m_grdTotales, 2, 0, QStringLiteral("Cambio"));
    poner(m_grdTotales, 3, 0, QStringLiteral("IVA"));

    m_caja.cargarTiposPago();
    auto* tipos = new QGridLayout;
    for (int i = 0; i < m_caja.tiposPago().size(); ++i) {
        QPushButton* boton =
            crearTecla(m_caja.tiposPago().at(i).nombre, QStringLiteral("cmdTipoPago%1").arg(i + 1));
        connect(boton, &QPushButton::clicked, this, [this, i] { elegirTipo(i); });
        tipos->addWidget(boton, i / 3, i % 3);
        m_tipos.append(boton);
    }
    QPushButton* arriba = crearTecla(QStringLiteral("▲"), QStringLiteral("cmdArriba"));
    QPushButton* abajo = crearTecla(QStringLiteral("▼"), QStringLiteral("cmdAbajo"));
    connect(arriba, &QPushButton::clicked, this, [this] {
        m_primeraFilaTipos = std::max(0, m_primeraFilaTipos - 1);
        mostrarTipos();
    });
    connect(abajo, &QPushButton::clicked, this, [this] {
        const int filas = static_cast<int>((m_tipos.size() + 2) / 3);
        m_primeraFilaTipos = std::min(std::max(0, filas - kFilasTipos), m_primeraFilaTipos + 1);
        mostrarTipos();
    });
    auto* desplazar = new QVBoxLayout;
    desplazar->addWidget(arriba);
    desplazar->addWidget(abajo);
    auto* panelTipos = new QHBoxLayout;
    panelTipos->addLayout(tipos, 1);
    panelTipos->addLayout(desplazar);

    m_cmdAceptar = crearTecla(QStringLiteral("Aceptar"), QStringLiteral("cmdAceptar"));
    QPushButton* cancelar = crearTecla(QStringLiteral("Cancelar"), QStringLiteral("cmdCancelar"));
    QPushButton* borrarPago = crearTecla(QStringLiteral("Borrar"), QStringLiteral("cmdBorrar"));
    connect(m_cmdAceptar, &QPushButton::clicked, this, [this] { aceptar(); });
    connect(cancelar, &QPushButton::clicked, this, [this] { reject(); });
    connect(borrarPago, &QPushButton::clicked, this, [this] { borrar(); });
    auto* acciones = new QHBoxLayout;
    acciones->addWidget(borrarPago);
    acciones->addWidget(tarjeta);
    acciones->addWidget(m_lblCliente, 1);
    acciones->addWidget(cancelar);
    acciones->addWidget(m_cmdAceptar);

    auto* cabecera = new QHBoxLayout;
    cabecera->addWidget(titulo, 1);
    cabecera->addWidget(m_lblHuespedes);
    auto* centro = new QHBoxLayout;
    centro->addWidget(m_grdPagos, 3);
    centro->addWidget(m_grdTotales, 2);
    auto* todo = new QVBoxLayout(this);
    todo->addLayout(cabecera);
    todo->addLayout(centro, 1);
    todo->addLayout(panelTipos);
    todo->addLayout(acciones);
    resize(1024, 768);
    mostrarTipos();
}

void frmCaja::setNumero_Comanda(qint32 idComanda) {
    m_caja.setNumero_Comanda(idComanda);
    mostrarCuenta();
}

void frmCaja::setNumero_Control(qint16 control) {
    m_caja.setNumero_Control(control);
    mostrarCuenta();
}

void frmCaja::setNumero_Cuenta(qint16 numCuenta) {
    m_caja.setNumero_Cuenta(numCuenta);
    mostrarCuenta();
}

void frmCaja::mostrarTipos() {
    for (int i = 0; i < m_tipos.size(); ++i) {
        const int fila = i / 3;
        m_tipos[i]->setVisible(fila >= m_primeraFilaTipos && fila < m_primeraFilaTipos + kFilasTipos);
    }
}

void frmCaja::mostrarCuenta() {
    m_lblHuespedes->setText(m_caja.textoHuespedes());
    mostrarCliente();
    m_grdPagos->setRowCount(0);
    m_filaPago.clear();
    auto fila = [this](int pago, const QString& a, const QString& b) {
        const int n = m_grdPagos->rowCount();
        m_grdPagos->insertRow(n);
        poner(m_grdPagos, n, 0, a);
        poner(m_grdPagos, n, 1, b);
        m_filaPago.append(pago);
        return n;
    };
    fila(-1, QStringLiteral("MONTO CUENTA"), TextFormat::number(m_caja.pendiente(), u"#,0.00"));
    for (const CajaCuenta::PagoGuardado& pago : m_caja.pagosGuardados()) {
        fila(-1, pago.nombre, dinero(pago.monto));
        if (pago.propina > Currency())
            fila(-1, QStringLiteral("Propina"), dinero(pago.propina));
    }
    for (int i = 0; i < m_caja.pagosNuevos().size(); ++i) {
        const CajaCuenta::PagoNuevo& pago = m_caja.pagosNuevos().at(i);
        const int cabecera = fila(i, pago.tipo.nombre, QString());
        poner(m_grdPagos, cabecera, 2, QString::number(pago.tipo.id));
        poner(m_grdPagos, cabecera, 3, pago.tipo.clase);
        poner(m_grdPagos, cabecera, 4, pago.referencia);
        if (pago.conMonto)
            fila(i, QString(), dinero(pago.monto));
        if (pago.propina > Currency())
            fila(i, QStringLiteral("PROPINA"), dinero(pago.propina));
    }
    poner(m_grdTotales, 0, 1, dinero(m_caja.total()));
    poner(m_grdTotales, 1, 1, dinero(m_caja.pagado()));
    poner(m_grdTotales, 2, 1, dinero(m_caja.cambio()));
    poner(m_grdTotales, 3, 1,
          TextFormat::number(m_caja.razonImpuesto() * 100.0, u"0.00") + QStringLiteral(" %"));
    m_grdTotales->item(3, 1)->setForeground(m_caja.impuestoEnRojo() ? QColor(TouchTheme::kTextoAlerta)
                                                                    : QColor(Qt::black));
}

void frmCaja::mostrarCliente() {
    const std::optional<CajaCuenta::Cliente>& cliente = m_caja.cliente();
    m_lblCliente->setText(cliente ? cliente->nombre + QStringLiteral(", Puntos: ") + cliente->puntos +
                                        QStringLiteral(", Saldo: ") + dinero(cliente->pesos)
                                  : QString());
}

void frmCaja::tarjetaCliente() {
    Navegacion* navegacion = m_context.navegacion();
    if (!navegacion)
        return;
    const std::optional<Navegacion::TarjetaCliente> tarjeta =
        navegacion->tarjetaCliente(QStringLiteral("Tarjeta de cliente"), true);
    if (tarjeta && m_caja.asignarCliente(tarjeta->cliente))
        mostrarCliente();
}

void frmCaja::elegirTipo(int boton) {
    if (m_caja.agregarPago(boton))
        mostrarCuenta();
}

void frmCaja::aceptar() {
    if (m_caja.aceptar() == CajaCuenta::Resultado::Terminado) {
        accept();
        return;
    }
    mostrarCuenta();
}

void frmCaja::borrar() {
    const int fila = m_grdPagos->currentRow();
    if (fila < 0 || fila >= m_filaPago.size() || m_filaPago.at(fila) < 0)
        return;
    if (m_caja.borrar(m_filaPago.at(fila)))
        mostrarCuenta();
}

void frmCaja::reject() {
    m_caja.cancelar();
    m_context.bitacora().EscribirBitacora(QStringLiteral("frmCaja.Unload"));
    ModalScreen::reject();
}

} // namespace nerin
