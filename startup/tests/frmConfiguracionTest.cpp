#include "startup/frmConfiguracion.h"

#include "startup/Configuracion.h"
#include "startup/tests/StartupFixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace nerin::fakes {
namespace {

class frmConfiguracionTest : public StartupFixture {
protected:
    template <typename T = QPushButton> T* control(QWidget& pantalla, const char* nombre) {
        auto* encontrado = pantalla.findChild<T*>(QString::fromLatin1(nombre));
        EXPECT_NE(encontrado, nullptr) << nombre;
        return encontrado;
    }
    static Prompts::TextAnswer tecleado(const QString& texto) {
        Prompts::TextAnswer answer;
        answer.cancelado = false;
        answer.texto = texto;
        return answer;
    }
};

TEST_F(frmConfiguracionTest, EditedSettingsAndSwitchesAreWrittenOnlyWhenSaved) {
    setSetting(QStringLiteral("AjusteNERIN"), QStringLiteral("20"));
    build();
    Configuracion configuracion(*settings, prompts, platform, [] {});
    frmConfiguracion pantalla(configuracion);
    EXPECT_EQ(control<QLineEdit>(pantalla, "txtAjusteNERIN")->text(), QStringLiteral("20"));
    EXPECT_EQ(control<QLineEdit>(pantalla, "txtTerminal")->text(), QStringLiteral("1"));

    prompts.answerTexto(tecleado(QStringLiteral("4")));
    control(pantalla, "cmdTerminal")->click();
    EXPECT_EQ(control<QLineEdit>(pantalla, "txtTerminal")->text(), QStringLiteral("4"));
    control<QCheckBox>(pantalla, "chkMandar_bitacora")->click();
    EXPECT_EQ(setting(QStringLiteral("Terminal")), QStringLiteral("1"));

    control(pantalla, "cmdGuardar")->click();
    EXPECT_EQ(setting(QStringLiteral("Terminal")), QStringLiteral("4"));
    EXPECT_EQ(setting(QStringLiteral("Mandar_bitacora")), QStringLiteral("1"));
    EXPECT_EQ(setting(QStringLiteral("AjusteNERIN")), QStringLiteral("20"));
    EXPECT_EQ(prompts.mensajes().last(), QStringLiteral("Los datos fueron guardados"));
}

TEST_F(frmConfiguracionTest, CancelClosesWithoutSaving) {
    build();
    Configuracion configuracion(*settings, prompts, platform, [] {});
    frmConfiguracion pantalla(configuracion);
    prompts.answerTexto(tecleado(QStringLiteral("9")));
    control(pantalla, "cmdTerminal")->click();
    QTimer::singleShot(0, &pantalla, [this, &pantalla] { control(pantalla, "cmdCancelar")->click(); });
    EXPECT_EQ(pantalla.mostrar(), QDialog::Rejected);
    EXPECT_EQ(setting(QStringLiteral("Terminal")), QStringLiteral("1"));
}

TEST_F(frmConfiguracionTest, ExchangeRateModeShowsAndStoresTheRestaurantsRate) {
    build();
    ASSERT_TRUE(baseDatos->ConectarBD());
    frmConfiguracion pantalla(*context);
    auto* tasa = control<QLineEdit>(pantalla, "txtTipoCambio");
    EXPECT_EQ(tasa->text(), QStringLiteral("19.85"));
    EXPECT_EQ(pantalla.findChild<QPushButton*>(QStringLiteral("cmdApagar")), nullptr);

    Prompts::ValueAnswer negativo;
    negativo.cancelado = false;
    negativo.valor = *Currency::parse(u"-1");
    prompts.answerValor(negativo);
    control(pantalla, "cmdTipoCambio")->click();
    EXPECT_EQ(tasa->text(), QStringLiteral("19.85")) << "a rate of zero or less is refused";
    EXPECT_EQ(prompts.mensajes().last(), QStringLiteral("El tipo de cambio debe ser mayor que cero"));

    Prompts::ValueAnswer nueva;
    nueva.cancelado = false;
    nueva.valor = *Currency::parse(u"18.5");
    prompts.answerValor(nueva);
    control(pantalla, "cmdTipoCambio")->click();
    control(pantalla, "cmdGuardar")->click();
    EXPECT_EQ(pantalla.result(), QDialog::Accepted);
    EXPECT_EQ(context->tipoCambio, *Currency::parse(u"18.5"));
    EXPECT_EQ(
        field(QStringLiteral("SELECT Valor_Num FROM Parametros WHERE Id_Parametro='TC_US'")).toCurrency(),
        *Currency::parse(u"18.5"));
}

TEST_F(frmConfiguracionTest, ExchangeRateThatCannotBeStoredSaysSoAndStaysOpen) {
    build();
    ASSERT_TRUE(baseDatos->ConectarBD());
    frmConfiguracion pantalla(*context);
    exec(QStringLiteral("DROP TABLE Parametros"));
    control(pantalla, "cmdGuardar")->click();
    EXPECT_EQ(prompts.mensajes().last(), QStringLiteral("No se pudo realizar la operacion"));
    EXPECT_NE(pantalla.result(), QDialog::Accepted);
}

} // namespace
} // namespace nerin::fakes
