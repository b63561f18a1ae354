#pragma once

#include "keyboards/EsperaServicio.h"
#include "ui/ModalScreen.h"

#include <QTimer>

class QLabel;
class QPushButton;

namespace nerin {

// The window shown while the terminal waits for the loyalty service: the text of the wait and a
// "Cancelar" key (`cmdCancelarEspera`) that ends the call as cancelled; Escape does the same. It
// appears only when a call lasts longer than `demoraMs`, so quick calls do not flicker, and it
// blocks touches on the screens beneath while shown. It never runs an event loop of its own: the
// client's keeps it painting.
class DialogoEspera : public ModalScreen, public EsperaServicio {
public:
    static constexpr int kDemoraMs = 300;

    explicit DialogoEspera(QWidget* parent = nullptr, int demoraMs = kDemoraMs);

    void empezar(const QString& texto, std::function<void()> cancelar) override;
    void terminar() override;

protected:
    void reject() override;

private:
    void cancelar();

    QLabel* m_texto;
    QPushButton* m_cancelar;
    QTimer m_mostrar;
    std::function<void()> m_alCancelar;
};

} // namespace nerin
