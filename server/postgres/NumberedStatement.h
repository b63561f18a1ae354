#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace nerin {

// A translated statement as the server prepares it: each distinct "@name" outside quotes turned into a
// numbered marker after the literals' markers.
struct NumberedStatement {
    QString sql;
    QStringList names; // the names of $n+1, $n+2, …, as the statement wrote them ("@x")
    // The first spelling of each bare word of the text, by the word in lower case: the server folds the
    // names of a result's columns, T-SQL keeps them as written.
    QHash<QString, QString> spellings;
};

// Numbers the variables of `sql`, a statement whose literals already take the markers $1 to
// $`literals`.
NumberedStatement numberStatement(const QString& sql, qsizetype literals);

} // namespace nerin
