#pragma once

#include "keyboards/Prompts.h"

#include <QPointer>

class QWidget;

namespace nerin {

class Bitacora;

// Prompts answered on the touch screens: each question loads its screen over the parent widget, shows
// it modally and reads the answer once it closes. The numeric keypad writes its loading and unloading
// to the event log, when one is given.
class QtPrompts : public Prompts {
public:
    explicit QtPrompts(Bitacora* bitacora = nullptr, QWidget* parent = nullptr);

    void setParent(QWidget* parent) { m_parent = parent; }

    int Mensaje(const QString& texto, int estilo) override;
    NumberAnswer numero(const NumberRequest& request) override;
    TextAnswer texto(const TextRequest& request) override;
    TimeAnswer hora(const QTime& inicial) override;
    PaymentAnswer pago(const PaymentRequest& request) override;
    ValueAnswer valor(const ValueRequest& request) override;

private:
    Bitacora* m_bitacora;
    QPointer<QWidget> m_parent;
};

} // namespace nerin
