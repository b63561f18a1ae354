#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>

namespace nerin {

class Platform;
class Prompts;
class TerminalSettings;

// The terminal's own settings as the configuration screen edits them: six texts typed on the
// on-screen keyboard and two switches, saved together; plus the requests to the terminal's outside
// supervisor and switching the machine off or restarting it.
//
// Server names and the program folder's network path are typed with "/" (the on-screen keyboard has
// no backslash) and saved with "\". With the embedded database, "Servidor" and "BackupNameServer" are
// folders of this machine and keep their "/".
class Configuracion {
public:
    struct Campo {
        QString clave;      // the settings key
        QString indicacion; // the keyboard's title
        QString defecto;    // offered when the setting is missing
        bool diagonales;    // saved with every "/" turned into "\"
    };

    static constexpr const char* kServEncontrado = "ServEncontrado";
    static constexpr const char* kMandarBitacora = "Mandar_bitacora";

    // `terminarPrograma` ends the program at once; it does not return in the real program.
    Configuracion(TerminalSettings& settings, Prompts& prompts, Platform& platform,
                  std::function<void()> terminarPrograma);

    // The six typed settings, in the screen's order.
    const QList<Campo>& campos() const { return m_campos; }

    // Reads every setting: a missing text shows empty, a missing or unreadable switch is off.
    void cargar();

    QString valor(const QString& clave) const { return m_valores.value(clave); }
    bool interruptor(const QString& clave) const { return m_interruptores.value(clave); }
    void setInterruptor(const QString& clave, bool encendido) { m_interruptores[clave] = encendido; }

    // Opens the keyboard for the setting, titled with its prompt and holding its current text (the
    // default when empty); the typed text replaces the setting's. False when cancelled.
    bool editar(const QString& clave);

    // Writes all eight settings and says so; a settings file that cannot be written is said too.
    bool guardar();

    // Leave a request for the outside supervisor ("RemplazarProgramas" or "Exit" = "1") and end the
    // program at once.
    void remplazarProgramas();
    void salir();

    // Ask, then have the machine switch off or restart. False when not confirmed or refused.
    bool apagar();
    bool reiniciar();

private:
    bool confirmarEnergia(const QString& pregunta, bool (Platform::*accion)());
    void pedirAlSupervisor(const QString& clave);

    TerminalSettings& m_settings;
    Prompts& m_prompts;
    Platform& m_platform;
    std::function<void()> m_terminarPrograma;
    QList<Campo> m_campos;
    QMap<QString, QString> m_valores;
    QMap<QString, bool> m_interruptores;
};

} // namespace nerin
