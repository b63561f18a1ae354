#include "server/DatabaseBuilder.h"

#include "server/PostgresConnection.h"
#include "server/ScriptRunner.h"
#include "server/SqliteConnection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace nerin {

namespace {

QStringList scriptsIn(const QString& folder) {
    QStringList scripts;
    const QStringList names = QDir(folder).entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name);
    for (const QString& name : names)
        scripts.append(folder + u'/' + name);
    return scripts;
}

Status runScripts(Connection& connection, const QStringList& scripts,
                  const DatabaseBuilder::Progress& progress) {
    for (const QString& script : scripts) {
        if (progress)
            progress(QFileInfo(script).fileName());
        QFile file(script);
        if (!file.open(QIODevice::ReadOnly))
            return Status::error(Status::Code::IoError, QStringLiteral("No se pudo leer %1").arg(script));
        ScriptRunner runner(connection);
        QString problem;
        runner.onFailure([&](const ScriptRunner::Failure& failure) {
            problem = QStringLiteral("%1, línea %2: %3")
                          .arg(QFileInfo(script).fileName())
                          .arg(failure.batchLine + failure.line - 1)
                          .arg(failure.message);
        });
        if (runner.run(QString::fromUtf8(file.readAll()), true) > 0)
            return Status::error(Status::Code::CommandTextError, problem);
    }
    return Status::ok();
}

} // namespace

QStringList DatabaseBuilder::schemaScripts() {
    return scriptsIn(QStringLiteral(":/server/sql"));
}

QStringList DatabaseBuilder::demoScripts() {
    return scriptsIn(QStringLiteral(":/server/sql/demo"));
}

Status DatabaseBuilder::create(const QString& path, bool demo, const Progress& progress) {
    if (QFileInfo::exists(path))
        return Status::error(Status::Code::InvalidInput,
                             QStringLiteral("La base de datos %1 ya existe; no se toca.").arg(path));
    Status result;
    {
        SqliteConnection connection(path, SqliteConnection::OpenMode::CreateIfMissing);
        result = connection.open();
        if (result)
            result = runScripts(connection, schemaScripts(), progress);
        if (result && demo)
            result = runScripts(connection, demoScripts(), progress);
    }
    if (!result) {
        for (const char* suffix : {"", "-wal", "-shm"})
            QFile::remove(path + QString::fromLatin1(suffix));
    }
    return result;
}

Status DatabaseBuilder::createPostgres(const QString& conninfo, bool demo, const Progress& progress) {
    {
        PgConnection link;
        if (Status opened = link.open(conninfo, QStringLiteral("nerin-sql")); !opened)
            return opened;
        const Result<RecordSet> restaurant =
            link.query(QStringLiteral("SELECT to_regclass('parametros') IS NOT NULL"));
        if (!restaurant)
            return restaurant.status();
        if (!restaurant->eof() && restaurant->value(0).toInt() == 1)
            return Status::error(
                Status::Code::InvalidInput,
                QStringLiteral("La base de datos %1 ya tiene las tablas del restaurante; no se toca.")
                    .arg(link.databaseName()));
    }
    PostgresConnection connection(conninfo, PostgresConnection::OpenMode::Install);
    if (Status opened = connection.open(); !opened)
        return opened;
    // The server undoes a failed definition with the rest of its transaction: a database that could
    // not be set up whole is left as it was.
    if (Status begun = connection.beginTransaction(); !begun)
        return begun;
    Status result = runScripts(connection, schemaScripts(), progress);
    if (result && demo)
        result = runScripts(connection, demoScripts(), progress);
    if (!result)
        return connection.rollbackAfter(result);
    return connection.commit();
}

} // namespace nerin
