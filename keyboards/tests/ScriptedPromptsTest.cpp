#include "keyboards/ScriptedPrompts.h"

#include <gtest/gtest.h>

namespace nerin {
namespace {

TEST(ScriptedPrompts, AnswersInOrderAndRecordsEveryQuestion) {
    ScriptedPrompts p;
    p.answerMensaje(Prompts::kAnswerYes);
    p.answerNumero({false, 4, false});
    EXPECT_EQ(p.Mensaje(QStringLiteral("¿Seguro?"), Prompts::kYesNo + Prompts::kExclamation),
              Prompts::kAnswerYes);
    EXPECT_EQ(p.numero({QStringLiteral("Personas")}).numero, 4);
    EXPECT_TRUE(p.allAnswersUsed());
    ASSERT_EQ(p.asked().size(), 2);
    EXPECT_EQ(p.asked()[0].estilo, Prompts::kYesNo + Prompts::kExclamation);
    EXPECT_EQ(p.asked()[1].texto, QStringLiteral("Personas"));
    EXPECT_EQ(p.mensajes(), QStringList{QStringLiteral("¿Seguro?")});
}

TEST(ScriptedPrompts, AnUnscriptedQuestionIsAnsweredAsACancelAndMarked) {
    ScriptedPrompts p;
    EXPECT_EQ(p.Mensaje(QStringLiteral("¿Borrar?"), Prompts::kYesNo), Prompts::kAnswerNo);
    EXPECT_EQ(p.Mensaje(QStringLiteral("Aviso"), Prompts::kOk), Prompts::kAnswerOk);
    EXPECT_TRUE(p.texto({}).cancelado);
    EXPECT_TRUE(p.valor({}).cancelado);
    for (const ScriptedPrompts::Asked& a : p.asked())
        EXPECT_TRUE(a.unanswered) << a.kind.toStdString();
}

} // namespace
} // namespace nerin
