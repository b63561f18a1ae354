#pragma once

#include "data/tests/InterleavingConnection.h"
#include "startup/tests/RecordingNavegacion.h"
#include "startup/tests/StartupFixture.h"
#include "tables/tests/MuerteConnection.h"

#include <functional>
#include <sys/wait.h>
#include <unistd.h>

namespace nerin::fakes {

// One more terminal over the fixture's database: its own connection, event log, prompts and
// navigation, and the employee signed in on it.
struct OtraTerminal {
    using Conexiones = std::function<std::unique_ptr<Connection>()>;
    OtraTerminal(Conexiones conexiones, const QString& carpetaBitacora, TerminalSettings& settings,
                 Platform& platform, qint16 numero, qint16 empleado)
        : bitacora(carpetaBitacora) {
        baseDatos = std::make_unique<BaseDatos>(
            std::move(conexiones), bitacora, messageBox, [] {}, QStringLiteral("clave"));
        context = std::make_unique<TerminalContext>(*baseDatos, bitacora, prompts, platform, settings);
        context->terminal = numero;
        context->iniciarSesion(Sesion(empleado, {}, {}, false));
        context->setNavegacion(&navegacion);
        baseDatos->ConectarBD();
    }
    Bitacora bitacora;
    RecordingMessageBox messageBox;
    ScriptedPrompts prompts;
    RecordingNavegacion navegacion;
    std::unique_ptr<BaseDatos> baseDatos;
    std::unique_ptr<TerminalContext> context;
};

// Scripted prompts that also keep the last numeric keypad asked for, to check how it was set up.
class PromptsEspia : public ScriptedPrompts {
public:
    NumberAnswer numero(const NumberRequest& request) override {
        pedidos.append(request);
        return ScriptedPrompts::numero(request);
    }
    QList<NumberRequest> pedidos;
};

// The demo restaurant (see StartupFixture) with an employee signed in at terminal 1 and the routes
// recorded. Demo employees: 1 mesero1 (ROSA MENDOZA RUIZ, waiter), 2 gerente1 (every permission),
// 3 cajero1 (cashier), 4 mesero2 (PEDRO GARCIA NAVA, waiter). Open orders: 1 (table 5) and 2
// (table 15), both of mesero1, nothing printed yet.
class TablesFixture : public StartupFixture {
protected:
    // Builds the terminal with its connection open and `empleado` signed in; `intercalada` puts an
    // InterleavingConnection between the terminal and its database.
    void firmar(qint16 empleado, bool intercalada = false) {
        if (intercalada) {
            settings = std::make_unique<TerminalSettings>(settingsFile());
            bitacora = std::make_unique<Bitacora>(logFolder(), [this] { return ahora; });
            baseDatos = std::make_unique<BaseDatos>(
                [this] {
                    auto real = std::make_unique<InterleavingConnection>(conexionABase());
                    intercalador = real.get();
                    return real;
                },
                *bitacora, messageBox, [this] { ++programEnded; }, QStringLiteral("clave"));
        } else {
            build();
        }
        // The context asks through preguntas, which also keeps the keypads asked for.
        context = std::make_unique<TerminalContext>(*baseDatos, *bitacora, preguntas, platform, *settings,
                                                    [this] { return ahora; });
        ASSERT_TRUE(baseDatos->ConectarBD());
        context->terminal = 1;
        context->iniciarSesion(Sesion(empleado, {}, {}, false));
        context->setNavegacion(&navegacion);
    }

    QString archivoBase() const { return dbFolder() + QStringLiteral("/DBNERIN.db"); }

    std::unique_ptr<OtraTerminal> otraTerminal(qint16 numero, qint16 empleado) {
        return std::make_unique<OtraTerminal>([this] { return conexionABase(); },
                                              m_dir.filePath(QStringLiteral("otra%1").arg(numero)), *settings,
                                              platform, numero, empleado);
    }

    qint64 enUsoPor(qint32 idComanda) {
        return field(QStringLiteral("SELECT EnUsoPor FROM Comanda WHERE ID_Comanda=%1").arg(idComanda))
            .toInt();
    }
    qint64 contar(const QString& sql) { return field(sql).toInt(); }
    // Every Comanda row: the demo has the day-opening record and orders 1 to 3.
    qint64 ordenes() { return contar(QStringLiteral("SELECT COUNT(*) FROM Comanda")); }

    // Runs `operacion` in a child process ended before each statement in turn, from the first until
    // one run completes (`preparar` makes the starting state each time), and checks after each that
    // the books balance and `estado()` is one of `estadosValidos`; the number of kill points tried.
    int matarEnCadaPaso(const std::function<void()>& preparar,
                        const std::function<void(TerminalContext&)>& operacion,
                        const std::function<QString()>& estado, const QStringList& estadosValidos) {
        int k = 1;
        for (;; ++k) {
            SetUp();
            preparar();
            const pid_t hijo = fork();
            if (hijo == 0) {
                fabricaConexion = [this, k] { return std::make_unique<MuerteConnection>(archivoBase(), k); };
                build();
                context->terminal = 1;
                context->iniciarSesion(Sesion(1, {}, {}, false));
                if (!baseDatos->ConectarBD())
                    _exit(1);
                operacion(*context);
                _exit(kVivo);
            }
            int estadoHijo = 0;
            EXPECT_EQ(waitpid(hijo, &estadoHijo, 0), hijo);
            const int salida = WIFEXITED(estadoHijo) ? WEXITSTATUS(estadoHijo) : -1;
            EXPECT_TRUE(salida == kMuerto || salida == kVivo) << "k=" << k << " salida " << salida;
            EXPECT_EQ(descuadres(archivoBase()), QStringList()) << "k=" << k;
            EXPECT_TRUE(estadosValidos.contains(estado())) << "k=" << k << ": " << estado().toStdString();
            if (salida != kMuerto)
                break;
        }
        return k - 1;
    }

    PromptsEspia preguntas;
    RecordingNavegacion navegacion;
    InterleavingConnection* intercalador = nullptr;
};

} // namespace nerin::fakes
