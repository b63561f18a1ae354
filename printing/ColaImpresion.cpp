#include "printing/ColaImpresion.h"

#include "data/BaseDatos.h"
#include "data/TransaccionBD.h"

#include <cmath>
#include <limits>

namespace nerin {

namespace {

const QString kTitulo = QStringLiteral("Cola de Impresión");

} // namespace

qint32 ColaImpresion::AbrirTrabajo(const QString& tipo, double idImpresora, const QString& usuario) {
    if (tipo.size() != 1 || !std::isfinite(idImpresora) ||
        std::fabs(idImpresora) > std::numeric_limits<qint32>::max())
        return 0;
    const qint32 trabajo = ++m_ultimo;
    m_abiertos[trabajo] = Trabajo{tipo, QString::number(std::llround(idImpresora)), usuario.left(20), {}};
    return trabajo;
}

QString ColaImpresion::sqlLinea(qint32 trabajo, const QString& texto) {
    // Undo the callers' doubling first, then double every quote once: a lone quote is kept as itself.
    QString linea = texto;
    linea.replace(QStringLiteral("''"), QStringLiteral("'"));
    // The line number is taken in the same statement that stores the line, and only while the job is
    // still open.
    return QStringLiteral("INSERT INTO Cola_Linea (ID_Trabajo, Num_Linea, Texto) "
                          "SELECT t.ID_Trabajo, ISNULL((SELECT MAX(l.Num_Linea) FROM Cola_Linea l "
                          "WHERE l.ID_Trabajo = t.ID_Trabajo), 0) + 1, ") +
           BaseDatos::Literal(linea) + QStringLiteral(" FROM Cola_Trabajo t WHERE t.ID_Trabajo = ") +
           QString::number(trabajo) + QStringLiteral(" AND t.Estado = 'A'");
}

bool ColaImpresion::AgregarLinea(qint32 trabajo, const QString& texto) {
    return AgregarLineas(trabajo, {texto});
}

bool ColaImpresion::AgregarLineas(qint32 trabajo, const QStringList& textos) {
    const auto abierto = m_abiertos.find(trabajo);
    if (abierto == m_abiertos.end())
        return false;
    abierto->second.lineas += textos;
    return true;
}

bool ColaImpresion::unaFila(TransaccionBD& transaccion, std::optional<qint64> filas, qint32 trabajo) {
    // No row changed: the job is unknown or already closed, which ends the caller's work too.
    if (filas && *filas != 1)
        transaccion.fallar(QStringLiteral("El trabajo ") + QString::number(trabajo) +
                           QStringLiteral(" no está abierto"));
    return filas == 1;
}

QString ColaImpresion::sqlCerrar(qint32 trabajo) {
    return QStringLiteral(
               "UPDATE Cola_Trabajo SET Estado = 'P', Fecha_Cierre = GETDATE() WHERE ID_Trabajo = ") +
           QString::number(trabajo) + QStringLiteral(" AND Estado = 'A'");
}

bool ColaImpresion::escribirEn(TransaccionBD& transaccion, const Trabajo& trabajo, const QStringList& mas) {
    // One batch, so SCOPE_IDENTITY is this job's number even with other terminals queueing at the
    // same time.
    const std::optional<RecordSet> abierto = transaccion.consultar(
        QStringLiteral("INSERT INTO Cola_Trabajo (Tipo, ID_Impresora, Usuario, Estado) SELECT ") +
        BaseDatos::Literal(trabajo.tipo) +
        QStringLiteral(", ISNULL(MAX(CASE WHEN Redirigido > 0 THEN Redirigido ELSE ID_Impresora END), ") +
        trabajo.impresora + QStringLiteral("), ") + BaseDatos::Literal(trabajo.usuario) +
        QStringLiteral(", 'A' FROM Impresora WHERE ID_Impresora = ") + trabajo.impresora +
        QStringLiteral(" SELECT SCOPE_IDENTITY() AS ID_Trabajo"));
    if (!abierto)
        return false;
    const qint32 numero = abierto->eof() ? 0 : static_cast<qint32>(abierto->value(0).toInt());
    if (numero == 0) {
        transaccion.fallar(QStringLiteral("No se abrió el trabajo de impresión"));
        return false;
    }
    for (const QStringList* lineas : {&trabajo.lineas, &mas}) {
        for (const QString& texto : *lineas) {
            if (!unaFila(transaccion, transaccion.ejecutarSinRegistro(sqlLinea(numero, texto)), numero))
                return false;
        }
    }
    return unaFila(transaccion, transaccion.ejecutarSinRegistro(sqlCerrar(numero)), numero);
}

bool ColaImpresion::AgregarYCerrar(TransaccionBD& transaccion, qint32 trabajo,
                                   const QStringList& textos) const {
    const auto abierto = m_abiertos.find(trabajo);
    if (abierto == m_abiertos.end()) {
        transaccion.fallar(QStringLiteral("El trabajo ") + QString::number(trabajo) +
                           QStringLiteral(" no está abierto"));
        return false;
    }
    return escribirEn(transaccion, abierto->second, textos);
}

bool ColaImpresion::CerrarTrabajo(qint32 trabajo) {
    m_fallaReportada.clear();
    const auto abierto = m_abiertos.find(trabajo);
    if (abierto == m_abiertos.end())
        return false;
    const Trabajo cerrado = std::move(abierto->second);
    m_abiertos.erase(abierto);
    TransaccionBD transaccion(m_baseDatos, kTitulo);
    if (transaccion.hacer([&] { escribirEn(transaccion, cerrado, {}); }))
        return true;
    m_fallaReportada = transaccion.descripcionFalla();
    return false;
}

} // namespace nerin
