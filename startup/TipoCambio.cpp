#include "startup/TipoCambio.h"

#include "data/BaseDatos.h"
#include "keyboards/Prompts.h"

namespace nerin {

namespace {
const QString kCondicion = QStringLiteral("Id_Parametro='TC_US'");
}

TipoCambio::TipoCambio(BaseDatos& baseDatos, Prompts& prompts) : m_baseDatos(baseDatos), m_prompts(prompts) {}

Currency TipoCambio::actual() {
    return m_baseDatos.ConsultarCampo(QStringLiteral("Valor_Num"), QStringLiteral("Parametros"), kCondicion)
        .toCurrency();
}

std::optional<Currency> TipoCambio::pedir(const Currency& inicial) {
    // The rate has decimals (19.85), which the whole-number keypad cannot take: the value keypad asks
    // for it.
    Prompts::ValueRequest request;
    request.titulo = QStringLiteral("Tipo de cambio");
    request.original = inicial;
    const Prompts::ValueAnswer answer = m_prompts.valor(request);
    if (answer.cancelado || answer.porcentaje)
        return std::nullopt;
    if (answer.valor <= Currency()) {
        m_prompts.Mensaje(QStringLiteral("El tipo de cambio debe ser mayor que cero"), Prompts::kExclamation);
        return std::nullopt;
    }
    return answer.valor;
}

bool TipoCambio::escribir(const Currency& tasa) {
    return m_baseDatos.ActualizarRegistros(QStringLiteral("Parametros"),
                                           QStringLiteral("Valor_Num=") + tasa.toPlainText(), kCondicion);
}

} // namespace nerin
