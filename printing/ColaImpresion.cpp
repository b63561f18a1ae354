#include "printing/ColaImpresion.h"

#include "data/BaseDatos.h"
#include "data/TransaccionBD.h"

#include <cmath>
#include <limits>

namespace nerin {

namespace {

const QString kTitulo = QStringLiteral("Cola de Impresión");

} // namespace

bool ColaImpresion::ejecutar(const QString& sql, qint64* filas) {
    Connection& conexion = m_baseDatos.connection();
    const Result<qint64> hecho = conexion.execute(sql);
    if (!hecho) {
        const DbFailure fallo = conexion.lastFailure();
        const DbErrorList errores = conexion.errors();
        m_baseDatos.ReportarErrorBD(kTitulo, fallo, errores);
        return false;
    }
    if (filas)
        *filas = *hecho;
    return true;
}

qint32 ColaImpresion::AbrirTrabajo(const QString& tipo, double idImpresora, const QString& usuario) {
    if (tipo.size() != 1 || !std::isfinite(idImpresora) ||
        std::fabs(idImpresora) > std::numeric_limits<qint32>::max())
        return 0;
    const QString impresora = QString::number(std::llround(idImpresora));
    // One batch on the one connection, so SCOPE_IDENTITY is this job's number even with other
    // terminals queueing at the same time.
    const QString sql =
        QStringLiteral("INSERT INTO Cola_Trabajo (Tipo, ID_Impresora, Usuario, Estado) SELECT ") +
        BaseDatos::Literal(tipo) +
        QStringLiteral(", ISNULL(MAX(CASE WHEN Redirigido > 0 THEN Redirigido ELSE ID_Impresora END), ") +
        impresora + QStringLiteral("), ") + BaseDatos::Literal(usuario.left(20)) +
        QStringLiteral(", 'A' FROM Impresora WHERE ID_Impresora = ") + impresora +
        QStringLiteral(" SELECT SCOPE_IDENTITY() AS ID_Trabajo");
    Connection& conexion = m_baseDatos.connection();
    const Result<RecordSet> resultado = conexion.query(sql);
    if (!resultado) {
        const DbFailure fallo = conexion.lastFailure();
        const DbErrorList errores = conexion.errors();
        m_baseDatos.ReportarErrorBD(kTitulo, fallo, errores);
        return 0;
    }
    if (resultado->eof())
        return 0;
    return static_cast<qint32>(resultado->value(0).toInt());
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
    qint64 filas = 0;
    return ejecutar(sqlLinea(trabajo, texto), &filas) && filas == 1;
}

bool ColaImpresion::unaFila(TransaccionBD& transaccion, std::optional<qint64> filas, qint32 trabajo) {
    // No row changed: the job is unknown or already closed, which ends the caller's work too.
    if (filas && *filas != 1)
        transaccion.fallar(QStringLiteral("El trabajo ") + QString::number(trabajo) +
                           QStringLiteral(" no está abierto"));
    return filas == 1;
}

bool ColaImpresion::agregarEn(TransaccionBD& transaccion, qint32 trabajo, const QStringList& textos) {
    for (const QString& texto : textos) {
        const std::optional<qint64> filas = transaccion.ejecutarSinRegistro(sqlLinea(trabajo, texto));
        if (!unaFila(transaccion, filas, trabajo))
            return false;
    }
    return true;
}

bool ColaImpresion::AgregarLineas(qint32 trabajo, const QStringList& textos) {
    TransaccionBD transaccion(m_baseDatos, kTitulo);
    return transaccion.hacer([&] { agregarEn(transaccion, trabajo, textos); });
}

QString ColaImpresion::sqlCerrar(qint32 trabajo) {
    return QStringLiteral(
               "UPDATE Cola_Trabajo SET Estado = 'P', Fecha_Cierre = GETDATE() WHERE ID_Trabajo = ") +
           QString::number(trabajo) + QStringLiteral(" AND Estado = 'A'");
}

bool ColaImpresion::AgregarYCerrar(TransaccionBD& transaccion, qint32 trabajo, const QStringList& textos) {
    if (!agregarEn(transaccion, trabajo, textos))
        return false;
    return unaFila(transaccion, transaccion.ejecutarSinRegistro(sqlCerrar(trabajo)), trabajo);
}

bool ColaImpresion::CerrarTrabajo(qint32 trabajo) {
    qint64 filas = 0;
    return ejecutar(sqlCerrar(trabajo), &filas) && filas == 1;
}

} // namespace nerin
