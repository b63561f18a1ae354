#pragma once

#include "data/Connection.h"

#include <QString>
#include <QStringList>

namespace nerin::testing_support {

// Every row of the first result of `sql`, fields joined by "|" and rows by ";", NULL as "NULL"; or
// "ERROR " and the message when it fails. Lets a test compare a whole result in one expectation.
inline QString resultText(Connection& db, const QString& sql) {
    auto result = db.query(sql);
    if (!result)
        return QStringLiteral("ERROR ") + result.status().message();
    QStringList lines;
    for (RecordSet& rs = *result; !rs.eof(); rs.moveNext()) {
        QStringList fields;
        for (int i = 0; i < rs.fieldCount(); ++i)
            fields.append(rs.value(i).isNull() ? QStringLiteral("NULL") : rs.value(i).toString());
        lines.append(fields.join(u'|'));
    }
    return lines.join(u';');
}

// The message of a statement expected to fail, or "" when it succeeded.
inline QString failureText(Connection& db, const QString& sql) {
    auto result = db.execute(sql);
    return result ? QString() : result.status().message();
}

} // namespace nerin::testing_support
