#pragma once

#include "access/AccesoDisplay.h"
#include "startup/tests/StartupFixture.h"

#include <QDate>

namespace nerin::fakes {

// A terminal over the demo restaurant (see StartupFixture) whose clock and working date the test
// sets, with a counter for program endings asked by the access screen.
class AccessFixture : public StartupFixture {
protected:
    void setFechaTrabajo(const QDate& fecha) {
        exec(QStringLiteral("UPDATE Parametros SET Valor_Cad='") +
             fecha.toString(QStringLiteral("ddMMyyyy")) +
             QStringLiteral("' WHERE Id_Parametro='FECHA_TRABAJO'"));
    }
    QString fechaTrabajoGuardada() {
        return field(QStringLiteral("SELECT Valor_Cad FROM Parametros WHERE Id_Parametro='FECHA_TRABAJO'"))
            .toString();
    }
    qint64 reiniciar(int terminal) {
        return field(QStringLiteral("SELECT Reiniciar FROM Terminal WHERE ID_Terminal=") +
                     QString::number(terminal))
            .toInt();
    }
    void insertarFilas() {
        exec(QStringLiteral("INSERT INTO Terminal (ID_Terminal, Nombre_Terminal, Estado_Terminal) VALUES (3, "
                            "'TERRAZA', 'I')"));
        exec(QStringLiteral("UPDATE Impresora SET Redirigido=3 WHERE ID_Impresora=2"));
    }
    // Builds the terminal with its connection open, as start-up leaves it when a server answered.
    void conectar() {
        build();
        ASSERT_TRUE(baseDatos->ConectarBD());
    }
    AccesoDisplay::Reloj reloj() {
        return [this] { return ahora; };
    }
    std::function<void()> terminar() {
        return [this] { ++terminaciones; };
    }

    int terminaciones = 0;
};

} // namespace nerin::fakes
