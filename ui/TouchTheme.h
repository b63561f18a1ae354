#pragma once

#include <QString>

class QPushButton;
class QWidget;

namespace nerin {

// The look of the touch screens: large keys (touch targets of at least kMinimoTecla pixels), fonts
// readable at arm's length, and sizes that fit every screen from 1024x768 up to 1920x1080.
class TouchTheme {
public:
    static constexpr int kMinimoTecla = 56; // smallest side of a key, in pixels
    static constexpr int kLetraTecla = 20;  // key captions, in pixels
    static constexpr int kLetraTexto = 22;  // values being typed and messages, in pixels
    static constexpr int kLetraTitulo = 24; // screen titles, in pixels

    static QString styleSheet();
    // Gives the widget the theme's style sheet and font.
    static void apply(QWidget* widget);
    // A touch key: at least kMinimoTecla on each side, with the objectName that tests and scripts
    // find it by. It never takes the focus, so a physical keyboard keeps typing where it was.
    static QPushButton* tecla(const QString& texto, const QString& nombre, QWidget* padre);
    // Shows a terminal screen full screen, or for development in a window of the smallest screen the
    // terminals have (1024x768), so that what fits there fits everywhere.
    static void mostrarPantalla(QWidget* pantalla, bool completa);
};

} // namespace nerin
