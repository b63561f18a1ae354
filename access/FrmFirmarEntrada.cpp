#include "access/FrmFirmarEntrada.h"

#include "startup/TerminalContext.h"
#include "ui/TouchTheme.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace nerin {

FrmFirmarEntrada::FrmFirmarEntrada(TerminalContext& context, qint16 idEmpleado, QWidget* parent)
    : ModalScreen(parent, QStringLiteral("FrmFirmarEntrada")), m_firmar(context, idEmpleado),
      m_reloj(new QTimer(this)), m_lblHora(crearEtiqueta(QStringLiteral("lblHora"))),
      m_lstDepartamentos(new QListWidget(this)),
      m_cmdFirmar(crearTecla(QStringLiteral("Firmar"), QStringLiteral("cmdFirmar"))),
      m_cmdArriba(crearTecla(QStringLiteral("▲"), QStringLiteral("cmdArriba"))),
      m_cmdAbajo(crearTecla(QStringLiteral("▼"), QStringLiteral("cmdAbajo"))) {
    setWindowTitle(QStringLiteral("Checador"));
    QLabel* titulo = crearEtiqueta(QStringLiteral("lblTitulo"));
    titulo->setText(QStringLiteral("CHECADOR"));
    titulo->setAlignment(Qt::AlignCenter);
    QLabel* empleado = crearEtiqueta(QStringLiteral("lblEmpleado"));
    empleado->setText(m_firmar.nombreEmpleado());
    QLabel* departamento = crearEtiqueta(QStringLiteral("lblDepartamento"));
    departamento->setText(m_firmar.departamento());
    QLabel* entrada = crearEtiqueta(QStringLiteral("lblEntrada"));
    if (const std::optional<FirmarEntrada::Turno> turno = m_firmar.turno()) {
        entrada->setText(QStringLiteral("Entrada: ") +
                         turno->horaInicio.toString(QStringLiteral("hh:mm AP")));
        departamento->setText(turno->departamento);
    }

    m_hora = context.HoraServidor();
    mostrarHora();
    m_reloj->setInterval(1000);
    connect(m_reloj, &QTimer::timeout, this, [this] {
        m_hora = m_hora.addSecs(1);
        mostrarHora();
    });
    m_reloj->start();

    m_lstDepartamentos->setObjectName(QStringLiteral("lstDepartamentos"));
    m_lstDepartamentos->setVisible(false);
    m_lstDepartamentos->setMinimumSize(520, 280);
    // Rows a finger can hit.
    m_lstDepartamentos->setStyleSheet(QStringLiteral("QListWidget { font-size: %1px; }"
                                                     "QListWidget::item { min-height: %2px; }")
                                          .arg(TouchTheme::kLetraTexto)
                                          .arg(TouchTheme::kMinimoTecla));
    connect(m_lstDepartamentos, &QListWidget::clicked, this, [this](const QModelIndex& indice) {
        if (const QListWidgetItem* item = m_lstDepartamentos->item(indice.row()))
            firmar(item->data(Qt::UserRole).toInt());
    });
    m_cmdArriba->setVisible(false);
    m_cmdAbajo->setVisible(false);
    connect(m_cmdArriba, &QPushButton::clicked, this,
            [this] { m_lstDepartamentos->setCurrentRow(qMax(0, m_lstDepartamentos->currentRow() - 1)); });
    connect(m_cmdAbajo, &QPushButton::clicked, this, [this] {
        m_lstDepartamentos->setCurrentRow(
            qMin(m_lstDepartamentos->count() - 1, m_lstDepartamentos->currentRow() + 1));
    });
    connect(m_cmdFirmar, &QPushButton::clicked, this, [this] { pedirDepartamento(); });
    QPushButton* cancelar = crearTecla(QStringLiteral("Cancelar"), QStringLiteral("cmdCancelar"));
    connect(cancelar, &QPushButton::clicked, this, [this] { reject(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titulo);
    auto* datos = new QGridLayout;
    datos->addWidget(empleado, 0, 0, 1, 2);
    datos->addWidget(m_lblHora, 1, 0);
    datos->addWidget(entrada, 1, 1);
    datos->addWidget(departamento, 2, 0, 1, 2);
    layout->addLayout(datos);
    layout->addLayout(listaConFlechas(m_lstDepartamentos, m_cmdArriba, m_cmdAbajo), 1);
    auto* botones = new QHBoxLayout;
    botones->addWidget(m_cmdFirmar);
    botones->addWidget(cancelar);
    layout->addLayout(botones);
}

void FrmFirmarEntrada::mostrarHora() {
    m_lblHora->setText(m_hora.toString(QStringLiteral("hh:mm:ss AP")));
}

void FrmFirmarEntrada::pedirDepartamento() {
    if (m_firmar.firmando())
        return;
    const std::optional<QList<FirmarEntrada::Departamento>> departamentos = m_firmar.departamentos();
    if (!departamentos)
        return;
    if (departamentos->isEmpty()) {
        firmar(0);
        return;
    }
    m_lstDepartamentos->clear();
    for (const FirmarEntrada::Departamento& departamento : *departamentos) {
        auto* item = new QListWidgetItem(departamento.nombre, m_lstDepartamentos);
        item->setData(Qt::UserRole, departamento.id);
    }
    m_lstDepartamentos->setVisible(true);
    m_cmdArriba->setVisible(true);
    m_cmdAbajo->setVisible(true);
}

void FrmFirmarEntrada::firmar(qint32 idDepartamento) {
    // The authorisation window is modal, but touches already queued still arrive; the signing
    // ignores them while it runs, and the keys stay off until it is over.
    if (m_firmar.firmando())
        return;
    m_cmdFirmar->setEnabled(false);
    m_lstDepartamentos->setEnabled(false);
    m_checada = m_firmar.firmar(idDepartamento);
    if (m_checada != Navegacion::Checada::Ninguna) {
        accept();
        return;
    }
    m_cmdFirmar->setEnabled(true);
    m_lstDepartamentos->setEnabled(true);
}

} // namespace nerin
