#include "tools/nerin-sql/SqlShell.h"

#include "base/CommandLine.h"
#include "data/odbc/OdbcConnection.h"
#include "server/ConnectionFactory.h"
#include "server/DatabaseBuilder.h"
#include "server/HistoryGenerator.h"
#include "server/PostgresConnection.h"
#include "server/RespaldoSqlite.h"
#include "server/ScriptRunner.h"
#include "server/SqliteConnection.h"
#include "startup/TerminalSettings.h"

#include <QFile>
#include <QStringDecoder>

namespace nerin {

namespace {

std::optional<QString> decodeUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

// The database the terminal's settings name (NERIN_CONFIG, else the terminal's standard location),
// reached as the terminal reaches it; none when there are no settings or they name no server.
std::optional<DatabaseSettings> configuredDatabase() {
    const DatabaseSettings database = TerminalSettings().databaseSettings();
    if (database.servidor.isEmpty())
        return std::nullopt;
    return database;
}

// The libpq connection string of the PostgreSQL database the terminal's settings name; none when they
// name another back-end. `problem` says why the settings cannot be used.
std::optional<QString> configuredPostgres(QString& problem) {
    const std::optional<DatabaseSettings> configured = configuredDatabase();
    if (!configured || !configured->usesPostgres())
        return std::nullopt;
    if (Status valid = configured->check(); !valid) {
        problem = valid.message();
        return QString();
    }
    const Result<DatabaseSettings::Login> login = configured->login();
    if (!login) {
        problem = login.status().message();
        return QString();
    }
    return configured->postgresConnInfo(*login);
}

QString fieldText(const DbValue& value) {
    return value.isNull() ? QStringLiteral("NULL") : value.toString();
}

} // namespace

namespace {

const char* const kUso =
    "Uso: nerin-sql [--db ARCHIVO | --odbc CONEXION | --pg CONEXION] (-Q \"texto\" | -i ARCHIVO...) [-b]\n"
    "     nerin-sql --create [--demo] (ARCHIVO | --pg CONEXION)\n"
    "     nerin-sql --history DIAS (ARCHIVO | --pg CONEXION)\n"
    "     nerin-sql --backup DESTINO [--db ARCHIVO]\n"
    "     nerin-sql --restore RESPALDO [--db ARCHIVO]\n";

const char* const kAyuda =
    "\n"
    "Ejecuta T-SQL contra la base de datos del restaurante y escribe las filas de cada resultado\n"
    "separadas por tabuladores, bajo una línea con los nombres de las columnas; crea bases de datos y\n"
    "respalda o restaura la base SQLite. Sin --db, --odbc ni --pg usa la base de datos de la\n"
    "configuración de la terminal.\n"
    "\n"
    "Opciones:\n"
    "  --db ARCHIVO        la base de datos SQLite ARCHIVO.\n"
    "  --odbc CONEXION     una base de datos de SQL Server, por la cadena de conexión ODBC CONEXION.\n"
    "  --pg CONEXION       una base de datos PostgreSQL, por la cadena de conexión de libpq CONEXION.\n"
    "  -Q texto            ejecuta el texto, en lotes separados por líneas GO. Se repite.\n"
    "  -i ARCHIVO...       ejecuta los archivos, en el orden dados. Se repite.\n"
    "  -b                  se detiene en el primer lote que falla.\n"
    "  --create            crea la base de datos del restaurante: tablas, vistas y procedimientos;\n"
    "                      sin ARCHIVO ni --pg, en la base PostgreSQL de la configuración. Rechaza una\n"
    "                      base que ya tiene un restaurante.\n"
    "  --demo              con --create, crea el restaurante de demostración.\n"
    "  --history DIAS      agrega DIAS días de ventas cerradas al restaurante de demostración; sin\n"
    "                      ARCHIVO ni --pg, en la base PostgreSQL de la configuración.\n"
    "  --backup DESTINO    escribe en DESTINO un respaldo de la base SQLite mientras las terminales\n"
    "                      trabajan.\n"
    "  --restore RESPALDO  pone RESPALDO en lugar de la base SQLite; solo si es una base de un\n"
    "                      restaurante y ninguna terminal ni otro programa tiene abierta la base.\n"
    "  -h, --help          muestra esta ayuda y termina.\n"
    "Sin --db, --backup y --restore usan la base SQLite de la configuración.\n"
    "\n"
    "Archivos:\n"
    "  ~/.config/NERIN/NERIN.ini   la configuración, grupo [Configuracion], sin NERIN_CONFIG: Motor,\n"
    "                              Servidor, BASE_DE_DATOS, Usuario y ArchivoClave dicen qué base de\n"
    "                              datos usar y con qué login.\n"
    "\n"
    "Variables de entorno:\n"
    "  NERIN_CONFIG   el archivo de configuración de la terminal (INI).\n"
    "  NERIN_STATE    no se usa: los respaldos van a DESTINO.\n"
    "\n"
    "Estado de salida:\n"
    "  0   todo se ejecutó, creó, respaldó o restauró.\n"
    "  1   algún lote falló, un archivo no se pudo leer, o la base de datos no se pudo abrir, crear,\n"
    "      respaldar o restaurar.\n"
    "  2   argumentos o configuración no válidos.\n";

} // namespace

int SqlShell::usage(const QString& problem) {
    std::fprintf(m_err, "%s\n%s", qUtf8Printable(problem), kUso);
    return 2;
}

void SqlShell::printError(qint64 number, int line, const QString& message) {
    std::fprintf(m_err, "Msg %lld, Level 16, State 1, Line %d\n%s\n", static_cast<long long>(number), line,
                 qUtf8Printable(message));
}

void SqlShell::printResults(const QList<RecordSet>& results) {
    for (const RecordSet& result : results) {
        std::fprintf(m_out, "%s\n", qUtf8Printable(result.columns().join(u'\t')));
        for (const QList<DbValue>& row : result.rows()) {
            QStringList fields;
            for (const DbValue& value : row)
                fields.append(fieldText(value));
            std::fprintf(m_out, "%s\n", qUtf8Printable(fields.join(u'\t')));
        }
    }
    std::fflush(m_out);
}

int SqlShell::run(const QList<QByteArray>& rawArguments) {
    QStringList arguments;
    for (const QByteArray& raw : rawArguments) {
        const std::optional<QString> text = decodeUtf8(raw);
        if (!text)
            return usage(QStringLiteral("Un argumento no es texto UTF-8 válido."));
        arguments.append(*text);
    }
    CommandLine line({
        {QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")})},
        {QCommandLineOption(QStringLiteral("db"), {}, QStringLiteral("ARCHIVO"))},
        {QCommandLineOption(QStringLiteral("odbc"), {}, QStringLiteral("CONEXION"))},
        {QCommandLineOption(QStringLiteral("pg"), {}, QStringLiteral("CONEXION"))},
        {QCommandLineOption(QStringLiteral("create"))},
        {QCommandLineOption(QStringLiteral("demo"))},
        {QCommandLineOption(QStringLiteral("history"), {}, QStringLiteral("DIAS"))},
        {QCommandLineOption(QStringLiteral("backup"), {}, QStringLiteral("DESTINO"))},
        {QCommandLineOption(QStringLiteral("restore"), {}, QStringLiteral("RESPALDO"))},
        {QCommandLineOption(QStringLiteral("Q"), {}, QStringLiteral("texto")), true, true},
        {QCommandLineOption(QStringLiteral("i"), {}, QStringLiteral("ARCHIVO")), true},
        {QCommandLineOption(QStringLiteral("b"))},
    });
    if (Status parsed = line.parse(arguments); !parsed)
        return usage(parsed.message());
    if (line.isSet(QStringLiteral("help"))) {
        std::fputs(kUso, m_out);
        std::fputs(kAyuda, m_out);
        return 0;
    }
    const QStringList files = line.positional();
    const bool create = line.isSet(QStringLiteral("create"));
    const bool history = line.isSet(QStringLiteral("history"));
    const bool inputs = line.isSet(QStringLiteral("i"));
    const bool database = line.isSet(QStringLiteral("db"));
    const bool odbc = line.isSet(QStringLiteral("odbc"));
    const bool postgres = line.isSet(QStringLiteral("pg"));
    const bool backup = line.isSet(QStringLiteral("backup"));
    const bool restore = line.isSet(QStringLiteral("restore"));
    if (backup || restore) {
        const QString option = backup ? QStringLiteral("--backup") : QStringLiteral("--restore");
        if ((backup && restore) || create || history || odbc || postgres || inputs ||
            line.isSet(QStringLiteral("Q")) || line.isSet(QStringLiteral("b")) ||
            line.isSet(QStringLiteral("demo")))
            return usage(option + QStringLiteral(" solo se combina con --db."));
        if (!files.isEmpty())
            return usage(QStringLiteral("Sobra el argumento: %1").arg(files[0]));
        QString file = line.value(QStringLiteral("db"));
        if (!database) {
            const std::variant<DatabaseSettings, int> configured = settingsDatabase();
            if (const int* exitCode = std::get_if<int>(&configured))
                return *exitCode;
            const DatabaseSettings& settings = std::get<DatabaseSettings>(configured);
            if (settings.usesOdbc() || settings.usesPostgres()) {
                std::fprintf(m_err, "%s\n",
                             qUtf8Printable(
                                 option + QStringLiteral(" sirve para la base SQLite; la base de la "
                                                         "configuración está en un servidor: respáldela con "
                                                         "las herramientas del servidor (pg_dump).")));
                return 2;
            }
            file = settings.databaseFile();
        }
        return backup ? this->backup(file, line.value(QStringLiteral("backup")))
                      : this->restore(file, line.value(QStringLiteral("restore")));
    }
    if (line.isSet(QStringLiteral("demo")) && !create)
        return usage(QStringLiteral("--demo solo sirve con --create."));
    if (create || history) {
        const QString option = create ? QStringLiteral("--create") : QStringLiteral("--history");
        if ((create && history) || database || odbc || inputs || line.isSet(QStringLiteral("Q")) ||
            line.isSet(QStringLiteral("b")))
            return usage(option + QStringLiteral(" no se combina con otras opciones."));
        if (files.size() > (postgres ? 0 : 1))
            return usage(QStringLiteral("Sobra el argumento: %1").arg(files.value(postgres ? 0 : 1)));
        // A PostgreSQL database: the one of --pg, or without a file the one the settings name.
        std::optional<QString> server;
        if (postgres) {
            server = line.value(QStringLiteral("pg"));
        } else if (files.isEmpty()) {
            QString problem;
            server = configuredPostgres(problem);
            if (!problem.isEmpty()) {
                std::fprintf(m_err, "%s\n", qUtf8Printable(problem));
                return 2;
            }
            if (!server)
                return usage(option + QStringLiteral(" espera el archivo de la base de datos o --pg."));
        }
        const Database target{server ? *server : files[0], server.has_value()};
        if (create)
            return this->create(target, line.isSet(QStringLiteral("demo")));
        bool ok = false;
        const int days = line.value(QStringLiteral("history")).toInt(&ok);
        if (!ok || days < 1)
            return usage(QStringLiteral("--history espera un número de días y un archivo."));
        return this->history(target, days);
    }
    if (int(database) + int(odbc) + int(postgres) > 1)
        return usage(QStringLiteral("--db, --odbc y --pg no se combinan."));
    if (!files.isEmpty() && !inputs)
        return usage(QStringLiteral("Argumento no reconocido: %1").arg(files[0]));

    // The texts run in the order given; the file names after the last -i belong to it.
    QList<QByteArray> texts;
    QStringList names;
    QStringList paths;
    const QStringList statements = line.values(QStringLiteral("Q"));
    const QStringList inputFiles = line.values(QStringLiteral("i"));
    const QStringList given = line.optionNames();
    const qsizetype lastInput = given.lastIndexOf(QStringLiteral("i"));
    qsizetype nextStatement = 0;
    qsizetype nextInput = 0;
    for (qsizetype k = 0; k < given.size(); ++k) {
        if (given[k] == u"Q") {
            texts.append(statements[nextStatement++].toUtf8());
            names.append(QStringLiteral("-Q"));
        } else if (given[k] == u"i") {
            QStringList these{inputFiles[nextInput++]};
            if (k == lastInput)
                these += files;
            for (const QString& path : these) {
                QFile file(path);
                if (!file.open(QIODevice::ReadOnly)) {
                    std::fprintf(m_err, "No se pudo leer %s\n", qUtf8Printable(path));
                    return 1;
                }
                texts.append(file.readAll());
                names.append(path);
            }
        }
    }
    if (texts.isEmpty())
        return usage(QStringLiteral("Falta -Q o -i."));
    std::unique_ptr<Connection> connection;
    if (odbc) {
        connection = std::make_unique<OdbcConnection>(line.value(QStringLiteral("odbc")));
    } else if (postgres) {
        connection = std::make_unique<PostgresConnection>(line.value(QStringLiteral("pg")));
    } else if (database) {
        connection = std::make_unique<SqliteConnection>(line.value(QStringLiteral("db")));
    } else {
        const std::variant<DatabaseSettings, int> configured = settingsDatabase();
        if (const int* exitCode = std::get_if<int>(&configured))
            return *exitCode;
        connection = createConnection(std::get<DatabaseSettings>(configured));
    }
    return runScripts(*connection, texts, names, line.isSet(QStringLiteral("b")));
}

std::variant<DatabaseSettings, int> SqlShell::settingsDatabase() {
    const std::optional<DatabaseSettings> configured = configuredDatabase();
    if (!configured)
        return usage(QStringLiteral(
            "Falta --db (o la configuración de la terminal, NERIN_CONFIG, con la base de datos)."));
    if (Status valid = configured->check(); !valid) {
        std::fprintf(m_err, "%s\n", qUtf8Printable(valid.message()));
        return 2;
    }
    return *configured;
}

int SqlShell::create(const Database& database, bool demo) {
    const auto progress = [this](const QString& step) { std::fprintf(m_err, "%s\n", qUtf8Printable(step)); };
    const Status created = database.postgres ? DatabaseBuilder::createPostgres(database.name, demo, progress)
                                             : DatabaseBuilder::create(database.name, demo, progress);
    if (!created) {
        std::fprintf(m_err, "%s\n", qUtf8Printable(created.message()));
        return 1;
    }
    std::fprintf(m_err, "Base de datos creada%s\n",
                 database.postgres ? "." : qUtf8Printable(QStringLiteral(": ") + database.name));
    return 0;
}

int SqlShell::history(const Database& database, int days) {
    std::unique_ptr<Connection> connection;
    if (database.postgres)
        connection = std::make_unique<PostgresConnection>(database.name);
    else
        connection = std::make_unique<SqliteConnection>(database.name);
    Connection& db = *connection;
    if (Status opened = db.open(); !opened) {
        std::fprintf(m_err, "%s\n", qUtf8Printable(opened.message()));
        return 1;
    }
    const Status done = HistoryGenerator::generate(db, days, 2026, [this](int daysDone, int total) {
        progressBar(daysDone, total, QStringLiteral("días"));
    });
    std::fprintf(m_err, "\n");
    if (!done) {
        std::fprintf(m_err, "%s\n", qUtf8Printable(done.message()));
        return 1;
    }
    return 0;
}

void SqlShell::progressBar(qint64 done, qint64 total, const QString& unit) {
    constexpr int kWidth = 40;
    const int filled = total > 0 ? static_cast<int>(done * kWidth / total) : kWidth;
    std::fprintf(m_err, "\r[%s%s] %lld/%lld %s", QByteArray(filled, '#').constData(),
                 QByteArray(kWidth - filled, '.').constData(), static_cast<long long>(done),
                 static_cast<long long>(total), qUtf8Printable(unit));
    std::fflush(m_err);
}

int SqlShell::copyShowingPages(const CopyWithProgress& copy, const QString& doneMessage) {
    const Status done =
        copy([this](qint64 pages, qint64 total) { progressBar(pages, total, QStringLiteral("páginas")); });
    std::fprintf(m_err, "\n");
    if (!done) {
        std::fprintf(m_err, "%s\n", qUtf8Printable(done.message()));
        return 1;
    }
    std::fprintf(m_err, "%s\n", qUtf8Printable(doneMessage));
    return 0;
}

int SqlShell::backup(const QString& database, const QString& target) {
    return copyShowingPages(
        [&](const RespaldoSqlite::Avance& avance) {
            return RespaldoSqlite::copiar(database, target, avance);
        },
        QStringLiteral("Respaldo escrito: ") + target);
}

int SqlShell::restore(const QString& database, const QString& backupFile) {
    return copyShowingPages(
        [&](const RespaldoSqlite::Avance& avance) {
            return RespaldoSqlite::restaurar(backupFile, database, avance);
        },
        QStringLiteral("Base de datos restaurada: ") + database + QStringLiteral(" (desde ") + backupFile +
            u')');
}

int SqlShell::runScripts(Connection& connection, const QList<QByteArray>& texts, const QStringList& names,
                         bool stopAtFirstFailure) {
    if (Status opened = connection.open(); !opened) {
        std::fprintf(m_err, "%s\n", qUtf8Printable(opened.message()));
        return 1;
    }
    ScriptRunner runner(connection);
    runner.onResults([this](const QList<RecordSet>& results) { printResults(results); });
    runner.onFailure([this](const ScriptRunner::Failure& failure) {
        printError(failure.nativeError, failure.line, failure.message);
    });
    int failures = 0;
    for (qsizetype i = 0; i < texts.size(); ++i) {
        const std::optional<QString> text = decodeUtf8(texts[i]);
        if (!text) {
            printError(102, 1, QStringLiteral("%1: el texto no es UTF-8 válido.").arg(names[i]));
            ++failures;
        } else {
            failures += runner.run(*text, stopAtFirstFailure);
        }
        if (failures > 0 && stopAtFirstFailure)
            break;
    }
    return failures > 0 ? 1 : 0;
}

} // namespace nerin
