#include "cashier/Cortesias.h"

#include "cashier/tests/CajaFixture.h"
#include "startup/tests/RecordingNavegacion.h"

#include <gtest/gtest.h>

namespace nerin::fakes {
namespace {

Currency pesos(const char* texto) {
    return *Currency::parse(QString::fromLatin1(texto));
}

const char* const kPagada = "La cuenta ya está pagada; su cortesía no se puede cambiar.";
const char* const kBajoPagado =
    "La cortesía dejaría la cuenta por debajo de lo que ya se pagó; no se aplicó.";
const char* const kExcede = "El importe es mayor que el valor de los artículos elegidos.";
const char* const kCambio = "La cuenta cambió en otra terminal; no se aplicó la cortesía.";
const char* const kPorcentaje = "El porcentaje debe ser mayor que 0 y no mayor que 100.";
const char* const kSinCortesia = "Los artículos elegidos no tienen cortesía.";

// Demo order 2 (table 15): items 6 ARRACHERA 235, 7 AGUA JAMAICA 30, 8 CERVEZA CLARA 45, 9 QUESO
// FUNDIDO 110, total 420. Order 1 (table 5): items 1-5 and package head 10 (189) with its components
// 11 and 12 priced 0, total 711.50.
class CortesiasTest : public CajaFixture {
protected:
    // A fresh copy of the demo for each case of a table.
    void caso(std::function<bool(const QString&)> falla = {}) {
        cortesias.reset();
        SetUp();
        prompts = ScriptedPrompts();
        messageBox.shown.clear();
        messageBox.mientras = {};
        abrir(std::move(falla));
    }
    Cortesias& de(qint32 orden) {
        cortesias = std::make_unique<Cortesias>(*context, orden, 1);
        return *cortesias;
    }
    QStringList filas(qint32 orden) {
        return rows(
            QStringLiteral("SELECT co.ID_ProductosXCuenta, co.ID_Tipo_Cortesia, co.Monto FROM Cortesia co, "
                           "ProductosXCuenta p WHERE p.ID_ProductosXCuenta=co.ID_ProductosXCuenta AND "
                           "p.ID_Comanda=%1 ORDER BY 1")
                .arg(orden));
    }
    Currency total(qint32 orden) {
        return field(QStringLiteral("SELECT Total FROM Cuenta WHERE ID_Comanda=%1").arg(orden)).toCurrency();
    }
    qint64 bitacora() {
        return numero(QStringLiteral("SELECT COUNT(*) FROM Bitacora WHERE Texto LIKE '%cortesia%'"));
    }

