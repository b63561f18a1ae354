#pragma once

#include "ui/AjusteTexto.h"

#include <QPushButton>

namespace nerin {

// A touch key whose caption always shows whole: it is drawn in as many lines and as small a font as
// the key's contents rectangle (inside the style sheet's border and padding) needs, and fitted again
// whenever the key's size, caption or font changes. text() stays the caption as it was set.
class TeclaTactil : public QPushButton {
public:
    TeclaTactil(const QString& texto, QWidget* padre);

    // The caption as it is drawn at the key's present size.
    const TextoAjustado& ajuste() const;
    // The font the caption is drawn in.
    QFont letraAjustada() const;
    // Where the caption is drawn: the key less its border and padding.
    QRect areaTexto() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The last fit and what it was made for; made again only when one of these changed.
    mutable QString m_texto;
    mutable QSize m_espacio;
    mutable QFont m_letra;
    mutable TextoAjustado m_ajuste;
    mutable bool m_ajustado = false;
};

} // namespace nerin
