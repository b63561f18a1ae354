#pragma once

#include "base/Result.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>

namespace nerin {

// Backups of the embedded database file, taken with SQLite's online backup while terminals keep
// working on it, and the restore of one of them in place of the database.
//
// A backup reads one consistent state of the database (the state of the moment it began: terminals
// that write meanwhile neither wait for it nor make it start over) and is written under a temporary
// name in the folder of the destination, then renamed: a file with the final name is always whole.
class RespaldoSqlite {
public:
    // Pages copied so far and pages in all, after each chunk. The screen repaints from here.
    using Avance = std::function<void(qint64 hechas, qint64 total)>;

    // Backups kept in the backup folder; older ones are deleted after each new one.
    static constexpr int kConservados = 30;
    // Pages copied per step of the backup: 1024 pages of 4 KiB, a few milliseconds each.
    static constexpr int kPaginasPorPaso = 1024;

    // The folder of the terminal's backups: "respaldos" under the state folder.
    static QString carpeta();

    // Writes an online backup of the database file `base` to `destino`, replacing that file when it
    // exists. The destination is never the database itself.
    static Status copiar(const QString& base, const QString& destino, const Avance& avance = {});

    // Writes a backup of `base` into `carpeta` (created when missing), named after the database and
    // `cuando` ("DBNERIN-20261206-233000.db"), then deletes the oldest backups of that database in the
    // folder beyond the `conservar` newest. Returns the new backup's path.
    static Result<QString> respaldar(const QString& base, const QString& carpeta, const QDateTime& cuando,
                                     const Avance& avance = {}, int conservar = kConservados);
    // The backups of `base` in `carpeta`, oldest first.
    static QStringList respaldos(const QString& base, const QString& carpeta);

    // Whether a process has the database file open (see the implementation for how this is told).
    // False when the database file does not exist.
    static Result<bool> enUso(const QString& base);

    // Ok when `archivo` is a sound SQLite database that holds the restaurant's tables.
    static Status comprobarRestaurante(const QString& archivo);

    // Replaces the database file `base` with the backup `respaldo`: refused when the backup does not
    // hold a restaurant or a process has the database open. The backup is copied beside the database
    // first and renamed into place, so the database is at every moment the old one or the new one.
    static Status restaurar(const QString& respaldo, const QString& base, const Avance& avance = {});
};

} // namespace nerin
