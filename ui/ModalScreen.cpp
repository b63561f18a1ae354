#include "ui/ModalScreen.h"

#include "ui/TouchTheme.h"

#include <QLabel>
#include <QPushButton>

namespace nerin {

ModalScreen::ModalScreen(QWidget* parent, const QString& nombre) : QDialog(parent) {
    setObjectName(nombre);
    setModal(true);
    TouchTheme::apply(this);
}

QPushButton* ModalScreen::crearTecla(const QString& texto, const QString& nombre) {
    auto* tecla = new QPushButton(texto, this);
    tecla->setObjectName(nombre);
    tecla->setFocusPolicy(Qt::NoFocus);
    tecla->setAutoDefault(false);
    tecla->setDefault(false);
    tecla->setMinimumSize(TouchTheme::kMinimoTecla, TouchTheme::kMinimoTecla);
    return tecla;
}

QLabel* ModalScreen::crearEtiqueta(const QString& nombre) {
    auto* etiqueta = new QLabel(this);
    etiqueta->setObjectName(nombre);
    etiqueta->setWordWrap(true);
    return etiqueta;
}

} // namespace nerin
