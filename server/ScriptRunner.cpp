#include "server/ScriptRunner.h"

#include "data/DbCommand.h"

#include <QRegularExpression>

namespace nerin {

namespace {

// "Línea 3: ..." → 3 and the message without the prefix.
int takeLine(QString& message) {
    static const QRegularExpression prefix(QStringLiteral("^Línea (\\d+): "));
    const QRegularExpressionMatch match = prefix.match(message);
    if (!match.hasMatch())
        return 1;
    message.remove(0, match.capturedLength());
    return match.captured(1).toInt();
}

} // namespace

QList<ScriptRunner::Batch> ScriptRunner::split(const QString& script) {
    QList<Batch> batches;
    QString current;
    int start = 1;
    int line = 0;
    const QStringList lines = script.split(u'\n');
    for (const QString& raw : lines) {
        ++line;
        if (raw.trimmed().compare(QStringLiteral("GO"), Qt::CaseInsensitive) == 0) {
            if (!current.trimmed().isEmpty())
                batches.append({current, start});
            current.clear();
            start = line + 1;
            continue;
        }
        current += raw;
        current += u'\n';
    }
    if (!current.trimmed().isEmpty())
        batches.append({current, start});
    return batches;
}

int ScriptRunner::run(const QString& script, bool stopAtFirstFailure) {
    int failures = 0;
    for (const Batch& batch : split(script)) {
        DbCommand command(batch.text, DbCommand::Kind::Text);
        auto results = m_connection.run(command);
        if (results) {
            if (m_onResults)
                m_onResults(*results);
            continue;
        }
        ++failures;
        Failure failure;
        failure.message = results.status().message();
        failure.line = takeLine(failure.message);
        failure.batchLine = batch.firstLine;
        failure.nativeError = m_connection.errors().isEmpty() ? 0 : m_connection.errors().first().nativeError;
        if (m_onFailure)
            m_onFailure(failure);
        if (stopAtFirstFailure)
            break;
    }
    return failures;
}

} // namespace nerin
