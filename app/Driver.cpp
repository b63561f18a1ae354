#include "app/Driver.h"

#include <QAbstractButton>
#include <QAbstractEventDispatcher>
#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPixmap>
#include <QPointer>
#include <QTableView>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace nerin {

namespace {

// How long a failing line is tried again before the script stops there.
constexpr qint64 kEsperaMaximaMs = 2000;
constexpr int kReintentoMs = 20;

// Where controls are looked for, in order: the open modal screen, the active window, then every
// visible top-level widget.
QList<QWidget*> ambitos() {
    QList<QWidget*> raices;
    if (QWidget* modal = QApplication::activeModalWidget())
        raices.append(modal);
    if (QWidget* activa = QApplication::activeWindow(); activa && !raices.contains(activa))
        raices.append(activa);
    const QList<QWidget*> superiores = QApplication::topLevelWidgets();
    for (QWidget* superior : superiores)
        if (superior->isVisible() && !raices.contains(superior))
            raices.append(superior);
    return raices;
}

// The widget a grab or keystrokes go to when none is named: the modal screen, else the active window.
QWidget* pantallaActual() {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* activa = QApplication::activeWindow())
        return activa;
    const QList<QWidget*> superiores = QApplication::topLevelWidgets();
    for (QWidget* superior : superiores)
        if (superior->isVisible())
            return superior;
    return nullptr;
}

template <typename T> QList<T*> controles(QWidget* raiz) {
    QList<T*> lista;
    if (auto* propio = qobject_cast<T*>(raiz))
        lista.append(propio);
    lista.append(raiz->findChildren<T*>());
    return lista;
}

QString sinAtajos(QString texto) {
    return texto.remove(QLatin1Char('&'));
}

// The text a control shows, or a null string for controls that show none.
QString textoDe(const QWidget* control) {
    if (const auto* etiqueta = qobject_cast<const QLabel*>(control))
        return etiqueta->text();
    if (const auto* boton = qobject_cast<const QAbstractButton*>(control))
        return sinAtajos(boton->text());
    if (const auto* campo = qobject_cast<const QLineEdit*>(control))
        return campo->text();
    return QString();
}

QAbstractButton* buscarBoton(const QList<QWidget*>& raices, const QString& nombre) {
    for (QWidget* raiz : raices)
        for (QAbstractButton* boton : controles<QAbstractButton>(raiz))
            if (boton->objectName() == nombre && boton->isVisible() && boton->isEnabled())
                return boton;
    for (QWidget* raiz : raices)
        for (QAbstractButton* boton : controles<QAbstractButton>(raiz))
            if (sinAtajos(boton->text()) == nombre && boton->isVisible() && boton->isEnabled())
                return boton;
    return nullptr;
}

// A control showing text (label, button or line edit) by object name, else by its caption.
QWidget* buscarControl(const QList<QWidget*>& raices, const QString& nombre) {
    for (QWidget* raiz : raices)
        for (QWidget* control : controles<QWidget>(raiz))
            if (control->objectName() == nombre && control->isVisible() && !textoDe(control).isNull())
                return control;
    for (QWidget* raiz : raices)
        for (QWidget* control : controles<QWidget>(raiz))
            if (control->isVisible() && !textoDe(control).isNull() && textoDe(control) == nombre)
                return control;
    return nullptr;
}

QAbstractItemView* buscarGrid(const QList<QWidget*>& raices, const QString& nombre) {
    for (QWidget* raiz : raices)
        for (QAbstractItemView* vista : controles<QAbstractItemView>(raiz))
            if (vista->objectName() == nombre && vista->isVisible())
                return vista;
    return nullptr;
}

// The texts of the visible cells of the grid's current row.
QStringList celdasSeleccionadas(QAbstractItemView* grid) {
    QStringList celdas;
    const QAbstractItemModel* modelo = grid->model();
    const int fila = grid->currentIndex().row();
    if (!modelo || fila < 0)
        return celdas;
    auto* tabla = qobject_cast<QTableView*>(grid);
    for (int columna = 0; columna < modelo->columnCount(); ++columna)
        if (!tabla || !tabla->isColumnHidden(columna))
            celdas << modelo->index(fila, columna).data().toString();
    return celdas;
}

// The program's own message window, or the system's plain message box that database errors use.
QDialog* mensajeAbierto() {
    auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (modal && (modal->objectName() == QLatin1String("frmMsg") || qobject_cast<QMessageBox*>(modal)))
        return modal;
    return nullptr;
}

