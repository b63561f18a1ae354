#include "cashier/FrmAjustarPropinas.h"

#include "cashier/FrmAjustarPagos.h"
#include "data/Bitacora.h"
#include "printing/ColaImpresion.h"
#include "printing/ImprimirSpread.h"
#include "startup/ContextoImpresionTerminal.h"
#include "startup/TerminalContext.h"
#include "text/TextFormat.h"
#include "ui/TableWidgetGrid.h"
#include "ui/TouchTheme.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace nerin {

namespace {

enum Columna { cMesa, cTipo, cPago, cPropina, kColumnas };

QString dinero(Currency monto) {
    return TextFormat::number(monto, u"#,##0.00");
}

} // namespace

FrmAjustarPropinas::FrmAjustarPropinas(TerminalContext& context, QWidget* parent)
    : ModalScreen(parent, QStringLiteral("FrmAjustarPropinas")), m_context(context), m_ajuste(context),
      m_grdPagos(new QTableWidget(0, kColumnas, this)) {
    m_context.bitacora().EscribirBitacora(QStringLiteral("FrmAjustarPropinas.Load"));
    setWindowTitle(QStringLiteral("Ajustar propinas"));
    QLabel* lblTitulo = crearEtiqueta(QStringLiteral("lblTitulo"));
    lblTitulo->setText(QStringLiteral("Ajustar propinas"));

    m_grdPagos->setObjectName(QStringLiteral("grdPagos"));
    m_grdPagos->setHorizontalHeaderLabels(
        {QStringLiteral("Mesa"), QStringLiteral("Tipo"), QStringLiteral("Pago"), QStringLiteral("Propina")});
    m_grdPagos->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdPagos->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grdPagos->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grdPagos->verticalHeader()->setVisible(false);
    m_grdPagos->verticalHeader()->setDefaultSectionSize(TouchTheme::kMinimoTecla);
    m_grdPagos->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_grdPagos->setMinimumSize(640, 400);

    QPushButton* arriba = crearTecla(QStringLiteral("▲"), QStringLiteral("cmdArriba"));
    QPushButton* abajo = crearTecla(QStringLiteral("▼"), QStringLiteral("cmdAbajo"));
    connect(arriba, &QPushButton::clicked, this, [this] { moverFila(m_grdPagos, -1); });
    connect(abajo, &QPushButton::clicked, this, [this] { moverFila(m_grdPagos, 1); });

    QPushButton* propina = crearTecla(QStringLiteral("Ajustar propina"), QStringLiteral("cmdAjustarPropina"));
    QPushButton* tipo = crearTecla(QStringLiteral("Ajustar Tipo"), QStringLiteral("cmdAjustarTipo"));
    QPushButton* borrar = crearTecla(QStringLiteral("Borrar"), QStringLiteral("cmdBorrar"));
    QPushButton* imprimir = crearTecla(QStringLiteral("Imprimir"), QStringLiteral("cmdImprimir"));
    QPushButton* cancelar = crearTecla(QStringLiteral("Cancelar"), QStringLiteral("cmdCancelar"));
    connect(propina, &QPushButton::clicked, this, [this] {
        m_ajuste.ajustarPropina(elegido());
        Llenar_Spread();
    });
    connect(tipo, &QPushButton::clicked, this, [this] { ajustarTipo(); });
    connect(borrar, &QPushButton::clicked, this, [this] {
        m_ajuste.borrar(elegido());
        Llenar_Spread();
    });
    connect(imprimir, &QPushButton::clicked, this, [this] { this->imprimir(); });
    connect(cancelar, &QPushButton::clicked, this, [this] { reject(); });
    auto* botones = new QHBoxLayout;
    for (QPushButton* boton : {propina, tipo, borrar, imprimir})
        botones->addWidget(boton);
    botones->addStretch(1);
    botones->addWidget(cancelar);

    auto* todo = new QVBoxLayout(this);
    todo->addWidget(lblTitulo);
    todo->addLayout(listaConFlechas(m_grdPagos, arriba, abajo), 1);
    todo->addLayout(botones);
    resize(1024, 768);

    m_ajuste.cargarPermisos();
    borrar->setEnabled(m_ajuste.puedeBorrar());
    Llenar_Spread();
}

FrmAjustarPropinas::~FrmAjustarPropinas() {
    m_context.bitacora().EscribirBitacora(QStringLiteral("FrmAjustarPropinas.Unload"));
}

void FrmAjustarPropinas::Llenar_Spread() {
    const int fila = m_grdPagos->currentRow();
    m_pagos = m_ajuste.Llenar_Spread().value_or(QList<AjustePagos::Pago>());
    m_grdPagos->clearContents();
    m_grdPagos->setRowCount(static_cast<int>(m_pagos.size()));
    for (int i = 0; i < m_pagos.size(); ++i) {
        const AjustePagos::Pago& pago = m_pagos.at(i);
        const QString celdas[kColumnas] = {QString::number(pago.mesa), pago.tipo, dinero(pago.monto),
                                           dinero(pago.propina)};
        for (int c = 0; c < kColumnas; ++c) {
            auto* item = new QTableWidgetItem(celdas[c]);
            if (c == cPago || c == cPropina)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_grdPagos->setItem(i, c, item);
        }
    }
    if (fila >= 0 && fila < m_grdPagos->rowCount())
        m_grdPagos->setCurrentCell(fila, 0);
}

std::optional<AjustePagos::Pago> FrmAjustarPropinas::elegido() const {
    const int fila = m_grdPagos->selectionModel()->hasSelection() ? m_grdPagos->currentRow() : -1;
    if (fila < 0 || fila >= m_pagos.size())
        return std::nullopt;
    return m_pagos.at(fila);
}

void FrmAjustarPropinas::ajustarTipo() {
    const std::optional<AjustePagos::Pago> pago = elegido();
    if (!pago) {
        m_ajuste.cambiarTipo(pago, std::nullopt); // says what is missing
        return;
    }
    FrmAjustarPagos tipos(m_ajuste, *pago, this);
    tipos.mostrar();
    // Also after "Cancelar": the payment may have gone meanwhile.
    Llenar_Spread();
}

void FrmAjustarPropinas::imprimir() {
    TableWidgetGrid grid(*m_grdPagos);
    grid.setTipoColumna(cPago, PrintableGrid::CellType::Currency);
    grid.setTipoColumna(cPropina, PrintableGrid::CellType::Currency);
    ColaImpresion cola(m_context.baseDatos());
    ImprimirSpread(contextoImpresion(m_context), cola, grid, false, true);
}

} // namespace nerin
