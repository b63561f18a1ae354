// The terminal's hot statements on the demo restaurant, without history and with a year of it
// (argument 0 and 1): what the waiter waits on must not grow with the history the database holds.
// NERIN_BENCH_HISTORY_DAYS sets the length of the history (default 365).
#include "server/DatabaseBuilder.h"
#include "server/HistoryGenerator.h"
#include "server/SqliteConnection.h"

#include <QTemporaryDir>
#include <array>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

namespace {

struct Restaurant {
    QTemporaryDir dir;
    std::unique_ptr<nerin::SqliteConnection> db;
    qint64 folio = 0;   // an open order with a few items, for the order's statements
    qint64 scratch = 0; // another open order, which the storing benchmark fills
};

void fail(const QString& what) {
    std::fprintf(stderr, "bench_schema: %s\n", qUtf8Printable(what));
    std::abort();
}

std::unique_ptr<Restaurant> build(int historyDays) {
    auto restaurant = std::make_unique<Restaurant>();
    const QString path = restaurant->dir.path() + QStringLiteral("/demo.db");
    if (const nerin::Status created = nerin::DatabaseBuilder::create(path, true); !created)
        fail(created.message());
    restaurant->db = std::make_unique<nerin::SqliteConnection>(path);
    nerin::SqliteConnection& db = *restaurant->db;
    if (!db.open())
        fail(QStringLiteral("no se abrió la base de datos"));
    if (historyDays > 0) {
        std::fprintf(stderr, "bench_schema: generando %d días de historia...\n", historyDays);
        if (const nerin::Status made = nerin::HistoryGenerator::generate(db, historyDays, 7); !made)
            fail(made.message());
    }
    auto open = [&db](int table) {
        auto opened =
            db.query(QStringLiteral("DECLARE @f int EXEC Abrir_Mesa @nNumMesa=%1, @nControl=1, "
                                    "@nIDEmpleado=1, @sTipo='M', @nHuespedes=2, @nFolio=@f OUTPUT SELECT @f")
                         .arg(table));
        if (!opened)
            fail(opened.status().message());
        return opened->value(0).toInt();
    };
    restaurant->folio = open(77);
    restaurant->scratch = open(78);
    for (int i = 0; i < 8; ++i) {
        auto stored = db.execute(
            QStringLiteral(
                "DECLARE @n int EXEC Insertar_Producto @nIDComanda=%1, @nControl=1, @nIDProducto=%2, "
                "@nNumCta=1, @nComentario='', @bPreparado=1, @nIDPaquete=0, @sTipo='P', @nIDSeccion=0, "
                "@nIDGrupoImpresoras=2, @sProducto='PRUEBA', @nTiempo=1, @nPrecio=85, @nPromocion=0, "
                "@nFolio=@n OUTPUT")
                .arg(restaurant->folio)
                .arg(101 + i % 4));
        if (!stored)
            fail(stored.status().message());
    }
    return restaurant;
}

Restaurant& restaurant(std::size_t withHistory) {
    static std::array<std::unique_ptr<Restaurant>, 2> restaurants;
    if (!restaurants[withHistory]) {
        const int days = qEnvironmentVariableIsSet("NERIN_BENCH_HISTORY_DAYS")
                             ? qEnvironmentVariableIntValue("NERIN_BENCH_HISTORY_DAYS")
                             : 365;
        restaurants[withHistory] = build(withHistory ? days : 0);
    }
    return *restaurants[withHistory];
}

void runQuery(benchmark::State& state, const QString& sql) {
    Restaurant& r = restaurant(state.range(0) != 0 ? 1 : 0);
    const QString text = QString(sql)
                             .replace(QStringLiteral("<F>"), QString::number(r.folio))
                             .replace(QStringLiteral("<G>"), QString::number(r.scratch));
    for (auto _ : state) {
        nerin::DbCommand command(text, nerin::DbCommand::Kind::Text);
        auto result = r.db->run(command);
        if (!result)
            fail(result.status().message());
        benchmark::DoNotOptimize(result);
    }
}

void BM_OpenTables(benchmark::State& state) {
    runQuery(state, QStringLiteral("SELECT * FROM Vw_MesasAbiertas WHERE ID_Empleado=1 ORDER BY Num_Mesa"));
}
void BM_OccupancyCheck(benchmark::State& state) {
    runQuery(state, QStringLiteral("SELECT * FROM Vw_MesaOcupada WHERE Num_Mesa=20"));
}
void BM_ProductButtons(benchmark::State& state) {
    runQuery(
        state,
        QStringLiteral(
            "SELECT Producto.ID_Producto,Nombre_Boton,Producto.Existencia INTO #TempMenu FROM "
            "ProductosXSubmenu,Producto WHERE ProductosXSubmenu.ID_Producto=Producto.ID_Producto AND "
            "ID_Submenu=3 AND Estado='A' ORDER BY Orden,Nombre_Boton\n"
            "SELECT ID_Producto,COUNT(ID_Producto) AS Cant INTO #TempPXC FROM ProductosXCuenta WHERE "
            "ID_Comanda=<F> AND Control=1 AND Num_Cuenta=1 AND ID_Tipo_Anulacion IS NULL AND ID_Paquete IS "
            "NULL GROUP BY ID_Producto\n"
            "SELECT #TempMenu.ID_Producto,Nombre_Boton,Cant,Existencia FROM #TempMenu,#TempPXC WHERE "
            "#TempMenu.ID_Producto*=#TempPXC.ID_Producto\nDROP TABLE #TempPXC\nDROP TABLE #TempMenu"));
}
void BM_OrderItems(benchmark::State& state) {
    runQuery(state, QStringLiteral(
                        "SELECT * FROM Vw_Comanda WHERE ID_Comanda=<F> AND Control=1 AND Num_Cuenta=1 ORDER "
                        "BY tiempo_requerido, Hora_Preparacion,ID_Paquete DESC,ID_ProductosXCuenta,Orden"));
}
void BM_InsertarProducto(benchmark::State& state) {
    runQuery(state, QStringLiteral(
                        "DECLARE @n int EXEC Insertar_Producto @nIDComanda=<G>, @nControl=1, "
                        "@nIDProducto=103, @nNumCta=1, @nComentario='', @bPreparado=2, @nIDPaquete=0, "
                        "@sTipo='P', @nIDSeccion=0, @nIDGrupoImpresoras=2, @sProducto='PRUEBA', @nTiempo=2, "
                        "@nPrecio=85, @nPromocion=0, @nFolio=@n OUTPUT"));
}
void BM_TotalizarCuenta(benchmark::State& state) {
    runQuery(state, QStringLiteral("Totalizar_Cuenta <F>,1,1"));
}
void BM_SalesSummary(benchmark::State& state) {
    runQuery(state,
             QStringLiteral("SELECT Nombre_Categoria, Precio as Monto, Total FROM Vw_Total_Ventas\n"
                            "SELECT Nombre_Tipo_Pago, ISNULL(Monto,0)+ISNULL(Propina,0) as Monto, "
                            "isnull(Propina,0) as Propina FROM Vw_Total_Pagos\n"
                            "SELECT isnull(SUM(Total),0) as Monto, isnull(SUM(Impuestos),0) as impuesto FROM "
                            "Vw_Total_Ventas"));
}

BENCHMARK(BM_OpenTables)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OccupancyCheck)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ProductButtons)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OrderItems)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_InsertarProducto)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TotalizarCuenta)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SalesSummary)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
