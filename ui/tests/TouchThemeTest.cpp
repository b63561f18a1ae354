#include "ui/TouchTheme.h"

#include "ui/AjusteTexto.h"

#include <QColor>
#include <cmath>
#include <gtest/gtest.h>

namespace nerin {
namespace {

// Relative luminance of an sRGB colour, as the WCAG defines it.
double luminancia(QRgb color) {
    const auto lineal = [](int canal) {
        const double c = canal / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lineal(qRed(color)) + 0.7152 * lineal(qGreen(color)) + 0.0722 * lineal(qBlue(color));
}

double contraste(QRgb a, QRgb b) {
    const double claro = std::max(luminancia(a), luminancia(b));
    const double oscuro = std::min(luminancia(a), luminancia(b));
    return (claro + 0.05) / (oscuro + 0.05);
}

TEST(TouchTheme, ContrastIsMeasuredAsTheWcagDoes) {
    EXPECT_NEAR(contraste(0x000000, 0xffffff), 21.0, 1e-9);
    EXPECT_NEAR(contraste(0x777777, 0xffffff), 4.48, 0.01);
    EXPECT_NEAR(contraste(0x20303c, 0x20303c), 1.0, 1e-9);
}

struct Par {
    const char* donde;
    QRgb texto;
    QRgb fondo;
    int pixeles;
    bool negrita;
};

TEST(TouchTheme, EveryTextReadsAgainstItsBackgroundInABrightRoom) {
    using T = TouchTheme;
    // Keys' captions may shrink to the smallest size a caption is fitted in.
    const int tecla = AjusteTexto::kLetraMinima;
    const Par pares[] = {
        {"labels and messages", T::kTextoClaro, T::kFondo, T::kLetraTexto, false},
        {"check boxes and service options", T::kTextoClaro, T::kFondo, T::kLetraTecla, false},
        {"version on the access screen", T::kTextoSecundario, T::kFondo, 18, false},
        {"logo and group headings", T::kResalte, T::kFondo, T::kLetraTitulo, true},
        {"list on the access screen", T::kTextoClaro, T::kFondoLista, 20, false},
        {"text typed into a field", T::kTextoOscuro, T::kCampo, T::kLetraTexto, false},
        {"key", T::kTextoOscuro, T::kTecla, tecla, false},
        {"key pressed or chosen", T::kTextoOscuro, T::kResalte, tecla, false},
        {"accept key", T::kTextoOscuro, T::kAceptar, tecla, false},
        {"cancel key", T::kTextoOscuro, T::kCancelar, tecla, false},
        {"key out of use", T::kTextoInactivo, T::kTecla, tecla, false},
        {"chosen row of a list", T::kTextoSeleccion, T::kSeleccion, 20, false},
        {"chosen open table", T::kTextoOscuro, T::kResalte, T::kLetraTexto, false},
        {"line sent to the kitchen", T::kTextoNaranja, T::kCampo, 20, false},
        {"serving-time heading", T::kTextoAzul, T::kCampo, 20, false},
        {"line held back", T::kTextoRetenido, T::kCampo, 20, false},
        {"table already printed", T::kTextoAzulFuerte, T::kCampo, T::kLetraTexto, false},
        {"tax out of range", T::kTextoAlerta, T::kCampo, 20, false},
    };
    for (const Par& par : pares) {
        const bool grande = par.pixeles >= 24 || (par.negrita && par.pixeles >= 19);
        EXPECT_GE(contraste(par.texto, par.fondo), grande ? 3.0 : 4.5) << par.donde;
    }
}

} // namespace
} // namespace nerin
