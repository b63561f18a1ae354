#include "tables/FrmTransferirMesa.h"

#include "tables/TecladoMesa.h"
#include "tables/TransferirMesa.h"
#include "tables/UnirMesas.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace nerin {

FrmTransferirMesa::FrmTransferirMesa(TerminalContext& context, const MesasAbiertas::Fila& origen,
                                     bool unirMesas, QWidget* parent)
    : ModalScreen(parent, QStringLiteral("FrmTransferirMesa")), m_context(context), m_origen(origen),
      m_unirMesas(unirMesas) {
    const QString titulo =
        (unirMesas ? QStringLiteral("Unir la mesa ") : QStringLiteral("Transferir la mesa ")) +
        QString::number(origen.numMesa) + QStringLiteral(" a la mesa");
    setWindowTitle(titulo);
    QLabel* lblTitulo = crearEtiqueta(QStringLiteral("lblTitulo"));
    lblTitulo->setText(titulo);
    lblTitulo->setAlignment(Qt::AlignCenter);
    m_teclado = new TecladoMesa(this);
    m_teclado->mostrarServicios(!unirMesas);
    QPushButton* cmdAceptar = crearTecla(QStringLiteral("Aceptar"), QStringLiteral("cmdAceptar"));
    QPushButton* cmdCancelar = crearTecla(QStringLiteral("Cancelar"), QStringLiteral("cmdCancelar"));
    connect(cmdAceptar, &QPushButton::clicked, this, [this] { aceptar(); });
    connect(cmdCancelar, &QPushButton::clicked, this, [this] { reject(); });
    m_teclado->columna()->addWidget(cmdAceptar);
    m_teclado->columna()->addWidget(cmdCancelar);

    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(16, 16, 16, 16);
    todo->addWidget(lblTitulo);
    todo->addWidget(m_teclado, 1);
}

void FrmTransferirMesa::teclear(const QString& texto) {
    m_teclado->teclear(texto);
}

void FrmTransferirMesa::aceptar() {
    bool hecho = false;
    bool vaciar = false;
    if (m_unirMesas) {
        const nerin::UnirMesas::Resultado r = nerin::UnirMesas(m_context).unir(m_origen, m_teclado->texto());
        hecho = r.hecho;
        vaciar = r.vaciarNumero;
    } else {
        const TransferirMesa::Resultado r =
            TransferirMesa(m_context).mover(m_origen, m_teclado->texto(), m_teclado->servicio());
        hecho = r.hecho;
        vaciar = r.vaciarNumero;
    }
    if (hecho) {
        m_cancelado = false;
        accept();
        return;
    }
    if (vaciar)
        m_teclado->limpiar();
}

void FrmTransferirMesa::keyPressEvent(QKeyEvent* event) {
    const bool atendida = atenderTecla(event, {[this] { aceptar(); }, [this] { m_teclado->borrar(); },
                                               [this] { m_teclado->limpiar(); },
                                               [this](const QString& texto) { teclear(texto); }});
    if (!atendida)
        ModalScreen::keyPressEvent(event);
}

} // namespace nerin