QString textoDelMensaje(QDialog* mensaje) {
    if (auto* caja = qobject_cast<QMessageBox*>(mensaje))
        return caja->text();
    auto* etiqueta = mensaje->findChild<QLabel*>(QStringLiteral("lblMensaje"));
    return etiqueta ? etiqueta->text() : QString();
}

// The button of the message that gives `respuesta` (yes, no or ok).
QAbstractButton* botonDeRespuesta(QDialog* mensaje, const QString& respuesta) {
    if (auto* caja = qobject_cast<QMessageBox*>(mensaje)) {
        const QMessageBox::StandardButton boton = respuesta == QLatin1String("yes")  ? QMessageBox::Yes
                                                  : respuesta == QLatin1String("no") ? QMessageBox::No
                                                                                     : QMessageBox::Ok;
        return caja->button(boton);
    }
    const QString nombre = respuesta == QLatin1String("yes")  ? QStringLiteral("cmdSi")
                           : respuesta == QLatin1String("no") ? QStringLiteral("cmdNo")
                                                              : QStringLiteral("cmdOK");
    return buscarBoton({mensaje}, nombre);
}

// One character as the keyboard would send it: a press and a release carrying the text.
void teclear(QWidget* destino, const QString& texto) {
    for (const QChar caracter : texto) {
        const char16_t codigo = caracter.toUpper().unicode();
        const int tecla = codigo < 0x7f ? static_cast<int>(codigo) : static_cast<int>(Qt::Key_unknown);
        QKeyEvent pulsar(QEvent::KeyPress, tecla, Qt::NoModifier, QString(caracter));
        QCoreApplication::sendEvent(destino, &pulsar);
        QKeyEvent soltar(QEvent::KeyRelease, tecla, Qt::NoModifier, QString(caracter));
        QCoreApplication::sendEvent(destino, &soltar);
    }
}

void pulsarTecla(QWidget* destino, int tecla, const QString& texto) {
    QKeyEvent pulsar(QEvent::KeyPress, tecla, Qt::NoModifier, texto);
    QCoreApplication::sendEvent(destino, &pulsar);
    QKeyEvent soltar(QEvent::KeyRelease, tecla, Qt::NoModifier, texto);
    QCoreApplication::sendEvent(destino, &soltar);
}

// Keystrokes into a screen go to its focused control when it has one, else to the screen itself.
QWidget* destinoEn(QWidget* pantalla) {
    QWidget* foco = QApplication::focusWidget();
    if (foco && (foco == pantalla || pantalla->isAncestorOf(foco)))
        return foco;
    return pantalla;
}

// Splits "NAME REST" at the first space.
void partir(const QString& resto, QString* primero, QString* despues) {
    const qsizetype espacio = resto.indexOf(QLatin1Char(' '));
    if (espacio < 0) {
        *primero = resto;
        despues->clear();
        return;
    }
    *primero = resto.left(espacio);
    *despues = resto.mid(espacio + 1);
}

// A finger on a row: the row is scrolled into view and pressed and released at the middle of its
// first visible cell, so the view selects (or deselects) it as its own rules say and the screen
// hears the press and the click, with whatever was selected before still there.
void tocarRenglon(QAbstractItemView* vista, int fila) {
    const QAbstractItemModel* modelo = vista->model();
    for (int columna = 0; columna < modelo->columnCount(vista->rootIndex()); ++columna) {
        const QModelIndex indice = modelo->index(fila, columna, vista->rootIndex());
        vista->scrollTo(indice);
        const QRect celda = vista->visualRect(indice);
        if (celda.isEmpty())
            continue;
        const QPointF punto = celda.center();
        const QPointF global = vista->viewport()->mapToGlobal(punto);
        for (const QEvent::Type tipo : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent evento(tipo, punto, global, Qt::LeftButton,
                               tipo == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                               Qt::NoModifier);
            QCoreApplication::sendEvent(vista->viewport(), &evento);
        }
        return;
    }
}

// Rejects the open modal screens one after another, from the event loop of each.
void cerrarModales() {
    auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!modal)
        return;
    QTimer::singleShot(0, modal, [modal] {
        modal->reject();
        QTimer::singleShot(0, [] { cerrarModales(); });
    });
}

} // namespace

Driver::Driver(QStringList lineas) : m_lineas(std::move(lineas)) {}

Driver::~Driver() {
    QObject::disconnect(m_alEsperar);
}

