#include "tables/OcupacionMesa.h"

#include "data/BaseDatos.h"
#include "data/Bitacora.h"
#include "data/DbCommand.h"
#include "keyboards/NumeroTecleado.h"
#include "keyboards/Prompts.h"
#include "startup/TerminalContext.h"

#include <limits>

namespace nerin {

namespace {

constexpr qint64 kMaximoMesa = std::numeric_limits<qint16>::max();

// The occupancy check: a command whose one parameter, the table number, fills its "?".
const QString kOcupada = QStringLiteral("SELECT * FROM Vw_MesaOcupada WHERE Num_Mesa=?");

} // namespace

OcupacionMesa::OcupacionMesa(TerminalContext& context) : m_context(context) {}

std::optional<qint16> OcupacionMesa::numeroTecleado(const QString& numero, bool obligatorio) {
    NumeroTecleado tecleado;
    tecleado.agregar(numero);
    if (tecleado.texto().isEmpty()) {
        if (!obligatorio)
            return kSinNumero;
        m_context.Mensaje(QStringLiteral("No se indico el número de mesa"), Prompts::kOk);
        return std::nullopt;
    }
    const NumeroTecleado::Resultado convertido = tecleado.convertir(0, kMaximoMesa);
    if (!convertido.aceptado) {
        m_context.Mensaje(convertido.mensaje, Prompts::kExclamation);
        return std::nullopt;
    }
    return static_cast<qint16>(convertido.numero);
}

std::optional<QList<OcupacionMesa::Orden>> OcupacionMesa::ordenes(qint16 mesa, const QString& procedimiento) {
    DbCommand consulta(kOcupada, DbCommand::Kind::Unknown);
    consulta.addParameter({QStringLiteral("@nNumMesa"), DbCommand::ParamType::Integer,
                           DbCommand::Direction::Input, 0, DbValue(static_cast<int>(mesa))});
    const Result<QList<RecordSet>> filas = m_context.baseDatos().connection().run(consulta);
    if (!filas) {
        reportarFallo(procedimiento);
        return std::nullopt;
    }
    QList<Orden> encontradas;
    if (filas->isEmpty())
        return encontradas;
    for (RecordSet rs = filas->first(); !rs.eof(); rs.moveNext()) {
        encontradas.append({static_cast<qint32>(rs.value(u"ID_Comanda").toInt()),
                            static_cast<qint32>(rs.value(u"Control").toInt()),
                            static_cast<qint32>(rs.value(u"ID_Empleado").toInt()),
                            rs.value(u"Nombre_Empleado").toString()});
    }
    return encontradas;
}

qint32 OcupacionMesa::siguienteMesa() {
    const DbValue valor = m_context.baseDatos().ConsultarCampo(QStringLiteral("MAX(Num_Mesa) + 1"),
                                                               QStringLiteral("vw_mesasabiertas"), QString());
    const qint64 siguiente = valor.toString().isEmpty() ? 0 : valor.toInt();
    // With a table open under the highest number there is, one more does not fit.
    if (siguiente < 0 || siguiente > kMaximoMesa)
        return -1;
    return static_cast<qint32>(siguiente);
}

qint32 OcupacionMesa::numeroLibre() {
    const qint32 siguiente = siguienteMesa();
    if (siguiente < 0) {
        m_context.Mensaje(QStringLiteral("No hay números de mesa disponibles"), Prompts::kExclamation);
        return -1;
    }
    return siguiente == 0 ? kMesaSinAbiertas : siguiente;
}

void OcupacionMesa::avisarOcupada(qint16 mesa, const QString& nombre) {
    m_context.Mensaje(QStringLiteral("La mesa ") + QString::number(mesa) +
                          QStringLiteral(" está abierta por ") + nombre,
                      Prompts::kExclamation);
}

void OcupacionMesa::reportarFallo(const QString& procedimiento) {
    // Copies: reporting may show a message, during which other calls replace the connection's errors.
    Connection& conexion = m_context.baseDatos().connection();
    const DbFailure fallo = conexion.lastFailure();
    const DbErrorList errores = conexion.errors();
    m_context.baseDatos().ReportarErrorBD(QStringLiteral("Base de Datos"), fallo, errores);
    m_context.bitacora().registrarError(procedimiento, fallo.number, fallo.description);
}

} // namespace nerin
