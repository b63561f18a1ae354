// Clocking in and out under a supervisor's card, without and with the clock-in screen.
#include "access/FirmarEntrada.h"

#include "access/FrmFirmarEntrada.h"
#include "access/tests/AccessFixture.h"
#include "startup/tests/RecordingNavegacion.h"

#include <QListWidget>
#include <QPushButton>

namespace nerin {
namespace {

using Checada = Navegacion::Checada;

// Runs `mientras` while the authorisation window stands, as another terminal or a second touch would.
class NavegacionConVentana : public fakes::RecordingNavegacion {
public:
    bool autorizar(int permiso, const QString& titulo) override {
        const bool valido = RecordingNavegacion::autorizar(permiso, titulo);
        if (mientras)
            mientras();
        return valido;
    }
    std::function<void()> mientras;
};

// Demo: mesero1 (1) is clocked in for department 3; mesero2 (4) is not and has departments 3 and 2.
class FirmarEntradaTest : public fakes::AccessFixture {
protected:
    // Also run again by the cases of a table: the last case's connection is closed before the
    // database is copied afresh.
    void SetUp() override {
        context.reset();
        baseDatos.reset();
        AccessFixture::SetUp();
        conectar();
        nav.rutas.clear();
        nav.autorizado = true;
        nav.mientras = nullptr;
        context->setNavegacion(&nav);
        messageBox.shown.clear();
    }
    qint64 firmado(int empleado) {
        return field(QStringLiteral("SELECT Firmado FROM Empleado WHERE Id_Empleado=%1").arg(empleado))
            .toInt();
    }
    qint64 turnos(int empleado) {
        return field(QStringLiteral("SELECT COUNT(*) FROM HorasxEmpleado WHERE Id_Empleado=%1").arg(empleado))
            .toInt();
    }

    NavegacionConVentana nav;
};

TEST_F(FirmarEntradaTest, TheFlagAsStoredWhenSigningDecidesEntryOrExit) {
    const struct {
        const char* caso;
        qint16 empleado;
        QString antes; // what another terminal does after the screen loaded
        const char* ruta;
        Checada checada;
        qint64 firmadoDespues;
    } casos[] = {
        {"clock-in", 4, {}, "autorizar 66 Validar Permiso", Checada::Entrada, 1},
        {"clock-out", 1, {}, "autorizar 67 Validar Permiso", Checada::Salida, 0},
        {"clocked in elsewhere after loading", 4, QStringLiteral("procFirmarEmpleado 2, 4"),
         "autorizar 67 Validar Permiso", Checada::Salida, 0},
    };
    for (const auto& c : casos) {
        SetUp();
        FirmarEntrada firmar(*context, c.empleado);
        // The screen reads the shift when it loads.
        static_cast<void>(firmar.turno());
        if (!c.antes.isEmpty())
            exec(c.antes);
        EXPECT_EQ(firmar.firmar(3), c.checada) << c.caso;
        EXPECT_EQ(nav.rutas, QStringList{QLatin1String(c.ruta)}) << c.caso;
        EXPECT_EQ(firmado(c.empleado), c.firmadoDespues) << c.caso;
    }
}

TEST_F(FirmarEntradaTest, NothingIsRecordedWhenRefusedChangedMeanwhileOrFailed) {
    const struct {
        const char* caso;
        bool autorizado;
        QString mientras;
        bool falla;
        QStringList mensajes;
        int cajas;
    } casos[] = {
        {"refused", false, {}, false, {}, 0},
        {"clocked in elsewhere while the window stood",
         true,
         QStringLiteral("procFirmarEmpleado 2, 4"),
         false,
         {QStringLiteral("La checada del empleado cambió en otra terminal; intente de nuevo.")},
         0},
        {"procedure fails", true, {}, true, {}, 1},
    };
    for (const auto& c : casos) {
        SetUp();
        ScriptedPrompts preguntas;
        TerminalContext otro(*baseDatos, *bitacora, preguntas, platform, *settings);
        otro.setNavegacion(&nav);
        nav.autorizado = c.autorizado;
        nav.mientras = [this, &c] {
            if (!c.mientras.isEmpty())
                exec(c.mientras);
        };
        if (c.falla)
            faultyConnection->failAt(fakes::busyDatabase(1, QStringLiteral("procFirmarEmpleado")));
        const qint64 firmadoAntes = c.mientras.isEmpty() ? 0 : 1;
        FirmarEntrada firmar(otro, 4);
        EXPECT_EQ(firmar.firmar(3), Checada::Ninguna) << c.caso;
        EXPECT_EQ(firmado(4), firmadoAntes) << c.caso;
        EXPECT_EQ(turnos(4), firmadoAntes) << c.caso;
        EXPECT_EQ(preguntas.mensajes(), c.mensajes) << c.caso;
        EXPECT_EQ(messageBox.shown.size(), c.cajas) << c.caso;
    }
}

TEST_F(FirmarEntradaTest, ASecondTouchWhileTheWindowStandsIsIgnored) {
    FirmarEntrada firmar(*context, 4);
    std::optional<Checada> segunda;
    bool tocada = false;
    nav.mientras = [&] {
        if (std::exchange(tocada, true))
            return;
        segunda = firmar.firmar(2);
    };
    EXPECT_EQ(firmar.firmar(3), Checada::Entrada);
    EXPECT_EQ(segunda, Checada::Ninguna);
    EXPECT_EQ(nav.rutas.size(), 1);
    EXPECT_EQ(firmado(4), 1);
    EXPECT_EQ(turnos(4), 1);
}

// The screen offers the departments when there are any; without any it clocks with department 0 at once.
TEST_F(FirmarEntradaTest, TheScreenAsksForADepartmentOnlyWhenThereAreAny) {
    const struct {
        const char* caso;
        bool sinDepartamentos;
        QStringList lista;
        QStringList rutas;
        Checada checada;
    } casos[] = {
        {"two departments", false, {QStringLiteral("SALON"), QStringLiteral("BARRA")}, {}, Checada::Ninguna},
        {"none", true, {}, {QStringLiteral("autorizar 66 Validar Permiso")}, Checada::Entrada},
    };
    for (const auto& c : casos) {
        SetUp();
        if (c.sinDepartamentos)
            exec(QStringLiteral("DELETE FROM CostosxEmpleado WHERE id_empleado=4"));
        FrmFirmarEntrada pantalla(*context, 4);
        pantalla.findChild<QPushButton*>(QStringLiteral("cmdFirmar"))->click();
        auto* lista = pantalla.findChild<QListWidget*>(QStringLiteral("lstDepartamentos"));
        QStringList nombres;
        for (int i = 0; i < lista->count(); ++i)
            nombres << lista->item(i)->text();
        nombres.sort();
        QStringList esperados = c.lista;
        esperados.sort();
        EXPECT_EQ(nombres, esperados) << c.caso;
        EXPECT_EQ(nav.rutas, c.rutas) << c.caso;
        EXPECT_EQ(pantalla.checada(), c.checada) << c.caso;
    }
    EXPECT_EQ(field(QStringLiteral("SELECT id_departamento FROM HorasxEmpleado WHERE Id_Empleado=4")).toInt(),
              0);
}

} // namespace
} // namespace nerin
