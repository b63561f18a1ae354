#include "server/postgres/testing/PgTestDatabase.h"

#include "server/postgres/PgCollation.h"
#include "server/postgres/PgConnection.h"

#include <QRandomGenerator>
#include <cstdio>

namespace nerin::testing {

namespace {

const QString kApplicationName = QStringLiteral("nerin-pruebas");

Status run(const QString& conninfo, const QString& sql) {
    PgConnection connection;
    if (Status opened = connection.open(conninfo, kApplicationName); !opened)
        return opened;
    const Result<PgConnection::Outcome> done = connection.execute(sql);
    return done ? Status::ok() : done.status();
}

} // namespace

PgTestDatabase::~PgTestDatabase() {
    if (Status dropped = drop(); !dropped)
        std::fprintf(stderr, "No se pudo borrar la base de datos de prueba %s: %s\n", qPrintable(m_name),
                     qPrintable(dropped.message()));
}

QString PgTestDatabase::clusterConnInfo() {
    return qEnvironmentVariable(kVariable);
}

QString PgTestDatabase::skipReason() {
    return QStringLiteral("Sin servidor PostgreSQL de prueba: %1 no está definida (la define scripts/test, "
                          "o scripts/pg-prueba run ctest …).")
        .arg(QString::fromLatin1(kVariable));
}

Status PgTestDatabase::create(const QString& copyOf) {
    if (clusterConnInfo().isEmpty())
        return Status::invalid(skipReason());
    if (Status dropped = drop(); !dropped)
        return dropped;
    const QString name = QStringLiteral("nerin_prueba_%1")
                             .arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0'));
    const QString from = copyOf.isEmpty() ? QStringLiteral("template0") : copyOf;
    if (Status created =
            run(clusterConnInfo(),
                QStringLiteral("CREATE DATABASE %1 TEMPLATE %2 ENCODING 'UTF8'").arg(name, from));
        !created)
        return created;
    m_name = name;
    if (!copyOf.isEmpty())
        return Status::ok();
    return run(connInfo(), QString::fromLatin1(PgCollation::kCreate));
}

QString PgTestDatabase::connInfo() const {
    // A keyword given twice takes its last value.
    return m_name.isEmpty() ? QString() : clusterConnInfo() + QStringLiteral(" dbname=") + m_name;
}

Status PgTestDatabase::drop() {
    if (m_name.isEmpty())
        return Status::ok();
    const QString name = std::exchange(m_name, QString());
    return run(clusterConnInfo(), QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name));
}

} // namespace nerin::testing
