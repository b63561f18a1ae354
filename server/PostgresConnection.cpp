#include "server/PostgresConnection.h"

#include "server/postgres/PgRuntime.h"
#include "server/postgres/PgTarget.h"
#include "server/tsql/EngineError.h"

#include <QCoreApplication>

namespace nerin {

namespace {

tsql::EngineError lostLink(const QString& message) {
    return {Status::Code::LostLink, 0, QStringLiteral("08001"), message};
}

} // namespace

PostgresConnection::PostgresConnection(QString conninfo, OpenMode mode)
    : m_conninfo(std::move(conninfo)), m_mode(mode) {}

PostgresConnection::~PostgresConnection() {
    close();
}

Result<bool> PostgresConnection::isSetUp() {
    const Result<RecordSet> found =
        m_link.query(QStringLiteral("SELECT to_regproc('nerin_getdate') IS NOT NULL AND "
                                    "to_regclass('nerin_procedures') IS NOT NULL AND "
                                    "to_regclass('nerin_views') IS NOT NULL"));
    if (!found)
        return found.status();
    return !found->eof() && found->value(0).toInt() == 1;
}

Status PostgresConnection::open() {
    clearErrors();
    close();
    const QString application = QCoreApplication::applicationName();
    if (Status opened =
            m_link.open(m_conninfo, application.isEmpty() ? QStringLiteral("nerin") : application);
        !opened)
        return fail(lostLink(opened.message()));
    const auto refuse = [this](const Status& why) {
        close();
        return fail(lostLink(why.message()));
    };
    if (m_mode == OpenMode::Install) {
        if (Status installed = PgRuntime::install(m_link); !installed)
            return refuse(installed);
    } else {
        const Result<bool> ready = isSetUp();
        if (!ready)
            return refuse(ready.status());
        if (!*ready)
            return refuse(Status::invalid(
                QStringLiteral("La base de datos %1 del servidor PostgreSQL no está preparada para las "
                               "terminales; prepárela con nerin-sql --create.")
                    .arg(m_link.databaseName())));
    }
    if (Status attached = attach(std::make_unique<PgTarget>(m_link)); !attached) {
        close();
        return attached;
    }
    return Status::ok();
}

void PostgresConnection::close() {
    // The engine's target runs on the link: it goes first.
    detach();
    m_link.close();
}

bool PostgresConnection::isOpen() const {
    return attached() && m_link.isOpen();
}

} // namespace nerin
