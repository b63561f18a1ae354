#pragma once

#include "data/DbError.h"

#include <QDateTime>
#include <QFile>
#include <QMutex>
#include <QString>
#include <functional>
#include <memory>

namespace nerin {

// The terminal's daily event log: a plain-text file per day in the log folder, named after a prefix
// and the day ("Nerin06122026.log"). Each line is appended, flushed and closed at once, so a crash
// loses nothing already written and no file stays open between calls. A log that cannot be written
// never stops the terminal: the line is dropped and a warning goes to standard error.
//
// The daily files are kept a number of days, today's included: the first line written on each day
// deletes the older files of every prefix in the folder, so a terminal that runs for months without
// a restart does not fill its disk.
class Bitacora {
public:
    using Reloj = std::function<QDateTime()>;
    using AvisoCarpeta = std::function<void(const QString& mensaje)>;

    // `carpeta` is the log root ("morvo" under the state folder); `reloj` gives the terminal's time
    // (the local clock unless a test supplies its own).
    explicit Bitacora(QString carpeta, Reloj reloj = &QDateTime::currentDateTime);

    // Who is told when the log folder cannot be created; start-up routes it to the message window.
    void setAvisoCarpeta(AvisoCarpeta aviso) { m_avisoCarpeta = std::move(aviso); }

    // Sets the file name prefix. Separators around it are ignored ("\Nerin" and "Nerin" name the same
    // file). Until it is set, lines go to the start-up log "NerinComTra".
    void FijarNombreBitacora(const QString& prefijo);

    // How many days the daily files are kept, today's included (kDiasConservados unless set).
    void setDiasConservados(int dias);
    static constexpr int kDiasConservados = 90;

    // Appends one line: the date and time, a space, then the text unchanged.
    void EscribirBitacora(const QString& texto);

    // Opens today's file for appending, creating the folder first when it is missing. Returns null
    // when the file cannot be opened.
    std::unique_ptr<QFile> AbrirArchivoBitacora();

    // One line per entry of a connection's error list: native number, description and SQLSTATE run
    // together.
    void RegistrarErroresADO(const DbErrorList& errores);

    // The entry of a procedure's error handler: a marker line, then the procedure's name, the error
    // number and its description run together.
    void registrarError(const QString& procedimiento, qint64 numero, const QString& descripcion);

    QString carpeta() const { return m_carpeta; }
    // The file that a line written now would go to.
    QString rutaArchivo() const;

    static constexpr const char* kPrefijoArranque = "NerinComTra";

private:
    QString rutaArchivo(const QDateTime& momento) const;
    std::unique_ptr<QFile> abrir(const QDateTime& momento);
    void escribirLineas(const QStringList& lineas);
    // Deletes the daily files older than the days kept, once a day.
    void borrarVencidas(const QDate& hoy);

    QString m_carpeta;
    Reloj m_reloj;
    AvisoCarpeta m_avisoCarpeta;
    QString m_prefijo;
    int m_diasConservados = kDiasConservados;
    QDate m_ultimaLimpieza;
    mutable QMutex m_mutex;
};

} // namespace nerin
