#include "cashier/FrmReimprimircta.h"

#include "text/TextFormat.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace nerin {

namespace {

// Columns 1 to 7 of the view; the waiter's number (8) adds nothing to the waiter's name.
const QStringList kTitulos{QStringLiteral("Folio"),  QStringLiteral("Mesa"),  QStringLiteral("Cuenta"),
                           QStringLiteral("Mesero"), QStringLiteral("Total"), QStringLiteral("Cierre"),
                           QStringLiteral("Control")};

QString celda(const DbValue& valor) {
    if (valor.type() == DbValue::Type::Currency)
        return TextFormat::number(valor.toCurrency(), u"#,##0.00");
    if (valor.type() == DbValue::Type::DateTime)
        return valor.toDateTime().toString(QStringLiteral("HH:mm"));
    return valor.toString();
}

} // namespace

FrmReimprimircta::FrmReimprimircta(TerminalContext& context, QWidget* parent)
    : ModalScreen(parent, QStringLiteral("FrmReimprimircta")), m_reimprimir(context),
      m_grdCuentas(crearListaTactil(QStringLiteral("grdCuentas"), QString())) {
    setWindowTitle(QStringLiteral("Reimprimir cuenta"));
    QLabel* lblTitulo = crearEtiqueta(QStringLiteral("lblTitulo"));
    lblTitulo->setText(QStringLiteral("REIMPRIMIR CUENTA"));
    m_grdCuentas->setColumnCount(static_cast<int>(kTitulos.size()));
    m_grdCuentas->setHorizontalHeaderLabels(kTitulos);
    m_grdCuentas->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_grdCuentas->horizontalHeader()->setStretchLastSection(false);
    m_grdCuentas->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
    m_grdCuentas->setMinimumSize(760, 420);

    QPushButton* arriba = crearTecla(QStringLiteral("▲"), QStringLiteral("cmdArriba"));
    QPushButton* abajo = crearTecla(QStringLiteral("▼"), QStringLiteral("cmdAbajo"));
    QPushButton* cmdAceptar = crearTecla(QStringLiteral("Aceptar"), QStringLiteral("cmdAceptar"));
    QPushButton* cmdCancelar = crearTecla(QStringLiteral("Cancelar"), QStringLiteral("cmdCancelar"));
    QPushButton* cmdSalir = crearTecla(QStringLiteral("Salir"), QStringLiteral("cmdSalir"));
    connect(arriba, &QPushButton::clicked, this, [this] { moverFila(m_grdCuentas, -1); });
    connect(abajo, &QPushButton::clicked, this, [this] { moverFila(m_grdCuentas, 1); });
    connect(cmdAceptar, &QPushButton::clicked, this, [this] { aceptar(); });
    connect(cmdCancelar, &QPushButton::clicked, this, [this] { reject(); });
    connect(cmdSalir, &QPushButton::clicked, this, [this] {
        m_salir = true;
        reject();
    });

    auto* botones = new QHBoxLayout;
    botones->addWidget(cmdAceptar);
    botones->addWidget(cmdCancelar);
    botones->addWidget(cmdSalir);
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(lblTitulo);
    todo->addLayout(listaConFlechas(m_grdCuentas, arriba, abajo), 1);
    todo->addLayout(botones);

    // A failed read has been reported; the list is then the employee's own and "Aceptar" stays off.
    static_cast<void>(m_reimprimir.cargarPermisos());
    cmdAceptar->setEnabled(m_reimprimir.puedeReimprimir());
    Llenar_Spread();
}

void FrmReimprimircta::Llenar_Spread() {
    std::optional<RecordSet> filas = m_reimprimir.Llenar_Spread();
    m_filas = filas ? std::move(*filas) : RecordSet();
    m_grdCuentas->setRowCount(m_filas.recordCount());
    for (int fila = 0; fila < m_filas.recordCount(); ++fila) {
        const QList<DbValue>& valores = m_filas.rows().at(fila);
        for (int columna = 0; columna < kTitulos.size(); ++columna)
            m_grdCuentas->setItem(fila, columna, new QTableWidgetItem(celda(valores.value(columna))));
    }
}

void FrmReimprimircta::aceptar() {
    const int fila = m_grdCuentas->selectionModel()->hasSelection() ? m_grdCuentas->currentRow() : -1;
    if (fila < 0 || fila >= m_filas.recordCount())
        return;
    const ReimprimirCta::Fila cuenta = ReimprimirCta::fila(m_filas.rows().at(fila));
    // A ticket that could not be printed has been reported; the screen closes all the same.
    static_cast<void>(m_reimprimir.Reimprimir(&cuenta));
    accept();
}

} // namespace nerin
