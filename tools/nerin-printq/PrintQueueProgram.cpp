#include "tools/nerin-printq/PrintQueueProgram.h"

#include "data/Bitacora.h"
#include "data/StatePaths.h"
#include "data/odbc/OdbcConnection.h"
#include "printing/PlainTextRenderer.h"
#include "server/SqliteConnection.h"
#include "startup/TerminalSettings.h"
#include "tools/nerin-printq/PrintQueueService.h"
#include "tools/nerin-printq/PrintQueueStore.h"

#include <QDateTime>

namespace nerin {

int PrintQueueProgram::usage(const char* problem) {
    std::fprintf(
        m_err,
        "%s\nUso: nerin-printq [--db ARCHIVO | --odbc CONEXION] [--once] [--intervalo MS] [--pausa MS]\n"
        "                    [--pausa-maxima MS] [--espera MS] [--reclamo MS] [--abandono MS]\n"
        "     nerin-printq [--db ARCHIVO | --odbc CONEXION] --ver TRABAJO\n",
        problem);
    return 2;
}

int PrintQueueProgram::run(const QList<QByteArray>& arguments, const std::atomic<bool>& stop) {
    QString database;
    QString odbc;
    qint32 preview = 0;
    PrintQueueService::Options options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QByteArray& a = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        auto number = [&](int& into) {
            bool ok = false;
            into = arguments[++i].toInt(&ok);
            return ok && into > 0;
        };
        if (a == "--db" && hasValue) {
            database = QString::fromLocal8Bit(arguments[++i]);
        } else if (a == "--odbc" && hasValue) {
            odbc = QString::fromLocal8Bit(arguments[++i]);
        } else if (a == "--once") {
            options.once = true;
        } else if (a == "--intervalo" && hasValue) {
            if (!number(options.pollMs))
                return usage("--intervalo espera milisegundos.");
        } else if (a == "--pausa" && hasValue) {
            if (!number(options.firstPauseMs))
                return usage("--pausa espera milisegundos.");
        } else if (a == "--pausa-maxima" && hasValue) {
            if (!number(options.maxPauseMs))
                return usage("--pausa-maxima espera milisegundos.");
        } else if (a == "--espera" && hasValue) {
            if (!number(options.sendTimeoutMs))
                return usage("--espera espera milisegundos.");
        } else if (a == "--reclamo" && hasValue) {
            if (!number(options.claimMs))
                return usage("--reclamo espera milisegundos.");
        } else if (a == "--abandono" && hasValue) {
            if (!number(options.abandonMs))
                return usage("--abandono espera milisegundos.");
        } else if (a == "--ver" && hasValue) {
            int job = 0;
            if (!number(job))
                return usage("--ver espera el número de un trabajo.");
            preview = job;
        } else {
            std::fprintf(m_err, "Argumento no reconocido: %s\n", a.constData());
            return usage("");
        }
    }
    options.maxPauseMs = std::max(options.maxPauseMs, options.firstPauseMs);

    std::unique_ptr<Connection> connection;
    if (!odbc.isEmpty()) {
        connection = std::make_unique<OdbcConnection>(odbc);
    } else if (!database.isEmpty()) {
        connection = std::make_unique<SqliteConnection>(database);
    } else {
        const TerminalSettings settings;
        if (settings.servidor().isEmpty())
            return usage(
                "Falta --db (o la configuración de la terminal, NERIN_CONFIG, con la base de datos).");
        connection = createConnection(settings.databaseSettings());
    }
    if (Status opened = connection->open(); !opened) {
        std::fprintf(m_err, "%s\n", qUtf8Printable(opened.message()));
        return 1;
    }

    if (preview != 0) {
        const Result<QStringList> lines = PrintQueueStore(*connection).lines(preview);
        if (!lines) {
            std::fprintf(m_err, "%s\n", qUtf8Printable(lines.status().message()));
            return 1;
        }
        std::fputs(PlainTextRenderer::render(*lines).toUtf8().constData(), m_out);
        return 0;
    }

    Bitacora bitacora(logRoot());
    bitacora.FijarNombreBitacora(QStringLiteral("NerinCola"));
    options.baseFolder = stateRoot();
    PrintQueueService service(*connection, options, [this, &bitacora](const QString& line) {
        std::fprintf(
            m_err, "%s %s\n",
            qUtf8Printable(QDateTime::currentDateTime().toString(QStringLiteral("dd/MM/yyyy hh:mm:ss"))),
            qUtf8Printable(line));
        std::fflush(m_err);
        bitacora.EscribirBitacora(line);
    });
    const int status = service.run(stop);
    if (options.once)
        std::fprintf(
            m_err,
            "%d trabajos impresos, %d intentos fallidos, %d trabajos sin cerrar marcados como fallidos\n",
            service.printed(), service.failures(), service.abandoned());
    return status;
}

} // namespace nerin
