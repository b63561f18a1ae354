#pragma once

#include <QString>
#include <functional>

namespace nerin {

// A magnetic card reader that hands over whole card texts. The screens that listen for cards (the
// access screen, the authorisation window) activate one while they stand and put each card text it
// delivers into their card box before pressing their confirm button.
//
// A card text always reads "%" + first track + "_Ñ" + second track + "_": the first "_" ends the first
// track (the check digest) and "Ñ" opens the second (the card number), as the card lookup expects.
class CardReader {
public:
    // Where a reader sends what it reads: each complete card text, and the code of a reading error.
    struct Receptor {
        std::function<void(const QString& tarjeta)> tarjeta;
        std::function<void(int codigo)> error;
    };

    virtual ~CardReader() = default;

    // Opens and claims the reader; from then on every swipe reaches `receptor` until desactivar. False
    // when the reader is missing or taken by another program: the screen then works without it and
    // nobody is told.
    virtual bool activar(Receptor receptor) = 0;
    // Releases the reader; nothing is delivered afterwards.
    virtual void desactivar() = 0;

    // The card text of a swipe whose tracks read `pista1` and `pista2`.
    static QString textoTarjeta(const QString& pista1, const QString& pista2);
};

} // namespace nerin
