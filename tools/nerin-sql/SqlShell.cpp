#include "tools/nerin-sql/SqlShell.h"

#include "base/CommandLine.h"
#include "data/odbc/OdbcConnection.h"
#include "server/ConnectionFactory.h"
#include "server/DatabaseBuilder.h"
#include "server/HistoryGenerator.h"
#include "server/ScriptRunner.h"
#include "server/SqliteConnection.h"

#include <QFile>
#include <QSettings>
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

// The database the terminal's settings name (NERIN_CONFIG), reached as the terminal reaches it; none
// when there are no settings or they name no server.
std::optional<DatabaseSettings> configuredDatabase() {
    const QString file = qEnvironmentVariable("NERIN_CONFIG");
    if (file.isEmpty())
        return std::nullopt;
    QSettings settings(file, QSettings::IniFormat);
    const DatabaseSettings database = DatabaseSettings::fromSettings(settings);
    if (database.servidor.isEmpty())
        return std::nullopt;
    return database;
}

QString fieldText(const DbValue& value) {
    return value.isNull() ? QStringLiteral("NULL") : value.toString();
}

} // namespace

namespace {

const char* const kUso =
    "Uso: nerin-sql [--db ARCHIVO | --odbc CONEXION] (-Q \"texto\" | -i ARCHIVO...) [-b]\n"
    "     nerin-sql --create [--demo] ARCHIVO\n"
    "     nerin-sql --history DIAS ARCHIVO\n";

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
        {QCommandLineOption(QStringLiteral("create"))},
        {QCommandLineOption(QStringLiteral("demo"))},
        {QCommandLineOption(QStringLiteral("history"), {}, QStringLiteral("DIAS"))},
        {QCommandLineOption(QStringLiteral("Q"), {}, QStringLiteral("texto")), true, true},
        {QCommandLineOption(QStringLiteral("i"), {}, QStringLiteral("ARCHIVO")), true},
        {QCommandLineOption(QStringLiteral("b"))},
    });
    if (Status parsed = line.parse(arguments); !parsed)
        return usage(parsed.message());
    if (line.isSet(QStringLiteral("help"))) {
        std::fputs(kUso, m_out);
        return 0;
    }
    const QStringList files = line.positional();
    const bool create = line.isSet(QStringLiteral("create"));
    const bool history = line.isSet(QStringLiteral("history"));
    const bool inputs = line.isSet(QStringLiteral("i"));
    const bool database = line.isSet(QStringLiteral("db"));
    const bool odbc = line.isSet(QStringLiteral("odbc"));
    if (line.isSet(QStringLiteral("demo")) && !create)
        return usage(QStringLiteral("--demo solo sirve con --create."));
    if (create || history) {
        const QString option = create ? QStringLiteral("--create") : QStringLiteral("--history");
        if ((create && history) || database || odbc || inputs || line.isSet(QStringLiteral("Q")) ||
            line.isSet(QStringLiteral("b")))
            return usage(option + QStringLiteral(" no se combina con otras opciones."));
        if (files.isEmpty())
            return usage(option + QStringLiteral(" espera el archivo de la base de datos."));
        if (files.size() > 1)
            return usage(QStringLiteral("Sobra el argumento: %1").arg(files[1]));
        if (create)
            return this->create(files[0], line.isSet(QStringLiteral("demo")));
        bool ok = false;
        const int days = line.value(QStringLiteral("history")).toInt(&ok);
        if (!ok || days < 1)
            return usage(QStringLiteral("--history espera un número de días y un archivo."));
        return this->history(files[0], days);
    }
    if (database && odbc)
        return usage(QStringLiteral("--db y --odbc no se combinan."));
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
    } else if (database) {
        connection = std::make_unique<SqliteConnection>(line.value(QStringLiteral("db")));
    } else {
        const std::optional<DatabaseSettings> configured = configuredDatabase();
        if (!configured)
            return usage(QStringLiteral("Falta --db (o NERIN_CONFIG con la base de datos)."));
        if (Status valid = configured->check(); !valid) {
            std::fprintf(m_err, "%s\n", qUtf8Printable(valid.message()));
            return 2;
        }
        connection = createConnection(*configured);
    }
    return runScripts(*connection, texts, names, line.isSet(QStringLiteral("b")));
}

int SqlShell::create(const QString& path, bool demo) {
    const Status created = DatabaseBuilder::create(
        path, demo, [this](const QString& step) { std::fprintf(m_err, "%s\n", qUtf8Printable(step)); });
    if (!created) {
        std::fprintf(m_err, "%s\n", qUtf8Printable(created.message()));
        return 1;
    }
    std::fprintf(m_err, "Base de datos creada: %s\n", qUtf8Printable(path));
    return 0;
}

int SqlShell::history(const QString& path, int days) {
    SqliteConnection db(path);
    if (Status opened = db.open(); !opened) {
        std::fprintf(m_err, "%s\n", qUtf8Printable(opened.message()));
        return 1;
    }
    const Status done = HistoryGenerator::generate(db, days, 2026, [this](int daysDone, int total) {
        constexpr int kWidth = 40;
        const int filled = daysDone * kWidth / total;
        std::fprintf(m_err, "\r[%s%s] %d/%d días", QByteArray(filled, '#').constData(),
                     QByteArray(kWidth - filled, '.').constData(), daysDone, total);
        std::fflush(m_err);
    });
    std::fprintf(m_err, "\n");
    if (!done) {
        std::fprintf(m_err, "%s\n", qUtf8Printable(done.message()));
        return 1;
    }
    return 0;
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
