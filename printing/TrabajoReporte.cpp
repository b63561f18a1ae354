#include "printing/TrabajoReporte.h"

#include "data/BaseDatos.h"
#include "printing/ColaImpresion.h"
#include "printing/ContextoImpresion.h"

namespace nerin {

TrabajoReporte::TrabajoReporte(const ContextoImpresion& contexto, ColaImpresion& cola, QString procedimiento)
    : m_contexto(contexto), m_cola(cola), m_procedimiento(std::move(procedimiento)) {}

bool TrabajoReporte::fallar(const QString& paso) {
    m_fallado = true;
    const DbFailure& error = m_contexto.baseDatos.connection().lastFailure();
    m_contexto.bitacora.registrarError(m_procedimiento, error.number,
                                       paso + QStringLiteral(": ") + error.description);
    return false;
}

std::optional<RecordSet> TrabajoReporte::consultar(const QString& sql) {
    if (m_fallado)
        return std::nullopt;
    std::optional<RecordSet> filas = m_contexto.baseDatos.AbrirRecordset(sql);
    if (!filas)
        fallar(sql);
    return filas;
}

std::optional<DbValue> TrabajoReporte::valor(const QString& sql) {
    const std::optional<RecordSet> filas = consultar(sql);
    if (!filas)
        return std::nullopt;
    return filas->value(0);
}

void TrabajoReporte::linea(const QString& texto) {
    m_lineas.append(BaseDatos::DuplicarComillas(texto));
}

bool TrabajoReporte::imprimir(const QString& tipo, qint32 impresora) {
    if (m_fallado)
        return false;
    const qint32 trabajo =
        m_cola.AbrirTrabajo(tipo, static_cast<double>(impresora), m_contexto.usuarioTrabajo());
    if (trabajo == 0)
        return fallar(QStringLiteral("AbrirTrabajo"));
    if (!m_cola.AgregarLineas(trabajo, m_lineas))
        return fallar(QStringLiteral("AgregarLinea"));
    if (!m_cola.CerrarTrabajo(trabajo))
        return fallar(QStringLiteral("CerrarTrabajo"));
    return true;
}

int TrabajoReporte::parte(int ancho, int partes) {
    const int cociente = ancho / partes;
    const int resto = ancho % partes;
    if (2 * resto > partes || (2 * resto == partes && cociente % 2 == 1))
        return cociente + 1;
    return cociente;
}

QString TrabajoReporte::fecha(const QString& ddmmyyyy) {
    return ddmmyyyy.left(2) + u'/' + ddmmyyyy.mid(2, 2) + u'/' + ddmmyyyy.mid(4);
}

} // namespace nerin
