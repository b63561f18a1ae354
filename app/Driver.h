#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace nerin {

// Runs a test script against the live widget tree of the QApplication: one command a line, lines
// starting with '#' and blank lines skipped. Each line runs from the event loop and schedules the
// next one before it acts, so a command that opens a modal screen (which blocks in exec()) has the
// following lines run inside that screen's own event loop. A line that fails is retried for up to
// two seconds (a modal may still be on its way), then the script stops there. "loop SECONDS" goes back
// to the first line until SECONDS have passed since the script began, so that one script keeps a
// terminal serving for as long as a load test lasts.
class Driver {
public:
    // A command of the program's own: it gets the rest of the line, and returns false with `porque`
    // filled when the line fails.
    using Orden = std::function<bool(const QString& argumentos, QString* porque)>;

    explicit Driver(QStringList lineas);
    ~Driver();
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;

    // Adds a command that scripts may use beside the built-in ones.
    void agregarOrden(const QString& nombre, Orden orden) { m_ordenes.insert(nombre, std::move(orden)); }
    // Calls `mirar` before each line is first tried, and once more when the script ends, so that it
    // sees every screen the script reaches as the previous line left it.
    void setAntesDeCadaLinea(std::function<void()> mirar) { m_antesDeCadaLinea = std::move(mirar); }
    // A touch is a line that acts on the screen (click, type, swipe, enter, cancel, answer, select,
    // touch). Its time runs from the action until the event loop is first about to wait for input
    // again, the screen redrawn and ready for the next finger (inside a modal screen the action
    // opened, when it opened one); `medida` gets the touch's kind, as "click cmdPagar" or
    // "enter frmTecladoNumerico", and that time in microseconds.
    using Medida = std::function<void(const QString& toque, qint64 microsegundos)>;
    void setMedirToques(Medida medida);

    // Reads the script from a file; false with `error` filled when it cannot be read.
    static bool cargar(const QString& archivo, QStringList* lineas, QString* error);

    // Runs the whole script and returns 0 when every line passed, 1 at the first line that failed.
    // Messages go to stderr; `error()` keeps the failure's message.
    int run();

    // Starts the script without waiting for it: its lines run from whatever event loop is running
    // (the start-up's own message windows included), and `alTerminar` gets the result once it ends.
    void start(std::function<void(int)> alTerminar);
    bool terminado() const { return m_terminado; }
    int codigo() const { return m_codigo; }
    // Stops a script that has not ended because the program is ending: the line it was at fails with
    // `porque`. Returns 1, or the result when the script had already ended.
    int abandonar(const QString& porque);

    const QString& error() const { return m_error; }

private:
    enum class Resultado { Hecho, Falla };

    void paso();
    // Moves past blank lines and comments.
    void saltarComentarios();
    void siguiente(int demoraMs = 0);
    void terminar(int codigo);
    // Hands the touch in progress, if any, to the measure.
    void cerrarToque();
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
    std::function<void(int)> m_alTerminar;
    QHash<QString, Orden> m_ordenes;
    std::function<void()> m_antesDeCadaLinea;
    QElapsedTimer m_desdeInicio;
    Medida m_medida;
    QString m_toqueEnCurso;
    QElapsedTimer m_relojToque;
    QMetaObject::Connection m_alEsperar;
};

} // namespace nerin
