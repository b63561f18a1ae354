#include "startup/Arranque.h"

#include "data/BaseDatos.h"
#include "data/Bitacora.h"
#include "data/TransaccionBD.h"
#include "keyboards/Prompts.h"
#include "startup/AccessScreen.h"
#include "startup/TerminalContext.h"
#include "startup/TerminalSettings.h"
#include "startup/TipoCambio.h"

#include <QDir>
#include <QFile>
#include <limits>

namespace nerin {

namespace {

const QString kParametros = QStringLiteral("Parametros");

// Parameters are 16-bit values in the terminal; one that does not fit reads as 0 rather than as a
// wrapped-around number.
qint16 toInt16(qint64 value) {
    if (value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max())
        return 0;
    return static_cast<qint16>(value);
}

qint32 toInt32(qint64 value) {
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        return 0;
    return static_cast<qint32>(value);
}

} // namespace

Arranque::Arranque(TerminalContext& context, AccessScreen& acceso, QString carpetaEstado)
    : m_context(context), m_acceso(acceso), m_carpetaEstado(std::move(carpetaEstado)) {}

QString Arranque::markerFile() const {
    return m_carpetaEstado + QStringLiteral("/Nerin.up");
}

DbValue Arranque::parametro(const QString& campo, const QString& condicion) {
    return m_context.baseDatos().ConsultarCampo(campo, kParametros, condicion);
}

Status Arranque::run() {
    TerminalSettings& settings = m_context.settings();
    BaseDatos& bd = m_context.baseDatos();
    m_context.bitacora().setDiasConservados(settings.diasBitacora());

    m_context.servidor = settings.servidor();
    // Without a server name there is nowhere to look: the embedded back-end would otherwise open a
    // database in whatever folder the program was started from. The access screen searches instead.
    if (m_context.servidor.isEmpty() || !bd.ConectarBD(m_context.servidor)) {
        m_context.servidorEncontrado = false;
        settings.setServEncontrado(false);
        mostrarAcceso();
        return Status::ok();
    }
    const Status cargado = cargar();
    if (!cargado.isOk())
        return cargado;
    mostrarAcceso();
    return Status::ok();
}

Status Arranque::continuar(const QString& servidor) {
    m_context.servidor = servidor;
    return cargar();
}

Status Arranque::cargar() {
    TerminalSettings& settings = m_context.settings();
    BaseDatos& bd = m_context.baseDatos();
    m_context.servidorEncontrado = true;
    settings.setServEncontrado(true);

    m_context.terminal = settings.terminal();
    m_context.concepto =
        toInt16(parametro(QStringLiteral("Valor_num"), QStringLiteral("Id_Parametro='CONCEPTO'")).toInt());
    m_context.sucursal =
        toInt16(parametro(QStringLiteral("Valor_num"), QStringLiteral("Id_Parametro='SUCURSAL'")).toInt());
    m_context.nombreSucursal =
        parametro(QStringLiteral("Valor_cad"), QStringLiteral("Id_Parametro='SUCURSAL'")).toString();
    m_context.urlLealtad =
        parametro(QStringLiteral("Valor_Cad"), QStringLiteral("Id_Parametro='URL_LEALTAD'")).toString();

    const QString fechaComanda = fechaUltimaComanda();

    if (m_context.terminal == 0)
        return terminar(QStringLiteral("El programa está mal instalado"), Prompts::kCritical, false);

    const QString terminal = QString::number(m_context.terminal);
    if (bd.ConsultarCampo(QStringLiteral("Count(*)"), QStringLiteral("Terminal"),
                          QStringLiteral("id_terminal=") + terminal)
            .toInt() == 0)
        return terminar(QStringLiteral("La terminal esta mal configurada, llame a soporte"),
                        Prompts::kCritical, true);
    liberarFirmados(terminal);

    const QString fechaParametro =
        parametro(
            QStringLiteral("substring(Valor_Cad,5,4) + substring(Valor_Cad,3,2) + substring(Valor_Cad,1,2)"),
            QStringLiteral("ID_Parametro='FECHA_TRABAJO'"))
            .toString();
    if (fechaParametro > fechaComanda)
        return terminar(QStringLiteral("Solo puede revivir el día anterior!"), Prompts::kOk, true);

    // No cheque printer row reads as "", that is 0.
    m_context.impresoraCheques =
        toInt16(bd.ConsultarCampo(QStringLiteral("Redirigido"), QStringLiteral("Impresora"),
                                  QStringLiteral("esdecheques=1 and Id_Terminal=") + terminal)
                    .toInt());
    m_context.cveEmpresa =
        toInt16(bd.ConsultarCampo(QStringLiteral("Valor_Num"), QStringLiteral("parametros"),
                                  QStringLiteral("Id_parametro='CVEEMPRESA'"))
                    .toInt());
    m_context.tiempoInact = toInt32(
        parametro(QStringLiteral("Valor_Num"), QStringLiteral("ID_Parametro='TIEMPO_INACT'")).toInt() * 1000);
    m_context.cuentaTicket = toInt16(
        parametro(QStringLiteral("Valor_Num"), QStringLiteral("ID_Parametro='CUENTA_TICKET'")).toInt());
    if (m_context.cuentaTicket == 0)
        m_context.cuentaTicket = 1;
    m_context.store =
        parametro(QStringLiteral("Valor_Cad"), QStringLiteral("ID_Parametro='STORE'")).toString();
    m_context.anchoTicket = toInt16(
        parametro(QStringLiteral("Valor_Num"), QStringLiteral("ID_Parametro='ANCHO_TICKET'")).toInt());
    if (m_context.anchoTicket == 0)
        m_context.anchoTicket = 32;
    cargarFunciones();
    m_context.direccionServidor =
        bd.ConsultarCampo(QStringLiteral("Direccion_IP"), QStringLiteral("terminal"),
                          QStringLiteral("servidor = 1"))
            .toString();

    if (m_context.funcion(1))
        confirmarTipoCambio();

    dejarMarca();
    return Status::ok();
}

Status Arranque::terminar(const QString& mensaje, int estilo, bool shutDown) {
    m_context.Mensaje(mensaje, estilo);
    if (shutDown)
        m_context.settings().setShutDown();
    m_context.baseDatos().connection().close();
    return Status::invalid(mensaje);
}

QString Arranque::fechaUltimaComanda() {
    const auto rs = m_context.baseDatos().AbrirRecordset(
        QStringLiteral("SELECT top 1 substring(fecha_trabajo,5,4) + substring(fecha_trabajo,3,2) + "
                       "substring(fecha_trabajo,1,2) "
                       "as yyyymmdd FROM comanda ORDER BY id_comanda DESC"));
    // No order at all reads like an order without a date.
    if (!rs || rs->eof() || rs->value(0).isNull())
        return QStringLiteral("19700101");
    return rs->value(0).toString();
}

void Arranque::liberarFirmados(const QString& terminal) {
    // Nobody can be working at a terminal that is only starting: whoever is still signed in here was
    // left so by a terminal that went down, and their orders would stay locked for everyone else
    // until they signed in again. A failure is reported by the work and only leaves them as they were.
    TransaccionBD trabajo(m_context.baseDatos(), QStringLiteral("Arranque"));
    (void)trabajo.hacer([&] {
        trabajo.cambiar(QStringLiteral("UPDATE Comanda SET EnUsoPor=0 WHERE EnUsoPor IN (SELECT ID_Empleado "
                                       "FROM Empleado WHERE ID_Terminal=") +
                        terminal + u')');
        trabajo.cambiar(QStringLiteral("UPDATE Empleado SET ID_Terminal=0 WHERE ID_Terminal=") + terminal);
    });
}

void Arranque::cargarFunciones() {
    m_context.clearFunciones();
    const auto rs = m_context.baseDatos().AbrirRecordset(
        QStringLiteral("SELECT fun.ID_Funcion FROM FuncionesXTerminal fxt, Funciones fun WHERE "
                       "fxt.id_funcion=fun.id_funcion and estado=1 and ID_Terminal=") +
        QString::number(m_context.terminal));
    if (!rs)
        return;
    for (const auto& row : rs->rows()) {
        if (row.isEmpty())
            continue;
        const qint64 numero = row.front().toInt();
        if (numero >= 1 && numero <= TerminalContext::kFunctionCount)
            m_context.setFuncion(static_cast<int>(numero), true);
    }
}

void Arranque::confirmarTipoCambio() {
    TipoCambio tipoCambio(m_context.baseDatos(), m_context.prompts());
    m_context.tipoCambio = tipoCambio.actual();
    const QString pregunta = QStringLiteral("Desea modificar el T.C. $") +
                             m_context.tipoCambio.toPlainText() + QStringLiteral(" ?");
    if (m_context.Mensaje(pregunta, Prompts::kYesNo) != Prompts::kAnswerYes)
        return;
    // A cancelled keypad or a refused rate keeps the stored one.
    const std::optional<Currency> nueva = tipoCambio.pedir(m_context.tipoCambio);
    if (nueva && tipoCambio.escribir(*nueva))
        m_context.tipoCambio = *nueva;
}

void Arranque::dejarMarca() {
    // Outside tools take the file's existence as "the terminal program is running"; its content is
    // never read. A folder that cannot be written only loses the marker.
    QDir().mkpath(m_carpetaEstado);
    QFile marca(markerFile());
    if (marca.open(QIODevice::Append))
        marca.close();
}

void Arranque::mostrarAcceso() {
    m_acceso.showAccessScreen(m_context.servidorEncontrado);
    m_context.bitacora().FijarNombreBitacora(QStringLiteral("\\Nerin"));
}

} // namespace nerin
