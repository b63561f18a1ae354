#include "access/FrmCambioPassword.h"

#include "access/FrmNuevaContraseña.h"

#include <QAbstractSlider>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace nerin {

namespace {

constexpr int kAltoRenglon = 56; // a row a finger can touch

} // namespace

FrmCambioPassword::FrmCambioPassword(TerminalContext& context, CambioTarjeta::Lista lista, QWidget* parent,
                                     CardReader* lector)
    : ModalScreen(parent, QStringLiteral("FrmCambioPassword")), m_context(context), m_cambio(context),
      m_lista(lista), m_lector(lector), m_grdEmpleados(new QTableWidget(0, 2, this)) {
    const bool sinTarjeta = lista == CambioTarjeta::Lista::SinTarjeta;
    setWindowTitle(QStringLiteral("Tarjetas de empleados"));
    auto* vertical = new QVBoxLayout(this);
    QLabel* titulo = crearEtiqueta(QStringLiteral("lblTitulo"));
    titulo->setText(sinTarjeta ? QStringLiteral("EMPLEADOS SIN TARJETA")
                               : QStringLiteral("CAMBIO DE TARJETA"));
    vertical->addWidget(titulo);

    m_grdEmpleados->setObjectName(QStringLiteral("grdEmpleados"));
    m_grdEmpleados->setHorizontalHeaderLabels({QStringLiteral("Empleado"), QStringLiteral("Usuario")});
    m_grdEmpleados->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdEmpleados->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grdEmpleados->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grdEmpleados->verticalHeader()->setVisible(false);
    m_grdEmpleados->verticalHeader()->setDefaultSectionSize(kAltoRenglon);
    m_grdEmpleados->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_grdEmpleados->setMinimumSize(640, 420);
    connect(m_grdEmpleados, &QTableWidget::cellClicked, this, [this](int fila) { elegir(fila); });

    auto* centro = new QHBoxLayout;
    centro->addWidget(m_grdEmpleados, 1);
    auto* flechas = new QVBoxLayout;
    QPushButton* arriba = crearTecla(QStringLiteral("▲"), QStringLiteral("cmdArriba"));
    QPushButton* abajo = crearTecla(QStringLiteral("▼"), QStringLiteral("cmdAbajo"));
    connect(arriba, &QPushButton::clicked, this, [this] {
        m_grdEmpleados->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepSub);
    });
    connect(abajo, &QPushButton::clicked, this, [this] {
        m_grdEmpleados->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    });
    flechas->addWidget(arriba);
    flechas->addStretch();
    flechas->addWidget(abajo);
    centro->addLayout(flechas);
    vertical->addLayout(centro, 1);

    auto* botones = new QHBoxLayout;
    if (!sinTarjeta) {
        QPushButton* mesas = crearTecla(QStringLiteral("Mesas"), QStringLiteral("cmdMesas"));
        QPushButton* utilerias = crearTecla(QStringLiteral("Utilerías"), QStringLiteral("cmdUtilerias"));
        connect(mesas, &QPushButton::clicked, this, [this] {
            m_irAMesas = true;
            accept();
        });
        connect(utilerias, &QPushButton::clicked, this, [this] { accept(); });
        botones->addWidget(mesas);
        botones->addWidget(utilerias);
    }
    QPushButton* cancelar = crearTecla(QStringLiteral("Cancelar"), QStringLiteral("cmdCancelar"));
    connect(cancelar, &QPushButton::clicked, this, [this] { reject(); });
    botones->addWidget(cancelar);
    vertical->addLayout(botones);
    llenar();
}

void FrmCambioPassword::llenar() {
    std::optional<RecordSet> empleados = m_cambio.empleados(m_lista);
    m_empleados = empleados ? std::move(*empleados) : RecordSet();
    const int cNombre = m_empleados.columnIndex(u"Nombre_Empleado");
    const int cUsuario = m_empleados.columnIndex(u"Usuario");
    m_grdEmpleados->clearContents();
    m_grdEmpleados->setRowCount(m_empleados.recordCount());
    for (int fila = 0; fila < m_empleados.recordCount(); ++fila) {
        const QList<DbValue>& datos = m_empleados.rows().at(fila);
        m_grdEmpleados->setItem(fila, 0, new QTableWidgetItem(datos.value(cNombre).toString()));
        m_grdEmpleados->setItem(fila, 1, new QTableWidgetItem(datos.value(cUsuario).toString()));
    }
}

void FrmCambioPassword::elegir(int fila) {
    if (fila < 0 || fila >= m_empleados.recordCount())
        return;
    const QList<DbValue>& datos = m_empleados.rows().at(fila);
    FrmNuevaContraseña nueva(m_context, this, m_lector);
    nueva.setID_Empleado(static_cast<qint16>(datos.value(m_empleados.columnIndex(u"ID_Empleado")).toInt()));
    nueva.setNombre(datos.value(m_empleados.columnIndex(u"Nombre_Empleado")).toString());
    nueva.mostrar();
    // An employee given a card leaves the list of those without one.
    if (nueva.cambiada())
        llenar();
}

} // namespace nerin
