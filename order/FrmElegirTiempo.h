#pragma once

#include "order/Despacho.h"
#include "ui/ModalScreen.h"

class QGridLayout;
class QLineEdit;

namespace nerin {

// Choosing the serving time: one button per time in rows of 4 ("Trabaja y Sale", "Tiempo 1", ...),
// the chosen one shown in the text box, arrows that scroll the rows one at a time. After it closes,
// elegido() says whether a time was accepted and tiempo() which.
class FrmElegirTiempo : public ModalScreen {
public:
    static constexpr int kPorFila = 4;
    static constexpr int kFilasVisibles = 3;

    FrmElegirTiempo(const QList<Despacho::Tiempo>& tiempos, qint16 propuesto, QWidget* parent = nullptr);

    qint16 tiempo() const { return m_tiempo; }
    bool elegido() const { return m_elegido; }

private:
    void mostrarFilas();
    void elegir(const Despacho::Tiempo& tiempo);

    QList<Despacho::Tiempo> m_tiempos;
    QGridLayout* m_rejilla = nullptr;
    QLineEdit* m_txtTiempo = nullptr;
    int m_primeraFila = 0;
    qint16 m_tiempo = 0;
    bool m_elegido = false;
};

} // namespace nerin
