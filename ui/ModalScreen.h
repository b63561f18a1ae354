#pragma once

#include <QDialog>
#include <QString>
#include <functional>

class QHBoxLayout;
class QKeyEvent;
class QLabel;
class QPushButton;
class QTableWidget;

namespace nerin {

// What every touch screen shares. A caller loads a screen (constructs it), sets its inputs, shows it
// modally with mostrar(), reads its results and unloads it (destroys it). The screen is drawn with
// the touch theme, and its keys never take the focus, so a physical keyboard keeps typing into the
// screen itself whatever key was touched last.
class ModalScreen : public QDialog {
public:
    ModalScreen(QWidget* parent, const QString& nombre);

    // Shows the screen modally and returns when it closes; QDialog::Accepted or QDialog::Rejected.
    int mostrar() { return exec(); }

protected:
    // A touch key with a caption and the objectName that tests and scripts find it by.
    QPushButton* crearTecla(const QString& texto, const QString& nombre);
    QLabel* crearEtiqueta(const QString& nombre);
    // A list that scrolls by touch: the list with its up and down keys in a column beside it.
    static QHBoxLayout* listaConFlechas(QWidget* lista, QPushButton* arriba, QPushButton* abajo);
    // Lays the screen out as a list to choose from: `titulo` above; `lista` with its arrow keys
    // (`cmdArriba`, `cmdAbajo`); and below, "Aceptar" (`cmdAceptar`, which calls `aceptar`) and
    // "Cancelar" (`cmdCancelar`, which closes the screen).
    void armarEleccion(QLabel* titulo, QTableWidget* lista, std::function<void()> aceptar);
    // The arrow keys of a grid: makes the row `pasos` away the current one, kept within the grid, and
    // scrolls to it. Nothing on an empty grid.
    static void moverFila(QTableWidget* grid, int pasos);
    // A one-column list touched a row at a time, rows tall enough for a finger, headed `titulo`.
    QTableWidget* crearListaTactil(const QString& nombre, const QString& titulo);

    // What a keypad does for the keys of a physical keyboard, so that it works wherever the touch keys
    // do: Enter accepts, Escape cancels, Backspace erases the last character, Delete erases all (when
    // the screen has that), and any key that types text writes it.
    struct TeclasFisicas {
        std::function<void()> aceptar;
        std::function<void()> borrar;
        std::function<void()> limpiar; // may be empty
        std::function<void(const QString&)> escribir;
    };
    // Handles `event` as above; false for the keys it leaves to the screen.
    bool atenderTecla(QKeyEvent* event, const TeclasFisicas& teclas);
};

} // namespace nerin
