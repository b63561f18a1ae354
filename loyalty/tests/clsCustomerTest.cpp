#include "loyalty/clsCustomer.h"

#include "keyboards/ScriptedPrompts.h"

#include <gtest/gtest.h>

namespace nerin {
namespace {

void llenar(clsCustomer& cliente) {
    cliente.nombre = QStringLiteral("MAIRE");
    cliente.apellidos = QStringLiteral("O'CONNOR \"LA GÜERA\" RUIZ");
    cliente.CP = QStringLiteral("45100");
    cliente.Email = QStringLiteral("Maire.OConnor@Correo.MX");
    cliente.edad = QStringLiteral("34");
    cliente.genero = QStringLiteral("F");
    cliente.ciudad = QStringLiteral("GUADALAJARA");
    cliente.tempcard = QStringLiteral("1000001");
}

TEST(clsCustomerTest, AnAddressNeedsOneAtWithTextBeforeItAndADottedDomainAfterIt) {
    const struct {
        const char* correo;
        bool valido;
    } casos[] = {
        {"Ana.Soto@Correo.MX", true},
        {"ana_soto-1@x.com.mx", true},
        {"a@@", false},
        {"a@b@x.mx", false},
        {"a b@x.mx", false},
        {"@x.mx", false},
        {"ana@xmx", false},
        {"ana@.mx", false},
        {"ana@x.", false},
        {"ana@x.mx ", false},
        {"añá@x.mx", false},
    };
    for (const auto& caso : casos)
        EXPECT_EQ(clsCustomer::emailValido(QString::fromUtf8(caso.correo)), caso.valido) << caso.correo;
}

TEST(clsCustomerTest, ARegistrationIsSentOnlyWhenEveryFieldPassesItsCheck) {
    const struct {
        const char* campo;
        const char* valor;
        const char* aviso; // none when the request is made
    } casos[] = {
        {"apellidos", "", "Completar Apellidos"},
        {"nombre", " ", "Completar Nombre"},
        {"CP", "4510", "Código Postal debe ser a 5 dígitos"},
        {"CP", "451O0", "Completar Código Postal, Solo números"},
        {"Email", "", "Completar Email"},
        {"Email", "a b@x.mx", "Email invalido"},
        {"edad", "3a", "Completar Edad, Solo números"},
        {"genero", "", "Seleccionar Genero"},
        {"ciudad", "", "Completar Ciudad"},
        {"tempcard", "", "Completar Tarjeta Temporal"},
        {"tempcard", "100001", "Tarjeta temporal debe ser a 7 dígitos"},
        {"", "", nullptr},
    };
    for (const auto& caso : casos) {
        ScriptedPrompts prompts;
        clsCustomer cliente(prompts);
        llenar(cliente);
        const QString campo = QString::fromLatin1(caso.campo);
        QString* campos[] = {&cliente.apellidos, &cliente.nombre, &cliente.CP,     &cliente.Email,
                             &cliente.edad,      &cliente.genero, &cliente.ciudad, &cliente.tempcard};
        const char* nombres[] = {"apellidos", "nombre", "CP",     "Email",
                                 "edad",      "genero", "ciudad", "tempcard"};
        for (size_t i = 0; i < std::size(nombres); ++i)
            if (campo == QLatin1String(nombres[i]))
                *campos[i] = QString::fromUtf8(caso.valor);
        const std::optional<QString> solicitud = cliente.solicitudRegistro(QStringLiteral("I"));
        if (!caso.aviso) {
            // The double quotes of a name would end its field early: they are left out.
            EXPECT_EQ(solicitud,
                      QStringLiteral(R"({"Age:34","City:GUADALAJARA","Email:Maire.OConnor@Correo.MX",)"
                                     R"("FirstName:MAIRE","Gender:F","LastName:O'CONNOR LA GÜERA RUIZ",)"
                                     R"("OperationType:I","PostalCode:45100","Temp_Card:1000001"})"));
            EXPECT_TRUE(prompts.mensajes().isEmpty());
            continue;
        }
        EXPECT_FALSE(solicitud) << caso.aviso;
        EXPECT_EQ(prompts.mensajes(), QStringList{QString::fromUtf8(caso.aviso)});
        EXPECT_EQ(cliente.responsemessage, QString::fromUtf8(clsCustomer::kValidacion));
    }
}

TEST(clsCustomerTest, NoticesAndLookUpsCheckOnlyTheTemporaryCard) {
    ScriptedPrompts prompts;
    clsCustomer cliente(prompts);
    cliente.tempcard = QStringLiteral("1000001");
    cliente.cardnumber = QStringLiteral("100000000000033");
    const QString resto = QStringLiteral(R"(","PostalCode:","Temp_Card:1000001"})");
    const QString inicio =
        QStringLiteral(R"({"Age:0","City:","Email:","FirstName:","Gender:","LastName:","OperationType:)");
    EXPECT_EQ(cliente.solicitudAviso(QStringLiteral("DS")), inicio + QStringLiteral("DS") + resto);
    EXPECT_EQ(cliente.solicitudAviso(QStringLiteral("QS")), inicio + QStringLiteral("QS") + resto);
    EXPECT_EQ(cliente.solicitudBuscar(),
              QStringLiteral(R"({"TempCard:1000001","CardNumber:100000000000033","OperationType:S"})"));
    cliente.tempcard.clear();
    EXPECT_FALSE(cliente.solicitudBuscar());
    EXPECT_EQ(prompts.mensajes(), QStringList{QStringLiteral("Completar Tarjeta Temporal")});
}

TEST(clsCustomerTest, ALookUpReplyMustNameItsCodeAndMessage) {
    const struct {
        const char* respuesta;
        bool campos;
        bool exito;
        const char* mensaje;
    } casos[] = {
        {R"({"ResponseCode:1","ResponseMessage:Cliente: MAIRE"})", true, true, "Cliente: MAIRE"},
        {R"({"Code:1","Message:OK"})", true, false, clsCustomer::kMensajeIncorrecto},
        {R"({"Code:1","Message:OK"})", false, true, "OK"},
        {R"({"ResponseCode:0","ResponseMessage:Tarjeta ya registrada"})", false, false,
         "Tarjeta ya registrada"},
        {"Tarjeta ya registrada", false, false, clsCustomer::kSinEstructura},
    };
    for (const auto& caso : casos) {
        ScriptedPrompts prompts;
        clsCustomer cliente(prompts);
        EXPECT_EQ(cliente.leerRespuesta(QString::fromUtf8(caso.respuesta), caso.campos), caso.exito)
            << caso.respuesta;
        EXPECT_EQ(cliente.responsemessage, QString::fromUtf8(caso.mensaje)) << caso.respuesta;
    }
}

} // namespace
} // namespace nerin
