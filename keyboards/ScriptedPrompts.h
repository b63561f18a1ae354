#pragma once

#include "keyboards/Prompts.h"

#include <QList>
#include <QStringList>
#include <deque>
#include <variant>

namespace nerin {

// Prompts answered from a script, for tests: each question takes the next scripted answer of its
// kind, and every question asked is recorded. A question with no scripted answer left is answered
// as a person who cancels would (OK / No / cancelled) and recorded as unanswered, so a test that
// forgot an answer fails on its expectations instead of hanging.
class ScriptedPrompts : public Prompts {
public:
    struct Asked {
        QString kind;  // "Mensaje", "numero", "texto", "hora", "pago", "valor"
        QString texto; // the message, or the title
        int estilo = 0;
        bool unanswered = false;
    };

    void answerMensaje(int code) { m_mensajes.push_back(code); }
    void answerNumero(NumberAnswer answer) { m_numeros.push_back(answer); }
    void answerTexto(TextAnswer answer) { m_textos.push_back(answer); }
    void answerHora(TimeAnswer answer) { m_horas.push_back(answer); }
    void answerPago(PaymentAnswer answer) { m_pagos.push_back(answer); }
    void answerValor(ValueAnswer answer) { m_valores.push_back(answer); }

    const QList<Asked>& asked() const { return m_asked; }
    // The texts of the messages shown, in order.
    QStringList mensajes() const;
    bool allAnswersUsed() const;

    int Mensaje(const QString& texto, int estilo) override;
    NumberAnswer numero(const NumberRequest& request) override;
    TextAnswer texto(const TextRequest& request) override;
    TimeAnswer hora(const QTime& inicial) override;
    PaymentAnswer pago(const PaymentRequest& request) override;
    ValueAnswer valor(const ValueRequest& request) override;

private:
    template <typename T>
    T next(std::deque<T>& answers, const QString& kind, const QString& text, T fallback);

    std::deque<int> m_mensajes;
    std::deque<NumberAnswer> m_numeros;
    std::deque<TextAnswer> m_textos;
    std::deque<TimeAnswer> m_horas;
    std::deque<PaymentAnswer> m_pagos;
    std::deque<ValueAnswer> m_valores;
    QList<Asked> m_asked;
};

} // namespace nerin
