#include "tools/nerin-printq/PrintQueueStore.h"

#include "data/BaseDatos.h"
#include "data/Connection.h"

namespace nerin {

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

Status PrintQueueStore::markPrinted(qint32 trabajo) {
    const Result<qint64> done = execute(
        QStringLiteral(
            "UPDATE Cola_Trabajo SET Estado = 'I', Fecha_Impresion = GETDATE(), Intentos = Intentos + 1 "
            "WHERE ID_Trabajo = %1 AND Estado IN ('P', 'E')")
            .arg(trabajo));
    return done ? Status::ok() : done.status();
}

Status PrintQueueStore::markFailed(qint32 trabajo, const QString& reason) {
    const Result<qint64> done = execute(
        QStringLiteral("UPDATE Cola_Trabajo SET Estado = 'E', Intentos = Intentos + 1, Ultimo_Error = '%1' "
                       "WHERE ID_Trabajo = %2 AND Estado IN ('P', 'E')")
            .arg(BaseDatos::DuplicarComillas(reason.left(255)), QString::number(trabajo)));
    return done ? Status::ok() : done.status();
}

} // namespace nerin
