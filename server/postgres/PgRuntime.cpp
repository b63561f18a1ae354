#include "server/postgres/PgRuntime.h"

#include "server/postgres/PgCollation.h"
#include "server/postgres/PgConnection.h"

#include <QFile>

namespace nerin {

namespace {

// Any number of the program's own, the same in every installing session.
const QString kInstallLock = QStringLiteral("SELECT pg_advisory_xact_lock(7426001)");

Status failure(const QString& what, const QString& reason) {
    return Status::error(Status::Code::DatabaseError,
                         QStringLiteral("No se pudo instalar en PostgreSQL %1: %2").arg(what, reason));
}

// Runs every step; on the first failure, the transaction is undone.
Status installSteps(PgConnection& connection) {
    if (auto locked = connection.execute(kInstallLock); !locked)
        return failure(QStringLiteral("la biblioteca de funciones"), locked.status().message());
    const auto collation = connection.query(
        QStringLiteral("SELECT to_regcollation('%1') IS NULL").arg(QString::fromLatin1(PgCollation::kName)));
    if (!collation)
        return failure(QStringLiteral("la intercalación %1").arg(QString::fromLatin1(PgCollation::kName)),
                       collation.status().message());
    if (collation->value(0).toInt() != 0) {
        if (auto created = connection.execute(QString::fromLatin1(PgCollation::kCreate)); !created)
            return failure(QStringLiteral("la intercalación %1").arg(QString::fromLatin1(PgCollation::kName)),
                           created.status().message());
    }
    for (const QString& path : PgRuntime::files()) {
        const QString name = path.section(u'/', -1);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return failure(name, file.errorString());
        if (auto run = connection.execute(QString::fromUtf8(file.readAll())); !run)
            return failure(name, run.status().message());
    }
    return Status::ok();
}

} // namespace

QStringList PgRuntime::files() {
    static const QStringList names = {
        QStringLiteral("support"),          QStringLiteral("dates"),
        QStringLiteral("datetext"),         QStringLiteral("text"),
        QStringLiteral("numbers"),          QStringLiteral("conversions"),
        QStringLiteral("conversions_text"), QStringLiteral("identity"),
        QStringLiteral("operators"),
    };
    QStringList paths;
    for (const QString& name : names)
        paths.append(QStringLiteral(":/postgres/runtime/%1.sql").arg(name));
    return paths;
}

Status PgRuntime::install(PgConnection& connection) {
    if (Status begun = connection.begin(); !begun)
        return failure(QStringLiteral("la biblioteca de funciones"), begun.message());
    const Status installed = installSteps(connection);
    if (!installed) {
        if (Status undone = connection.rollback(); !undone)
            return Status::error(installed.code(), installed.message() +
                                                       QStringLiteral(" (y no se pudo deshacer: ") +
                                                       undone.message() + u')');
        return installed;
    }
    if (Status committed = connection.commit(); !committed)
        return failure(QStringLiteral("la biblioteca de funciones"), committed.message());
    return Status::ok();
}

} // namespace nerin
