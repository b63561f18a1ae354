// Clocking in and out under a supervisor's card.
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

// Demo: mesero1 (1) is clocked in; mesero2 (4) is not and has two departments.
class FirmarEntradaTest : public fakes::AccessFixture {
protected:
    void SetUp() override {
        AccessFixture::SetUp();
        prompts = ScriptedPrompts();
        conectar();
        nav = NavegacionConVentana();
        context->setNavegacion(&nav);
        messageBox.shown.clear();
    }
    qint64 numero(const QString& sql, int empleado) { return field(sql.arg(empleado)).toInt(); }
    qint64 firmado(int empleado) {
        return numero(QStringLiteral("SELECT Firmado FROM Empleado WHERE Id_Empleado=%1"), empleado);
    }

    NavegacionConVentana nav;
};

TEST_F(FirmarEntradaTest, TheFlagAsStoredWhenAskingDecidesAndOnlyWhatRanIsClaimed) {
    const QString otra = QStringLiteral("procFirmarEmpleado 2, 4"); // another terminal clocks mesero2 in
    const struct {
        const char* caso;
        qint16 empleado;
        QString antes;    // done after the screen loaded
        QString mientras; // done while the authorisation window stands
        bool autorizado;
        bool falla; // procFirmarEmpleado fails
        int permiso;
        Checada checada;
        qint64 firmado;
        bool avisa; // that the flag changed while asking
        qsizetype cajas;
    } casos[] = {
        {"clock-in", 4, {}, {}, true, false, 66, Checada::Entrada, 1, false, 0},
        {"clock-out", 1, {}, {}, true, false, 67, Checada::Salida, 0, false, 0},
        {"changed after loading", 4, otra, {}, true, false, 67, Checada::Salida, 0, false, 0},
        {"refused", 4, {}, {}, false, false, 66, Checada::Ninguna, 0, false, 0},
        {"changed while asking", 4, {}, otra, true, false, 66, Checada::Ninguna, 1, true, 0},
        {"procedure fails", 4, {}, {}, true, true, 66, Checada::Ninguna, 0, false, 1},
    };
    for (const auto& c : casos) {
        SetUp();
        nav.autorizado = c.autorizado;
        nav.mientras = [this, &c] {
            if (!c.mientras.isEmpty())
                exec(c.mientras);
        };
        if (c.falla)
            faultyConnection->failAt(fakes::busyDatabase(1, QStringLiteral("procFirmarEmpleado")));
        FirmarEntrada firmar(*context, c.empleado);
        // The screen reads the shift when it loads.
        static_cast<void>(firmar.turno());
        if (!c.antes.isEmpty())
            exec(c.antes);
        EXPECT_EQ(firmar.firmar(3), c.checada) << c.caso;
        EXPECT_EQ(nav.rutas, QStringList{QStringLiteral("autorizar %1 Validar Permiso").arg(c.permiso)})
            << c.caso;
        EXPECT_EQ(firmado(c.empleado), c.firmado) << c.caso;
        EXPECT_EQ(prompts.mensajes().size(), c.avisa ? 1 : 0) << c.caso;
        EXPECT_EQ(messageBox.shown.size(), c.cajas) << c.caso;
    }
}

TEST_F(FirmarEntradaTest, ASecondTouchWhileTheWindowStandsIsIgnored) {
    FirmarEntrada firmar(*context, 4);
    std::optional<Checada> segunda;
    bool tocada = false;
    nav.mientras = [&] {
        if (!std::exchange(tocada, true))
            segunda = firmar.firmar(2);
    };
    EXPECT_EQ(firmar.firmar(3), Checada::Entrada);
    EXPECT_EQ(segunda, Checada::Ninguna);
    EXPECT_EQ(nav.rutas.size(), 1);
    EXPECT_EQ(numero(QStringLiteral("SELECT COUNT(*) FROM HorasxEmpleado WHERE Id_Empleado=%1"), 4), 1);
}

TEST_F(FirmarEntradaTest, WithoutDepartmentsTheScreenClocksInWithDepartmentZeroAtOnce) {
    exec(QStringLiteral("DELETE FROM CostosxEmpleado WHERE id_empleado=4"));
    FrmFirmarEntrada pantalla(*context, 4);
    pantalla.findChild<QPushButton*>(QStringLiteral("cmdFirmar"))->click();
    EXPECT_EQ(pantalla.findChild<QListWidget*>(QStringLiteral("lstDepartamentos"))->count(), 0);
    EXPECT_EQ(pantalla.checada(), Checada::Entrada);
    EXPECT_EQ(numero(QStringLiteral("SELECT id_departamento FROM HorasxEmpleado WHERE Id_Empleado=%1"), 4),
              0);
}

} // namespace
} // namespace nerin
