#include "ui/TouchTheme.h"

#include "ui/TeclaTactil.h"

#include <QColor>
#include <QFont>
#include <QPushButton>
#include <QWidget>

namespace nerin {

QString TouchTheme::css(QRgb color) {
    return QColor(color).name();
}

QString TouchTheme::styleSheet() {
    // A style sheet's minimum size is that of the contents: border and padding are taken off it, so
    // that keys and fields measure kMinimoTecla on the outside. Disabled keys all take the plain key's
    // background, the accept and cancel keys included, so that their faded caption reads and they plainly
    // look out of use.
    QString hoja = QStringLiteral(
        "QDialog { background: @fondo; }"
        "QLabel { color: @claro; font-size: %2px; }"
        "QLabel#lblTitulo { font-size: %3px; font-weight: bold; }"
        "QLineEdit { font-size: %2px; min-height: %5px; padding: 4px 8px; background: @campo;"
        "  color: @oscuro; border: 2px solid @borde; border-radius: 6px; }"
        "QLineEdit:focus { border-color: @resalte; }"
        "QPushButton { font-size: %4px; min-width: %6px; min-height: %5px; padding: 4px 10px;"
        "  color: @oscuro; background: @tecla; border: 2px solid @borde; border-radius: 8px; }"
        "QPushButton:pressed { background: @resalte; }"
        "QPushButton:checked { background: @resalte; border-color: @oscuro; }"
        "QPushButton#cmdAceptar, QPushButton#cmdOK, QPushButton#cmdSi { background: @aceptar; }"
        "QPushButton#cmdCancelar, QPushButton#cmdNo { background: @cancelar; }"
        "QPushButton#cmdOK, QPushButton#cmdSi, QPushButton#cmdNo { min-width: 140px; }"
        "QPushButton:disabled, QPushButton#cmdAceptar:disabled, QPushButton#cmdOK:disabled,"
        "  QPushButton#cmdSi:disabled, QPushButton#cmdCancelar:disabled, QPushButton#cmdNo:disabled"
        "  { color: @inactivo; background: @tecla; }"
        "QAbstractItemView { selection-background-color: @seleccion; selection-color: @textoSeleccion; }"
        "QCheckBox { color: @claro; font-size: %4px; min-height: %1px; }"
        "QCheckBox::indicator { width: 40px; height: 40px; }");
    const std::pair<const char*, QRgb> colores[] = {
        {"@fondo", kFondo},
        {"@claro", kTextoClaro},
        {"@campo", kCampo},
        {"@oscuro", kTextoOscuro},
        {"@borde", kBorde},
        {"@resalte", kResalte},
        {"@tecla", kTecla},
        {"@aceptar", kAceptar},
        {"@cancelar", kCancelar},
        {"@inactivo", kTextoInactivo},
        {"@textoSeleccion", kTextoSeleccion},
        {"@seleccion", kSeleccion},
    };
    for (const auto& [nombre, color] : colores)
        hoja.replace(QLatin1String(nombre), css(color));
    return hoja.arg(kMinimoTecla)
        .arg(kLetraTexto)
        .arg(kLetraTitulo)
        .arg(kLetraTecla)
        .arg(kMinimoTecla - 2 * (2 + 4))
        .arg(kMinimoTecla - 2 * (2 + 10));
}

void TouchTheme::apply(QWidget* widget) {
    QFont font = widget->font();
    font.setPixelSize(kLetraTecla);
    widget->setFont(font);
    widget->setStyleSheet(styleSheet());
}

QPushButton* TouchTheme::tecla(const QString& texto, const QString& nombre, QWidget* padre) {
    auto* boton = new TeclaTactil(texto, padre);
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
