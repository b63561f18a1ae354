#include "tools/nerin-printq/PrinterDirectory.h"

#include <gtest/gtest.h>

using nerin::PrinterDirectory;

namespace {

struct Caso {
    const char* nombre;
    QList<std::pair<qint32, qint32>> redirecciones; // printer, Redirigido
    qint32 impresora;
    qint32 destino;      // 0 when it cannot be routed
    const char* mensaje; // the reason when it cannot
};

} // namespace

TEST(PrinterDirectory, FollowsRedirectionChainsAndReportsLoops) {
    const Caso casos[] = {
        {"prints its own jobs", {{1, 1}}, 1, 1, ""},
        {"no redirection written", {{1, 0}}, 1, 1, ""},
        {"redirected once", {{1, 2}, {2, 2}}, 1, 2, ""},
        {"a chain ends at a printer that is not redirected", {{1, 2}, {2, 3}, {3, 4}, {4, 0}}, 1, 4, ""},
        {"a chain may start in the middle", {{1, 2}, {2, 3}, {3, 3}}, 2, 3, ""},
        {"a loop of two", {{1, 2}, {2, 1}}, 1, 0, "Redirección en ciclo: 1 → 2 → 1"},
        {"a loop further on", {{1, 2}, {2, 3}, {3, 2}}, 1, 0, "Redirección en ciclo: 1 → 2 → 3 → 2"},
        {"an unknown printer", {{1, 1}}, 7, 0, "La impresora 7 no existe"},
        {"redirected to a printer that does not exist",
         {{1, 2}, {2, 9}},
         1,
         0,
         "La impresora P2 (2) está redirigida a la impresora 9, que no existe"},
    };
    for (const Caso& caso : casos) {
        PrinterDirectory directory;
        for (const auto& [id, redirigido] : caso.redirecciones)
            directory.add({id, QStringLiteral("P%1").arg(id), QString(), redirigido});
        const auto destino = directory.resolve(caso.impresora);
        if (caso.destino != 0) {
            ASSERT_TRUE(destino.isOk()) << caso.nombre << ": " << destino.status().message().toStdString();
            EXPECT_EQ(*destino, caso.destino) << caso.nombre;
        } else {
            ASSERT_FALSE(destino.isOk()) << caso.nombre;
            EXPECT_EQ(destino.status().message(), QString::fromUtf8(caso.mensaje)) << caso.nombre;
        }
    }
}
