#include "loyalty/ValidacionTarjeta.h"

#include "data/BaseDatos.h"
#include "keyboards/Prompts.h"
#include "loyalty/LealtadTerminal.h"
#include "loyalty/clsLealtad.h"
#include "startup/TerminalContext.h"

#include <QRegularExpression>

namespace nerin {

namespace {

constexpr qint64 kMenorTarjeta = 100000000000000; // the smallest number of 15 digits

} // namespace

bool ValidacionTarjeta::esSaldo(const QString& texto) {
    static const QRegularExpression numero(QStringLiteral("^-?[0-9]{1,15}(\\.[0-9]{1,4})?$"));
    return numero.match(texto).hasMatch();
}

ValidacionTarjeta::ValidacionTarjeta(TerminalContext& context) : m_context(context) {}

QString ValidacionTarjeta::convertir(const QString& texto) {
    const qsizetype inicio = texto.indexOf(u'%');
    if (inicio < 0)
        return QString();
    QString track = texto.mid(inicio).trimmed().toUpper();
    if (!track.contains(u'_'))
        track.append(u'_');
    return track;
}

QString ValidacionTarjeta::numeroTarjeta(const QString& track) {
    static const QRegularExpression numero(QStringLiteral("_[NÑ]([0-9]{15})(?![0-9])"));
    return numero.match(track).captured(1);
}

bool ValidacionTarjeta::esTarjetaLealtad(qint64 cveCliente) {
    return cveCliente >= kMenorTarjeta && cveCliente < kMenorTarjeta * 10;
}

bool ValidacionTarjeta::rechazar(const QString& mensaje) {
    if (!mensaje.isEmpty())
        m_context.Mensaje(mensaje, Prompts::kExclamation);
    return false;
}

bool ValidacionTarjeta::validar(const QString& texto, bool enLinea) {
    m_cliente.clear();
    m_nombre.clear();
    m_puntos.clear();
    m_pesos.clear();
    const QString track = convertir(texto);
    LealtadTerminal terminal(m_context);
    clsLealtad& lealtad = terminal.lealtad();
    lealtad.setCardTrack(track);
    lealtad.cardnumber = numeroTarjeta(track);
    if (lealtad.cardnumber.isEmpty() || !lealtad.ValidaTarjetaMD5())
        return rechazar(QString::fromUtf8(kInvalida));
    if (!enLinea) {
        m_cliente = lealtad.cardnumber;
        m_context.Mensaje(QString::fromUtf8(kOffLine), Prompts::kOk);
        return true;
    }
    lealtad.branchid = QString::number(m_context.sucursal);
    if (!lealtad.Saldo())
        return rechazar(lealtad.responsemessage);
    return reflejar(lealtad.cardnumber, lealtad.cardownername, lealtad.points, lealtad.pesos);
}

bool ValidacionTarjeta::reflejar(const QString& tarjeta, const QString& nombreServicio, const QString& puntos,
                                 const QString& pesos) {
    m_cliente.clear();
    if (!esSaldo(puntos) || !esSaldo(pesos))
        return rechazar(QString::fromUtf8(kSaldoNoValido));
    // The customer key is the card number; both card columns carry it, as text and as a number. The
    // balances go both to the previous ones and to the new ones the ticket prints: until an accrual
    // changes them, they are the same. The service's name is the owner's whole name, so surnames kept
    // apart on the row are cleared: the ticket joins the three and would print them twice.
    BaseDatos& bd = m_context.baseDatos();
    const QString nombre = BaseDatos::DuplicarComillas(nombreServicio.trimmed().left(100));
    const QString tipo = QString::number(kTipoTarjeta);
    const bool existe = bd.ConsultarCampo(QStringLiteral("COUNT(*)"), QStringLiteral("Clientes"),
                                          QStringLiteral("CveCliente=") + tarjeta)
                            .toInt() > 0;
    const bool escrito =
        existe ? bd.ActualizarRegistros(
                     QStringLiteral("Clientes"),
                     QStringLiteral("nombrecliente='") + nombre +
                         QStringLiteral("',ApPaterno=NULL,ApMaterno=NULL,idtipocliente=") + tipo +
                         QStringLiteral(",Activo=1,SaldoAnteriorP=") + puntos +
                         QStringLiteral(",SaldoAnterior=") + pesos + QStringLiteral(",NuevoSaldoP=") +
                         puntos + QStringLiteral(",NuevoSaldo=") + pesos + QStringLiteral(",Numtarjeta='") +
                         tarjeta + QStringLiteral("',Num_Tarjeta=") + tarjeta,
                     QStringLiteral("CveCliente=") + tarjeta)
               : bd.InsertarRegistro(
                     QStringLiteral("Clientes"),
                     QStringLiteral("CveCliente,nombrecliente,Numtarjeta,Num_Tarjeta,idtipocliente,Activo,"
                                    "SaldoAnteriorP,SaldoAnterior,NuevoSaldoP,NuevoSaldo"),
                     tarjeta + QStringLiteral(",'") + nombre + QStringLiteral("','") + tarjeta +
                         QStringLiteral("',") + tarjeta + u',' + tipo + QStringLiteral(",1,") + puntos +
                         u',' + pesos + u',' + puntos + u',' + pesos);
    if (!escrito)
        return false;
    m_cliente = tarjeta;
    m_nombre = nombreServicio.trimmed();
    m_puntos = puntos;
    m_pesos = pesos;
    return true;
}

} // namespace nerin
