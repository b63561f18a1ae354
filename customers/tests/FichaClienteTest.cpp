#include "customers/FichaCliente.h"

#include "cashier/tests/CajaFixture.h"

#include <gtest/gtest.h>

namespace nerin::fakes {
namespace {

using Campo = FichaCliente::Campo;

class FichaClienteTest : public CajaFixture {
protected:
    QStringList cliente(qint64 clave) {
        return rows(
            QStringLiteral("SELECT nombrecliente, ApPaterno, ApMaterno, dircalle, ISNULL(Numtarjeta,'') "
                           "FROM Clientes WHERE CveCliente=%1")
                .arg(clave));
    }
};

TEST_F(FichaClienteTest, ANewCustomerTakesTheNextLocalKeyAndKeepsItsQuotesAndSecondSurname) {
    abrir();
    FichaCliente ficha(*context, FichaCliente::Modo::Local);
    ficha.setCampo(Campo::Nombre, QStringLiteral("SEAN"));
    ficha.setCampo(Campo::ApPaterno, QStringLiteral("O'CONNOR"));
    ficha.setCampo(Campo::DirCalle, QStringLiteral("CALLE D'ARCY 5"));
    ASSERT_TRUE(ficha.aceptar());
    EXPECT_EQ(ficha.clave(), 4) << "the loyalty cards' 15-digit keys are not counted";
    ficha.setCampo(Campo::ApMaterno, QStringLiteral("D'ALESSIO"));
    ASSERT_TRUE(ficha.aceptar()) << "on record now: updated";
    EXPECT_EQ(cliente(4), QStringList{QStringLiteral("SEAN|O'CONNOR|D'ALESSIO|CALLE D'ARCY 5|")});
    EXPECT_EQ(prompts.mensajes(), QStringList(2, QString::fromUtf8(ClientesLocales::kGuardado)));
}

TEST_F(FichaClienteTest, AnUpdateThatFindsNoRowIsAFailure) {
    const char* cambios[] = {
        "DELETE FROM Clientes WHERE CveCliente=100000000000017",
        "UPDATE Clientes SET Numtarjeta='100000000000033' WHERE CveCliente=100000000000017"};
    for (const char* cambio : cambios) {
        SetUp();
        abrir();
        FichaCliente ficha(*context, FichaCliente::Modo::Local);
        ASSERT_TRUE(ficha.cargar(100000000000017));
        EXPECT_EQ(ficha.texto(Campo::ApMaterno), QStringLiteral("RIOS"));
        exec(QString::fromLatin1(cambio)); // another terminal, meanwhile
        ficha.setCampo(Campo::ApMaterno, QStringLiteral("RÍOS"));
        EXPECT_FALSE(ficha.aceptar()) << cambio;
        EXPECT_EQ(prompts.mensajes().last(), QString::fromUtf8(ClientesLocales::kNoGuardado)) << cambio;
        EXPECT_FALSE(prompts.mensajes().contains(QString::fromUtf8(ClientesLocales::kGuardado))) << cambio;
    }
}

} // namespace
} // namespace nerin::fakes
