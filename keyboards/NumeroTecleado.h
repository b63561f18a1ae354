#pragma once

#include <QString>
#include <QStringView>

namespace nerin {

// The number being typed on the numeric keypad: only digits, kept as text so that the back key and
// the clear key act on what the person sees, and turned into a whole number only when accepted.
class NumeroTecleado {
public:
    struct Resultado {
        bool aceptado = false;
        qint64 numero = 0;
        QString mensaje; // why the number was refused
    };

    void fijar(qint64 numero);
    // Appends the digits of the text and ignores every other character ("12a3" adds 123); false when
    // something was ignored, so the keypad can say so.
    bool agregar(QStringView texto);

    static constexpr const char* kSoloDigitos = "Solo se pueden teclear números";
    // Removes the last digit; nothing when empty.
    void borrar();
    void limpiar() { m_texto.clear(); }
    const QString& texto() const { return m_texto; }

    // The whole number typed (an empty text is 0), or why it is refused: outside [minimo, maximo].
    Resultado convertir(qint64 minimo, qint64 maximo) const;

private:
    QString m_texto;
};

} // namespace nerin
