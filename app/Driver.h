#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace nerin {

// Runs a test script against the live widget tree of the QApplication: one command a line, lines
// starting with '#' and blank lines skipped. Each line runs from the event loop and schedules the
// next one before it acts, so a command that opens a modal screen (which blocks in exec()) has the
// following lines run inside that screen's own event loop. A line that fails is retried for up to
// two seconds (a modal may still be on its way), then the script stops there.
class Driver {
public:
    explicit Driver(QStringList lineas);

    // Reads the script from a file; false with `error` filled when it cannot be read.
    static bool cargar(const QString& archivo, QStringList* lineas, QString* error);

    // Runs the whole script and returns 0 when every line passed, 1 at the first line that failed.
    // Messages go to stderr; `error()` keeps the failure's message.
    int run();

    const QString& error() const { return m_error; }

private:
    enum class Resultado { Hecho, Falla };

    void paso();
    void siguiente(int demoraMs = 0);
    void terminar(int codigo);
    Resultado ejecutar(const QString& linea, QString* porque);

    QStringList m_lineas;
    qsizetype m_actual = 0;
    QElapsedTimer m_intentando;
    bool m_reintentando = false;
    bool m_terminado = false;
    int m_codigo = 0;
    int m_ejecutadas = 0;
    QString m_error;
    std::function<void()> m_salir;
};

} // namespace nerin
