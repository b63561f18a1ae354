#include "server/postgres/PgRuntime.h"

#include "server/postgres/PgCollation.h"
#include "server/postgres/PgConnection.h"

#include <QCryptographicHash>
#include <QFile>

namespace nerin {

namespace {

// Any number of the program's own, the same in every installing session.
const QString kInstallLock = QStringLiteral("SELECT pg_advisory_xact_lock(7426001)");

Status failure(const QString& what, const QString& reason) {
    return Status::error(Status::Code::DatabaseError,
                         QStringLiteral("No se pudo instalar en PostgreSQL %1: %2").arg(what, reason));
}

// The body of nerin_runtime_version(), the function that tells which library a database has: a digest
// of the library's files.
QString versionBody(const QList<QByteArray>& texts) {
    QCryptographicHash digest(QCryptographicHash::Sha1);
    for (const QByteArray& text : texts)
        digest.addData(text);
    return QStringLiteral("SELECT '%1'::text").arg(QString::fromLatin1(digest.result().toHex()));
}

// Runs every step; on the first failure, the transaction is undone.
Status installSteps(PgConnection& connection) {
    if (auto locked = connection.execute(kInstallLock); !locked)
        return failure(QStringLiteral("la biblioteca de funciones"), locked.status().message());
    QList<QByteArray> texts;
    for (const QString& path : PgRuntime::files()) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return failure(path.section(u'/', -1), file.errorString());
        texts.append(file.readAll());
    }
    // A database that has this very library is left as it is: installing costs the server a moment.
    const QString version = versionBody(texts);
    const auto installed = connection.query(
        QStringLiteral("SELECT prosrc FROM pg_proc WHERE oid = to_regprocedure('nerin_runtime_version()')"));
    if (!installed)
        return failure(QStringLiteral("la biblioteca de funciones"), installed.status().message());
    if (!installed->eof() && installed->value(0).toString() == version)
        return Status::ok();
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
    const QStringList paths = PgRuntime::files();
    for (qsizetype i = 0; i < paths.size(); ++i) {
        if (auto run = connection.execute(QString::fromUtf8(texts[i])); !run)
            return failure(paths[i].section(u'/', -1), run.status().message());
    }
    const QString mark = QStringLiteral("CREATE OR REPLACE FUNCTION nerin_runtime_version() RETURNS text "
                                        "LANGUAGE sql IMMUTABLE AS $$%1$$")
                             .arg(version);
    if (auto marked = connection.execute(mark); !marked)
        return failure(QStringLiteral("la biblioteca de funciones"), marked.status().message());
    return Status::ok();
}

} // namespace

QStringList PgRuntime::files() {
    static const QStringList names = {
        QStringLiteral("support"),
        QStringLiteral("dates"),
        QStringLiteral("datetext"),
        QStringLiteral("text"),
        QStringLiteral("numbers"),
        QStringLiteral("conversions"),
        QStringLiteral("conversions_text"),
        QStringLiteral("binary"),
        QStringLiteral("identity"),
        QStringLiteral("operators"),
        QStringLiteral("information_schema"),
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
