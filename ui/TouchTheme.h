#pragma once

#include <QRgb>
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

    // The theme's colours. Every text colour reads in a bright room against the backgrounds it is
    // drawn on: a contrast of at least 4.5:1, or 3:1 for text of 24 px or bold text of 19 px.
    static constexpr QRgb kFondo = 0x20303c;      // screens
    static constexpr QRgb kFondoLista = 0x2c4352; // lists on the screens' background
    static constexpr QRgb kTextoClaro = 0xf2f2f2; // texts on the screens' background
    static constexpr QRgb kTextoSecundario = 0xb8c4cc;
    static constexpr QRgb kTextoOscuro = 0x101010; // captions of keys, fields, lists
    static constexpr QRgb kTecla = 0xd8dee4;
    static constexpr QRgb kTextoInactivo = 0x58616a; // keys that cannot be used now
    static constexpr QRgb kBorde = 0x7a8a96;
    static constexpr QRgb kResalte = 0xf0b429; // pressed and chosen keys, focus, headings
    static constexpr QRgb kAceptar = 0x6cc070;
    static constexpr QRgb kCancelar = 0xe07a6c;
    static constexpr QRgb kCampo = 0xffffff;     // fields and light lists
    static constexpr QRgb kSeleccion = 0x2a6fa8; // chosen rows of a list, under kTextoSeleccion
    static constexpr QRgb kTextoSeleccion = 0xffffff;
    // Rows of light lists that stand out: an alert, lines sent to the kitchen, headings, lines held
    // back, tables already printed.
    static constexpr QRgb kTextoAlerta = 0xcc0000;
    static constexpr QRgb kTextoNaranja = 0xb35900;
    static constexpr QRgb kTextoAzul = 0x4060e0;
    static constexpr QRgb kTextoRetenido = 0x0000ff;
    static constexpr QRgb kTextoAzulFuerte = 0x1f5fd6;

    // A colour as style sheets write it ("#20303c").
    static QString css(QRgb color);
    static QString styleSheet();
    // Gives the widget the theme's style sheet and font.
    static void apply(QWidget* widget);
    // A touch key: at least kMinimoTecla on each side, with the objectName that tests and scripts
    // find it by, and its caption drawn whole however long (TeclaTactil). It never takes the focus, so
    // a physical keyboard keeps typing where it was.
    static QPushButton* tecla(const QString& texto, const QString& nombre, QWidget* padre);
    // Shows a terminal screen full screen, or for development in a window of the smallest screen the
    // terminals have (1024x768), so that what fits there fits everywhere.
    static void mostrarPantalla(QWidget* pantalla, bool completa);
};

} // namespace nerin
