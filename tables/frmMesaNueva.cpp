#include "tables/frmMesaNueva.h"

#include "data/Bitacora.h"
#include "startup/TerminalContext.h"
#include "tables/TecladoMesa.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace nerin {

frmMesaNueva::frmMesaNueva(TerminalContext& context, QWidget* parent)
    : ModalScreen(parent, QStringLiteral("frmMesaNueva")), m_context(context), m_mesaNueva(context) {
    m_context.bitacora().EscribirBitacora(QStringLiteral("frmMesaNueva.Load"));
    setWindowTitle(QStringLiteral("Mesa Nueva"));
    QLabel* titulo = crearEtiqueta(QStringLiteral("lblTitulo"));
    titulo->setText(QStringLiteral("Mesa Nueva"));
    titulo->setAlignment(Qt::AlignCenter);
    m_teclado = new TecladoMesa(this);
    m_cmdAceptar = crearTecla(QStringLiteral("Aceptar"), QStringLiteral("cmdAceptar"));
    m_cmdCancelar = crearTecla(QStringLiteral("Cancelar"), QStringLiteral("cmdCancelar"));
    connect(m_cmdAceptar, &QPushButton::clicked, this, [this] { aceptar(); });
    connect(m_cmdCancelar, &QPushButton::clicked, this, [this] { reject(); });
    m_teclado->columna()->addWidget(m_cmdAceptar);
    m_teclado->columna()->addWidget(m_cmdCancelar);

    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(16, 16, 16, 16);
    todo->addWidget(titulo);
    todo->addWidget(m_teclado, 1);
}

frmMesaNueva::~frmMesaNueva() {
    m_context.bitacora().EscribirBitacora(QStringLiteral("frmMesaNueva.Unload"));
}

void frmMesaNueva::teclear(const QString& texto) {
    m_teclado->teclear(texto);
}

void frmMesaNueva::habilitar(bool habilitado) {
    m_cmdAceptar->setEnabled(habilitado);
    m_cmdCancelar->setEnabled(habilitado);
}

void frmMesaNueva::aceptar() {
    // Enter from a physical keyboard must not start a second opening while one is on its way.
    if (!m_cmdAceptar->isEnabled())
        return;
    m_cancelado = false;
    habilitar(false);
    const MesaNueva::Resultado resultado = m_mesaNueva.Aceptar(m_teclado->texto(), m_teclado->servicio());
    if (resultado.abierta) {
        m_numMesa = resultado.numMesa;
        habilitar(true);
        accept();
        return;
    }
    if (resultado.vaciarNumero)
        m_teclado->limpiar();
    habilitar(true);
}

void frmMesaNueva::reject() {
    if (!m_cmdCancelar->isEnabled())
        return;
    m_numMesa = -1;
    m_cancelado = true;
    ModalScreen::reject();
}

void frmMesaNueva::keyPressEvent(QKeyEvent* event) {
    const bool atendida = atenderTecla(event, {[this] { aceptar(); }, [this] { m_teclado->borrar(); },
                                               [this] { m_teclado->limpiar(); },
                                               [this](const QString& texto) { teclear(texto); }});
    if (!atendida)
        ModalScreen::keyPressEvent(event);
}

} // namespace nerin
