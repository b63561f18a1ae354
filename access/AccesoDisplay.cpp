#include "access/AccesoDisplay.h"

#include "access/RespaldoCierre.h"
#include "data/BaseDatos.h"
#include "data/Bitacora.h"
#include "keyboards/Prompts.h"
#include "startup/AccessScreen.h"
#include "startup/Platform.h"
#include "startup/TerminalContext.h"
#include "startup/TerminalSettings.h"
#include "text/TextFormat.h"

namespace nerin {

namespace {

// The working date's part starts with five blanks and the clock's with one more, as the label has
// always been written.
const QString kSeparador = QStringLiteral("     ");

} // namespace

AccesoDisplay::AccesoDisplay(TerminalContext& context, Reloj reloj, std::function<void()> terminarPrograma,
                             std::function<Status(const QString&)> continuarArranque)
    : m_context(context), m_reloj(std::move(reloj)), m_terminarPrograma(std::move(terminarPrograma)),
      m_continuarArranque(std::move(continuarArranque)) {}

QString AccesoDisplay::condicionTerminal() const {
    return QStringLiteral("ID_Terminal=") + QString::number(m_context.terminal);
}

QString AccesoDisplay::nombreTerminal() {
    return m_context.baseDatos()
        .ConsultarCampo(QStringLiteral("Nombre_Terminal"), QStringLiteral("Terminal"),
                        QStringLiteral("id_terminal=") + QString::number(m_context.terminal))
        .toString();
}

QString AccesoDisplay::version(const QString& titulo, const QString& numeros, const QString& mesero) {
    return titulo + u' ' + numeros + QStringLiteral(" (") + mesero + u')';
}

QString AccesoDisplay::etiquetaFecha(const std::optional<QDate>& trabajo, const QDateTime& ahora) {
    const QString fecha = trabajo ? TextFormat::date(*trabajo, u"dd mmm yy") : QString();
    return QStringLiteral("Trabajo: ") + fecha + kSeparador + QStringLiteral(" Sistema: ") +
           TextFormat::dateTime(ahora, u"dd mmm yy   hh:mm");
}

bool AccesoDisplay::venceDia(const QDate& trabajo, const QDateTime& ahora) {
    if (!trabajo.isValid() || !ahora.isValid())
        return false;
    if (trabajo.daysTo(ahora.date()) <= 0)
        return false;
    // Whole hours since the working date's midnight, as the server counts hour boundaries from there.
    const qint64 horas = QDateTime(trabajo, QTime(0, 0)).secsTo(ahora) / 3600;
    return horas >= 30;
}

std::optional<QDate> AccesoDisplay::fechaTrabajo() {
    const QString texto =
        m_context.baseDatos()
            .ConsultarCampo(QStringLiteral("Valor_Cad"), QStringLiteral("Vw_FechaTrabajo"), QString())
            .toString()
            .trimmed();
    return TextFormat::parseWorkingDate(texto);
}

bool AccesoDisplay::reinicioPedido() {
    return m_context.baseDatos()
               .ConsultarCampo(QStringLiteral("Reiniciar"), QStringLiteral("Terminal"), condicionTerminal())
               .toInt() != 0;
}

AccesoDisplay::Filas AccesoDisplay::filas(const QString& sql) {
    Filas resultado;
    const auto rs = m_context.baseDatos().AbrirRecordset(sql);
    if (!rs)
        return resultado;
    for (const auto& row : rs->rows()) {
        QStringList textos;
        for (const DbValue& valor : row)
            textos.append(valor.toString());
        resultado.append(textos);
    }
    return resultado;
}

AccesoDisplay::Filas AccesoDisplay::terminalesInactivas() {
    return filas(
        QStringLiteral("SELECT Nombre_Terminal, 'INACTIVA' FROM Terminal WHERE Estado_Terminal <> 'A'"));
}

AccesoDisplay::Filas AccesoDisplay::impresorasRedirigidas() {
    return filas(QStringLiteral("SELECT Nombre_Impresora, Estado_1,' REDIRIGIDO A ', Nombre_Impresora1 FROM "
                                "Vw_Impresoras WHERE Id_Impresora <> Redirigido AND Estado_1 <> 'L'"));
}

AccesoDisplay::Refresco AccesoDisplay::refrescar(AccessScreen& acceso) {
    Refresco refresco;
    const QDateTime ahora = m_reloj();
    const std::optional<QDate> trabajo = fechaTrabajo();
    refresco.fecha = etiquetaFecha(trabajo, ahora);

    if (trabajo && venceDia(*trabajo, ahora)) {
        refresco.accion = Accion::FinDia;
        finDia(acceso);
        return refresco;
    }
    if (reinicioPedido()) {
        refresco.accion = Accion::Reinicio;
        reiniciar();
    }
    refresco.terminales = terminalesInactivas();
    refresco.impresoras = impresorasRedirigidas();
    return refresco;
}

void AccesoDisplay::finDia(AccessScreen& acceso) {
    BaseDatos& bd = m_context.baseDatos();
    m_context.bitacora().EscribirBitacora(QStringLiteral("Fin de dia automatico"));
    const bool cerrado = bd.EjecutarSQL(QStringLiteral("Fin_Dia"));
    bd.ActualizarRegistros(QStringLiteral("Terminal"), QStringLiteral("Reiniciar=0"), condicionTerminal());
    if (cerrado) {
        // Nobody may be at the terminal: a failed backup waits on the screen for the next person
        // before the machine restarts.
        if (const QString respaldo = respaldarTrasCierre(m_context); !respaldo.isEmpty())
            m_context.Mensaje(respaldo, Prompts::kExclamation);
    }
    m_context.SalirSistema(acceso, QStringLiteral("frmAcceso"), false);
    m_context.platform().restart();
    if (m_terminarPrograma)
        m_terminarPrograma();
}

void AccesoDisplay::reiniciar() {
    m_context.bitacora().EscribirBitacora(QStringLiteral("Reinicio pedido por el servidor"));
    m_context.baseDatos().ActualizarRegistros(QStringLiteral("Terminal"), QStringLiteral("Reiniciar=0"),
                                              condicionTerminal());
    m_context.platform().restart();
}

AccesoDisplay::Busqueda AccesoDisplay::buscarServidor() {
    TerminalSettings& settings = m_context.settings();
    // Both are read afresh on every try: someone may be correcting them meanwhile.
    QString servidor = settings.servidor();
    const qint16 terminal = settings.terminal(0);
    if (servidor.isEmpty()) {
        m_context.Mensaje(QStringLiteral("Servidor Invalido, llame a soporte!"), Prompts::kOk);
        return Busqueda::SinNombre;
    }
    BaseDatos& bd = m_context.baseDatos();
    bool conectado = bd.ConectarBD(servidor);
    if (!conectado && settings.respaldoEnEsteEquipo()) {
        // The terminal acts as its own server: the database is looked for under this machine's name.
        const QString propio = m_context.platform().NombreEquipo();
        if (!propio.isEmpty()) {
            servidor = propio;
            conectado = bd.ConectarBD(servidor);
        }
    }
    if (!conectado)
        return Busqueda::NoResponde;
    if (terminal == 0) {
        m_context.Mensaje(QStringLiteral("El numero de terinal es invalido!"), Prompts::kCritical);
        if (m_terminarPrograma)
            m_terminarPrograma();
        return Busqueda::TerminalInvalida;
    }
    // Start-up is the one that fills the terminal's values: it goes on where it stopped for want of a
    // server.
    if (m_continuarArranque && !m_continuarArranque(servidor).isOk()) {
        if (m_terminarPrograma)
            m_terminarPrograma();
        return Busqueda::TerminalInvalida;
    }
    return Busqueda::Encontrado;
}

} // namespace nerin
