#pragma once

#include "ui/ModalScreen.h"

class QLabel;
class QPushButton;

namespace nerin {

// The message window: the text, an icon for critical (16) and exclamation (48) styles, and either an
// OK button (style 0) or Si and No (style 4). Each button records its answer code and closes. Enter
// presses the default button (OK or Si); Escape or closing the window answers No, or OK.
class frmMsg : public ModalScreen {
public:
    explicit frmMsg(QWidget* parent = nullptr);

    void setMensaje(const QString& texto, int estilo);
    int respuesta() const { return m_respuesta; }

    // Shows a warning with an OK button over `parent` and returns when it is closed.
    static void avisar(QWidget* parent, const QString& texto);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

private:
    void responder(int codigo);
    bool esSiNo() const;

    QLabel* m_icono;
    QLabel* m_mensaje;
    QPushButton* m_ok;
    QPushButton* m_si;
    QPushButton* m_no;
    int m_estilo = 0;
    int m_respuesta = 0;
};

} // namespace nerin
