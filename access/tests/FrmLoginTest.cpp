// Logging in with user name and password, through the window's controls and scripted keyboards.
#include "access/FrmLogin.h"

#include "access/LoginEmpleado.h"
#include "access/tests/SignInFixture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace nerin {
namespace {

class FrmLoginTest : public fakes::SignInFixture {
protected:
    void SetUp() override {
        SignInFixture::SetUp();
        firmarListo();
    }
    void teclear(const QString& usuario, const QString& contrasena) {
        prompts.answerTexto({false, usuario});
        prompts.answerTexto({false, contrasena});
    }
    static QLineEdit* caja(QWidget& w, const QString& nombre) { return w.findChild<QLineEdit*>(nombre); }
    static void aceptar(QWidget& w) { w.findChild<QPushButton*>(QStringLiteral("cmdAceptar"))->click(); }
    QStringList titulos() const {
        QStringList t;
        for (const auto& a : prompts.asked())
            if (a.kind == QLatin1String("texto"))
                t.append(a.texto);
        return t;
    }
};

TEST_F(FrmLoginTest, TheRightPasswordOfAPrivilegedUserLogsIn) {
    FrmLogin frm(*context, kClaveDemo);
    teclear(QStringLiteral("gerente1"), QStringLiteral("2222"));
    aceptar(frm);
    EXPECT_TRUE(frm.getValido());
    EXPECT_EQ(frm.result(), QDialog::Accepted);
    EXPECT_EQ(frm.getUsuario(), QStringLiteral("gerente1"));
    EXPECT_EQ(titulos(),
              QStringList({QStringLiteral("Ingresar usuario"), QStringLiteral("Ingresar contraseña")}));
    ASSERT_EQ(prompts.asked().size(), 2);
    EXPECT_TRUE(prompts.mensajes().isEmpty());
}

TEST_F(FrmLoginTest, ThePasswordKeyboardHidesWhatIsTypedAndTheBoxShowsStars) {
    FrmLogin frm(*context, kClaveDemo);
    prompts.answerTexto({false, QStringLiteral("3333")});
    QTest::mouseClick(caja(frm, QStringLiteral("txtContraseña")), Qt::LeftButton);
    EXPECT_EQ(caja(frm, QStringLiteral("txtContraseña"))->displayText(), QStringLiteral("****"));
    EXPECT_EQ(titulos(), QStringList{QStringLiteral("Ingresar contraseña")});
}

TEST_F(FrmLoginTest, RefusalsTellWhyAndClearBothBoxes) {
    const struct {
        const char* usuario;
        const char* contrasena;
        const char* mensaje;
    } casos[] = {
        {"mesero1", "1111", "El usuario es inválido o no tiene privilegios suficientes"},
        {"nadie", "1234", "El usuario es inválido o no tiene privilegios suficientes"},
        {"o'brien' OR '1'='1", "x", "El usuario es inválido o no tiene privilegios suficientes"},
        {"cajero1", "1111", "La contraseña es incorrecta"},
        {"gerente1", "2222 ", "La contraseña es incorrecta"},
    };
    for (const auto& c : casos) {
        ScriptedPrompts preguntas;
        TerminalContext otro(*baseDatos, *bitacora, preguntas, platform, *settings);
        FrmLogin frm(otro, kClaveDemo);
        preguntas.answerTexto({false, QString::fromUtf8(c.usuario)});
        preguntas.answerTexto({false, QString::fromUtf8(c.contrasena)});
        aceptar(frm);
        EXPECT_FALSE(frm.getValido()) << c.usuario;
        EXPECT_EQ(preguntas.mensajes(), QStringList{QString::fromUtf8(c.mensaje)}) << c.usuario;
        EXPECT_TRUE(caja(frm, QStringLiteral("txtUsuario"))->text().isEmpty());
        EXPECT_TRUE(caja(frm, QStringLiteral("txtContraseña"))->text().isEmpty());
        EXPECT_TRUE(frm.getUsuario().isEmpty());
    }
    EXPECT_TRUE(messageBox.shown.isEmpty());
}

TEST_F(FrmLoginTest, AfterARefusalAnotherTryLogsIn) {
    FrmLogin frm(*context, kClaveDemo);
    teclear(QStringLiteral("gerente1"), QStringLiteral("1111"));
    aceptar(frm);
    ASSERT_FALSE(frm.getValido());
    teclear(QStringLiteral("gerente1"), QStringLiteral("2222"));
    aceptar(frm);
    EXPECT_TRUE(frm.getValido());
}

TEST_F(FrmLoginTest, ACancelledKeyboardChecksNothing) {
    FrmLogin frm(*context, kClaveDemo);
    prompts.answerTexto({true, QString()});
    aceptar(frm);
    EXPECT_FALSE(frm.getValido());
    EXPECT_TRUE(prompts.mensajes().isEmpty());
    frm.findChild<QPushButton*>(QStringLiteral("cmdCancelar"))->click();
    EXPECT_EQ(frm.result(), QDialog::Rejected);
}

TEST_F(FrmLoginTest, AnInactiveUserOrAPasswordUnderAnotherKeyIsRefused) {
    LoginEmpleado otraClave(*context, QStringLiteral("OTRA"));
    EXPECT_EQ(otraClave.validar(QStringLiteral("gerente1"), QStringLiteral("2222")),
              LoginEmpleado::Resultado::ContrasenaIncorrecta);
    exec(QStringLiteral("UPDATE Empleado SET Estado_Empleado='B' WHERE Usuario='gerente1'"));
    LoginEmpleado login(*context, kClaveDemo);
    EXPECT_EQ(login.validar(QStringLiteral("gerente1"), QStringLiteral("2222")),
              LoginEmpleado::Resultado::UsuarioInvalido);
    exec(QStringLiteral("UPDATE Empleado SET Contraseña=NULL WHERE Usuario='cajero1'"));
    EXPECT_EQ(login.validar(QStringLiteral("cajero1"), QString()),
              LoginEmpleado::Resultado::ContrasenaIncorrecta);
}

} // namespace
} // namespace nerin
