#include "tools/nerin-printq/PrintQueueStore.h"

#include "data/BaseDatos.h"
#include "data/Connection.h"

#include <QCoreApplication>
#include <QSysInfo>
#include <atomic>

namespace nerin {

namespace {

// Two services of one process (or a service restarted in it) never share a name.
std::atomic<int> g_instances{0};

} // namespace

PrintQueueStore::PrintQueueStore(Connection& connection, int claimMs)
    : m_connection(connection), m_claimMs(claimMs), m_claimant(QStringLiteral("%1 %2/%3")
                                                                   .arg(QSysInfo::machineHostName().left(60))
                                                                   .arg(QCoreApplication::applicationPid())
                                                                   .arg(++g_instances)) {}

Result<qint64> PrintQueueStore::execute(const QString& sql) {
    if (!m_connection.isOpen()) {
        if (Status opened = m_connection.open(); !opened)
            return opened;
    }
    return m_connection.execute(sql);
}

Result<PrinterDirectory> PrintQueueStore::printers() {
    if (!m_connection.isOpen()) {
        if (Status opened = m_connection.open(); !opened)
            return opened;
    }
    const Result<RecordSet> rows = m_connection.query(
        QStringLiteral("SELECT ID_Impresora, Nombre_Impresora, Puerto, Redirigido FROM Impresora"));
    if (!rows)
        return rows.status();
    PrinterDirectory directory;
    for (const QList<DbValue>& row : rows->rows()) {
        directory.add({static_cast<qint32>(row.value(0).toInt()), row.value(1).toString().trimmed(),
                       row.value(2).toString().trimmed(), static_cast<qint32>(row.value(3).toInt())});
    }
    return directory;
}

Result<QList<PrintQueueStore::Oldest>> PrintQueueStore::oldestWaiting() {
    const Result<RecordSet> rows = m_connection.query(
        QStringLiteral("SELECT ID_Impresora, MIN(ID_Trabajo) AS ID_Trabajo FROM Cola_Trabajo "
                       "WHERE Estado IN ('P', 'E') GROUP BY ID_Impresora ORDER BY MIN(ID_Trabajo)"));
    if (!rows)
        return rows.status();
    QList<Oldest> oldest;
    for (const QList<DbValue>& row : rows->rows())
        oldest.append({static_cast<qint32>(row.value(0).toInt()), static_cast<qint32>(row.value(1).toInt())});
    return oldest;
}

Result<QStringList> PrintQueueStore::lines(qint32 trabajo) {
    const Result<RecordSet> rows = m_connection.query(
        QStringLiteral("SELECT Texto FROM Cola_Linea WHERE ID_Trabajo = %1 ORDER BY Num_Linea").arg(trabajo));
    if (!rows)
        return rows.status();
    QStringList texts;
    texts.reserve(rows->recordCount());
    for (const QList<DbValue>& row : rows->rows())
        texts.append(row.value(0).toString());
    return texts;
}

Result<bool> PrintQueueStore::claim(qint32 trabajo) {
    const Result<qint64> done = execute(
        QStringLiteral(
            "UPDATE Cola_Trabajo SET Reclamado_Por = %1, Reclamado_Hasta = DATEADD(ms, %2, GETDATE()) "
            "WHERE ID_Trabajo = %3 AND Estado IN ('P', 'E') "
            "AND (Reclamado_Hasta IS NULL OR Reclamado_Hasta < GETDATE() OR Reclamado_Por = %1)")
            .arg(BaseDatos::Literal(m_claimant), QString::number(m_claimMs), QString::number(trabajo)));
    if (!done)
        return done.status();
    return *done == 1;
}

Status PrintQueueStore::markPrinted(qint32 trabajo) {
    const Result<qint64> done = execute(
        QStringLiteral(
            "UPDATE Cola_Trabajo SET Estado = 'I', Fecha_Impresion = GETDATE(), Intentos = Intentos + 1, "
            "Reclamado_Hasta = NULL WHERE ID_Trabajo = %1 AND Estado IN ('P', 'E')")
            .arg(trabajo));
    return done ? Status::ok() : done.status();
}

Status PrintQueueStore::markFailed(qint32 trabajo, const QString& reason) {
    const Result<qint64> done = execute(
        QStringLiteral("UPDATE Cola_Trabajo SET Estado = 'E', Intentos = Intentos + 1, Ultimo_Error = %1, "
                       "Reclamado_Hasta = NULL WHERE ID_Trabajo = %2 AND Estado IN ('P', 'E') "
                       "AND Reclamado_Por = %3")
            .arg(BaseDatos::Literal(reason.left(255)), QString::number(trabajo),
                 BaseDatos::Literal(m_claimant)));
    return done ? Status::ok() : done.status();
}

Result<QList<PrintQueueStore::Abandoned>> PrintQueueStore::abandonOpenJobs(int graceMs) {
    const Result<RecordSet> rows = m_connection.query(
        QStringLiteral("SELECT ID_Trabajo, Usuario, Fecha_Alta FROM Cola_Trabajo "
                       "WHERE Estado = 'A' AND Fecha_Alta < DATEADD(ms, -%1, GETDATE()) ORDER BY ID_Trabajo")
            .arg(graceMs));
    if (!rows)
        return rows.status();
    QList<Abandoned> abandoned;
    for (const QList<DbValue>& row : rows->rows()) {
        const auto trabajo = static_cast<qint32>(row.value(0).toInt());
        const QString reason =
            QStringLiteral("La terminal no cerró el trabajo, abierto el %1: no se imprime")
                .arg(row.value(2).toDateTime().toString(QStringLiteral("dd/MM/yyyy hh:mm:ss")));
        // Only while it is still open: its terminal may have closed it since, or another program given
        // it up.
        const Result<qint64> done =
            execute(QStringLiteral("UPDATE Cola_Trabajo SET Estado = 'F', Ultimo_Error = %1 "
                                   "WHERE ID_Trabajo = %2 AND Estado = 'A'")
                        .arg(BaseDatos::Literal(reason), QString::number(trabajo)));
        if (!done)
            return done.status();
        if (*done == 1)
            abandoned.append({trabajo, row.value(1).toString().trimmed(), reason});
    }
    return abandoned;
}

} // namespace nerin
