#include "loyalty/ClientesLocales.h"

#include "cashier/tests/CajaFixture.h"

#include <gtest/gtest.h>

namespace nerin::fakes {
namespace {

// The demo's customers: 1 SERVICIOS ALIMENTARIOS DEL LAGO and 3 ELENA VARGAS RIOS (fiscal), the
// loyalty cards 100000000000017 ELENA VARGAS RIOS and 100000000000025 RAMIRO OCHOA BLANCO, and 4,
// added here, SEAN O'CONNOR D'ARCY.
using ClientesLocalesTest = CajaFixture;

TEST_F(ClientesLocalesTest, FindsTheCustomersHoldingEveryFilledBoxOrEveryoneWithNone) {
    abrir();
    exec(QStringLiteral("INSERT INTO Clientes(CveCliente,nombrecliente,ApPaterno,ApMaterno,tel) "
                        "VALUES(4,'SEAN','O''CONNOR','D''ARCY','3311')"));
    ClientesLocales clientes(*baseDatos);
    const struct {
        const char* tel;
        const char* nombre;
        const char* apellidos;
        const char* rfc;
        const char* razon;
        QList<qint64> claves;
    } casos[] = {
        {"", "", "", "", "", {1, 3, 4, 100000000000017, 100000000000025}},
        {"", "", "VARGAS", "", "", {3, 100000000000017}},
        {"", "", "RIOS", "", "", {3, 100000000000017}}, // the maternal surname
        // Without parentheses around the surnames' OR, RAMIRO's search would find both ELENAs.
        {"", "RAMIRO", "RIOS", "", "", {}},
        {"7788", "ELENA", "", "", "", {}},
        {"5522", "ELENA", "", "VARE", "", {3}},
        {"", "", "O'CONNOR", "", "", {4}},
        {"", "", "D'ARCY", "", "", {4}},
        {"", "", "", "", "LAGO", {1}},
    };
    for (const auto& caso : casos) {
        const auto hallados = clientes.buscar({QString::fromUtf8(caso.tel), QString::fromUtf8(caso.nombre),
                                               QString::fromUtf8(caso.apellidos), QString::fromUtf8(caso.rfc),
                                               QString::fromUtf8(caso.razon)});
        ASSERT_TRUE(hallados) << caso.apellidos;
        QList<qint64> claves;
        for (const ClientesLocales::Renglon& r : *hallados)
            claves.append(r.cveCliente);
        EXPECT_EQ(claves, caso.claves) << caso.tel << "/" << caso.nombre << "/" << caso.apellidos;
    }
    EXPECT_TRUE(messageBox.shown.isEmpty());
}

} // namespace
} // namespace nerin::fakes
