#include "printing/RedirigirImpresora.h"

#include "printing/tests/ColaFixture.h"

namespace nerin::fakes {

class RedirigirImpresoraTest : public ColaFixture {};

// The demo's printers: 1 CAJA, 2 COCINA, 3 BARRA, 4 MESEROS, each printing its own jobs.
TEST_F(RedirigirImpresoraTest, RedirectsUndoesAndRefusesWhatWouldLoopOrLacksATarget) {
    const QStringList demo{"1|1|A", "2|2|A", "3|3|A", "4|4|A"};
    const struct Caso {
        const char* caso;
        const char* antes; // run first, when given
        std::optional<qint32> destino;
        const char* falla; // the statement made to fail, when given
        bool hecho;
        QStringList impresoras; // ID_Impresora|Redirigido|Estado_Impresora afterwards
        const char* mensaje;
    } casos[] = {
        {"a plain redirection marks the printer active",
         "UPDATE Impresora SET Estado_Impresora='I' WHERE ID_Impresora=2",
         3,
         nullptr,
         true,
         {"1|1|A", "2|3|A", "3|3|A", "4|4|A"},
         nullptr},
        {"redirecting to itself undoes it", "UPDATE Impresora SET Redirigido=3 WHERE ID_Impresora=2", 2,
         nullptr, true, demo, nullptr},
        {"a target that prints on the printer is refused",
         "UPDATE Impresora SET Redirigido=2 WHERE ID_Impresora=3",
         3,
         nullptr,
         false,
         {"1|1|A", "2|2|A", "3|2|A", "4|4|A"},
         "No se puede redirigir COCINA a BARRA: BARRA ya se imprime en COCINA (BARRA → COCINA)."},
        {"a longer way back is refused",
         "UPDATE Impresora SET Redirigido=CASE ID_Impresora WHEN 3 THEN 4 ELSE 2 END WHERE ID_Impresora>2",
         3,
         nullptr,
         false,
         {"1|1|A", "2|2|A", "3|4|A", "4|2|A"},
         "No se puede redirigir COCINA a BARRA: BARRA ya se imprime en COCINA (BARRA → MESEROS → COCINA)."},
        {"a target redirected elsewhere is taken",
         "UPDATE Impresora SET Redirigido=4 WHERE ID_Impresora=3",
         3,
         nullptr,
         true,
         {"1|1|A", "2|3|A", "3|4|A", "4|4|A"},
         nullptr},
        {"a loop the printer is not part of does not hold it up",
         "UPDATE Impresora SET Redirigido=7-ID_Impresora WHERE ID_Impresora>2",
         3,
         nullptr,
         true,
         {"1|1|A", "2|3|A", "3|4|A", "4|3|A"},
         nullptr},
        {"no target chosen", nullptr, std::nullopt, nullptr, false, demo, "Elija una impresora."},
        {"reading the printers fails", nullptr, 3, "FROM Impresora", false, demo, nullptr},
        {"writing the redirection fails", nullptr, 3, "UPDATE Impresora", false, demo, nullptr},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.caso);
        exec(QStringLiteral("UPDATE Impresora SET Redirigido=ID_Impresora, Estado_Impresora='A'"));
        prompts = ScriptedPrompts();
        messageBox.shown.clear();
        if (caso.antes)
            exec(QString::fromUtf8(caso.antes));
        if (caso.falla)
            conexion->failAt(busyDatabase(1, QString::fromUtf8(caso.falla)));

        EXPECT_EQ(RedirigirImpresora(*contexto).Redirigir(2, caso.destino), caso.hecho);
        EXPECT_EQ(
            rows(QStringLiteral(
                "SELECT ID_Impresora, Redirigido, Estado_Impresora FROM Impresora ORDER BY ID_Impresora")),
            caso.impresoras);
        EXPECT_EQ(prompts.mensajes(),
                  caso.mensaje ? QStringList{QString::fromUtf8(caso.mensaje)} : QStringList());
        // A failing database is reported once, by the data layer.
        EXPECT_EQ(messageBox.shown.size(), caso.falla ? 1 : 0);
    }
}

} // namespace nerin::fakes
