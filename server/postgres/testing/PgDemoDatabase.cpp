#include "server/postgres/testing/PgDemoDatabase.h"

#include "base/Result.h"
#include "server/DatabaseBuilder.h"

#include <QFile>
#include <QHash>
#include <QSettings>
#include <memory>

namespace nerin::testing {

namespace {

std::unique_ptr<PgTestDatabase> hecha;
Status fallo = Status::ok();

// The demo template, built on first use.
Result<QString> plantilla() {
    if (hecha)
        return hecha->name();
    // A demo that could not be built fails every test that asks, without trying again.
    if (!fallo)
        return fallo;
    auto base = std::make_unique<PgTestDatabase>();
    fallo = base->create();
    if (fallo)
        fallo = DatabaseBuilder::createPostgres(base->connInfo(), true);
    if (!fallo)
        return fallo;
    hecha = std::move(base);
    return hecha->name();
}

// The keywords of a connection string as the test cluster writes it: "key=value" separated by blanks,
// without quotes.
QHash<QString, QString> claves(const QString& conninfo) {
    QHash<QString, QString> valores;
    for (const QString& par : conninfo.split(u' ', Qt::SkipEmptyParts))
        valores.insert(par.section(u'=', 0, 0), par.section(u'=', 1));
    return valores;
}

} // namespace

void PgDemoDatabase::borrarDemo() {
    hecha.reset();
    fallo = Status::ok();
}

Status PgDemoDatabase::create() {
    const Result<QString> demo = plantilla();
    if (!demo)
        return demo.status();
    return m_copia.create(*demo);
}

Status PgDemoDatabase::escribirAjustes(const QString& archivoAjustes, const QString& archivoClave) const {
    const QHash<QString, QString> cluster = claves(PgTestDatabase::clusterConnInfo());
    QFile clave(archivoClave);
    if (!clave.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        !clave.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner) ||
        clave.write(cluster.value(QStringLiteral("password")).toUtf8() + '\n') < 0)
        return Status::invalid(QStringLiteral("No se pudo escribir la clave en ") + archivoClave);
    clave.close();
    QSettings ini(archivoAjustes, QSettings::IniFormat);
    ini.beginGroup(QStringLiteral("Configuracion"));
    ini.setValue(QStringLiteral("Motor"), QStringLiteral("postgres"));
    ini.setValue(QStringLiteral("Servidor"),
                 cluster.value(QStringLiteral("host")) + u':' + cluster.value(QStringLiteral("port")));
    ini.setValue(QStringLiteral("BASE_DE_DATOS"), m_copia.name());
    ini.setValue(QStringLiteral("Usuario"), cluster.value(QStringLiteral("user")));
    ini.setValue(QStringLiteral("ArchivoClave"), archivoClave);
    return Status::ok();
}

} // namespace nerin::testing
