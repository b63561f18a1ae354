#include "ui/TeclaTactil.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace nerin {

TeclaTactil::TeclaTactil(const QString& texto, QWidget* padre) : QPushButton(texto, padre) {}

QRect TeclaTactil::areaTexto() const {
    QStyleOptionButton opcion;
    initStyleOption(&opcion);
    return style()->subElementRect(QStyle::SE_PushButtonContents, &opcion, this);
}

const TextoAjustado& TeclaTactil::ajuste() const {
    const QString texto = AjusteTexto::sinAtajos(text());
    const QSize espacio = areaTexto().size();
    if (!m_ajustado || texto != m_texto || espacio != m_espacio || font() != m_letra) {
        m_texto = texto;
        m_espacio = espacio;
        m_letra = font();
        m_ajuste = AjusteTexto::ajustar(texto, m_letra, espacio);
        m_ajustado = true;
    }
    return m_ajuste;
}

QFont TeclaTactil::letraAjustada() const {
    QFont letra = font();
    letra.setPixelSize(ajuste().pixeles);
    return letra;
}

void TeclaTactil::paintEvent(QPaintEvent* event) {
    // A key with an icon is drawn as any button: its caption, if any, is not one of the long ones.
    if (!icon().isNull()) {
        QPushButton::paintEvent(event);
        return;
    }
    QStylePainter pintor(this);
    QStyleOptionButton opcion;
    initStyleOption(&opcion);
    opcion.text.clear();
    pintor.drawControl(QStyle::CE_PushButton, opcion);
    pintor.setFont(letraAjustada());
    pintor.setPen(palette().color(QPalette::ButtonText));
    pintor.drawText(areaTexto(), Qt::AlignCenter, ajuste().lineas.join(QLatin1Char('\n')));
}

} // namespace nerin
