#include "ui/ModalScreen.h"

#include "ui/TouchTheme.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

namespace nerin {

ModalScreen::ModalScreen(QWidget* parent, const QString& nombre) : QDialog(parent) {
    setObjectName(nombre);
    setModal(true);
    TouchTheme::apply(this);
}

QPushButton* ModalScreen::crearTecla(const QString& texto, const QString& nombre) {
    QPushButton* tecla = TouchTheme::tecla(texto, nombre, this);
    // In a dialog Enter belongs to the screen, never to the key last touched.
    tecla->setAutoDefault(false);
    tecla->setDefault(false);
    return tecla;
}

QHBoxLayout* ModalScreen::listaConFlechas(QWidget* lista, QPushButton* arriba, QPushButton* abajo) {
    auto* fila = new QHBoxLayout;
    fila->addWidget(lista, 1);
    auto* flechas = new QVBoxLayout;
    flechas->addWidget(arriba);
    flechas->addWidget(abajo);
    fila->addLayout(flechas);
    return fila;
}

void ModalScreen::armarEleccion(QLabel* titulo, QTableWidget* lista, std::function<void()> aceptar) {
    QPushButton* arriba = crearTecla(QStringLiteral("▲"), QStringLiteral("cmdArriba"));
    QPushButton* abajo = crearTecla(QStringLiteral("▼"), QStringLiteral("cmdAbajo"));
    QPushButton* cmdAceptar = crearTecla(QStringLiteral("Aceptar"), QStringLiteral("cmdAceptar"));
    QPushButton* cmdCancelar = crearTecla(QStringLiteral("Cancelar"), QStringLiteral("cmdCancelar"));
    connect(arriba, &QPushButton::clicked, this, [lista] { moverFila(lista, -1); });
    connect(abajo, &QPushButton::clicked, this, [lista] { moverFila(lista, 1); });
    connect(cmdAceptar, &QPushButton::clicked, this, std::move(aceptar));
    connect(cmdCancelar, &QPushButton::clicked, this, [this] { reject(); });

    auto* todo = new QVBoxLayout(this);
    todo->addWidget(titulo);
    todo->addLayout(listaConFlechas(lista, arriba, abajo), 1);
    auto* botones = new QHBoxLayout;
    botones->addWidget(cmdAceptar);
    botones->addWidget(cmdCancelar);
    todo->addLayout(botones);
}

void ModalScreen::moverFila(QTableWidget* grid, int pasos) {
    if (grid->rowCount() == 0)
        return;
    const int fila = qBound(0, grid->currentRow() + pasos, grid->rowCount() - 1);
    grid->scrollToItem(grid->item(fila, 0));
    grid->setCurrentCell(fila, 0);
}

QTableWidget* ModalScreen::crearListaTactil(const QString& nombre, const QString& titulo) {
    auto* grid = new QTableWidget(0, 1, this);
    grid->setObjectName(nombre);
    grid->setHorizontalHeaderLabels({titulo});
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->verticalHeader()->setVisible(false);
    grid->verticalHeader()->setDefaultSectionSize(TouchTheme::kMinimoTecla);
    grid->horizontalHeader()->setStretchLastSection(true);
    return grid;
}

QLabel* ModalScreen::crearEtiqueta(const QString& nombre) {
    auto* etiqueta = new QLabel(this);
    etiqueta->setObjectName(nombre);
    etiqueta->setWordWrap(true);
    return etiqueta;
}

bool ModalScreen::atenderTecla(QKeyEvent* event, const TeclasFisicas& teclas) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        teclas.aceptar();
        return true;
    case Qt::Key_Escape:
        reject();
        return true;
    case Qt::Key_Backspace:
        teclas.borrar();
        return true;
    case Qt::Key_Delete:
        if (!teclas.limpiar)
            return false;
        teclas.limpiar();
        return true;
    default:
        break;
    }
    if (event->text().isEmpty())
        return false;
    teclas.escribir(event->text());
    return true;
}

} // namespace nerin
