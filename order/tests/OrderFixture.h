#pragma once

#include "order/ComandaActual.h"
#include "startup/tests/StartupFixture.h"

#include <memory>

namespace nerin::fakes {

// The order screen's account over a copy of the demo restaurant, whose open orders are 1 (table 5)
// and 2 (table 15) of employee 1, and 3 of employee 4.
class OrderFixture : public StartupFixture {
protected:
    void abrir(qint32 orden, qint16 empleado = 1) {
        build();
        ASSERT_TRUE(baseDatos->ConectarBD());
        context->iniciarSesion(Sesion(empleado, {}, {}, false));
        comanda = std::make_unique<ComandaActual>(*context);
        comanda->IDComanda = orden;
        comanda->Control = 1;
        comanda->mesa = QStringLiteral("5");
    }

    qint64 contar(const QString& sql) { return field(QStringLiteral("SELECT count(*) FROM ") + sql).toInt(); }

    std::unique_ptr<ComandaActual> comanda;
};

} // namespace nerin::fakes
