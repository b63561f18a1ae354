#include "printing/PlainTextRenderer.h"

#include <gtest/gtest.h>

using nerin::PlainTextRenderer;

TEST(PlainTextRenderer, ShowsTheTextWithoutTagsOneLineAfterAnother) {
    const QStringList lineas = {QStringLiteral("<B><H>COMANDA</H></B>"), QStringLiteral("<N>"),
                                QStringLiteral("Piña<N>  Ñoño"), QStringLiteral("a\r\nb"), QString()};
    EXPECT_EQ(PlainTextRenderer::render(lineas), QStringLiteral("COMANDA\n\nPiña\n  Ñoño\na\nb\n\n"));
    EXPECT_EQ(PlainTextRenderer::render({}), QString());
}
