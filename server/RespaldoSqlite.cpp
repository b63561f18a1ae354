#include "server/RespaldoSqlite.h"

#include "data/StatePaths.h"
#include "server/tsql/SqlFunctions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sqlite3.h>
#include <unistd.h>

namespace nerin {

namespace {

// A SQLite handle closed when it goes out of scope.
class Manejador {
public:
    Manejador() = default;
    Manejador(const Manejador&) = delete;
    Manejador& operator=(const Manejador&) = delete;
    ~Manejador() { sqlite3_close_v2(m_db); }

    // Opens `archivo` with `flags`; the reason when it cannot be opened.
    Status abrir(const QString& archivo, int flags) {
        const int code = sqlite3_open_v2(QFile::encodeName(archivo).constData(), &m_db, flags, nullptr);
        if (code != SQLITE_OK)
            return fallo(code);
        sqlite3_extended_result_codes(m_db, 1);
        sqlite3_busy_timeout(m_db, 30000);
        return Status::ok();
    }
    Status ejecutar(const char* sql) {
        const int code = sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr);
        return code == SQLITE_OK ? Status::ok() : fallo(code);
    }
    // The first column of the first row of `sql`, as text; the reason when it fails.
    Result<QString> texto(const char* sql) {
        sqlite3_stmt* stmt = nullptr;
        int code = sqlite3_prepare_v2(m_db, sql, -1, &stmt, nullptr);
        QString valor;
        if (code == SQLITE_OK) {
            code = sqlite3_step(stmt);
            if (code == SQLITE_ROW) {
                valor = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
                code = SQLITE_OK;
            } else if (code == SQLITE_DONE) {
                code = SQLITE_OK;
            }
        }
        const Status estado = code == SQLITE_OK ? Status::ok() : fallo(code);
        sqlite3_finalize(stmt);
        if (!estado)
            return estado;
        return valor;
    }
    Status cerrar() {
        const int code = sqlite3_close(m_db);
        if (code != SQLITE_OK)
            return fallo(code);
        m_db = nullptr;
        return Status::ok();
    }
    Status fallo(int code) const {
        const QString detalle =
            m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString::fromUtf8(sqlite3_errstr(code));
        return Status::error(Status::Code::IoError, detalle);
    }
    sqlite3* get() const { return m_db; }

private:
    sqlite3* m_db = nullptr;
};

Status conContexto(const Status& fallo, const QString& contexto) {
    return Status::error(fallo.code(), contexto + QStringLiteral(": ") + fallo.message());
}

bool mismoArchivo(const QString& a, const QString& b) {
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

// Makes a rename in `carpeta` survive a power cut.
void sincronizarCarpeta(const QString& carpeta) {
    const int fd = ::open(QFile::encodeName(carpeta).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

Status renombrar(const QString& desde, const QString& hacia) {
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(desde).toStdString(), QFile::encodeName(hacia).toStdString(),
                            error);
    if (error)
        return Status::error(Status::Code::IoError,
                             QStringLiteral("No se pudo renombrar %1 a %2: %3")
                                 .arg(desde, hacia, QString::fromStdString(error.message())));
    sincronizarCarpeta(QFileInfo(hacia).absolutePath());
    return Status::ok();
}

// An empty file with a unique name in the folder of `destino`, kept on disk; the reason when the
// folder cannot be written.
Result<QString> temporalJunto(const QString& destino) {
    const QFileInfo info(destino);
    QTemporaryFile temporal(info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                            QStringLiteral(".XXXXXX.parcial"));
    temporal.setAutoRemove(false);
    if (!temporal.open())
        return Status::error(Status::Code::IoError, QStringLiteral("No se pudo escribir en la carpeta %1: %2")
                                                        .arg(info.absolutePath(), temporal.errorString()));
    const QString ruta = temporal.fileName();
    temporal.close();
    return ruta;
}

void borrarConAnexos(const QString& archivo) {
    for (const char* sufijo : {"", "-journal", "-wal", "-shm"})
        QFile::remove(archivo + QString::fromLatin1(sufijo));
}

// The online backup of `base` into `temporal`, an empty file that nobody else uses.
Status copiarEn(const QString& base, const QString& temporal, const RespaldoSqlite::Avance& avance) {
    if (!QFileInfo(base).isFile())
        return Status::error(Status::Code::NotFound, QStringLiteral("No existe el archivo %1").arg(base));
    Manejador origen;
    if (Status abierto = origen.abrir(base, SQLITE_OPEN_READWRITE); !abierto)
        return abierto;
    // A read transaction held through every step pins one state of the database: terminals that
    // commit meanwhile go on writing to the write-ahead log, and the backup neither restarts for
    // them nor makes them wait.
    if (Status leyendo = origen.ejecutar("BEGIN; SELECT count(*) FROM sqlite_master;"); !leyendo)
        return leyendo;
    Manejador destino;
    if (Status abierto = destino.abrir(temporal, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE); !abierto)
        return abierto;
    sqlite3_backup* respaldo = sqlite3_backup_init(destino.get(), "main", origen.get(), "main");
    if (!respaldo)
        return destino.fallo(sqlite3_errcode(destino.get()));
    int code = SQLITE_OK;
    int esperas = 0;
    do {
        code = sqlite3_backup_step(respaldo, RespaldoSqlite::kPaginasPorPaso);
        if (code == SQLITE_BUSY || code == SQLITE_LOCKED) {
            if (++esperas > 1500)
                break;
            sqlite3_sleep(20);
            code = SQLITE_OK;
            continue;
        }
        if (avance && (code == SQLITE_OK || code == SQLITE_DONE)) {
            const int total = sqlite3_backup_pagecount(respaldo);
            avance(total - sqlite3_backup_remaining(respaldo), total);
        }
    } while (code == SQLITE_OK);
    sqlite3_backup_finish(respaldo);
    if (code != SQLITE_DONE)
        return destino.fallo(code);
    // The copy keeps the database's write-ahead journal setting; as a plain journal it is one
    // self-contained file, and the terminals turn the write-ahead log on again when they open it.
    if (Status simple = destino.ejecutar("PRAGMA journal_mode=DELETE;"); !simple)
        return simple;
    return destino.cerrar();
}

// The byte of the -shm file on which every connection that has the database open in WAL mode holds
// a shared lock (SQLite's Unix VFS: 120 + 8).
constexpr off_t kByteDms = 128;

// A lock of an open file description on the "DMS" byte of a -shm file. Such locks conflict with the
// record locks SQLite takes, even in the same process, and closing this descriptor drops only its own
// lock. (Any close of a descriptor of the file still drops the record locks of this process's own
// connections to it: a process that has the database open must not probe it.)
class CerrojoDms {
public:
    explicit CerrojoDms(const QString& shm) {
        m_fd = ::open(QFile::encodeName(shm).constData(), O_RDWR | O_CLOEXEC);
        if (m_fd < 0)
            m_fd = ::open(QFile::encodeName(shm).constData(), O_RDONLY | O_CLOEXEC);
    }
    ~CerrojoDms() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    CerrojoDms(const CerrojoDms&) = delete;
    CerrojoDms& operator=(const CerrojoDms&) = delete;

    bool abierto() const { return m_fd >= 0; }
    // Whether another connection holds the byte.
    Result<bool> ocupado() {
        struct flock cerrojo = peticion(F_WRLCK);
        if (::fcntl(m_fd, F_OFD_GETLK, &cerrojo) != 0)
            return Status::error(Status::Code::IoError, QString::fromLocal8Bit(strerror(errno)));
        return cerrojo.l_type != F_UNLCK;
    }
    // Takes the byte for itself: while held, a connection that opens the database is refused as busy.
    bool tomar() {
        struct flock cerrojo = peticion(F_WRLCK);
        return ::fcntl(m_fd, F_OFD_SETLK, &cerrojo) == 0;
    }

private:
    static struct flock peticion(short tipo) {
        struct flock cerrojo {};
        cerrojo.l_type = tipo;
        cerrojo.l_whence = SEEK_SET;
        cerrojo.l_start = kByteDms;
        cerrojo.l_len = 1;
        return cerrojo;
    }
    int m_fd = -1;
};

} // namespace

QString RespaldoSqlite::carpeta() {
    return stateRoot() + QStringLiteral("/respaldos");
}

Status RespaldoSqlite::copiar(const QString& base, const QString& destino, const Avance& avance) {
    const QString contexto =
        QStringLiteral("No se pudo respaldar la base de datos %1 en %2").arg(base, destino);
    if (mismoArchivo(base, destino))
        return Status::invalid(contexto + QStringLiteral(": es el mismo archivo."));
    const Result<QString> temporal = temporalJunto(destino);
    if (!temporal)
        return conContexto(temporal.status(), contexto);
    Status hecho = copiarEn(base, *temporal, avance);
    if (hecho)
        hecho = renombrar(*temporal, destino);
    if (!hecho) {
        borrarConAnexos(*temporal);
        return conContexto(hecho, contexto);
    }
    return Status::ok();
}

QStringList RespaldoSqlite::respaldos(const QString& base, const QString& carpeta) {
    const QString nombre = QFileInfo(base).completeBaseName();
    const QRegularExpression patron(QStringLiteral("^") + QRegularExpression::escape(nombre) +
                                    QStringLiteral("-\\d{8}-\\d{6}\\.db$"));
    QStringList encontrados;
    const QDir dir(carpeta);
    // The date and time in the name sort as text.
    for (const QString& archivo :
         dir.entryList({nombre + QStringLiteral("-*.db")}, QDir::Files, QDir::Name)) {
        if (patron.match(archivo).hasMatch())
            encontrados.append(dir.filePath(archivo));
    }
    return encontrados;
}

Result<QString> RespaldoSqlite::respaldar(const QString& base, const QString& carpeta,
                                          const QDateTime& cuando, const Avance& avance, int conservar) {
    if (!QDir().mkpath(carpeta) || !QFileInfo(carpeta).isDir())
        return Status::error(Status::Code::IoError,
                             QStringLiteral("No se pudo crear la carpeta de respaldos %1.").arg(carpeta));
    const QString destino =
        QDir(carpeta).filePath(QFileInfo(base).completeBaseName() + u'-' +
                               cuando.toString(QStringLiteral("yyyyMMdd-HHmmss")) + QStringLiteral(".db"));
    if (Status hecho = copiar(base, destino, avance); !hecho)
        return hecho;
    QStringList viejos = respaldos(base, carpeta);
    QStringList sinBorrar;
    while (viejos.size() > std::max(conservar, 1)) {
        const QString viejo = viejos.takeFirst();
        if (!QFile::remove(viejo))
            sinBorrar.append(viejo);
    }
    if (!sinBorrar.isEmpty())
        return Status::error(
            Status::Code::IoError,
            QStringLiteral("Se respaldó la base de datos en %1, pero no se pudieron borrar los "
                           "respaldos antiguos: %2")
                .arg(destino, sinBorrar.join(QStringLiteral(", "))));
    return destino;
}

// How a process that has the database open is told: the database runs with a write-ahead log, and
// every SQLite connection in that mode holds, from the moment it first reads the database until it
// is closed, a shared lock on the "DMS" byte of the "-shm" file beside it; the operating system drops
// the lock when the process ends, even when it dies. So a write lock asked for on that byte is in
// conflict exactly while some connection has the database open. A file that is not there means no
// such connection: the last one to close deletes it.
Result<bool> RespaldoSqlite::enUso(const QString& base) {
    const QString shm = base + QStringLiteral("-shm");
    if (!QFileInfo(base).isFile() || !QFileInfo::exists(shm))
        return false;
    CerrojoDms cerrojo(shm);
    if (!cerrojo.abierto())
        return Status::error(Status::Code::IoError, QStringLiteral("No se pudo abrir %1").arg(shm));
    return cerrojo.ocupado();
}

Status RespaldoSqlite::comprobarRestaurante(const QString& archivo) {
    if (!QFileInfo(archivo).isFile())
        return Status::error(Status::Code::NotFound, QStringLiteral("No existe el archivo %1.").arg(archivo));
    Manejador db;
    Status estado = db.abrir(archivo, SQLITE_OPEN_READONLY);
    // The check reads the indexes, some of them under the engine's own collation and functions.
    if (estado)
        estado = tsql::registerTsqlFunctions(db.get());
    Result<QString> revision = estado ? db.texto("PRAGMA quick_check;") : Result<QString>(estado);
    if (!revision || *revision != u"ok")
        return Status::invalid(QStringLiteral("%1 no es una base de datos SQLite sana: %2")
                                   .arg(archivo, revision ? *revision : revision.status().message()));
    const Result<QString> tablas = db.texto("SELECT count(*) FROM sqlite_master WHERE type='table' AND "
                                            "lower(name) IN ('parametros','comanda','empleado','terminal');");
    if (!tablas || *tablas != u"4")
        return Status::invalid(QStringLiteral("%1 no tiene las tablas del restaurante.").arg(archivo));
    return Status::ok();
}

Status RespaldoSqlite::restaurar(const QString& respaldo, const QString& base, const Avance& avance) {
    const QString contexto = QStringLiteral("No se restauró la base de datos %1").arg(base);
    if (mismoArchivo(respaldo, base))
        return Status::invalid(contexto + QStringLiteral(": el respaldo es la misma base de datos."));
    if (Status sano = comprobarRestaurante(respaldo); !sano)
        return conContexto(sano, contexto);
    const auto abierta = [&]() -> Status {
        const Result<bool> usada = enUso(base);
        if (!usada)
            return usada.status();
        if (*usada)
            return Status::invalid(QStringLiteral("la base de datos está abierta por una terminal u otro "
                                                  "programa; ciérrelos todos antes de restaurar."));
        return Status::ok();
    };
    if (Status libre = abierta(); !libre)
        return conContexto(libre, contexto);

    const Result<QString> temporal = temporalJunto(base);
    if (!temporal)
        return conContexto(temporal.status(), contexto);
    const auto fallar = [&](const Status& fallo) {
        borrarConAnexos(*temporal);
        return conContexto(fallo, contexto);
    };
    if (Status copiado = copiarEn(respaldo, *temporal, avance); !copiado)
        return fallar(copiado);
    if (QFileInfo::exists(base))
        QFile::setPermissions(*temporal, QFile::permissions(base));

    // The old database's log is written back into it and removed (the last connection to close does
    // both): a log left beside the database would be replayed onto the restored one.
    // A database too damaged for that is replaced all the same, its log with it.
    if (QFileInfo::exists(base + QStringLiteral("-wal"))) {
        Manejador viejo;
        Status escrito = viejo.abrir(base, SQLITE_OPEN_READWRITE);
        if (escrito)
            escrito = viejo.ejecutar("PRAGMA wal_checkpoint(TRUNCATE);");
        if (!escrito)
            std::fprintf(stderr, "%s\n", qUtf8Printable(escrito.message()));
    }
    // Asked again, since the copy took a while; while the lock is held nobody can open the database,
    // which leaves only the moment between this question and the rename when there is no -shm file.
    if (Status libre = abierta(); !libre)
        return fallar(libre);
    CerrojoDms cerrojo(base + QStringLiteral("-shm"));
    if (cerrojo.abierto() && !cerrojo.tomar())
        return fallar(Status::invalid(QStringLiteral("una terminal acaba de abrir la base de datos.")));
    // Whatever log is left belongs to a database that nobody has open and that is being replaced.
    QFile::remove(base + QStringLiteral("-wal"));
    QFile::remove(base + QStringLiteral("-journal"));
    if (Status puesto = renombrar(*temporal, base); !puesto)
        return fallar(puesto);
    return Status::ok();
}

} // namespace nerin
