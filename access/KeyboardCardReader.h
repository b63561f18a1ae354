#pragma once

#include "access/CardReader.h"

#include <QString>

namespace nerin {

// A card reader that works as a keyboard: it types the card text into whichever screen stands, and the
// screen passes each keystroke on here. The keystrokes are collected into a card text and the text is
// delivered once the card's tracks have all arrived:
//
// - A text opens with one or more "%": as many tracks are expected as there are leading "%", and at
//   least two (a card always holds its check digest and its number). The card text keeps one "%".
// - Every "_" ends a track; when the expected number of tracks has ended, the text is delivered at once,
//   so the whole text written in one piece is delivered the same way as keystroke by keystroke.
// - A "%" after anything else starts a new text: an interrupted swipe is dropped when the next begins,
//   and reported as the reading error kErrorInterrumpida.
// - Enter delivers what was collected, card or not, so that the lookup refuses it; except right after a
//   track has ended, when a reader that ends each track with Enter is still to send the next one.
// - A text that grows beyond kLongitudMaxima cannot be a card: it is delivered once as it stands (and
//   refused) and reported as the reading error kErrorDemasiadoLarga, and what follows is ignored until
//   Enter or the next "%".
//
// Which character opens the second track depends on the keyboard layout the reader types through: the
// Spanish layout gives "ñ" (the lookup upper-cases it to the "Ñ" of the card format), a U.S. layout gives
// ";" on that key and "?" on the key of "_". Both are read here as the Spanish layout writes them, so a
// card enrolled on one terminal signs in on every other. Any other character is kept as typed: a person
// typing a card text by hand may write "N" there, and the card then signs in only if it was enrolled
// from that same typed text, as the demo cards were.
class KeyboardCardReader : public CardReader {
public:
    static constexpr qsizetype kLongitudMaxima = 200;
    // The codes of the reading errors this reader reports.
    static constexpr int kErrorInterrumpida = 1;
    static constexpr int kErrorDemasiadoLarga = 2;

    bool activar(Receptor receptor) override;
    void desactivar() override;

    // Characters as the keyboard sends them: one keystroke, or many at once. Carriage returns and line
    // feeds inside count as Enter.
    void teclear(const QString& texto);
    // The Enter key.
    void confirmar();
    // Forgets what was collected (the card box was cleared).
    void limpiar();

    // What has been collected of the text being typed.
    const QString& pendiente() const { return m_texto; }
    bool vacio() const { return m_texto.isEmpty() && !m_descartando; }
    bool activo() const { return m_activo; }

private:
    void caracter(QChar c);
    void comenzar();
    void entregar();
    void fallar(int codigo);
    bool esTarjeta() const { return m_texto.startsWith(u'%'); }

    Receptor m_receptor;
    bool m_activo = false;
    QString m_texto;
    int m_esperadas = 0;        // tracks the card announced
    int m_terminadas = 0;       // tracks ended so far
    bool m_anunciando = false;  // still reading the leading "%"
    bool m_descartando = false; // an overlong text is being ignored
};

} // namespace nerin
