#include "customers/FichaCliente.h"

#include "keyboards/Prompts.h"
#include "loyalty/clsWebService.h"
#include "startup/TerminalContext.h"

namespace nerin {

FichaCliente::FichaCliente(TerminalContext& context, Modo modo)
    : m_context(context), m_modo(modo), m_cliente(context.prompts()), m_clientes(context.baseDatos()) {}

bool FichaCliente::usaCampo(Campo campo) const {
    switch (campo) {
    case Campo::Email:
    case Campo::Edad:
    case Campo::Genero:
    case Campo::Ciudad:
    case Campo::TarjetaTemporal:
        return m_modo == Modo::Registro;
    case Campo::Tarjeta:
        return m_modo == Modo::Local;
    default:
        return true;
    }
}

QString FichaCliente::titulo(Campo campo) {
    switch (campo) {
    case Campo::Nombre:
        return QStringLiteral("Nombre");
    case Campo::ApPaterno:
        return QStringLiteral("Apellido paterno");
    case Campo::ApMaterno:
        return QStringLiteral("Apellido materno");
    case Campo::FechaNacimiento:
        return QStringLiteral("Nacimiento");
    case Campo::DirCalle:
        return QStringLiteral("Calle");
    case Campo::DirCol:
        return QStringLiteral("Colonia");
    case Campo::DirDelMun:
        return QStringLiteral("Municipio");
    case Campo::CP:
        return QStringLiteral("Código postal");
    case Campo::RFC:
        return QStringLiteral("R.F.C.");
    case Campo::Razon:
        return QStringLiteral("Razón social");
    case Campo::Tel:
        return QStringLiteral("Teléfono");
    case Campo::Tarjeta:
        return QStringLiteral("Tarjeta");
    case Campo::Email:
        return QStringLiteral("Correo");
    case Campo::Edad:
        return QStringLiteral("Edad");
    case Campo::Genero:
        return QStringLiteral("Género");
    case Campo::Ciudad:
        return QStringLiteral("Ciudad");
    case Campo::TarjetaTemporal:
        return QStringLiteral("Tarjeta temporal");
    }
    return QString();
}

QString FichaCliente::texto(Campo campo) const {
    const ClienteLocal& l = m_cliente.local;
    switch (campo) {
    case Campo::Nombre:
        return l.nombre;
    case Campo::ApPaterno:
        return l.apPaterno;
    case Campo::ApMaterno:
        return l.apMaterno;
    case Campo::FechaNacimiento:
        return l.fechaNacimiento;
    case Campo::DirCalle:
        return l.dirCalle;
    case Campo::DirCol:
        return l.dirCol;
    case Campo::DirDelMun:
        return l.dirDelMun;
    case Campo::CP:
        return l.dirCP;
    case Campo::RFC:
        return l.rfc;
    case Campo::Razon:
        return l.razon;
    case Campo::Tel:
        return l.tel;
    case Campo::Tarjeta:
        return l.numTarjeta;
    case Campo::Email:
        return m_cliente.Email;
    case Campo::Edad:
        return m_cliente.edad;
    case Campo::Genero:
        return m_cliente.genero;
    case Campo::Ciudad:
        return m_cliente.ciudad;
    case Campo::TarjetaTemporal:
        return m_cliente.tempcard;
    }
    return QString();
}

void FichaCliente::setCampo(Campo campo, const QString& texto) {
    ClienteLocal& l = m_cliente.local;
    switch (campo) {
    case Campo::Nombre:
        l.nombre = texto;
        break;
    case Campo::ApPaterno:
        l.apPaterno = texto;
        break;
    case Campo::ApMaterno:
        l.apMaterno = texto;
        break;
    case Campo::FechaNacimiento:
        l.fechaNacimiento = texto;
        break;
    case Campo::DirCalle:
        l.dirCalle = texto;
        break;
    case Campo::DirCol:
        l.dirCol = texto;
        break;
    case Campo::DirDelMun:
        l.dirDelMun = texto;
        break;
    case Campo::CP:
        l.dirCP = texto;
        break;
    case Campo::RFC:
        l.rfc = texto;
        break;
    case Campo::Razon:
        l.razon = texto;
        break;
    case Campo::Tel:
        l.tel = texto;
        break;
    case Campo::Tarjeta:
        l.numTarjeta = texto;
        break;
    case Campo::Email:
        m_cliente.Email = texto;
        break;
    case Campo::Edad:
        m_cliente.edad = texto;
        break;
    case Campo::Genero:
        m_cliente.genero = texto;
        break;
    case Campo::Ciudad:
        m_cliente.ciudad = texto;
        break;
    case Campo::TarjetaTemporal:
        m_cliente.tempcard = texto;
        break;
    }
}

bool FichaCliente::editar(Campo campo) {
    Prompts::TextRequest pedido;
    pedido.titulo = titulo(campo);
    pedido.inicial = texto(campo);
    const Prompts::TextAnswer respuesta = m_context.prompts().texto(pedido);
    if (respuesta.cancelado)
        return false;
    setCampo(campo, respuesta.texto.trimmed());
    return true;
}

bool FichaCliente::cargar(qint64 clave) {
    if (!m_cliente.getLocalData(m_context.baseDatos(), clave))
        return false;
    m_registradoEnServicio = false;
    return true;
}

namespace {

ClientesLocales::Busqueda busquedaPor(FichaCliente::Filtro filtro, const QString& texto) {
    using Filtro = FichaCliente::Filtro;
    ClientesLocales::Busqueda busqueda;
    switch (filtro) {
    case Filtro::Nombre:
        busqueda.nombre = texto;
        break;
    case Filtro::ApPaterno:
        busqueda.apellidos = texto;
        break;
    case Filtro::Razon:
        busqueda.razon = texto;
        break;
    case Filtro::RFC:
        busqueda.rfc = texto;
        break;
    case Filtro::Tel:
        busqueda.tel = texto;
        break;
    }
    return busqueda;
}

} // namespace

std::optional<QList<ClientesLocales::Renglon>> FichaCliente::buscar(Filtro filtro) {
    static const Campo kCampos[] = {Campo::Nombre, Campo::ApPaterno, Campo::Razon, Campo::RFC, Campo::Tel};
    Prompts::TextRequest pedido;
    pedido.titulo = QStringLiteral("Buscar por ") + titulo(kCampos[static_cast<int>(filtro)]).toLower();
    const Prompts::TextAnswer respuesta = m_context.prompts().texto(pedido);
    // An empty text would list every customer: the list screen is there for that.
    if (respuesta.cancelado || respuesta.texto.trimmed().isEmpty())
        return std::nullopt;
    m_ultimaBusqueda = busquedaPor(filtro, respuesta.texto.trimmed());
    std::optional<QList<ClientesLocales::Renglon>> hallados = m_clientes.buscar(m_ultimaBusqueda);
    if (hallados && hallados->isEmpty())
        m_context.Mensaje(QString::fromUtf8(kNoEncontrado), Prompts::kExclamation);
    return hallados;
}

bool FichaCliente::registrar() {
    clsWebService servicio(m_context.urlLealtad, m_context.esperaServicio());
    clsCustomer registro(m_context.prompts(), servicio);
    registro.nombre = m_cliente.local.nombre;
    registro.apellidos = (m_cliente.local.apPaterno + u' ' + m_cliente.local.apMaterno).trimmed();
    registro.Email = m_cliente.Email;
    registro.edad = m_cliente.edad;
    registro.genero = m_cliente.genero;
    registro.ciudad = m_cliente.ciudad;
    registro.CP = m_cliente.local.dirCP;
    registro.tempcard = m_cliente.tempcard;
    if (registro.Registrar())
        return true;
    // A failed check was shown already.
    if (registro.responsemessage != QString::fromUtf8(clsCustomer::kValidacion))
        m_context.Mensaje(QStringLiteral("Error: ") + registro.responsemessage, Prompts::kExclamation);
    return false;
}

bool FichaCliente::aceptar() {
    if (clave() == 0 && m_modo == Modo::Registro && !m_registradoEnServicio) {
        if (!registrar())
            return false;
        m_registradoEnServicio = true;
        m_cliente.local.numTarjeta = m_cliente.tempcard;
        m_cliente.local.idTipoCliente = 2;
        m_cliente.local.activo = true;
    } else if (m_cliente.local.nombre.trimmed().isEmpty()) {
        m_context.Mensaje(QStringLiteral("Completar Nombre"), Prompts::kExclamation);
        return false;
    }
    if (!m_clientes.guardar(m_cliente.local)) {
        m_context.Mensaje(m_registradoEnServicio
                              ? QString::fromUtf8(kSoloLocal) +
                                    QStringLiteral("oprima Aceptar para guardarlo de nuevo.")
                              : QString::fromUtf8(ClientesLocales::kNoGuardado),
                          Prompts::kCritical);
        return false;
    }
    m_registradoEnServicio = false;
    m_context.Mensaje(QString::fromUtf8(ClientesLocales::kGuardado), Prompts::kOk);
    return true;
}

} // namespace nerin
