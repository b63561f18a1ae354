#include "cashier/FrmVerComandaC.h"

#include "keyboards/Prompts.h"
#include "startup/TerminalContext.h"
#include "text/TextFormat.h"
#include "ui/TouchTheme.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace nerin {

namespace {

QString pesos(Currency monto) {
    return TextFormat::number(monto, u"$#,##0.00");
}

} // namespace

FrmVerComandaC::FrmVerComandaC(TerminalContext& context, qint32 idComanda, qint16 control,
                               const QString& titulo, QWidget* parent)
    : ModalScreen(parent, QStringLiteral("FrmVerComandaC")), m_context(context),
      m_cortesias(context, idComanda, control), m_lblCuenta(crearEtiqueta(QStringLiteral("lblCuenta"))),
      m_grdProductos(crearListaTactil(QStringLiteral("grdProductos"), QStringLiteral("Artículo"))),
      m_grupoTipos(new QButtonGroup(this)) {
    setWindowTitle(QStringLiteral("Cortesías"));
    resize(1000, 700);
    QLabel* lblTitulo = crearEtiqueta(QStringLiteral("lblTitulo"));
    lblTitulo->setText(titulo + QStringLiteral(" - Cortesías"));

    m_grdProductos->setColumnCount(3);
    m_grdProductos->setHorizontalHeaderLabels(
        {QStringLiteral("Artículo"), QStringLiteral("Importe"), QStringLiteral("Cortesía")});
    m_grdProductos->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_grdProductos->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_grdProductos->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    // Each touch chooses or lets go of one item, as a finger does.
    m_grdProductos->setSelectionMode(QAbstractItemView::MultiSelection);
    QPushButton* arriba = crearTecla(QStringLiteral("▲"), QStringLiteral("cmdArriba"));
    QPushButton* abajo = crearTecla(QStringLiteral("▼"), QStringLiteral("cmdAbajo"));
    connect(arriba, &QPushButton::clicked, this, [this] { moverFila(m_grdProductos, -1); });
    connect(abajo, &QPushButton::clicked, this, [this] { moverFila(m_grdProductos, 1); });

    auto* cuentas = new QHBoxLayout;
    // The chosen account's key stays pressed.
    auto* grupoCuentas = new QButtonGroup(this);
    const QList<Cortesias::Cuenta> todas = m_cortesias.cuentas().value_or(QList<Cortesias::Cuenta>());
    // An order keeps its first account's number unless it was joined into another.
    if (!todas.isEmpty())
        m_cuenta = todas.first().numero;
    for (const Cortesias::Cuenta& c : todas) {
        QPushButton* boton = crearTecla(QStringLiteral("Cuenta %1").arg(c.numero),
                                        QStringLiteral("cmdCuenta%1").arg(c.numero));
        boton->setCheckable(true);
        boton->setChecked(c.numero == m_cuenta);
        grupoCuentas->addButton(boton);
        connect(boton, &QPushButton::clicked, this, [this, numero = c.numero] { elegirCuenta(numero); });
        cuentas->addWidget(boton);
    }
    cuentas->addStretch(1);

    auto* tipos = new QGridLayout;
    m_tipos = m_cortesias.tipos().value_or(QList<Cortesias::Tipo>());
    for (int i = 0; i < m_tipos.size(); ++i) {
        QPushButton* boton =
            crearTecla(m_tipos[i].nombre, QStringLiteral("cmdTipoCortesia%1").arg(m_tipos[i].id));
        boton->setCheckable(true);
        m_grupoTipos->addButton(boton, i);
        tipos->addWidget(boton, i, 0);
    }
    tipos->setRowStretch(static_cast<int>(m_tipos.size()), 1);

    QPushButton* porcentaje = crearTecla(QStringLiteral("Porcentaje"), QStringLiteral("cmdPorcentaje"));
    QPushButton* importe = crearTecla(QStringLiteral("Importe"), QStringLiteral("cmdImporte"));
    QPushButton* quitar = crearTecla(QStringLiteral("Quitar cortesía"), QStringLiteral("cmdQuitar"));
    QPushButton* cerrar = crearTecla(QStringLiteral("Cerrar"), QStringLiteral("cmdCerrar"));
    connect(porcentaje, &QPushButton::clicked, this, [this] { dar(true); });
    connect(importe, &QPushButton::clicked, this, [this] { dar(false); });
    connect(quitar, &QPushButton::clicked, this, [this] { this->quitar(); });
    connect(cerrar, &QPushButton::clicked, this, &QDialog::accept);

    auto* centro = new QHBoxLayout;
    centro->addLayout(listaConFlechas(m_grdProductos, arriba, abajo), 3);
    centro->addLayout(tipos, 2);
    auto* teclas = new QHBoxLayout;
    for (QPushButton* tecla : {porcentaje, importe, quitar})
        teclas->addWidget(tecla);
    teclas->addStretch(1);
    teclas->addWidget(cerrar);
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(lblTitulo);
    todo->addLayout(cuentas);
    todo->addWidget(m_lblCuenta);
    todo->addLayout(centro, 1);
    todo->addLayout(teclas);
    llenar();
}

void FrmVerComandaC::elegirCuenta(qint16 cuenta) {
    m_cuenta = cuenta;
    llenar();
}

void FrmVerComandaC::llenar() {
    m_grdProductos->clearSelection();
    m_articulos = m_cortesias.articulos(m_cuenta).value_or(QList<Cortesias::Articulo>());
    m_grdProductos->setRowCount(static_cast<int>(m_articulos.size()));
    for (int fila = 0; fila < m_articulos.size(); ++fila) {
        const Cortesias::Articulo& a = m_articulos[fila];
        m_grdProductos->setItem(fila, 0, new QTableWidgetItem(a.nombre));
        m_grdProductos->setItem(fila, 1, new QTableWidgetItem(pesos(a.valor)));
        m_grdProductos->setItem(
            fila, 2,
            new QTableWidgetItem(a.tipo.isEmpty() ? QString() : u'-' + pesos(a.cortesia) + u' ' + a.tipo));
        m_grdProductos->item(fila, 1)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    QString texto = QStringLiteral("Cuenta %1").arg(m_cuenta);
    for (const Cortesias::Cuenta& c : m_cortesias.cuentas().value_or(QList<Cortesias::Cuenta>()))
        if (c.numero == m_cuenta)
            texto += QStringLiteral(": total ") + pesos(c.total) +
                     (c.pagada ? QStringLiteral(" (pagada)") : QString());
    m_lblCuenta->setText(texto);
}

QList<qint64> FrmVerComandaC::elegidos() const {
    QList<qint64> ids;
    for (const QModelIndex& indice : m_grdProductos->selectionModel()->selectedRows())
        if (indice.row() < m_articulos.size())
            ids.append(m_articulos[indice.row()].id);
    return ids;
}

void FrmVerComandaC::dar(bool porcentaje) {
    const int tipo = m_grupoTipos->checkedId();
    if (tipo < 0 || tipo >= m_tipos.size()) {
        m_context.Mensaje(QStringLiteral("Elija el tipo de cortesía."), Prompts::kExclamation);
        return;
    }
    if (m_cortesias.pedirYDar(m_cuenta, elegidos(), m_tipos[tipo], porcentaje))
        llenar();
}

void FrmVerComandaC::quitar() {
    if (m_cortesias.quitar(m_cuenta, elegidos()))
        llenar();
}

} // namespace nerin