    std::unique_ptr<Cortesias> cortesias;
};

TEST_F(CortesiasTest, ListsTheAccountsAndTheItemsThatMayCarryACourtesy) {
    abrir();
    exec(QStringLiteral("UPDATE ProductosXCuenta SET ID_Tipo_Anulacion=1 WHERE ID_ProductosXCuenta=5"));
    QStringList vistos;
    const auto articulos = de(1).articulos(1);
    ASSERT_TRUE(articulos);
    for (const Cortesias::Articulo& a : *articulos)
        vistos.append(QStringLiteral("%1 %2 %3").arg(a.id).arg(a.nombre, a.valor.toPlainText()));
    EXPECT_EQ(vistos, (QStringList{"1 SOPA DE TORTILLA 85", "2 FILETE MIGNON 245.5", "3 LIMONADA 32",
                                   "4 MARGARITA 95", "10 PAQUETE EJECUTIVO 189"}));
    ASSERT_EQ(de(2).cuentas()->size(), 1);
    EXPECT_EQ(de(2).cuentas()->at(0).total, pesos("420"));
    EXPECT_EQ(de(2).tipos()->size(), 4);
    EXPECT_TRUE(de(2).tipos()->at(3).especial);
}

TEST_F(CortesiasTest, SpreadsAnAmountInProportionWithinEachItemsValue) {
    const struct {
        const char* caso;
        const char* monto;
        QList<Currency> valores;
        QList<Currency> partes; // empty: refused
    } casos[] = {
        {"exact",
         "42",
         {pesos("235"), pesos("30"), pesos("45"), pesos("110")},
         {pesos("23.5"), pesos("3"), pesos("4.5"), pesos("11")}},
        {"the cent left goes to the share that lost most",
         "10",
         {pesos("30"), pesos("45"), pesos("110")},
         {pesos("1.62"), pesos("2.43"), pesos("5.95")}},
        {"never above an item's value",
         "0.02",
         {pesos("0.01"), pesos("0.01"), pesos("0.01")},
         {pesos("0.01"), pesos("0.01"), Currency()}},
        {"the whole value", "3", {pesos("1"), pesos("2")}, {pesos("1"), pesos("2")}},
        {"above the value", "3.01", {pesos("1"), pesos("2")}, {}},
        {"zero", "0", {pesos("1")}, {}},
        {"part of a cent", "0.005", {pesos("1")}, {}},
    };
    for (const auto& caso : casos) {
        const auto partes = Cortesias::repartir(pesos(caso.monto), caso.valores);
        EXPECT_EQ(partes.value_or(QList<Currency>()), caso.partes) << caso.caso;
    }
}

TEST_F(CortesiasTest, GivesACourtesyToAWholeAccountOrChosenItemsOrRefusesWithTheReason) {
    const struct {
        const char* caso;
        const char* antes;
        qint32 orden;
        QList<qint64> ids;
        Cortesias::Monto monto;
        QStringList filas; // id|type|amount after
        const char* total;
        const char* mensaje; // nullptr: given
    } casos[] = {
        {"10 % of the whole account",
         "",
         2,
         {},
         {pesos("10"), true},
         {"6|1|23.5", "7|1|3", "8|1|4.5", "9|1|11"},
         "378",
         nullptr},
        {"an amount spread over chosen items",
         "",
         2,
         {7, 8, 9},
         {pesos("10"), false},
         {"7|1|1.62", "8|1|2.43", "9|1|5.95"},
         "410",
         nullptr},
        {"replaces the courtesy an item had",
         "INSERT INTO Cortesia (ID_ProductosXCuenta,ID_Tipo_Cortesia,Monto) VALUES (6,2,50)",
         2,
         {6},
         {pesos("10"), true},
         {"6|1|23.5"},
         "396.5",
         nullptr},
        {"100 % leaves package components without one",
         "",
         1,
         {},
         {pesos("100"), true},
         {"1|1|85", "2|1|245.5", "3|1|32", "4|1|95", "5|1|65", "10|1|189"},
         "0",
         nullptr},
        {"a cancelled item is left out",
         "UPDATE ProductosXCuenta SET ID_Tipo_Anulacion=1 WHERE ID_ProductosXCuenta=6",
         2,
         {},
         {pesos("10"), true},
         {"7|1|3", "8|1|4.5", "9|1|11"},
         "166.5",
         nullptr},
        {"a cancelled item chosen",
         "UPDATE ProductosXCuenta SET ID_Tipo_Anulacion=1 WHERE ID_ProductosXCuenta=6",
         2,
         {6, 7},
         {pesos("10"), true},
         {},
         "420",
         kCambio},
        {"an amount above the items' value", "", 2, {7}, {pesos("30.01"), false}, {}, "420", kExcede},
        {"a percentage above 100", "", 2, {}, {pesos("100.01"), true}, {}, "420", kPorcentaje},
        {"a paid account",
         "UPDATE Cuenta SET Pagada=1 WHERE ID_Comanda=2",
         2,
         {},
         {pesos("10"), true},
         {},
         "420",
         kPagada},
        {"below what was paid",
         "INSERT INTO Pago (ID_Comanda,Control,Num_Cuenta,ID_Tipo_Pago,Monto_Pago) VALUES (2,1,1,1,400)",
         2,
         {},
         {pesos("10"), true},
         {},
         "420",
         kBajoPagado},
    };
    for (const auto& caso : casos) {
        this->caso();
        if (*caso.antes)
            exec(QString::fromUtf8(caso.antes));
        const bool dada = de(caso.orden).dar(1, caso.ids, 1, caso.monto);
        EXPECT_EQ(dada, caso.mensaje == nullptr) << caso.caso;
        EXPECT_EQ(prompts.mensajes(),
                  caso.mensaje ? QStringList{QString::fromUtf8(caso.mensaje)} : QStringList())
            << caso.caso;
        EXPECT_EQ(filas(caso.orden), caso.filas) << caso.caso;
        EXPECT_EQ(total(caso.orden), pesos(caso.total)) << caso.caso;
        EXPECT_EQ(bitacora(), caso.mensaje ? 0 : 1) << caso.caso;
        EXPECT_TRUE(messageBox.shown.isEmpty()) << caso.caso;
    }
}

TEST_F(CortesiasTest, RemovesTheCourtesiesOfChosenItemsOrOfTheWholeAccount) {
    abrir();
    ASSERT_TRUE(de(2).dar(1, {}, 1, {pesos("10"), true}));
    EXPECT_TRUE(de(2).quitar(1, {7}));
    EXPECT_EQ(filas(2), (QStringList{"6|1|23.5", "8|1|4.5", "9|1|11"}));
    EXPECT_EQ(total(2), pesos("381"));
    EXPECT_TRUE(de(2).quitar(1, {}));
    EXPECT_EQ(filas(2), QStringList());
    EXPECT_EQ(total(2), pesos("420"));
    EXPECT_EQ(bitacora(), 3);
    EXPECT_FALSE(de(2).quitar(1, {6}));
    exec(QStringLiteral("UPDATE Cuenta SET Pagada=1 WHERE ID_Comanda=2"));
    EXPECT_FALSE(de(2).quitar(1, {}));
    EXPECT_EQ(prompts.mensajes(), (QStringList{QString::fromUtf8(kSinCortesia), QString::fromUtf8(kPagada)}));
    EXPECT_EQ(bitacora(), 3);
}

TEST_F(CortesiasTest, AHouseAccountNeedsItsCustomerAndTheKeypadMayBeCancelled) {
    abrir();
    RecordingNavegacion navegacion;
    context->setNavegacion(&navegacion);
    const Cortesias::Tipo casa = de(2).tipos()->at(3);
    // No customer chosen: the keypad is not even asked for.
    EXPECT_FALSE(de(2).pedirYDar(1, {9}, casa, false));
    prompts.answerValor({true, Currency(), false});
    navegacion.cliente = 5;
    EXPECT_FALSE(de(2).pedirYDar(1, {9}, casa, false)) << "keypad cancelled";
    EXPECT_EQ(filas(2), QStringList());
    prompts.answerValor({false, pesos("110"), false});
    EXPECT_TRUE(de(2).pedirYDar(1, {9}, casa, false));
    EXPECT_EQ(numero(QStringLiteral("SELECT CveCliente FROM Cortesia WHERE ID_ProductosXCuenta=9")), 5);
    EXPECT_EQ(total(2), pesos("310"));
    EXPECT_EQ(prompts.asked().size(), 2);
    EXPECT_TRUE(prompts.mensajes().isEmpty());
}

TEST_F(CortesiasTest, ADatabaseFailureLeavesNothingHalfDoneAndIsReportedOnce) {
    for (const char* falla : {"INSERT INTO Cortesia", "Totalizar_Cuenta", "INSERT INTO Bitacora"}) {
        caso([falla](const QString& sql) { return sql.startsWith(QLatin1String(falla)); });
        exec(QStringLiteral(
            "INSERT INTO Cortesia (ID_ProductosXCuenta,ID_Tipo_Cortesia,Monto) VALUES (6,2,50)"));
        exec(QStringLiteral("EXEC Totalizar_Cuenta 2,1,1"));
        bool avisoConTransaccion = false;
        messageBox.mientras = [&] {
            avisoConTransaccion |= static_cast<ConexionQueFalla&>(baseDatos->connection()).enTransaccion();
        };
        EXPECT_FALSE(de(2).dar(1, {}, 1, {pesos("10"), true})) << falla;
        EXPECT_EQ(messageBox.shown.size(), 1) << falla;
        EXPECT_FALSE(avisoConTransaccion) << falla;
        EXPECT_EQ(filas(2), QStringList{"6|2|50"}) << falla;
        EXPECT_EQ(total(2), pesos("370")) << falla;
        EXPECT_EQ(bitacora(), 0) << falla;
    }
}

} // namespace
} // namespace nerin::fakes
