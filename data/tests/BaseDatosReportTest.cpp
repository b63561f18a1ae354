#include "base/tests/QtPrinters.h"
#include "data/BaseDatos.h"
#include "data/tests/RecordingMessageBox.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>

using namespace nerin;

namespace {

using Icon = SystemMessageBox::Icon;
using nerin::fakes::RecordingMessageBox;
using nerin::fakes::Shown;

struct Caso {
    const char* nombre;
    qint64 numero;
    DbErrorList errores;
    std::optional<Shown> caja;
    bool termina;
    QStringList lineas;
};

const QString kNoAcceso = QStringLiteral("No se tiene acceso a la Base de Datos contactar a soporte");

DbErrorList estado(const char* sqlState) {
    return {{4060, QStringLiteral("Entrada del controlador"), QString::fromLatin1(sqlState)}};
}

} // namespace

// Every failure is logged first as "ME", number and description; then the number, and for the generic
// number the SQLSTATE of the first entry, decide between ending, a box, a log line or nothing more.
TEST(BaseDatosReport, ReportarErrorBDActsByNumberAndSqlState) {
    const qint64 generico = DbErrorNumber::kGenericFailure;
    const QString me = QStringLiteral("ME-2147467259Falló");
    const QString bdme = QStringLiteral("BDME-2147467259 Falló SQLSTATE ");
    const Caso casos[] = {
        {"link failure", generico, estado("08S01"), std::nullopt, true, {me}},
        {"37000", generico, estado("37000"), std::nullopt, true, {me}},
        {"01000", generico, estado("01000"), std::nullopt, true, {me}},
        {"deadlock victim", generico, estado("40001"), std::nullopt, true, {me}},
        {"no access",
         generico,
         estado("42000"),
         Shown{kNoAcceso, "Comandero", Icon::Critical},
         false,
         {me, kNoAcceso}},
        {"S1000 shows the entry's description",
         generico,
         estado("S1000"),
         Shown{"BDME Entrada del controlador", "", Icon::None},
         false,
         {me, "BDME Entrada del controlador"}},
        {"other state",
         generico,
         estado("08003"),
         Shown{bdme + "08003", "", Icon::None},
         false,
         {me, bdme + "08003"}},
        {"empty error list", generico, {}, Shown{bdme, "", Icon::None}, false, {me, bdme}},
        {"only the first entry counts",
         generico,
         {{1, "a", "HY000"}, {2, "b", "08S01"}},
         Shown{bdme + "HY000", "", Icon::None},
         false,
         {me, bdme + "HY000"}},
        {"command text",
         DbErrorNumber::kCommandText,
         estado("08S01"),
         std::nullopt,
         false,
         {"ME-2147217900Falló", "-2147217900Falló"}},
        {"object not found",
         DbErrorNumber::kObjectNotFound,
         estado("08S01"),
         std::nullopt,
         false,
         {"ME-2147217865Falló"}},
        {"other number",
         -2147217873,
         estado("08S01"),
         Shown{"-2147217873 BDME Falló", "", Icon::None},
         false,
         {"ME-2147217873Falló", "-2147217873 BDME Falló"}},
        {"positive number",
         3621,
         {},
         Shown{"3621 BDME Falló", "", Icon::None},
         false,
         {"ME3621Falló", "3621 BDME Falló"}},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        QTemporaryDir dir;
        Bitacora bitacora(dir.path(), [] { return QDateTime(QDate(2026, 6, 12), QTime(10, 30)); });
        RecordingMessageBox caja;
        bool terminado = false;
        int conexiones = 0;
        BaseDatos bd(
            [&] {
                ++conexiones;
                return std::unique_ptr<Connection>();
            },
            bitacora, caja, [&] { terminado = true; }, QString());

        bd.ReportarErrorBD(QStringLiteral("Comandero"), {caso.numero, QStringLiteral("Falló")}, caso.errores);

        QFile archivo(bitacora.rutaArchivo());
        ASSERT_TRUE(archivo.open(QIODevice::ReadOnly));
        QStringList lineas = QString::fromUtf8(archivo.readAll()).split(u'\n', Qt::SkipEmptyParts);
        for (QString& linea : lineas)
            linea.remove(0, QStringLiteral("12/06/2026 10:30:00 ").size());
        EXPECT_EQ(lineas, caso.lineas);
        EXPECT_EQ(caja.shown, caso.caja ? QList<Shown>{*caso.caja} : QList<Shown>());
        EXPECT_EQ(terminado, caso.termina);
        EXPECT_EQ(conexiones, 0);
    }
}
