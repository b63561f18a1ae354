#include "keyboards/frmMsg.h"

#include "keyboards/Prompts.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace nerin {
namespace {

QPushButton* boton(QWidget& w, const char* nombre) {
    return w.findChild<QPushButton*>(QString::fromLatin1(nombre));
}

TEST(frmMsg, YesNoStyleShowsSiAndNoAndAnswersSixOrSeven) {
    frmMsg si;
    si.setMensaje(QStringLiteral("¿Cerrar la mesa?"), Prompts::kYesNo);
    si.show();
    EXPECT_FALSE(boton(si, "cmdOK")->isVisible());
    ASSERT_TRUE(boton(si, "cmdSi")->isVisible());
    QTest::mouseClick(boton(si, "cmdSi"), Qt::LeftButton);
    EXPECT_EQ(si.respuesta(), Prompts::kAnswerYes);
    EXPECT_FALSE(si.isVisible());

    frmMsg no;
    no.setMensaje(QStringLiteral("¿Cerrar la mesa?"), Prompts::kYesNo + Prompts::kExclamation);
    no.show();
    QTest::mouseClick(boton(no, "cmdNo"), Qt::LeftButton);
    EXPECT_EQ(no.respuesta(), Prompts::kAnswerNo);
}

TEST(frmMsg, OkStyleAnswersOne) {
    frmMsg msg;
    msg.setMensaje(QStringLiteral("Listo"), Prompts::kOk);
    msg.show();
    EXPECT_FALSE(boton(msg, "cmdSi")->isVisible());
    EXPECT_FALSE(msg.findChild<QLabel*>(QStringLiteral("lblIcono"))->isVisible());
    EXPECT_EQ(msg.findChild<QLabel*>(QStringLiteral("lblMensaje"))->text(), QStringLiteral("Listo"));
    boton(msg, "cmdOK")->click();
    EXPECT_EQ(msg.respuesta(), Prompts::kAnswerOk);
}

TEST(frmMsg, CriticalAndExclamationShowAnIcon) {
    for (int estilo : {Prompts::kCritical, Prompts::kExclamation, Prompts::kYesNo + Prompts::kCritical}) {
        frmMsg msg;
        msg.setMensaje(QStringLiteral("Error"), estilo);
        msg.show();
        EXPECT_TRUE(msg.findChild<QLabel*>(QStringLiteral("lblIcono"))->isVisible()) << estilo;
    }
}

TEST(frmMsg, EnterPressesTheDefaultButtonAndEscapeAnswersNo) {
    frmMsg enter;
    enter.setMensaje(QStringLiteral("¿Seguro?"), Prompts::kYesNo);
    enter.show();
    QTest::keyClick(&enter, Qt::Key_Return);
    EXPECT_EQ(enter.respuesta(), Prompts::kAnswerYes);

    frmMsg escape;
    escape.setMensaje(QStringLiteral("¿Seguro?"), Prompts::kYesNo);
    escape.show();
    QTest::keyClick(&escape, Qt::Key_Escape);
    EXPECT_EQ(escape.respuesta(), Prompts::kAnswerNo);

    frmMsg ok;
    ok.setMensaje(QStringLiteral("Aviso"), Prompts::kOk);
    ok.show();
    QTest::keyClick(&ok, Qt::Key_Escape);
    EXPECT_EQ(ok.respuesta(), Prompts::kAnswerOk);
}

TEST(frmMsg, ShownModallyReturnsTheButtonPressed) {
    frmMsg msg;
    msg.setMensaje(QStringLiteral("¿Imprimir?"), Prompts::kYesNo);
    QTimer::singleShot(0, [] {
        QWidget* activo = QApplication::activeModalWidget();
        ASSERT_NE(activo, nullptr);
        activo->findChild<QPushButton*>(QStringLiteral("cmdNo"))->click();
    });
    msg.mostrar();
    EXPECT_EQ(msg.respuesta(), Prompts::kAnswerNo);
}

} // namespace
} // namespace nerin