void Driver::setMedirToques(Medida medida) {
    m_medida = std::move(medida);
    QObject::disconnect(m_alEsperar);
    if (QAbstractEventDispatcher* despachador = QAbstractEventDispatcher::instance())
        m_alEsperar =
            QObject::connect(despachador, &QAbstractEventDispatcher::aboutToBlock, [this] { cerrarToque(); });
}

void Driver::cerrarToque() {
    if (m_toqueEnCurso.isNull())
        return;
    const QString toque = std::exchange(m_toqueEnCurso, QString());
    m_medida(toque, m_relojToque.nsecsElapsed() / 1000);
}

bool Driver::cargar(const QString& archivo, QStringList* lineas, QString* error) {
    QFile file(archivo);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = QStringLiteral("no se puede leer %1: %2").arg(archivo, file.errorString());
        return false;
    }
    const QString texto = QString::fromUtf8(file.readAll());
    *lineas = texto.split(QLatin1Char('\n'));
    for (QString& linea : *lineas)
        if (linea.endsWith(QLatin1Char('\r')))
            linea.chop(1);
    return true;
}

int Driver::run() {
    QEventLoop bucle;
    m_salir = [&bucle] { bucle.exit(); };
    QTimer::singleShot(0, [this] { paso(); });
    if (!m_terminado)
        bucle.exec();
    m_salir = nullptr;
    return m_codigo;
}

void Driver::start(std::function<void(int)> alTerminar) {
    m_alTerminar = std::move(alTerminar);
    QTimer::singleShot(0, [this] { paso(); });
}

int Driver::abandonar(const QString& porque) {
    if (m_terminado)
        return m_codigo;
    saltarComentarios();
    // Every line has passed; only the step that would have said so was still to come.
    if (m_actual >= m_lineas.size()) {
        std::fprintf(stderr, "Guion terminado: %d líneas\n", m_ejecutadas);
        m_terminado = true;
        m_codigo = 0;
        return m_codigo;
    }
    m_error =
        QStringLiteral("Línea %1: %2: %3").arg(m_actual + 1).arg(m_lineas.at(m_actual).trimmed(), porque);
    std::fprintf(stderr, "%s\n", qPrintable(m_error));
    m_terminado = true;
    m_codigo = 1;
    return m_codigo;
}

void Driver::saltarComentarios() {
    while (m_actual < m_lineas.size()) {
        const QString linea = m_lineas.at(m_actual).trimmed();
        if (!linea.isEmpty() && !linea.startsWith(QLatin1Char('#')))
            return;
        ++m_actual;
    }
}

void Driver::siguiente(int demoraMs) {
    m_reintentando = false;
    ++m_actual;
    QTimer::singleShot(demoraMs, [this] { paso(); });
}

