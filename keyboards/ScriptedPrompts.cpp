#include "keyboards/ScriptedPrompts.h"

namespace nerin {

template <typename T>
T ScriptedPrompts::next(std::deque<T>& answers, const QString& kind, const QString& text, T fallback) {
    Asked asked{kind, text, 0, answers.empty()};
    m_asked.append(asked);
    if (answers.empty())
        return fallback;
    T answer = answers.front();
    answers.pop_front();
    return answer;
}

QStringList ScriptedPrompts::mensajes() const {
    QStringList texts;
    for (const Asked& a : m_asked) {
        if (a.kind == QStringLiteral("Mensaje"))
            texts.append(a.texto);
    }
    return texts;
}

bool ScriptedPrompts::allAnswersUsed() const {
    return m_mensajes.empty() && m_numeros.empty() && m_textos.empty() && m_horas.empty() &&
           m_pagos.empty() && m_valores.empty();
}

int ScriptedPrompts::Mensaje(const QString& texto, int estilo) {
    const int fallback = (estilo & 0x0F) == kYesNo ? kAnswerNo : kAnswerOk;
    const int answer = next(m_mensajes, QStringLiteral("Mensaje"), texto, fallback);
    m_asked.last().estilo = estilo;
    return answer;
}

Prompts::NumberAnswer ScriptedPrompts::numero(const NumberRequest& request) {
    return next(m_numeros, QStringLiteral("numero"), request.titulo, NumberAnswer{});
}

Prompts::TextAnswer ScriptedPrompts::texto(const TextRequest& request) {
    return next(m_textos, QStringLiteral("texto"), request.titulo, TextAnswer{});
}

Prompts::TimeAnswer ScriptedPrompts::hora(const QTime& inicial) {
    return next(m_horas, QStringLiteral("hora"), inicial.toString(QStringLiteral("HH:mm")), TimeAnswer{});
}

Prompts::PaymentAnswer ScriptedPrompts::pago(const PaymentRequest& request) {
    return next(m_pagos, QStringLiteral("pago"), request.titulo, PaymentAnswer{});
}

Prompts::ValueAnswer ScriptedPrompts::valor(const ValueRequest& request) {
    return next(m_valores, QStringLiteral("valor"), request.titulo, ValueAnswer{});
}

} // namespace nerin
