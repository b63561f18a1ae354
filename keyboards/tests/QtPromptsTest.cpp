#include "keyboards/QtPrompts.h"

#include "data/Bitacora.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace nerin {
namespace {

// Once the next modal screen is up, checks its name and hands it to `accion`.
void alAbrir(const char* pantalla, std::function<void(QWidget*)> accion) {
    QTimer::singleShot(0, [pantalla, accion] {
        QWidget* activo = QApplication::activeModalWidget();
        ASSERT_NE(activo, nullptr);
        ASSERT_EQ(activo->objectName(), QString::fromLatin1(pantalla));
        accion(activo);
    });
}

void pulsar(QWidget* pantalla, const char* nombre) {
    QPushButton* b = pantalla->findChild<QPushButton*>(QString::fromLatin1(nombre));
    ASSERT_NE(b, nullptr) << nombre;
    b->click();
}

TEST(QtPrompts, MensajeReturnsTheAnswerCode) {
    QtPrompts prompts;
    alAbrir("frmMsg", [](QWidget* w) { pulsar(w, "cmdSi"); });
    EXPECT_EQ(prompts.Mensaje(QStringLiteral("¿Cerrar?"), Prompts::kYesNo), Prompts::kAnswerYes);
    alAbrir("frmMsg", [](QWidget* w) { pulsar(w, "cmdOK"); });
    EXPECT_EQ(prompts.Mensaje(QStringLiteral("Hecho"), Prompts::kOk + Prompts::kCritical),
              Prompts::kAnswerOk);
}

TEST(QtPrompts, NumeroSetsUpTheKeypadReadsItAndLogsIt) {
    QTemporaryDir dir;
    Bitacora bitacora(dir.path());
    QtPrompts prompts(&bitacora);
    alAbrir("frmTecladoNumerico", [](QWidget* w) {
        EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("lblTitulo"))->text(), QStringLiteral("Mesa"));
        EXPECT_EQ(w->findChild<QLineEdit*>(QStringLiteral("txtNumero"))->text(), QStringLiteral("5"));
        EXPECT_FALSE(w->findChild<QPushButton*>(QStringLiteral("cmdAbierto"))->isVisible());
        pulsar(w, "cmdLimpiar");
        QTest::keyClicks(w, QStringLiteral("12"));
        pulsar(w, "cmdAceptar");
    });
    Prompts::NumberRequest pedido;
    pedido.titulo = QStringLiteral("Mesa");
    pedido.defaultNum = 5;
    pedido.maximo = 32767;
    pedido.mostrarAbierto = false;
    const Prompts::NumberAnswer r = prompts.numero(pedido);
    EXPECT_FALSE(r.cancelado);
    EXPECT_EQ(r.numero, 12);
    QFile archivo(bitacora.rutaArchivo());
    ASSERT_TRUE(archivo.open(QIODevice::ReadOnly));
    const QString texto = QString::fromUtf8(archivo.readAll());
    const qsizetype carga = texto.indexOf(QStringLiteral("frmTecladoNumerico.load"));
    EXPECT_GE(carga, 0);
    EXPECT_GT(texto.indexOf(QStringLiteral("frmtecladonumerico.unload")), carga);
}

TEST(QtPrompts, TextoHoraPagoAndValorReadTheirScreens) {
    QtPrompts prompts;
    alAbrir("frmTecladoLibre", [](QWidget* w) {
        QTest::keyClicks(w, QStringLiteral("X"));
        pulsar(w, "cmdAceptar");
    });
    const Prompts::TextAnswer texto =
        prompts.texto({QStringLiteral("Nombre"), QStringLiteral("AB"), false, 0});
    EXPECT_FALSE(texto.cancelado);
    EXPECT_EQ(texto.texto, QStringLiteral("ABX"));

    alAbrir("FrmTecladoHora", [](QWidget* w) {
        pulsar(w, "cmdHoraArriba");
        pulsar(w, "cmdAceptar");
    });
    const Prompts::TimeAnswer hora = prompts.hora(QTime(9, 15));
    EXPECT_FALSE(hora.cancelado);
    EXPECT_EQ(hora.hora, QTime(10, 15));

    alAbrir("FrmTecladoPago", [](QWidget* w) { pulsar(w, "cmdCancelar"); });
    EXPECT_TRUE(prompts.pago({QStringLiteral("Efectivo"), Currency::fromUnits(80)}).cancelado);

    alAbrir("FrmTecladoNum", [](QWidget* w) {
        w->findChild<QCheckBox*>(QStringLiteral("chkPorcentaje"))->click();
        pulsar(w, "cmd1");
        pulsar(w, "cmd0");
        pulsar(w, "cmdAceptar");
    });
    Prompts::ValueRequest pedido;
    pedido.original = Currency::fromUnits(200);
    const Prompts::ValueAnswer valor = prompts.valor(pedido);
    EXPECT_FALSE(valor.cancelado);
    EXPECT_TRUE(valor.porcentaje);
    EXPECT_EQ(valor.valor, Currency::fromUnits(10));
}

TEST(QtPrompts, CancelledTextGivesNoText) {
    QtPrompts prompts;
    alAbrir("frmTecladoLibre", [](QWidget* w) { pulsar(w, "cmdCancelar"); });
    const Prompts::TextAnswer texto =
        prompts.texto({QStringLiteral("Nombre"), QStringLiteral("AB"), true, 0});
    EXPECT_TRUE(texto.cancelado);
    EXPECT_TRUE(texto.texto.isEmpty());
}

} // namespace
} // namespace nerin
