#pragma once

#include <QList>
#include <QString>

namespace nerin {

// One entry of a connection's error list, as the database driver reported it.
struct DbError {
    qint64 nativeError = 0;
    QString description;
    QString sqlState;
};

using DbErrorList = QList<DbError>;

} // namespace nerin
