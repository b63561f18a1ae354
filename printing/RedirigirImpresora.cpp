#include "printing/RedirigirImpresora.h"

#include "data/BaseDatos.h"
#include "keyboards/Prompts.h"

#include <QHash>
#include <QStringList>

namespace nerin {

namespace {

const QString kElijaImpresora = QStringLiteral("Elija una impresora.");
// %1 the printer, %2 the target, %3 the printers the target's jobs pass through up to the printer.
const QString kCiclo = QStringLiteral("No se puede redirigir %1 a %2: %2 ya se imprime en %1 (%3).");

struct Impresora {
    QString nombre;
    qint32 redirigido = 0;
};

} // namespace

RedirigirImpresora::RedirigirImpresora(const ContextoImpresion& contexto) : m_contexto(contexto) {}

std::optional<RecordSet> RedirigirImpresora::Llenar_Spread() {
    return m_contexto.baseDatos.AbrirRecordset(
        QStringLiteral("SELECT Id_Impresora, Nombre_Impresora, Estado_1, Redirigido, Nombre_Impresora1, "
                       "Estado_2 FROM Vw_Impresoras "));
}

std::optional<RecordSet> RedirigirImpresora::destinos() {
    return m_contexto.baseDatos.AbrirRecordset(
        QStringLiteral("SELECT Id_Impresora, Nombre_Impresora FROM Impresora"));
}

bool RedirigirImpresora::Redirigir(qint32 impresora, std::optional<qint32> destino) {
    if (!destino) {
        m_contexto.mensaje(kElijaImpresora, Prompts::kExclamation);
        return false;
    }
    if (*destino != impresora) {
        const std::optional<RecordSet> filas = m_contexto.baseDatos.AbrirRecordset(
            QStringLiteral("SELECT ID_Impresora, Nombre_Impresora, Redirigido FROM Impresora"));
        if (!filas)
            return false;
        QHash<qint32, Impresora> impresoras;
        for (const QList<DbValue>& fila : filas->rows())
            impresoras.insert(static_cast<qint32>(fila.value(0).toInt()),
                              {fila.value(1).toString(), static_cast<qint32>(fila.value(2).toInt())});
        // Where the target's jobs go today, as the queue follows them: on until a printer that prints
        // its own (Redirigido itself or 0), a printer that does not exist, or one already passed (a
        // loop the printer is not part of, which this redirection neither makes nor mends).
        QList<qint32> camino{*destino};
        for (;;) {
            const auto actual = impresoras.constFind(camino.last());
            if (actual == impresoras.constEnd())
                break;
            const qint32 siguiente = actual->redirigido;
            if (siguiente == 0 || siguiente == camino.last() || camino.contains(siguiente))
                break;
            camino.append(siguiente);
            if (siguiente != impresora)
                continue;
            QStringList nombres;
            for (const qint32 id : std::as_const(camino))
                nombres.append(impresoras.value(id).nombre);
            m_contexto.mensaje(
                kCiclo.arg(nombres.last(), nombres.first(), nombres.join(QStringLiteral(" → "))),
                Prompts::kExclamation);
            return false;
        }
    }
    // A printer redirected to itself prints its own jobs again.
    return m_contexto.baseDatos.ActualizarRegistros(
        QStringLiteral("Impresora"),
        QStringLiteral("Redirigido=") + QString::number(*destino) + QStringLiteral(", Estado_Impresora='A'"),
        QStringLiteral("ID_Impresora=") + QString::number(impresora));
}

} // namespace nerin
