#include "tables/frmTransferir.h"

#include "tables/FrmTransferirMesa.h"
#include "tables/FrmTransferirMesero.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace nerin {

frmTransferir::frmTransferir(TerminalContext& context, const MesasAbiertas::Fila& origen, QWidget* parent)
    : ModalScreen(parent, QStringLiteral("frmTransferir")), m_context(context), m_origen(origen) {
    setWindowTitle(QStringLiteral("Transferir"));
    QLabel* titulo = crearEtiqueta(QStringLiteral("lblTitulo"));
    titulo->setText(QStringLiteral("Transferir la mesa ") + QString::number(origen.numMesa));
    titulo->setAlignment(Qt::AlignCenter);
    QPushButton* cmdMesa = crearTecla(QStringLiteral("Mesa"), QStringLiteral("cmdMesa"));
    QPushButton* cmdMesero = crearTecla(QStringLiteral("Mesero"), QStringLiteral("cmdMesero"));
    QPushButton* cmdCancelar = crearTecla(QStringLiteral("Cancelar"), QStringLiteral("cmdCancelar"));
    connect(cmdMesa, &QPushButton::clicked, this, [this] {
        FrmTransferirMesa mesa(m_context, m_origen, false, this);
        mesa.mostrar();
        accept();
    });
    connect(cmdMesero, &QPushButton::clicked, this, [this] {
        FrmTransferirMesero mesero(m_context, m_origen, this);
        mesero.mostrar();
        accept();
    });
    connect(cmdCancelar, &QPushButton::clicked, this, [this] { reject(); });

    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(24, 24, 24, 24);
    todo->addWidget(titulo);
    for (QPushButton* tecla : {cmdMesa, cmdMesero, cmdCancelar})
        todo->addWidget(tecla);
}

} // namespace nerin
