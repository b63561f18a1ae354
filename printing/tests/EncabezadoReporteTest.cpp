#include "printing/EncabezadoReporte.h"

#include "printing/tests/ColaFixture.h"

namespace nerin::fakes {

class EncabezadoReporteTest : public ColaFixture {
protected:
    QStringList encabezado() {
        const qint32 trabajo = cola->AbrirTrabajo(QStringLiteral("T"), 1, QStringLiteral("gerente1"));
        EXPECT_TRUE(EncabezadoReporte(*contexto, *cola, trabajo, 2));
        EXPECT_TRUE(cola->CerrarTrabajo(trabajo));
        return lineas(rows(QStringLiteral("SELECT MAX(ID_Trabajo) FROM Cola_Trabajo")).value(0).toInt());
    }
    static QStringList impreso() {
        return {"        Impreso por: JUAN", "    Impreso el: 06/dic/2026", "   Impreso a las: 09:05:09 PM"};
    }
};

TEST_F(EncabezadoReporteTest, CentresByPaddingOnTheLeftWithHalvesToEven) {
    struct Caso {
        const char* texto;
        int ancho;
        const char* esperado;
    };
    const Caso casos[] = {
        {"abcd", 8, "  abcd"},     // 2
        {"abc", 8, "  abc"},       // 2.5 → 2
        {"a", 8, "    a"},         // 3.5 → 4
        {"abcdefg", 8, "abcdefg"}, // 0.5 → 0
        {"abcdefgh", 8, "abcdefgh"}, {"abcdefghij", 8, "abcdefghij"}, {"Ñandú", 7, " Ñandú"},
    };
    for (const Caso& caso : casos)
        EXPECT_EQ(CentrarEncabezado(QString::fromUtf8(caso.texto), caso.ancho),
                  QString::fromUtf8(caso.esperado));
}

TEST_F(EncabezadoReporteTest, TheCompanysAddressIsOneLineOfCentredLines) {
    const QString direccion =
        QStringList({"  GRUPO CAZUELA DORADA SA DE CV", "    CALLE DE LOS ALAMOS 215",
                     "        JARDINES DEL LAGO", "    SAN MIGUEL DE LAS HUERTAS",
                     "        JALISCO C.P.45120", "      R.F.C. GCD190301AB2", "        Tel. 33 3612 4580"})
            .join(QStringLiteral("\r\n"));
    EXPECT_EQ(encabezado(), QStringList({direccion}) + impreso());
}

TEST_F(EncabezadoReporteTest, ACompanyValueAsWideAsTheTicketContinuesCentredOnASecondLine) {
    exec(QStringLiteral("UPDATE Empresas SET RazonSocial = 'RESTAURANTES Y CAZUELAS DORADAS DEL CENTRO', "
                        "Calle = 'AVENIDA DE LOS ALAMOS NUMERO 215', Colonia = 'O''DONNELL'"));
    const QStringList lineas = encabezado().value(0).split(QStringLiteral("\r\n"));
    EXPECT_EQ(lineas.mid(0, 5),
              QStringList({"RESTAURANTES Y CAZUELAS DORADAS ", "           DEL CENTRO",
                           "AVENIDA DE LOS ALAMOS NUMERO 215", "                ", "            O'DONNELL"}));
}

TEST_F(EncabezadoReporteTest, AddressFromParametersOneLineEachLeavingOutEmptyOnes) {
    contexto->direccionDeParametros = true;
    exec(QStringLiteral("UPDATE Parametros SET Valor_Cad = '' WHERE Id_Parametro = 'DIRECCIONCALLE2'"));
    exec(QStringLiteral("UPDATE Parametros SET Valor_Cad = '45120' WHERE Id_Parametro = 'DIRECCIONCP'"));
    EXPECT_EQ(encabezado(), QStringList({"    LA CAZUELA DORADA CENTRO", "    CALLE DE LOS ALAMOS 215",
                                         "     COL. JARDINES DEL LAGO", "    SAN MIGUEL DE LAS HUERTAS",
                                         "           C.P. 45120", "SAN MIGUEL DE LAS HUERTAS, JAL.",
                                         "      R.F.C. GCD190301AB2<N>"}) +
                                impreso());
}

TEST_F(EncabezadoReporteTest, AnAddressParameterWiderThanTheTicketIsSentAsItIsWithTheNotice) {
    contexto->direccionDeParametros = true;
    contexto->anchoTicket = 0; // read as 32
    exec(QStringLiteral("UPDATE Parametros SET Valor_Cad = 'CALLE DE LOS ALAMOS 215 ESQUINA NOGAL' "
                        "WHERE Id_Parametro = 'DIRECCIONCALLE'"));
    const QStringList lineas = encabezado();
    ASSERT_EQ(lineas.size(), 12);
    EXPECT_EQ(lineas[1], QStringLiteral("CALLE DE LOS ALAMOS 215 ESQUINA NOGAL"));
    EXPECT_EQ(lineas[7], QStringLiteral("      R.F.C. GCD190301AB2<N>"));
    EXPECT_EQ(lineas[8], QStringLiteral("\r\n* COLUMNAS MAXIMAS SON 32\r\n\r\n"));
    EXPECT_EQ(lineas.mid(9), impreso());
    // The same address on a 40-column ticket fits: no notice.
    contexto->anchoTicket = 40;
    EXPECT_FALSE(encabezado().join(QString()).contains(QStringLiteral("COLUMNAS MAXIMAS")));
}

} // namespace nerin::fakes
