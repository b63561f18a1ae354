#include "loyalty/clsWebService.h"

namespace nerin {

// Placeholder until the HTTP client lands: every call fails as never sent.
clsWebService::clsWebService(QString url, EsperaServicio* espera) : m_url(std::move(url)), m_espera(espera) {}

clsWebService::~clsWebService() = default;

bool clsWebService::Conectar() {
    m_conectado = false;
    return false;
}

QString clsWebService::Process(const QString& mensaje) {
    return llamar(QStringLiteral("Process"), mensaje);
}
QString clsWebService::Register(const QString& mensaje) {
    return llamar(QStringLiteral("Register"), mensaje);
}
QString clsWebService::Activate(const QString& mensaje) {
    return llamar(QStringLiteral("Activate"), mensaje);
}

void clsWebService::setTiempos(int conexionMs, int llamadaMs) {
    m_conexionMs = conexionMs;
    m_llamadaMs = llamadaMs;
}

QString clsWebService::llamar(const QString&, const QString&) {
    m_ultima = Llamada{Estado::SinConexion, QString(),
                       QStringLiteral("No se pudo conectar con el servicio de lealtad."), 0};
    return QString();
}

} // namespace nerin
