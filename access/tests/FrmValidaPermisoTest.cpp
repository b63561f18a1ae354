// The authorisation window, driven by its controls and by card swipes.
#include "access/FrmValidaPermiso.h"

#include "access/tests/SignInFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace nerin {
namespace {

using fakes::Tarjeta;

class FrmValidaPermisoTest : public fakes::SignInFixture {
protected:
    void SetUp() override {
        SignInFixture::SetUp();
        asignarTodas();
        firmarListo();
    }
    std::unique_ptr<FrmValidaPermiso> ventana(int permiso, CardReader* lector = nullptr) {
        auto frm = std::make_unique<FrmValidaPermiso>(*context, nullptr, lector);
        frm->setPermiso(permiso);
        frm->setTitle(QStringLiteral("Validar Permiso"));
        return frm;
    }
    static QString etiqueta(QWidget& w, const char* nombre) {
        auto* label = w.findChild<QLabel*>(QString::fromLatin1(nombre));
        return label ? label->text() : QStringLiteral("<sin %1>").arg(QString::fromLatin1(nombre));
    }
    static void pulsar(QWidget& w, const char* nombre) {
        auto* boton = w.findChild<QPushButton*>(QString::fromLatin1(nombre));
        ASSERT_NE(boton, nullptr) << nombre;
        boton->click();
    }
};

TEST_F(FrmValidaPermisoTest, AcceptAsksForTheCard) {
    auto frm = ventana(39);
    EXPECT_EQ(frm->windowTitle(), QStringLiteral("Validar Permiso"));
    EXPECT_EQ(etiqueta(*frm, "lblTitulo"), QStringLiteral("Validar Permiso"));
    frm->findChild<QLineEdit*>(QStringLiteral("txtUsuario"))->setText(QStringLiteral("%12"));
    pulsar(*frm, "cmdAceptar");
    EXPECT_EQ(etiqueta(*frm, "lblMensaje"), QStringLiteral("Pase su tarjeta!"));
    EXPECT_TRUE(frm->findChild<QLineEdit*>(QStringLiteral("txtUsuario"))->text().isEmpty());
    EXPECT_FALSE(frm->getValido());
}

TEST_F(FrmValidaPermisoTest, ACardWithThePermissionAuthorisesAndCloses) {
    auto frm = ventana(39);
    pulsar(*frm, "cmdAceptar");
    QTest::keyClicks(frm.get(), tarjetaDe(2).texto());
    EXPECT_TRUE(frm->getValido());
    EXPECT_EQ(frm->result(), QDialog::Accepted);
    EXPECT_TRUE(prompts.asked().isEmpty());
}

TEST_F(FrmValidaPermisoTest, ACardWithoutThePermissionAsksToRetryAndWaitsForAnother) {
    auto frm = ventana(39);
    QTest::keyClicks(frm.get(), tarjetaDe(1).texto());
    EXPECT_FALSE(frm->getValido());
    EXPECT_EQ(frm->windowTitle(), QStringLiteral("Reintentar?"));
    EXPECT_EQ(etiqueta(*frm, "lblTitulo"), QStringLiteral("Reintentar?"));
    EXPECT_EQ(etiqueta(*frm, "lblMensaje"), QStringLiteral("No tiene permisos!"));
    EXPECT_EQ(prompts.mensajes(), QStringList{QStringLiteral("No tiene permisos!")});
    EXPECT_NE(frm->result(), QDialog::Accepted);

    QTest::keyClicks(frm.get(), tarjetaDe(2).texto());
    EXPECT_TRUE(frm->getValido());
}

TEST_F(FrmValidaPermisoTest, AnInvalidCardIsRefusedAndTheWindowStaysOpen) {
    auto frm = ventana(39);
    QTest::keyClicks(frm.get(), QStringLiteral("%0123_N4567_"));
    EXPECT_FALSE(frm->getValido());
    EXPECT_EQ(prompts.mensajes(), QStringList{QStringLiteral("Tarjeta inválida")});
    EXPECT_EQ(etiqueta(*frm, "lblMensaje"), QStringLiteral("Tarjeta inválida"));
    EXPECT_EQ(frm->windowTitle(), QStringLiteral("Validar Permiso"));
}

TEST_F(FrmValidaPermisoTest, PermissionNumbersAboveSixtyEightAreCheckedInTheView) {
    auto frm = ventana(69);
    QTest::keyClicks(frm.get(), tarjetaDe(3).texto()); // the cashiers hold 69
    EXPECT_TRUE(frm->getValido());
    auto otra = ventana(70);
    QTest::keyClicks(otra.get(), tarjetaDe(2).texto());
    EXPECT_FALSE(otra->getValido());
}

TEST_F(FrmValidaPermisoTest, CancelClosesWithoutAuthorisation) {
    auto frm = ventana(39);
    pulsar(*frm, "cmdCancelar");
    EXPECT_FALSE(frm->getValido());
    EXPECT_EQ(frm->result(), QDialog::Rejected);
}

TEST_F(FrmValidaPermisoTest, TheSerialReadersSwipeIsCheckedAndTheReaderReleasedOnClosing) {
    fakes::LectorSerialDePrueba lector;
    {
        auto frm = ventana(66, &lector);
        EXPECT_TRUE(lector.activo);
        const Tarjeta gerente = tarjetaDe(2);
        lector.deslizar(gerente.pista1, gerente.pista2);
        EXPECT_TRUE(frm->getValido());
    }
    EXPECT_FALSE(lector.activo);
}

TEST_F(FrmValidaPermisoTest, KeysSentToTheHiddenCardBoxReachTheReader) {
    auto frm = ventana(39);
    QLineEdit* caja = frm->findChild<QLineEdit*>(QStringLiteral("txtUsuario"));
    QTest::keyClicks(caja, tarjetaDe(2).texto());
    EXPECT_TRUE(frm->getValido());
}

} // namespace
} // namespace nerin
