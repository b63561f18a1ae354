#pragma once

#include "ui/ModalScreen.h"

#include <QTime>

class QLabel;

namespace nerin {

// The time keypad, for correcting a clock-in time: shows "hh:mm AMPM" and moves the hour or the minute
// one step with its up and down keys. The hour wraps round the day; the minute wraps within the hour.
// On a physical keyboard, Up and Down move the minute, Page Up and Page Down the hour.
class FrmTecladoHora : public ModalScreen {
public:
    explicit FrmTecladoHora(QWidget* parent = nullptr);

    void setHora(const QTime& hora);
    QTime getHora() const { return m_hora; }
    bool Cancelado() const { return m_cancelado; }

    void moverHora(int pasos);
    void moverMinuto(int pasos);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

private:
    void mostrarHora();

    QLabel* m_horaTexto;
    QTime m_hora{0, 0};
    bool m_cancelado = true;
};

} // namespace nerin
