#pragma once

#include "data/Connection.h"

#include <QList>
#include <QString>
#include <functional>

namespace nerin {

// Runs T-SQL scripts made of batches separated by lines that hold only "GO", as the server's own
// tools do: each batch is sent whole, a failed batch is reported and the next one runs (unless told
// to stop at the first failure).
class ScriptRunner {
public:
    struct Batch {
        QString text;
        int firstLine = 1; // line of the script on which the batch starts
    };

    struct Failure {
        qint64 nativeError = 0;
        int line = 1;      // within the batch
        int batchLine = 1; // where the batch starts in the script
        QString message;
    };

    using ResultsHandler = std::function<void(const QList<RecordSet>& results)>;
    using FailureHandler = std::function<void(const Failure& failure)>;

    explicit ScriptRunner(Connection& connection) : m_connection(connection) {}

    void onResults(ResultsHandler handler) { m_onResults = std::move(handler); }
    void onFailure(FailureHandler handler) { m_onFailure = std::move(handler); }

    // Splits a script into batches; "GO" lines are matched without regard to case or surrounding
    // spaces, and batches holding only white space are left out.
    static QList<Batch> split(const QString& script);

    // Runs every batch; returns how many failed. With `stopAtFirstFailure`, nothing runs after the
    // first failure.
    int run(const QString& script, bool stopAtFirstFailure = false);

private:
    Connection& m_connection;
    ResultsHandler m_onResults;
    FailureHandler m_onFailure;
};

} // namespace nerin
