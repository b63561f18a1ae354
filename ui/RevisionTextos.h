#pragma once

#include <QList>
#include <QSize>
#include <QString>

class QWidget;

namespace nerin {

// Finds the texts that a screen cuts: keys, check boxes and labels whose text needs more room than
// their rectangle gives it (a key that fits its caption is judged by what it draws, letters included),
// controls cut by the edge of what holds them, and windows larger than their screen. Grids' cells and
// what is being typed into a field are not looked at.
class RevisionTextos {
public:
    struct Cortado {
        QString pantalla; // objectName of the window
        QString control;  // objectName of the control, or of the window itself
        QString texto;
        QSize necesita;
        QSize tiene;

        bool operator==(const Cortado&) const = default;
    };

    // Looks at every visible control of the visible windows and keeps what is cut, once each.
    void revisarVentanas();
    // Looks at `ventana` and at its visible controls.
    void revisar(QWidget* ventana);

    const QList<Cortado>& cortados() const { return m_cortados; }
    // One line per cut text: "pantalla/control «texto»: necesita WxH, tiene WxH".
    QString informe() const;

private:
    void anotar(const QWidget* ventana, const QWidget* control, const QString& texto, QSize necesita,
                QSize tiene);

    QList<Cortado> m_cortados;
};

} // namespace nerin
