#include "tools/nerin-printq/PrinterDirectory.h"

#include <QList>
#include <QStringList>

namespace nerin {

const PrinterDirectory::Printer* PrinterDirectory::find(qint32 id) const {
    const auto found = m_printers.constFind(id);
    return found == m_printers.constEnd() ? nullptr : &found.value();
}

Result<qint32> PrinterDirectory::resolve(qint32 id) const {
    QList<qint32> chain = {id};
    qint32 current = id;
    for (;;) {
        const Printer* printer = find(current);
        if (!printer) {
            if (current == id)
                return Status::error(Status::Code::NotFound,
                                     QStringLiteral("La impresora %1 no existe").arg(id));
            return Status::error(
                Status::Code::NotFound,
                QStringLiteral("La impresora %1 está redirigida a la impresora %2, que no existe")
                    .arg(describe(chain.value(chain.size() - 2)))
                    .arg(current));
        }
        const qint32 next = printer->redirigido;
        if (next == 0 || next == current)
            return current;
        if (chain.contains(next)) {
            chain.append(next);
            QStringList names;
            for (const qint32 step : std::as_const(chain))
                names.append(QString::number(step));
            return Status::invalid(
                QStringLiteral("Redirección en ciclo: %1").arg(names.join(QStringLiteral(" → "))));
        }
        chain.append(next);
        current = next;
    }
}

QString PrinterDirectory::describe(qint32 id) const {
    const Printer* printer = find(id);
    return printer ? QStringLiteral("%1 (%2)").arg(printer->nombre).arg(id) : QString::number(id);
}

} // namespace nerin
