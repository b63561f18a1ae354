#include "startup/Configuracion.h"

#include "keyboards/Prompts.h"
#include "startup/Platform.h"
#include "startup/TerminalSettings.h"

namespace nerin {

namespace {

QList<Configuracion::Campo> camposDe(const TerminalSettings& settings) {
    // With the embedded database the server settings are folders of this machine, where "/" is the
    // separator and a "\" would break the path; a PostgreSQL server is a host name with its port.
    const DatabaseSettings motor = settings.databaseSettings();
    const bool odbc = motor.usesOdbc();
    const QString servidor = odbc                   ? QStringLiteral("SERVIDOR\\NERIN")
                             : motor.usesPostgres() ? QStringLiteral("localhost:5432")
                                                    : QStringLiteral("/var/lib/nerin");
    return {
        {QStringLiteral("Terminal"), QStringLiteral("NUMERO DE TERMINAL"), QStringLiteral("19"), false},
        {QStringLiteral("AjusteNERIN"), QStringLiteral("AJUSTE DE MONITOREO"), QStringLiteral("15"), false},
        {QStringLiteral("Servidor"), QStringLiteral("NOMBRE DEL SERVIDOR"), servidor, odbc},
        {QStringLiteral("BackupNameServer"), QStringLiteral("NOMBRE DEL SERVIDOR DE RESPALDO"), servidor,
         odbc},
        {QStringLiteral("BASE_DE_DATOS"), QStringLiteral("NOMBRE DE LA BASE DE DATOS"),
         QStringLiteral("DBNERIN"), false},
        {QStringLiteral("RutaServidor"), QStringLiteral("RUTA DEL SERVIDOR"),
         QStringLiteral("\\\\SERVIDOR\\NERIN\\PROGRAMAS"), true},
    };
}

const QStringList& clavesInterruptores() {
    static const QStringList claves{QString::fromLatin1(Configuracion::kServEncontrado),
                                    QString::fromLatin1(Configuracion::kMandarBitacora)};
    return claves;
}

} // namespace

Configuracion::Configuracion(TerminalSettings& settings, Prompts& prompts, Platform& platform,
                             std::function<void()> terminarPrograma)
    : m_settings(settings), m_prompts(prompts), m_platform(platform),
      m_terminarPrograma(std::move(terminarPrograma)), m_campos(camposDe(settings)) {}

void Configuracion::cargar() {
    for (const Campo& campo : m_campos)
        m_valores[campo.clave] = m_settings.texto(campo.clave);
    for (const QString& clave : clavesInterruptores())
        m_interruptores[clave] = m_settings.texto(clave).trimmed() == QLatin1String("1");
}

bool Configuracion::editar(const QString& clave) {
    for (const Campo& campo : m_campos) {
        if (campo.clave != clave)
            continue;
        Prompts::TextRequest request;
        request.titulo = campo.indicacion;
        const QString actual = m_valores.value(clave);
        request.inicial = actual.isEmpty() ? campo.defecto : actual;
        const Prompts::TextAnswer answer = m_prompts.texto(request);
        if (answer.cancelado)
            return false;
        m_valores[clave] = answer.texto;
        return true;
    }
    return false;
}

bool Configuracion::guardar() {
    for (const Campo& campo : m_campos) {
        QString texto = m_valores.value(campo.clave);
        if (campo.diagonales)
            texto.replace(QLatin1Char('/'), QLatin1Char('\\'));
        m_valores[campo.clave] = texto;
        m_settings.setTexto(campo.clave, texto);
    }
    for (const QString& clave : clavesInterruptores())
        m_settings.setTexto(clave, m_interruptores.value(clave) ? QStringLiteral("1") : QStringLiteral("0"));
    // A settings file that cannot be written must not be reported as saved: the terminal would start
    // next time with the old values and nobody would know why.
    if (!m_settings.sync()) {
        m_prompts.Mensaje(QStringLiteral("No se pudieron guardar los datos en ") + m_settings.fileName(),
                          Prompts::kCritical);
        return false;
    }
    m_prompts.Mensaje(QStringLiteral("Los datos fueron guardados"), Prompts::kOk);
    return true;
}

void Configuracion::pedirAlSupervisor(const QString& clave) {
    m_settings.setTexto(clave, QStringLiteral("1"));
    m_terminarPrograma();
}

void Configuracion::remplazarProgramas() {
    pedirAlSupervisor(QStringLiteral("RemplazarProgramas"));
}

void Configuracion::salir() {
    pedirAlSupervisor(QStringLiteral("Exit"));
}

bool Configuracion::confirmarEnergia(const QString& pregunta, bool (Platform::*accion)()) {
    if (m_prompts.Mensaje(pregunta, Prompts::kYesNo) != Prompts::kAnswerYes)
        return false;
    if ((m_platform.*accion)())
        return true;
    m_prompts.Mensaje(QStringLiteral("El equipo no aceptó la orden; consulte a soporte."),
                      Prompts::kCritical);
    return false;
}

bool Configuracion::apagar() {
    return confirmarEnergia(QStringLiteral("Realmente desea apagar el equipo!"), &Platform::switchOff);
}

bool Configuracion::reiniciar() {
    return confirmarEnergia(QStringLiteral("Realmente desea reiniciar el equipo!"), &Platform::restart);
}

} // namespace nerin
