#include "printing/ImpresorasTerminal.h"

#include "data/BaseDatos.h"
#include "printing/ContextoImpresion.h"

namespace nerin {

std::optional<qint32> ImpresorasTerminal::buscar(const QString& condicion, const char* mensaje) const {
    const DbValue valor = m_contexto.baseDatos.ConsultarCampo(QStringLiteral("ID_Impresora"),
                                                              QStringLiteral("Impresora"), condicion);
    if (valor.toString().isEmpty()) {
        if (m_contexto.mensaje)
            m_contexto.mensaje(QString::fromUtf8(mensaje), 0);
        return std::nullopt;
    }
    return static_cast<qint32>(valor.toInt());
}

std::optional<qint32> ImpresorasTerminal::local() const {
    return buscar(QStringLiteral("EsDeCheques=1 AND ID_Terminal=") + QString::number(m_contexto.terminal),
                  kSinLocal);
}

std::optional<qint32> ImpresorasTerminal::localReportes() const {
    return buscar(QStringLiteral("ID_Terminal=") + QString::number(m_contexto.terminal) +
                      QStringLiteral(" AND Esdecheques=1"),
                  kSinLocalReportes);
}

std::optional<qint32> ImpresorasTerminal::fiscal() const {
    return buscar(QStringLiteral("Fiscal=1 AND Id_Terminal=") + QString::number(m_contexto.terminal),
                  kSinFiscal);
}

} // namespace nerin
