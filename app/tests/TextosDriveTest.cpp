// The README's screenshot script (docs/capturas.txt) through the real nerin-terminal, full screen on
// screens of the sizes the terminals have, looking before each line for texts the screens cut.
#include "app/tests/TerminalDriveFixture.h"
#include "loyalty/tests/ServicioLealtadPrueba.h"

namespace nerin {
namespace {

using namespace fakes;

struct Pantalla {
    int ancho;
    int alto;
};

class TextosDriveTest : public TerminalDriveFixture, public ::testing::WithParamInterface<Pantalla> {
protected:
    // As scripts/screenshots sets the restaurant up: the exchange-rate question at start-up and the
    // stand-in loyalty service where the database looks for it.
    void SetUp() override {
        TerminalDriveFixture::SetUp();
        ASSERT_TRUE(m_servicio.iniciado()) << m_servicio.error().toStdString();
        sql(QStringLiteral("UPDATE FuncionesXTerminal SET Estado=1 WHERE ID_Terminal=1 AND ID_Funcion=1"));
        sql(QStringLiteral("UPDATE Parametros SET Valor_Cad='%1' WHERE Id_Parametro='URL_LEALTAD'")
                .arg(m_servicio.url()));
        // One offscreen screen of the size under test; the terminal's windows fill it.
        const QString pantalla = m_dir->filePath(QStringLiteral("pantalla.json"));
        QFile archivo(pantalla);
        ASSERT_TRUE(archivo.open(QIODevice::WriteOnly));
        archivo.write(QStringLiteral(R"({"screens": [{"name": "terminal", "x": 0, "y": 0, "width": %1,)"
                                     R"( "height": %2, "logicalDpi": 96}]})")
                          .arg(GetParam().ancho)
                          .arg(GetParam().alto)
                          .toUtf8());
        archivo.close();
        m_plataforma = QStringLiteral("offscreen:configfile=") + pantalla;
    }

    // The screenshot script without its pictures.
    static QStringList guionDeCapturas() {
        QFile archivo(QStringLiteral(NERIN_CAPTURAS));
        EXPECT_TRUE(archivo.open(QIODevice::ReadOnly | QIODevice::Text)) << NERIN_CAPTURAS;
        QStringList lineas = QString::fromUtf8(archivo.readAll()).split(u'\n');
        lineas.removeIf([](const QString& linea) { return linea.startsWith(QLatin1String("shot ")); });
        return lineas;
    }

    ServicioLealtadPrueba m_servicio;
};

TEST_P(TextosDriveTest, EveryScreenOfTheScreenshotScriptShowsItsTextsWhole) {
    EXPECT_EQ(
        conducir(guionDeCapturas(), {QStringLiteral("--configurar"), QStringLiteral("--revisar-textos")}), 0)
        << m_errores.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Tamanos, TextosDriveTest,
                         ::testing::Values(Pantalla{1024, 768}, Pantalla{1280, 1024}),
                         [](const ::testing::TestParamInfo<Pantalla>& prueba) {
                             return std::to_string(prueba.param.ancho) + "x" +
                                    std::to_string(prueba.param.alto);
                         });

} // namespace
} // namespace nerin
