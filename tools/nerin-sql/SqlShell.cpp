#include "tools/nerin-sql/SqlShell.h"

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

int SqlShell::usage(const QString& problem) {
    std::fprintf(m_err,
                 "%s\nUso: nerin-sql [--db ARCHIVO | --odbc CONEXION] (-Q \"texto\" | -i ARCHIVO...) [-b]\n"
                 "     nerin-sql --create ARCHIVO [--demo]\n"
                 "     nerin-sql --history DIAS ARCHIVO\n",
                 qUtf8Printable(problem));
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

int SqlShell::run(const QList<QByteArray>& arguments) {
    QString database;
    QString odbc;
    QString createPath;
    QString historyPath;
    int historyDays = 0;
    bool demo = false;
    bool stop = false;
    QList<QByteArray> texts;
    QStringList names;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QByteArray& a = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (a == "--db" && hasValue) {
            database = QString::fromLocal8Bit(arguments[++i]);
        } else if (a == "--odbc" && hasValue) {
            odbc = QString::fromLocal8Bit(arguments[++i]);
        } else if (a == "--create" && hasValue) {
            createPath = QString::fromLocal8Bit(arguments[++i]);
        } else if (a == "--history" && i + 2 < arguments.size()) {
            bool ok = false;
            historyDays = arguments[++i].toInt(&ok);
            historyPath = QString::fromLocal8Bit(arguments[++i]);
            if (!ok || historyDays < 1)
                return usage(QStringLiteral("--history espera un número de días y un archivo."));
        } else if (a == "--demo") {
            demo = true;
        } else if (a == "-b") {
            stop = true;
        } else if (a == "-Q" && hasValue) {
            texts.append(arguments[++i]);
            names.append(QStringLiteral("-Q"));
        } else if (a == "-i" && hasValue) {
            // -i takes every following argument that is not an option.
            while (i + 1 < arguments.size() && !arguments[i + 1].startsWith('-')) {
                const QString path = QString::fromLocal8Bit(arguments[++i]);
                QFile file(path);
                if (!file.open(QIODevice::ReadOnly)) {
                    std::fprintf(m_err, "No se pudo leer %s\n", qUtf8Printable(path));
                    return 1;
                }
                texts.append(file.readAll());
                names.append(path);
            }
        } else {
            return usage(QStringLiteral("Argumento no reconocido: %1").arg(QString::fromLocal8Bit(a)));
        }
    }
    if (!createPath.isEmpty())
        return create(createPath, demo);
    if (!historyPath.isEmpty())
        return history(historyPath, historyDays);
    if (texts.isEmpty())
        return usage(QStringLiteral("Falta -Q o -i."));
    std::unique_ptr<Connection> connection;
    if (!odbc.isEmpty())
        connection = std::make_unique<OdbcConnection>(odbc);
    else if (!database.isEmpty())
        connection = std::make_unique<SqliteConnection>(database);
    else if (const auto configured = configuredDatabase())
        connection = createConnection(*configured);
    else
        return usage(QStringLiteral("Falta --db (o NERIN_CONFIG con la base de datos)."));
    return runScripts(*connection, texts, names, stop);
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
