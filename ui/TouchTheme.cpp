#include "ui/TouchTheme.h"

#include <QFont>
#include <QPushButton>
#include <QWidget>

namespace nerin {

QString TouchTheme::styleSheet() {
    return QStringLiteral(
               "QDialog { background: #20303c; }"
               "QLabel { color: #f2f2f2; font-size: %2px; }"
               "QLabel#lblTitulo { font-size: %3px; font-weight: bold; }"
               "QLineEdit { font-size: %2px; min-height: %1px; padding: 4px 8px; background: #ffffff;"
               "  color: #101010; border: 2px solid #7a8a96; border-radius: 6px; }"
               "QLineEdit:focus { border-color: #f0b429; }"
               "QPushButton { font-size: %4px; min-width: %1px; min-height: %1px; padding: 4px 10px;"
               "  color: #101010; background: #d8dee4; border: 2px solid #7a8a96; border-radius: 8px; }"
               "QPushButton:pressed { background: #f0b429; }"
               "QPushButton:checked { background: #f0b429; border-color: #101010; }"
               "QPushButton:disabled { color: #7a7a7a; }"
               "QPushButton#cmdAceptar, QPushButton#cmdOK, QPushButton#cmdSi { background: #6cc070; }"
               "QPushButton#cmdCancelar, QPushButton#cmdNo { background: #e07a6c; }"
               "QPushButton#cmdOK, QPushButton#cmdSi, QPushButton#cmdNo { min-width: 140px; }"
               "QCheckBox { color: #f2f2f2; font-size: %4px; min-height: %1px; }"
               "QCheckBox::indicator { width: 40px; height: 40px; }")
        .arg(kMinimoTecla)
        .arg(kLetraTexto)
        .arg(kLetraTitulo)
        .arg(kLetraTecla);
}

void TouchTheme::apply(QWidget* widget) {
    QFont font = widget->font();
    font.setPixelSize(kLetraTecla);
    widget->setFont(font);
    widget->setStyleSheet(styleSheet());
}

QPushButton* TouchTheme::tecla(const QString& texto, const QString& nombre, QWidget* padre) {
    auto* boton = new QPushButton(texto, padre);
    boton->setObjectName(nombre);
    boton->setFocusPolicy(Qt::NoFocus);
    boton->setMinimumSize(kMinimoTecla, kMinimoTecla);
    return boton;
}

void TouchTheme::mostrarPantalla(QWidget* pantalla, bool completa) {
    if (completa) {
        pantalla->showFullScreen();
        return;
    }
    if (!pantalla->isVisible())
        pantalla->resize(1024, 768);
    pantalla->show();
}

} // namespace nerin
