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

TEST(frmMsg, EachStyleShowsItsButtonsAndIconAndAnswersTheButtonOrKeyPressed) {
    struct Caso {
        int estilo;
        const char* boton; // pressed; a key instead when null
        Qt::Key tecla;
        int respuesta;
        bool icono;
    };
    const Caso casos[] = {
        {Prompts::kYesNo, "cmdSi", Qt::Key_unknown, Prompts::kAnswerYes, false},
        {Prompts::kYesNo + Prompts::kExclamation, "cmdNo", Qt::Key_unknown, Prompts::kAnswerNo, true},
        {Prompts::kOk, "cmdOK", Qt::Key_unknown, Prompts::kAnswerOk, false},
        {Prompts::kCritical, "cmdOK", Qt::Key_unknown, Prompts::kAnswerOk, true},
        {Prompts::kExclamation, "cmdOK", Qt::Key_unknown, Prompts::kAnswerOk, true},
        {Prompts::kYesNo + Prompts::kCritical, "cmdNo", Qt::Key_unknown, Prompts::kAnswerNo, true},
        // Enter presses the default button; Escape answers No, or OK when that is the only button.
        {Prompts::kYesNo, nullptr, Qt::Key_Return, Prompts::kAnswerYes, false},
        {Prompts::kYesNo, nullptr, Qt::Key_Escape, Prompts::kAnswerNo, false},
        {Prompts::kOk, nullptr, Qt::Key_Escape, Prompts::kAnswerOk, false},
    };
    for (const Caso& caso : casos) {
        frmMsg msg;
        msg.setMensaje(QStringLiteral("¿Cerrar la mesa?"), caso.estilo);
        msg.show();
        const bool siNo = caso.estilo % 16 == Prompts::kYesNo;
        EXPECT_EQ(boton(msg, "cmdSi")->isVisible(), siNo) << caso.estilo;
        EXPECT_EQ(boton(msg, "cmdNo")->isVisible(), siNo) << caso.estilo;
        EXPECT_EQ(boton(msg, "cmdOK")->isVisible(), !siNo) << caso.estilo;
        EXPECT_EQ(msg.findChild<QLabel*>(QStringLiteral("lblIcono"))->isVisible(), caso.icono) << caso.estilo;
        EXPECT_EQ(msg.findChild<QLabel*>(QStringLiteral("lblMensaje"))->text(),
                  QStringLiteral("¿Cerrar la mesa?"));
        if (caso.boton)
            QTest::mouseClick(boton(msg, caso.boton), Qt::LeftButton);
        else
            QTest::keyClick(&msg, caso.tecla);
        EXPECT_EQ(msg.respuesta(), caso.respuesta)
            << caso.estilo << " " << (caso.boton ? caso.boton : "tecla");
        EXPECT_FALSE(msg.isVisible());
    }
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
