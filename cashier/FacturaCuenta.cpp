#include "cashier/FacturaCuenta.h"

#include "cashier/ImprimirCuenta.h"
#include "data/BaseDatos.h"
#include "data/TransaccionBD.h"
#include "keyboards/Prompts.h"
#include "loyalty/ClientesLocales.h"
#include "printing/AlinearTexto.h"
#include "printing/ColaImpresion.h"
#include "printing/ContextoImpresion.h"
#include "printing/ImpresorasTerminal.h"
#include "printing/TipoDocumento.h"
#include "startup/ContextoImpresionTerminal.h"
#include "startup/TerminalContext.h"
#include "text/TextFormat.h"

namespace nerin {

const QString FacturaCuenta::kDatosIncompletos =
    QStringLiteral("El cliente necesita un R.F.C. de 12 o 13 caracteres y una razón social.");
const QString FacturaCuenta::kYaFacturada =
    QStringLiteral("Esta cuenta ya fue facturada. ¿Desea facturarla otra vez?");
const QString FacturaCuenta::kSinRfc = QStringLiteral("No hay ningún cliente con ese R.F.C.");
const QString FacturaCuenta::kSinClave = QStringLiteral("No hay ningún cliente con esa clave.");
const QString FacturaCuenta::kGuardadoNuevo = QStringLiteral("Se guardo con exito el cliente!");
const QString FacturaCuenta::kGuardadoCambios =
    QStringLiteral("Se guardaron con exito ls datos del cliente!");
const QString FacturaCuenta::kNoInsertado = QStringLiteral("Imposible Insertar Cliente!");
const QString FacturaCuenta::kNoGuardado = QStringLiteral("Imposible Guardar Cambios!");

namespace {

// The longest text each column of Clientes holds.
int largoMaximo(FacturaCuenta::Campo campo) {
    return campo == FacturaCuenta::Campo::Rfc ? 13 : 100;
}

} // namespace

FacturaCuenta::FacturaCuenta(TerminalContext& context, qint32 idComanda, qint16 control, qint16 numCuenta)
    : m_context(context), m_idComanda(idComanda), m_control(control), m_numCuenta(numCuenta) {}

QString FacturaCuenta::cuentaSql(const QString& tabla) const {
    return tabla + QStringLiteral("ID_Comanda=") + QString::number(m_idComanda) + QStringLiteral(" AND ") +
           tabla + QStringLiteral("Control=") + QString::number(m_control) + QStringLiteral(" AND ") + tabla +
           QStringLiteral("Num_Cuenta=") + QString::number(m_numCuenta);
}

bool FacturaCuenta::cargar() {
    const std::optional<RecordSet> filas = m_context.baseDatos().AbrirRecordset(
        QStringLiteral("SELECT cli.CveCliente, cli.RFC, cli.Razon, cli.DirCalle, cli.DirCol, cli.DirDelMun "
                       "FROM Cuenta cu INNER JOIN Clientes cli ON cli.CveCliente = cu.CveCliente WHERE ") +
        cuentaSql(QStringLiteral("cu.")) + QStringLiteral(" AND ISNULL(cli.RFC,'') <> ''"));
    if (!filas)
        return false;
    if (!filas->eof()) {
        m_cliente = {filas->value(0).toInt(),    filas->value(1).toString(), filas->value(2).toString(),
                     filas->value(3).toString(), filas->value(4).toString(), filas->value(5).toString()};
        m_registrado = true;
    }
    return true;
}

QString FacturaCuenta::titulo(Campo campo) {
    switch (campo) {
    case Campo::Rfc:
        return QStringLiteral("Ingresa RFC");
    case Campo::Razon:
        return QStringLiteral("Ingresa la Razón Solcial");
    case Campo::DirCalle:
        return QStringLiteral("Ingresa la Dirección 1");
    case Campo::DirCol:
        return QStringLiteral("Ingresa la Dirección 2");
    case Campo::DirDelMun:
        return QStringLiteral("Ingresa la Dirección 3");
    }
    return {};
}

void FacturaCuenta::setCampo(Campo campo, const QString& texto) {
    const QString valor = texto.trimmed();
    switch (campo) {
    case Campo::Rfc:
        m_cliente.rfc = valor;
        break;
    case Campo::Razon:
        m_cliente.razon = valor;
        break;
    case Campo::DirCalle:
        m_cliente.dirCalle = valor;
        break;
    case Campo::DirCol:
        m_cliente.dirCol = valor;
        break;
    case Campo::DirDelMun:
        m_cliente.dirDelMun = valor;
        break;
    }
}

bool FacturaCuenta::editar(Campo campo) {
    const QString actual[] = {m_cliente.rfc, m_cliente.razon, m_cliente.dirCalle, m_cliente.dirCol,
                              m_cliente.dirDelMun};
    Prompts::TextRequest pedido;
    pedido.titulo = titulo(campo);
    pedido.inicial = actual[static_cast<int>(campo)];
    pedido.maximo = largoMaximo(campo);
    const Prompts::TextAnswer respuesta = m_context.prompts().texto(pedido);
    if (respuesta.cancelado)
        return false;
    setCampo(campo, respuesta.texto);
    return true;
}

bool FacturaCuenta::llenar(const QString& sql, const QString& noEncontrado) {
    const std::optional<RecordSet> filas = m_context.baseDatos().AbrirRecordset(sql);
    if (!filas)
        return false;
    if (filas->eof()) {
        m_context.Mensaje(noEncontrado, Prompts::kExclamation);
        return false;
    }
    m_cliente = {filas->value(QStringLiteral("CveCliente")).toInt(),
                 filas->value(QStringLiteral("RFC")).toString(),
                 filas->value(QStringLiteral("Razon")).toString(),
                 filas->value(QStringLiteral("DirCalle")).toString(),
                 filas->value(QStringLiteral("DirCol")).toString(),
                 filas->value(QStringLiteral("DirDelMun")).toString()};
    m_registrado = true;
    return true;
}

bool FacturaCuenta::buscarRfc(const QString& texto) {
    return llenar(QStringLiteral("SELECT TOP 1 * FROM Clientes WHERE RFC like '%") +
                      BaseDatos::DuplicarComillas(texto) + QStringLiteral("%' ORDER BY CVECLIENTE DESC"),
                  kSinRfc);
}

bool FacturaCuenta::buscarClave(qint64 clave) {
    return llenar(QStringLiteral("SELECT * FROM Clientes WHERE CveCliente=") + QString::number(clave) +
                      QStringLiteral(" ORDER BY CVECLIENTE DESC"),
                  kSinClave);
}

bool FacturaCuenta::buscarRfc() {
    Prompts::TextRequest pedido;
    pedido.titulo = QStringLiteral("Buscar por R.F.C.");
    pedido.inicial = m_cliente.rfc;
    pedido.maximo = largoMaximo(Campo::Rfc);
    const Prompts::TextAnswer respuesta = m_context.prompts().texto(pedido);
    // An empty text would find any customer at all.
    if (respuesta.cancelado || respuesta.texto.trimmed().isEmpty())
        return false;
    return buscarRfc(respuesta.texto.trimmed());
}

bool FacturaCuenta::buscarClave() {
    Prompts::NumberRequest pedido;
    pedido.titulo = QStringLiteral("Buscar por clave");
    pedido.minimo = 1;
    pedido.maximo = 999999999999999;
    pedido.mostrarAbierto = false;
    const Prompts::NumberAnswer respuesta = m_context.prompts().numero(pedido);
    return !respuesta.cancelado && buscarClave(respuesta.numero);
}

void FacturaCuenta::nuevo() {
    // A failed read leaves the key empty (0): storing takes the key anyway.
    const std::optional<qint64> clave = ClientesLocales(m_context.baseDatos()).claveSiguiente();
    m_cliente = ClienteFiscal{};
    m_cliente.cveCliente = clave.value_or(0);
    m_registrado = false;
}

bool FacturaCuenta::rfcValido(const QString& rfc) {
    const qsizetype largo = rfc.trimmed().size();
    return largo == 12 || largo == 13;
}

bool FacturaCuenta::completo() {
    if (rfcValido(m_cliente.rfc) && !m_cliente.razon.trimmed().isEmpty())
        return true;
    m_context.Mensaje(kDatosIncompletos, Prompts::kExclamation);
    return false;
}

std::optional<qint64> FacturaCuenta::insertar() {
    const QString valores =
        u',' + BaseDatos::Literal(m_cliente.rfc) + u',' + BaseDatos::Literal(m_cliente.razon) + u',' +
        BaseDatos::Literal(m_cliente.dirCalle) + u',' + BaseDatos::Literal(m_cliente.dirCol) + u',' +
        BaseDatos::Literal(m_cliente.dirDelMun);
    return ClientesLocales(m_context.baseDatos())
        .insertarConClaveNueva(QStringLiteral("Aceptar"), [&valores](qint64 clave) {
            return QStringLiteral(
                       "INSERT INTO Clientes(CveCliente,RFC,Razon,DirCalle,DirCol,DirDelMun) VALUES(") +
                   QString::number(clave) + valores + u')';
        });
}

bool FacturaCuenta::aceptar() {
    if (!completo())
        return false;
    if (m_registrado) {
        const bool guardado = m_context.baseDatos().ActualizarRegistros(
            QStringLiteral("Clientes"),
            QStringLiteral("RFC=") + BaseDatos::Literal(m_cliente.rfc) + QStringLiteral(", Razon=") +
                BaseDatos::Literal(m_cliente.razon) + QStringLiteral(",DirCalle=") +
                BaseDatos::Literal(m_cliente.dirCalle) + QStringLiteral(",DirCol=") +
                BaseDatos::Literal(m_cliente.dirCol) + QStringLiteral(",DirDelMun=") +
                BaseDatos::Literal(m_cliente.dirDelMun),
            QStringLiteral("cvecliente=") + QString::number(m_cliente.cveCliente));
        m_context.Mensaje(guardado ? kGuardadoCambios : kNoGuardado,
                          guardado ? Prompts::kOk : Prompts::kCritical);
        return guardado;
    }
    const std::optional<qint64> clave = insertar();
    if (!clave) {
        m_context.Mensaje(kNoInsertado, Prompts::kCritical);
        return false;
    }
    m_cliente.cveCliente = *clave;
    m_registrado = true;
    m_context.Mensaje(kGuardadoNuevo, Prompts::kOk);
    return true;
}

bool FacturaCuenta::imprimir() {
    if (!completo())
        return false;
    const ContextoImpresion impresion = contextoImpresion(m_context);
    const std::optional<qint32> impresora = ImpresorasTerminal(impresion).fiscal();
    if (!impresora)
        return false;
    BaseDatos& baseDatos = m_context.baseDatos();
    if (baseDatos.ConsultarCampo(QStringLiteral("Facturada"), QStringLiteral("Cuenta"), cuentaSql())
                .toInt() != 0 &&
        m_context.Mensaje(kYaFacturada, Prompts::kYesNo) != Prompts::kAnswerYes)
        return false;

    // Every line laid out from the left in the ticket's width; a name or an address longer than the
    // width goes on in a second line rather than being cut.
    const int ancho = impresion.ancho();
    const auto linea = [ancho](const QString& texto) {
        return AlinearTexto(texto, ancho, kAlinearIzquierda, false);
    };
    QString cuenta = QString::number(m_idComanda);
    if (m_control != 1)
        cuenta += u'-' + QString::number(m_control);
    QStringList lineas{
        linea(TextFormat::date(m_context.ahora().date(), u"dddd, d mmm yyyy") + QStringLiteral(" Cuenta:") +
              cuenta),
        QStringLiteral("<N>") + linea(m_cliente.razon),
        linea(m_cliente.dirCalle),
        linea(m_cliente.dirCol),
        linea(m_cliente.dirDelMun),
        linea(QStringLiteral("R.F.C. ") + m_cliente.rfc),
    };
    const std::optional<QStringList> resumen =
        LineasResumenConsumo(m_context, m_idComanda, m_control, m_numCuenta);
    if (!resumen)
        return false;
    lineas += *resumen;
    for (QString& texto : lineas)
        texto = BaseDatos::DuplicarComillas(texto);

    ColaImpresion cola(baseDatos);
    const qint32 trabajo =
        cola.AbrirTrabajo(TipoDocumento::kFactura, static_cast<double>(*impresora), QStringLiteral("System"));
    if (trabajo == 0)
        return false;
    // A job never closed is never printed: a failure below leaves it so, and the account unmarked.
    TransaccionBD tx(baseDatos, QStringLiteral("Imprimir"));
    return tx.hacer([&] {
        if (cola.AgregarYCerrar(tx, trabajo, lineas))
            tx.cambiar(QStringLiteral("UPDATE Cuenta SET Facturada=1 WHERE ") + cuentaSql());
    });
}

} // namespace nerin
