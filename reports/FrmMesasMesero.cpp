#include "reports/FrmMesasMesero.h"

#include "text/TextFormat.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace nerin {

FrmMesasMesero::FrmMesasMesero(const QString& mesero, const QList<RepHuespedes::Mesa>& mesas, QWidget* parent)
    : ModalScreen(parent, QStringLiteral("FrmMesasMesero")) {
    setWindowTitle(QStringLiteral("Mesas del mesero"));
    QLabel* titulo = crearEtiqueta(QStringLiteral("lblTitulo"));
    titulo->setText(QStringLiteral("Mesas de ") + mesero);
    auto* grid = new QTableWidget(static_cast<int>(mesas.size()), 4, this);
    grid->setObjectName(QStringLiteral("grdMesas"));
    grid->setHorizontalHeaderLabels({QStringLiteral("Mesa"), QStringLiteral("Huéspedes"),
                                     QStringLiteral("Total"), QStringLiteral("Estado")});
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->verticalHeader()->setVisible(false);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    grid->setMinimumSize(480, 300);
    for (int fila = 0; fila < mesas.size(); ++fila) {
        const RepHuespedes::Mesa& mesa = mesas.at(fila);
        const QStringList textos{QString::number(mesa.numMesa), QString::number(mesa.huespedes),
                                 TextFormat::number(mesa.total, u"#,##0.00"),
                                 mesa.abierta ? QStringLiteral("Abierta") : QStringLiteral("Cerrada")};
        for (int columna = 0; columna < textos.size(); ++columna) {
            auto* item = new QTableWidgetItem(textos.at(columna));
            if (columna < 3)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grid->setItem(fila, columna, item);
        }
    }
    if (mesas.isEmpty())
        titulo->setText(titulo->text() + QStringLiteral(": sin mesas en esta fecha de trabajo"));

    QPushButton* cmdAceptar = crearTecla(QStringLiteral("Aceptar"), QStringLiteral("cmdAceptar"));
    connect(cmdAceptar, &QPushButton::clicked, this, [this] { accept(); });
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(titulo);
    todo->addWidget(grid, 1);
    auto* botones = new QHBoxLayout;
    botones->addStretch(1);
    botones->addWidget(cmdAceptar);
    todo->addLayout(botones);
}

} // namespace nerin
