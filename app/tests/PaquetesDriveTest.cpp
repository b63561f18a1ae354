// The real nerin-terminal taking a package on the order screen, repeating it and sending it.
#include "app/tests/TerminalDriveFixture.h"

namespace nerin {
namespace {

using namespace fakes;

class PaquetesDriveTest : public TerminalDriveFixture {};

// On a new table 21 the executive package is inserted and filled with one product per section (the
// main course opens its garnishes on the way); a second starter is refused. The package is repeated with its
// contents, and both packages are sent. Each package's products reach their printer once: the kitchen its
// head, soup and main course, the bar its water.
TEST_F(PaquetesDriveTest, APackageFilledSectionBySectionRepeatedAndSentWhole) {
    EXPECT_EQ(
        conducir({kTarjetaMesero1,
                  QStringLiteral("click cmdAbrirMesa"),
                  QStringLiteral("click cmd2"),
                  QStringLiteral("click cmd1"),
                  QStringLiteral("click cmdAceptar"),
                  QStringLiteral("enter 4"),
                  QStringLiteral("click cmdMenuFijo1"),
                  QStringLiteral("expect lblPaquetes Insertar Paquete"),
                  QStringLiteral("click cmdPaquete201"),
                  QStringLiteral("click cmdMenuFijo2"),
                  QStringLiteral("expect lblPaquetes Seleccionar Paquete"),
                  QStringLiteral("click cmdPaquete201"),
                  QStringLiteral("click cmdPaquete114"),
                  QStringLiteral("click cmdPaquete132"),
                  QStringLiteral("click cmdPaquete119"),
                  QStringLiteral("click cmdRegresar"),
                  QStringLiteral("click cmdMenuFijo2"),
                  QStringLiteral("click cmdPaquete201"),
                  QStringLiteral("click cmdPaquete113"),
                  QStringLiteral("expect-message Ya se pidio los productos correspondientes a la sección"),
                  QStringLiteral("answer ok"),
                  QStringLiteral("select grdComanda 1"),
                  QStringLiteral("click cmdRepetir"),
                  QStringLiteral("expect lblTotal $378.00 M.N."),
                  QStringLiteral("select grdComanda 1"),
                  QStringLiteral("click cmdPreparar"),
                  QStringLiteral("select grdComanda 2"),
                  QStringLiteral("expect grdComanda PAQUETE EJECUTIVO"),
                  QStringLiteral("click cmdPreparar"),
                  QStringLiteral("click cmdSalir")}),
        0)
        << m_errores.toStdString();

    EXPECT_EQ(valor(QStringLiteral("SELECT count(*) FROM ProductosXCuenta p, Comanda c WHERE "
                                   "p.ID_Comanda=c.ID_Comanda AND c.Num_Mesa=21 AND p.Preparado=1 AND "
                                   "p.ID_Paquete IS NOT NULL"))
                  .toInt(),
              8);
    imprimirCola();
    const QString cocina = impresoEn("cocina.txt");
    const QString barra = impresoEn("barra.txt");
    for (const auto& [impreso, texto] :
         {std::pair{&cocina, "PAQUETE EJECUTIVO"}, std::pair{&cocina, "SOPA DE FIDEO"},
          std::pair{&cocina, "ENCHILADAS SUIZAS"}, std::pair{&barra, "AGUA JAMAICA"}})
        EXPECT_EQ(impreso->count(QString::fromLatin1(texto)), 2) << texto << "\n" << impreso->toStdString();
    EXPECT_EQ(cocina.count(QStringLiteral("ENSALADA")), 0);
}

} // namespace
} // namespace nerin
