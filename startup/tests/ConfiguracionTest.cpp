#include "startup/Configuracion.h"

#include "base/tests/QtPrinters.h"
#include "keyboards/ScriptedPrompts.h"
#include "startup/TerminalSettings.h"
#include "startup/tests/RecordingPlatform.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace nerin {
namespace {

class ConfiguracionTest : public ::testing::Test {
protected:
    QString archivo() const { return m_dir.filePath(QStringLiteral("nerin.ini")); }

    void escribir(const QString& clave, const QString& valor) {
        QSettings ini(archivo(), QSettings::IniFormat);
        ini.setValue(QStringLiteral("Configuracion/") + clave, valor);
    }
    QString leido(const QString& clave) const {
        QSettings ini(archivo(), QSettings::IniFormat);
        return ini.value(QStringLiteral("Configuracion/") + clave).toString();
    }

    Configuracion& configuracion() {
        if (!m_configuracion) {
            m_settings = std::make_unique<TerminalSettings>(archivo());
            m_configuracion =
                std::make_unique<Configuracion>(*m_settings, prompts, platform, [this] { ++terminado; });
            m_configuracion->cargar();
        }
        return *m_configuracion;
    }

    static Prompts::TextAnswer tecleado(const QString& texto) {
        Prompts::TextAnswer answer;
        answer.cancelado = false;
        answer.texto = texto;
        return answer;
    }

