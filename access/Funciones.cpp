#include "access/Funciones.h"

#include "access/RespaldoCierre.h"
#include "data/BaseDatos.h"
#include "data/Bitacora.h"
#include "keyboards/Prompts.h"
#include "loyalty/LealtadTerminal.h"
#include "loyalty/clsLealtad.h"
#include "printing/ImprimirSalida.h"
#include "printing/PruebaImpresion.h"
#include "startup/ContextoImpresionTerminal.h"
#include "startup/Navegacion.h"
#include "startup/PermisosEmpleado.h"
#include "startup/Platform.h"
#include "startup/TerminalContext.h"
#include "startup/VerificacionEmpleado.h"
#include "text/TextFormat.h"

#include <array>
#include <set>
#include <utility>

namespace nerin {

namespace {

using Boton = Funciones::Boton;
using Pantalla = Navegacion::Pantalla;

// The buttons that a permission enables; the buttons missing here are every employee's.
constexpr std::array<std::pair<Boton, int>, 28> kPermisos{{
    {Boton::CambioTarjetas, 27},
    {Boton::MesasAbiertas, 28},
    {Boton::MesaNueva, 29},
    {Boton::AjustePropinas, 30},
    {Boton::Cortesias, 31},
    {Boton::RedirigirGrupo, 32},
    {Boton::PruebaImpresion, 33},
    {Boton::RedirigirImpresoras, 33},
    {Boton::ColaImpresion, 33},
    {Boton::ArticulosDisponibles, 34},
    {Boton::ArticulosCancelados, 35},
    {Boton::PersonalFirmado, 41},
    {Boton::Activar, 43},
    {Boton::Apagar, 43},
    {Boton::Reiniciar, 43},
    {Boton::Reimprimir, 44},
    {Boton::Verificacion, 46},
    {Boton::ResumenPagos, 47},
    {Boton::MesasEnCero, 50},
    {Boton::ReabrirMesa, 50},
    {Boton::ResumenVentas, 51},
    {Boton::VentaTotal, 52},
    {Boton::Sincronizar, 53},
    {Boton::UnirMesas, 54},
    {Boton::ReporteHuespedes, 55},
    {Boton::VentasMesero, 58},
    {Boton::TarjetaProvisional, 68},
    {Boton::RegistrarCliente, 69},
}};

// The buttons that only open one of the menu's screens.
constexpr std::array<std::pair<Boton, Pantalla>, 18> kPantallas{{
    {Boton::CambioTarjetas, Pantalla::CambioTarjetas},
    {Boton::AjustePropinas, Pantalla::AjustePropinas},
    {Boton::RedirigirGrupo, Pantalla::RedirigirGrupo},
    {Boton::RedirigirImpresoras, Pantalla::RedirigirImpresoras},
    {Boton::ArticulosDisponibles, Pantalla::ArticulosDisponibles},
    {Boton::ArticulosCancelados, Pantalla::ArticulosCancelados},
    {Boton::PersonalFirmado, Pantalla::PersonalFirmado},
    {Boton::Reimprimir, Pantalla::Reimprimir},
    {Boton::ResumenPagos, Pantalla::ResumenPagos},
    {Boton::MesasEnCero, Pantalla::MesasEnCero},
    {Boton::ReabrirMesa, Pantalla::ReabrirMesa},
    {Boton::ResumenVentas, Pantalla::ResumenVentas},
    {Boton::VentaTotal, Pantalla::VentaTotal},
    {Boton::Sincronizar, Pantalla::Sincronizar},
    {Boton::UnirMesas, Pantalla::UnirMesas},
    {Boton::ReporteHuespedes, Pantalla::ReporteHuespedes},
    {Boton::VentasMesero, Pantalla::VentasMesero},
    {Boton::Activar, Pantalla::Activar},
}};

// The print-queue program, as the machine's process list names it.
constexpr const char* kProgramaCola = "NERIN-PRINTQ";

} // namespace

Funciones::Funciones(TerminalContext& context, AccessScreen& acceso, ColaImpresion& cola)
    : m_context(context), m_acceso(acceso), m_cola(cola) {}

int Funciones::permiso(Boton boton) {
    for (const auto& [conPermiso, numero] : kPermisos) {
        if (conPermiso == boton)
            return numero;
    }
    return 0;
}

bool Funciones::cargarPermisos() {
    m_permisos.clear();
    m_activado = false;
    // The menu's permission numbers, each once, in the order of the table.
    static const QString kNumeros = [] {
        QStringList numeros;
        std::set<int> distintos;
        for (const auto& [boton, numero] : kPermisos) {
            if (distintos.insert(numero).second)
                numeros.append(QString::number(numero));
        }
        return numeros.join(u',');
    }();
    // Permission 69 lies above the session's flags 1..68, so the menu reads the view itself.
    const std::optional<QSet<int>> permisos =
        permisosEmpleado(m_context.baseDatos(), m_context.sesion().idEmpleado(),
                         QStringLiteral(" AND ID_Permiso IN (") + kNumeros + QStringLiteral(")"));
    if (!permisos)
        return false;
    m_permisos = *permisos;
    return true;
}

bool Funciones::visible(Boton boton) const {
    return boton != Boton::Checador || m_context.funcion(kFuncionChecador);
}

bool Funciones::habilitado(Boton boton) const {
    if (!visible(boton) || (boton == Boton::Activar && m_activado))
        return false;
    const int numero = permiso(boton);
    return numero == 0 || m_permisos.contains(numero);
}

Funciones::Despues Funciones::pulsar(Boton boton) {
    if (!habilitado(boton))
        return Despues::Quedarse;
    Navegacion* navegacion = m_context.navegacion();
    for (const auto& [conPantalla, pantalla] : kPantallas) {
        if (conPantalla != boton)
            continue;
        const bool abierta = navegacion && navegacion->abrir(pantalla);
        if (boton == Boton::Activar && abierta)
            m_activado = true;
        return Despues::Quedarse;
    }
    switch (boton) {
    case Boton::MesasAbiertas:
    case Boton::Cortesias:
        if (!navegacion)
            return Despues::Quedarse;
        navegacion->mesasAbiertas(boton == Boton::Cortesias ? Navegacion::ModoMesas::Cortesia
                                                            : Navegacion::ModoMesas::Normal);
        return Despues::Ocultar;
    case Boton::MesaNueva:
        return navegacion && navegacion->mesaNueva() ? Despues::Ocultar : Despues::Quedarse;
    case Boton::PruebaImpresion: {
        const int encolados = PruebaImpresion(contextoImpresion(m_context), m_cola);
        m_context.Mensaje(encolados > 0
                              ? QStringLiteral("Prueba de impresión enviada a %1 impresoras.").arg(encolados)
                              : QStringLiteral("No se envió la prueba de impresión a ninguna impresora."),
                          encolados > 0 ? Prompts::kOk : Prompts::kExclamation);
        return Despues::Quedarse;
    }
    case Boton::ColaImpresion:
        return colaImpresion();
    case Boton::Apagar:
        return apagarOReiniciar(false);
    case Boton::Reiniciar:
        return apagarOReiniciar(true);
    case Boton::Verificacion:
        return verificacion();
    case Boton::FinDia:
        return finDia();
    case Boton::Checador:
        return checador();
    case Boton::TarjetaProvisional:
        return tarjetaProvisional();
    case Boton::RegistrarCliente:
        return registrarClientes();
    case Boton::Salir:
        return salir();
    default:
        return Despues::Quedarse;
    }
}

Funciones::Despues Funciones::tarjetaProvisional() {
    // The folio is typed twice, so that a slip of the finger does not bind the wrong temporary card.
    Prompts::NumberRequest folio;
    folio.titulo = QStringLiteral("Inserta el Folio de la Tarjeta provisional");
    folio.maximo = 9999999;
    folio.mostrarAbierto = false;
    const Prompts::NumberAnswer primero = m_context.prompts().numero(folio);
    if (primero.cancelado)
        return Despues::Quedarse;
    folio.titulo = QStringLiteral("Inserta de nuevo el Folio de la Tarjeta provisional");
    const Prompts::NumberAnswer segundo = m_context.prompts().numero(folio);
    if (segundo.cancelado)
        return Despues::Quedarse;
    if (primero.numero != segundo.numero) {
        m_context.Mensaje(QStringLiteral("El folio no corresponde, intenta nuevamente!"),
                          Prompts::kExclamation);
        return Despues::Quedarse;
    }
    Navegacion* navegacion = m_context.navegacion();
    const std::optional<Navegacion::TarjetaCliente> tarjeta =
        navegacion ? navegacion->tarjetaCliente(QStringLiteral("Pase la tarjeta permanente"), false)
                   : std::nullopt;
    if (!tarjeta)
        return Despues::Quedarse;
    LealtadTerminal terminal(m_context);
    clsLealtad& lealtad = terminal.lealtad();
    lealtad.tempcard = QString::number(primero.numero);
    lealtad.cardnumber = tarjeta->cliente;
    if (lealtad.Activar())
        m_context.Mensaje(QStringLiteral("Activación correcta!"), Prompts::kOk);
    else
        m_context.Mensaje(QStringLiteral("Error: ") + lealtad.responsemessage, Prompts::kExclamation);
    return Despues::Quedarse;
}

Funciones::Despues Funciones::apagarOReiniciar(bool reiniciar) {
    const QString pregunta = reiniciar ? QStringLiteral("Realmente desea reiniciar el equipo!")
                                       : QStringLiteral("Realmente desea apagar el equipo!");
    if (m_context.Mensaje(pregunta, Prompts::kYesNo) != Prompts::kAnswerYes)
        return Despues::Quedarse;
    const Despues despues = salir();
    const bool pedido = reiniciar ? m_context.platform().restart() : m_context.platform().switchOff();
    if (!pedido) {
        m_context.Mensaje(reiniciar ? QStringLiteral("No se pudo reiniciar el equipo.")
                                    : QStringLiteral("No se pudo apagar el equipo."),
                          Prompts::kExclamation);
    }
    return despues;
}

Funciones::Despues Funciones::finDia() {
    if (m_context.Mensaje(QString::fromUtf8(kPreguntaFinDia), Prompts::kYesNo) != Prompts::kAnswerYes)
        return Despues::Quedarse;
    BaseDatos& bd = m_context.baseDatos();
    const auto fechaTrabajo = [&bd] {
        return bd
            .ConsultarCampo(QStringLiteral("Valor_Cad"), QStringLiteral("Parametros"),
                            QStringLiteral("Id_Parametro='FECHA_TRABAJO'"))
            .toString()
            .trimmed();
    };
    const QString antes = fechaTrabajo();
    // Each failure is reported by the database layer; this terminal's restart request is cleared only
    // once the day was really closed.
    if (!bd.EjecutarSQL(QStringLiteral("Fin_Dia")))
        return Despues::Quedarse;
    if (!bd.ActualizarRegistros(QStringLiteral("Terminal"), QStringLiteral("Reiniciar=0"),
                                QStringLiteral("ID_Terminal=") + QString::number(m_context.terminal)))
        return Despues::Quedarse;
    const QString despues = fechaTrabajo();
    const auto mostrada = [](const QString& fecha) {
        const std::optional<QDate> dia = TextFormat::parseWorkingDate(fecha);
        return dia ? dia->toString(QStringLiteral("dd/MM/yyyy")) : fecha;
    };
    if (despues == antes) {
        // The server keeps a working date of today on which no order was opened yet.
        m_context.Mensaje(QStringLiteral("El día ") + mostrada(antes) +
                              QStringLiteral(" no tiene comandas todavía; no se cerró."),
                          Prompts::kExclamation);
    } else {
        m_context.bitacora().EscribirBitacora(QStringLiteral("Fin de día: ") + antes + QStringLiteral(" a ") +
                                              despues);
        // The backup runs with no transaction open, and is told of only once the close is shown.
        const QString respaldo = respaldarTrasCierre(m_context);
        m_context.Mensaje(QStringLiteral("Día cerrado. Nueva fecha de trabajo: ") + mostrada(despues),
                          Prompts::kOk);
        if (!respaldo.isEmpty())
            m_context.Mensaje(respaldo, Prompts::kExclamation);
    }
    return Despues::Quedarse;
}

Funciones::Despues Funciones::verificacion() {
    VerificacionEmpleado(m_context, m_cola, m_context.sesion().idEmpleado());
    return Despues::Quedarse;
}

Funciones::Despues Funciones::checador() {
    Navegacion* navegacion = m_context.navegacion();
    if (!navegacion)
        return Despues::Quedarse;
    const qint16 idEmpleado = m_context.sesion().idEmpleado();
    // Only a clock-out that the screen recorded ends the employee's work here.
    if (navegacion->checador(idEmpleado) != Navegacion::Checada::Salida)
        return Despues::Quedarse;
    ImprimirSalida(contextoImpresion(m_context), m_cola, idEmpleado);
    return salir();
}

Funciones::Despues Funciones::colaImpresion() {
    const bool enMarcha = m_context.platform().findProcess(QString::fromLatin1(kProgramaCola)) != 0;
    m_context.Mensaje(enMarcha ? QStringLiteral("El programa de impresión está en marcha en este equipo.")
                               : QStringLiteral("El programa de impresión no está en marcha en este equipo."),
                      enMarcha ? Prompts::kOk : Prompts::kExclamation);
    return Despues::Quedarse;
}

Funciones::Despues Funciones::registrarClientes() {
    Navegacion* navegacion = m_context.navegacion();
    while (navegacion && navegacion->abrir(Pantalla::RegistrarCliente)) {
        if (m_context.Mensaje(QStringLiteral("Desea registrar otro cliente?"), Prompts::kYesNo) !=
            Prompts::kAnswerYes)
            break;
    }
    return Despues::Quedarse;
}

Funciones::Despues Funciones::salir() {
    m_context.SalirSistema(m_acceso, QStringLiteral("FrmFunciones"), true);
    return Despues::Fuera;
}

} // namespace nerin
