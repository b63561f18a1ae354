#include "reports/PantallaResumen.h"

#include "reports/GraficasVentas.h"
#include "reports/HojaResumen.h"
#include "text/TextFormat.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace nerin {

PantallaResumen::PantallaResumen(QWidget* parent, const QString& nombre, const QString& titulo)
    : ModalScreen(parent, nombre), m_lblTitulo(crearEtiqueta(QStringLiteral("lblTitulo"))),
      m_grdResumen(new QTableWidget(this)), m_graficas(new GraficasVentas(this)), m_teclas(new QHBoxLayout) {
    setWindowTitle(titulo);
    m_lblTitulo->setText(titulo.toUpper());
    m_grdResumen->setObjectName(QStringLiteral("grdResumen"));
    m_grdResumen->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdResumen->setSelectionMode(QAbstractItemView::NoSelection);
    m_grdResumen->setFocusPolicy(Qt::NoFocus);
    m_grdResumen->verticalHeader()->setVisible(false);
    m_grdResumen->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_grdResumen->horizontalHeader()->setStretchLastSection(true);
    m_grdResumen->setMinimumSize(460, 420);

    QPushButton* arriba = crearTecla(QStringLiteral("▲"), QStringLiteral("cmdArriba"));
    QPushButton* abajo = crearTecla(QStringLiteral("▼"), QStringLiteral("cmdAbajo"));
    QPushButton* cmdMesas = crearTecla(QStringLiteral("Mesas"), QStringLiteral("cmdMesas"));
    QPushButton* cmdFunciones = crearTecla(QStringLiteral("Funciones"), QStringLiteral("cmdFunciones"));
    QPushButton* cmdSalir = crearTecla(QStringLiteral("Salir"), QStringLiteral("cmdSalir"));
    connect(arriba, &QPushButton::clicked, this, [this] { paginar(-1); });
    connect(abajo, &QPushButton::clicked, this, [this] { paginar(1); });
    connect(cmdMesas, &QPushButton::clicked, this, [this] { salirCon(FrmListaMesas::Salida::Mesas); });
    connect(cmdFunciones, &QPushButton::clicked, this, [this] { salirCon(FrmListaMesas::Salida::Cancelar); });
    connect(cmdSalir, &QPushButton::clicked, this, [this] { salirCon(FrmListaMesas::Salida::Salir); });

    m_teclas->addStretch(1);
    m_teclas->addWidget(cmdMesas);
    m_teclas->addWidget(cmdFunciones);
    m_teclas->addWidget(cmdSalir);

    auto* cuerpo = new QHBoxLayout;
    cuerpo->addLayout(listaConFlechas(m_grdResumen, arriba, abajo), 3);
    cuerpo->addWidget(m_graficas, 2);
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(m_lblTitulo);
    todo->addLayout(cuerpo, 1);
    todo->addLayout(m_teclas);
}

QPushButton* PantallaResumen::agregarTecla(const QString& texto, const QString& nombre) {
    QPushButton* tecla = crearTecla(texto, nombre);
    // Before the stretch that separates the screen's own keys from the ways out.
    m_teclas->insertWidget(m_teclas->count() - 4, tecla);
    return tecla;
}

void PantallaResumen::salirCon(FrmListaMesas::Salida salida) {
    m_salida = salida;
    reject();
}

void PantallaResumen::paginar(int sentido) {
    QScrollBar* barra = m_grdResumen->verticalScrollBar();
    barra->setValue(barra->value() + sentido * barra->pageStep());
}

void PantallaResumen::mostrarHoja(const HojaResumen& hoja) {
    m_grdResumen->clear();
    m_grdResumen->setColumnCount(hoja.columnCount());
    m_grdResumen->setRowCount(hoja.filas());
    QStringList titulos;
    for (int columna = 0; columna < hoja.columnCount(); ++columna) {
        titulos.append(hoja.titulo(columna).trimmed());
        m_grdResumen->setColumnHidden(columna, hoja.columnHidden(columna));
    }
    m_grdResumen->setHorizontalHeaderLabels(titulos);
    for (int fila = 1; fila <= hoja.filas(); ++fila) {
        for (int columna = 0; columna < hoja.columnCount(); ++columna) {
            const HojaResumen::Celda& celda = hoja.celda(fila, columna);
            auto* item = new QTableWidgetItem(celda.monto ? TextFormat::number(*celda.monto, u"#,##0.00")
                                                          : celda.texto);
            if (celda.monto)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (celda.negrita) {
                QFont letra = item->font();
                letra.setBold(true);
                item->setFont(letra);
            }
            m_grdResumen->setItem(fila - 1, columna, item);
        }
    }
}

void PantallaResumen::mostrarGraficas(const CifrasGraficas& cifras) {
    m_graficas->mostrar(cifras);
}

} // namespace nerin