    QTemporaryDir m_dir;
    ScriptedPrompts prompts;
    fakes::RecordingPlatform platform;
    int terminado = 0;
    std::unique_ptr<TerminalSettings> m_settings;
    std::unique_ptr<Configuracion> m_configuracion;
};

TEST_F(ConfiguracionTest, MissingSettingsShowEmptyAndTheKeyboardOffersTheDefaults) {
    Configuracion& ajustes = configuracion();
    const struct {
        const char* clave;
        const char* titulo;
        const char* defecto;
    } casos[] = {{"Terminal", "NUMERO DE TERMINAL", "19"},
                 {"AjusteNERIN", "AJUSTE DE MONITOREO", "15"},
                 {"BASE_DE_DATOS", "NOMBRE DE LA BASE DE DATOS", "DBNERIN"},
                 {"RutaServidor", "RUTA DEL SERVIDOR", "\\\\SERVIDOR\\NERIN\\PROGRAMAS"}};
    for (const auto& caso : casos) {
        const QString clave = QString::fromLatin1(caso.clave);
        EXPECT_TRUE(ajustes.valor(clave).isEmpty()) << caso.clave;
        prompts.answerTexto({}); // cancelled: the field keeps its text
        EXPECT_FALSE(ajustes.editar(clave));
        EXPECT_EQ(prompts.asked().last().texto, QString::fromLatin1(caso.titulo));
        EXPECT_TRUE(ajustes.valor(clave).isEmpty());
    }
    EXPECT_FALSE(ajustes.interruptor(QString::fromLatin1(Configuracion::kServEncontrado)));
    EXPECT_FALSE(ajustes.interruptor(QString::fromLatin1(Configuracion::kMandarBitacora)));
}

TEST_F(ConfiguracionTest, TypedTextReplacesTheFieldAndTheKeyboardStartsFromIt) {
    escribir(QStringLiteral("Terminal"), QStringLiteral("3"));
    Configuracion& ajustes = configuracion();
    EXPECT_EQ(ajustes.valor(QStringLiteral("Terminal")), QStringLiteral("3"));
    prompts.answerTexto(tecleado(QStringLiteral("7")));
    EXPECT_TRUE(ajustes.editar(QStringLiteral("Terminal")));
    EXPECT_EQ(ajustes.valor(QStringLiteral("Terminal")), QStringLiteral("7"));
    EXPECT_EQ(leido(QStringLiteral("Terminal")), QStringLiteral("3")) << "nothing is written before saving";
}

TEST_F(ConfiguracionTest, SaveWritesAllEightValuesWithBackslashesInTheNetworkPath) {
    escribir(QStringLiteral("Mandar_bitacora"), QStringLiteral("1"));
    Configuracion& ajustes = configuracion();
    prompts.answerTexto(tecleado(QStringLiteral("/SERVIDOR/NERIN/PROGRAMAS")));
    ASSERT_TRUE(ajustes.editar(QStringLiteral("RutaServidor")));
    prompts.answerTexto(tecleado(QStringLiteral("/srv/nerin/datos")));
    ASSERT_TRUE(ajustes.editar(QStringLiteral("Servidor")));
    ASSERT_TRUE(ajustes.guardar());

    EXPECT_EQ(prompts.mensajes().last(), QStringLiteral("Los datos fueron guardados"));
    EXPECT_EQ(leido(QStringLiteral("RutaServidor")), QStringLiteral("\\SERVIDOR\\NERIN\\PROGRAMAS"));
    // The embedded database's server setting is a folder of this machine and keeps its slashes.
    EXPECT_EQ(leido(QStringLiteral("Servidor")), QStringLiteral("/srv/nerin/datos"));
    // Untouched switches are written back as they were.
    EXPECT_EQ(leido(QStringLiteral("Mandar_bitacora")), QStringLiteral("1"));
    EXPECT_EQ(leido(QStringLiteral("ServEncontrado")), QStringLiteral("0"));
    QSettings ini(archivo(), QSettings::IniFormat);
    ini.beginGroup(QStringLiteral("Configuracion"));
    for (const char* clave : {"Terminal", "AjusteNERIN", "BackupNameServer", "BASE_DE_DATOS"})
        EXPECT_TRUE(ini.contains(QString::fromLatin1(clave))) << clave;
}

TEST_F(ConfiguracionTest, TheServerNamesAreStoredAsEachDatabaseServerWritesThem) {
    const struct {
        const char* motor;
        const char* tecleado;
        const char* guardado;
    } casos[] = {
        // SQL Server names an instance as host\instance; a touch keyboard types "/" more easily.
        {"odbc", "CAJA/SQLEXPRESS", "CAJA\\SQLEXPRESS"},
        {"postgres", "caja.local:5433", "caja.local:5433"},
    };
    for (const auto& caso : casos) {
        escribir(QStringLiteral("Motor"), QString::fromLatin1(caso.motor));
        m_configuracion.reset(); // the screen reads the back-end when it opens
        Configuracion& ajustes = configuracion();
        prompts.answerTexto(tecleado(QString::fromLatin1(caso.tecleado)));
        ASSERT_TRUE(ajustes.editar(QStringLiteral("Servidor")));
        prompts.answerTexto(tecleado(QStringLiteral("RESPALDO/") + QString::fromLatin1(caso.tecleado)));
        ASSERT_TRUE(ajustes.editar(QStringLiteral("BackupNameServer")));
        ajustes.setInterruptor(QString::fromLatin1(Configuracion::kServEncontrado), true);
        ASSERT_TRUE(ajustes.guardar());
        EXPECT_EQ(leido(QStringLiteral("Servidor")), QString::fromLatin1(caso.guardado)) << caso.motor;
        EXPECT_EQ(ajustes.valor(QStringLiteral("Servidor")), QString::fromLatin1(caso.guardado))
            << caso.motor;
        EXPECT_EQ(leido(QStringLiteral("ServEncontrado")), QStringLiteral("1"));
    }
}

TEST_F(ConfiguracionTest, MalformedSwitchReadsOffAndIsWrittenBackAsZero) {
    escribir(QStringLiteral("ServEncontrado"), QStringLiteral("abc"));
    ASSERT_TRUE(configuracion().guardar());
    EXPECT_EQ(leido(QStringLiteral("ServEncontrado")), QStringLiteral("0"));
}

TEST_F(ConfiguracionTest, UnwritableSettingsFileIsNotReportedAsSaved) {
    QFile archivoBloqueado(archivo());
    ASSERT_TRUE(archivoBloqueado.open(QIODevice::WriteOnly));
    archivoBloqueado.close();
    // A folder where the file's folder should be makes every write fail.
    m_settings = std::make_unique<TerminalSettings>(m_dir.filePath(QStringLiteral("nerin.ini/dentro.ini")));
    Configuracion ajustes(*m_settings, prompts, platform, [this] { ++terminado; });
    ajustes.cargar();
    EXPECT_FALSE(ajustes.guardar());
    ASSERT_FALSE(prompts.mensajes().isEmpty());
    EXPECT_TRUE(prompts.mensajes().last().startsWith(QStringLiteral("No se pudieron guardar los datos")));
}

TEST_F(ConfiguracionTest, SupervisorRequestsAreWrittenAndEndTheProgramAtOnce) {
    configuracion().remplazarProgramas();
    EXPECT_EQ(leido(QStringLiteral("RemplazarProgramas")), QStringLiteral("1"));
    EXPECT_EQ(terminado, 1);
    configuracion().salir();
    EXPECT_EQ(leido(QStringLiteral("Exit")), QStringLiteral("1"));
    EXPECT_EQ(terminado, 2);
}

TEST_F(ConfiguracionTest, SwitchingOffAndRestartingNeedAYes) {
    prompts.answerMensaje(Prompts::kAnswerNo);
    EXPECT_FALSE(configuracion().apagar());
    EXPECT_EQ(prompts.mensajes().last(), QStringLiteral("Realmente desea apagar el equipo!"));
    EXPECT_TRUE(platform.requests.isEmpty());

    prompts.answerMensaje(Prompts::kAnswerYes);
    EXPECT_TRUE(configuracion().apagar());
    prompts.answerMensaje(Prompts::kAnswerYes);
    EXPECT_TRUE(configuracion().reiniciar());
    EXPECT_EQ(prompts.asked().last().texto, QStringLiteral("Realmente desea reiniciar el equipo!"));
    EXPECT_EQ(platform.requests, (QStringList{QStringLiteral("switchOff"), QStringLiteral("restart")}));

    // A machine that refuses says so instead of leaving the person waiting for it.
    platform.aceptaEnergia = false;
    prompts.answerMensaje(Prompts::kAnswerYes);
    EXPECT_FALSE(configuracion().reiniciar());
    EXPECT_TRUE(prompts.mensajes().last().startsWith(QStringLiteral("El equipo no aceptó")));
}

} // namespace
} // namespace nerin