void Driver::paso() {
    if (m_terminado)
        return;
    if (!m_desdeInicio.isValid())
        m_desdeInicio.start();
    saltarComentarios();
    if (m_actual >= m_lineas.size()) {
        std::fprintf(stderr, "Guion terminado: %d líneas\n", m_ejecutadas);
        terminar(0);
        return;
    }
    if (!m_reintentando) {
        if (m_antesDeCadaLinea)
            m_antesDeCadaLinea();
        m_reintentando = true;
        m_intentando.start();
    }

    const QString linea = m_lineas.at(m_actual).trimmed();
    QString porque;
    // The action that may block (a modal screen opening) runs after the next line is scheduled.
    std::function<void()> accion;
    // The touch this line is, for its time; named where the screen it acts on is known.
    QString toque;
    int demora = 0;

    QString orden;
    QString resto;
    partir(linea, &orden, &resto);
    resto = resto.trimmed();

    const auto fallar = [&](const QString& motivo) {
        porque = motivo;
        return false;
    };
    const auto ejecutarOrden = [&]() -> bool {
        if (orden == QLatin1String("click")) {
            QPointer<QAbstractButton> boton = buscarBoton(ambitos(), resto);
            if (!boton)
                return fallar(QStringLiteral("no hay un botón visible y activo llamado «%1»").arg(resto));
            toque = orden + u' ' + resto;
            accion = [boton] {
                if (boton)
                    boton->click();
            };
            return true;
        }
        if (orden == QLatin1String("type") || orden == QLatin1String("swipe")) {
            QString texto;
            partir(m_lineas.at(m_actual).trimmed(), &orden, &texto);
            QPointer<QWidget> destino;
            if (orden == QLatin1String("swipe")) {
                for (QWidget* raiz : ambitos())
                    for (QWidget* control : controles<QWidget>(raiz))
                        if (!destino && (control->objectName() == QLatin1String("txtUsuario") ||
                                         control->objectName() == QLatin1String("txtTarjeta")))
                            destino = control;
                if (!destino)
                    return fallar(QStringLiteral("no hay lector de tarjeta (txtUsuario, txtTarjeta)"));
            } else {
                QWidget* pantalla = pantallaActual();
                if (!pantalla)
                    return fallar(QStringLiteral("no hay ninguna ventana abierta"));
                destino = destinoEn(pantalla);
            }
            const bool conEnter = orden == QLatin1String("swipe");
            toque = orden + u' ' + destino->window()->objectName();
            accion = [destino, texto, conEnter] {
                if (!destino)
                    return;
                teclear(destino, texto);
                if (conEnter && destino) // typing may have closed the screen
                    pulsarTecla(destino, Qt::Key_Return, QStringLiteral("\r"));
            };
            return true;
        }
        if (orden == QLatin1String("enter") || orden == QLatin1String("cancel")) {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal)
                return fallar(QStringLiteral("no hay ninguna ventana modal abierta"));
            const bool aceptar = orden == QLatin1String("enter");
            const QString nombreBoton =
                aceptar ? QStringLiteral("cmdAceptar") : QStringLiteral("cmdCancelar");
            QPointer<QAbstractButton> boton = buscarBoton({modal}, nombreBoton);
            if (!boton)
                return fallar(QStringLiteral("la ventana modal no tiene %1").arg(nombreBoton));
            QPointer<QWidget> destino = destinoEn(modal);
            const QString valor = resto;
            toque = orden + u' ' + modal->objectName();
            accion = [destino, boton, valor, aceptar] {
                if (aceptar && destino)
                    teclear(destino, valor);
                if (boton)
                    boton->click();
            };
            return true;
        }
        if (orden == QLatin1String("answer")) {
            QDialog* mensaje = mensajeAbierto();
            if (!mensaje)
                return fallar(QStringLiteral("no hay ninguna ventana de mensaje abierta"));
            if (resto != QLatin1String("yes") && resto != QLatin1String("no") && resto != QLatin1String("ok"))
                return fallar(QStringLiteral("la respuesta debe ser yes, no u ok"));
            QPointer<QAbstractButton> boton = botonDeRespuesta(mensaje, resto);
            if (!boton)
                return fallar(QStringLiteral("el mensaje no tiene la respuesta %1").arg(resto));
            toque = orden + u' ' + resto;
            accion = [boton] {
                if (boton)
                    boton->click();
            };
            return true;
        }
        if (orden == QLatin1String("expect-message")) {
            QDialog* mensaje = mensajeAbierto();
            if (!mensaje)
                return fallar(QStringLiteral("no hay ninguna ventana de mensaje abierta"));
            if (const QString texto = textoDelMensaje(mensaje); texto != resto)
                return fallar(QStringLiteral("el mensaje dice «%1»").arg(texto));
            return true;
        }
        if (orden == QLatin1String("expect")) {
            QString nombre;
            QString esperado;
            partir(resto, &nombre, &esperado);
            QWidget* control = buscarControl(ambitos(), nombre);
            // A grid shows a text when a cell of its selected row holds it.
            if (!control) {
                QAbstractItemView* grid = buscarGrid(ambitos(), nombre);
                if (!grid)
                    return fallar(QStringLiteral("no hay un control visible llamado «%1»").arg(nombre));
                const QStringList celdas = celdasSeleccionadas(grid);
                if (!celdas.contains(esperado))
                    return fallar(QStringLiteral("el renglón elegido de «%1» muestra «%2»")
                                      .arg(nombre, celdas.join(u'|')));
                return true;
            }
            if (textoDe(control) != esperado)
                return fallar(QStringLiteral("«%1» muestra «%2»").arg(nombre, textoDe(control)));
            return true;
        }
        if (orden == QLatin1String("expect-disabled")) {
            // A button shown but not usable: what a person without the permission sees.
            for (QWidget* raiz : ambitos())
                for (QAbstractButton* boton : controles<QAbstractButton>(raiz))
                    if (boton->objectName() == resto && boton->isVisible())
                        return boton->isEnabled() ? fallar(QStringLiteral("«%1» está activo").arg(resto))
                                                  : true;
            return fallar(QStringLiteral("no hay un botón visible llamado «%1»").arg(resto));
        }
        if (orden == QLatin1String("select") || orden == QLatin1String("touch")) {
            const bool tocar = orden == QLatin1String("touch");
            QString nombre;
            QString fila;
            partir(resto, &nombre, &fila);
            if (fila.isEmpty()) {
                fila = nombre;
                nombre.clear();
            }
            bool numero = false;
            const int renglon = fila.toInt(&numero);
            if (!numero || renglon < 1)
                return fallar(QStringLiteral("el renglón debe ser un número desde 1"));
            QList<QAbstractItemView*> vistas;
            QWidget* pantalla = pantallaActual();
            for (QWidget* raiz : nombre.isEmpty() && pantalla ? QList<QWidget*>{pantalla} : ambitos())
                for (QAbstractItemView* vista : controles<QAbstractItemView>(raiz))
                    if (vista->isVisible() && (nombre.isEmpty() || vista->objectName() == nombre) &&
                        !vistas.contains(vista))
                        vistas.append(vista);
            if (vistas.isEmpty())
                return fallar(QStringLiteral("no hay ninguna lista visible"));
            if (nombre.isEmpty() && vistas.size() > 1)
                return fallar(QStringLiteral("la pantalla tiene más de una lista: hay que nombrarla"));
            QPointer<QAbstractItemView> vista = vistas.first();
            if (!vista->model() || vista->model()->rowCount(vista->rootIndex()) < renglon)
                return fallar(QStringLiteral("la lista no tiene %1 renglones").arg(renglon));
            toque = orden + u' ' + vista->objectName();
            if (tocar) {
                accion = [vista, renglon] {
                    if (vista)
                        tocarRenglon(vista, renglon - 1);
                };
                return true;
            }
            accion = [vista, renglon] {
                if (!vista)
                    return;
                // Like a touch on a fresh screen: that row alone is selected, then the screen hears the
                // touch.
                const QModelIndex indice = vista->model()->index(renglon - 1, 0, vista->rootIndex());
                vista->selectionModel()->setCurrentIndex(indice, QItemSelectionModel::ClearAndSelect |
                                                                     QItemSelectionModel::Rows);
                emit vista->clicked(indice);
            };
            return true;
        }
        if (orden == QLatin1String("wait")) {
            bool numero = false;
            demora = resto.toInt(&numero);
            if (!numero || demora < 0)
                return fallar(QStringLiteral("la espera debe ser un número de milisegundos"));
            return true;
        }
        if (orden == QLatin1String("loop")) {
            bool numero = false;
            const int segundos = resto.toInt(&numero);
            if (!numero || segundos < 0)
                return fallar(QStringLiteral("la vuelta debe durar un número de segundos"));
            // Back to the first line: the step below moves on to it.
            if (m_desdeInicio.elapsed() < qint64{segundos} * 1000)
                m_actual = -1;
            return true;
        }
        if (orden == QLatin1String("shot")) {
            QWidget* pantalla = pantallaActual();
            if (!pantalla)
                return fallar(QStringLiteral("no hay ninguna ventana abierta"));
            if (!pantalla->grab().save(resto, "PNG"))
                return fallar(QStringLiteral("no se pudo guardar %1").arg(resto));
            return true;
        }
        if (const auto propia = m_ordenes.constFind(orden); propia != m_ordenes.constEnd())
            return (*propia)(resto, &porque);
        m_intentando.invalidate();
        return fallar(QStringLiteral("orden desconocida"));
    };

    if (!ejecutarOrden()) {
        if (m_intentando.isValid() && m_intentando.elapsed() < kEsperaMaximaMs) {
            QTimer::singleShot(kReintentoMs, [this] { paso(); });
            return;
        }
        m_error = QStringLiteral("Línea %1: %2: %3").arg(m_actual + 1).arg(linea, porque);
        std::fprintf(stderr, "%s\n", qPrintable(m_error));
        terminar(1);
        return;
    }
    ++m_ejecutadas;
    siguiente(demora);
    if (!accion)
        return;
    if (m_medida) {
        // A touch that begins ends the one before it: the loop was free to take it.
        cerrarToque();
        m_toqueEnCurso = toque;
        m_relojToque.start();
    }
    accion();
}

void Driver::terminar(int codigo) {
    m_terminado = true;
    m_codigo = codigo;
    if (m_antesDeCadaLinea)
        m_antesDeCadaLinea();
    // Screens still open would keep their nested event loops, and the run, from returning.
    cerrarModales();
    if (m_salir)
        m_salir();
    if (m_alTerminar)
        m_alTerminar(codigo);
}

} // namespace nerin
