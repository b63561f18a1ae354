#include "loyalty/ClientesLocales.h"

#include "data/BaseDatos.h"
#include "data/TransaccionBD.h"

#include <QStringList>

namespace nerin {

namespace {

// The text between the wildcards of a LIKE.
QString contiene(const QString& texto) {
    return QStringLiteral("'%") + BaseDatos::DuplicarComillas(texto) + QStringLiteral("%'");
}

const QString kConsultaClave =
    QStringLiteral("SELECT ISNULL(MAX(cvecliente),0)+1 FROM Clientes WHERE cvecliente < ") +
    QString::number(ClientesLocales::kPrimeraClaveTarjeta);

} // namespace

ClientesLocales::ClientesLocales(BaseDatos& baseDatos) : m_baseDatos(baseDatos) {}

std::optional<qint64> ClientesLocales::claveSiguiente() {
    const std::optional<RecordSet> filas = m_baseDatos.AbrirRecordset(kConsultaClave);
    if (!filas || filas->eof())
        return std::nullopt;
    return filas->value(0).toInt();
}

std::optional<qint64> ClientesLocales::insertarConClaveNueva(const QString& titulo,
                                                             const std::function<QString(qint64)>& insertar) {
    // A key that another terminal wrote between our reading and our insert is chosen again.
    TransaccionBD tx(m_baseDatos, titulo);
    qint64 clave = 0;
    const bool hecho = tx.hacer(
        [&] {
            const std::optional<RecordSet> filas = tx.consultar(kConsultaClave);
            if (filas && !filas->eof()) {
                clave = filas->value(0).toInt();
                tx.cambiar(insertar(clave));
            } else if (filas) {
                tx.fallar(QStringLiteral("No se obtuvo la clave del cliente"));
            }
        },
        TransaccionBD::Reintento::ConflictosYClaves);
    if (!hecho)
        return std::nullopt;
    return clave;
}

bool ClientesLocales::guardar(ClienteLocal& cliente) {
    if (cliente.cveCliente > 0)
        return actualizar(cliente);
    const QString valores = QStringList{BaseDatos::Literal(cliente.nombre),
                                        BaseDatos::Literal(cliente.apPaterno),
                                        BaseDatos::Literal(cliente.apMaterno),
                                        BaseDatos::Literal(cliente.fechaNacimiento),
                                        BaseDatos::Literal(cliente.dirCalle),
                                        BaseDatos::Literal(cliente.dirCol),
                                        BaseDatos::Literal(cliente.dirDelMun),
                                        BaseDatos::Literal(cliente.dirCP),
                                        BaseDatos::Literal(cliente.rfc),
                                        BaseDatos::Literal(cliente.razon),
                                        BaseDatos::Literal(cliente.tel),
                                        BaseDatos::Literal(cliente.numTarjeta),
                                        QString::number(cliente.idTipoCliente),
                                        cliente.activo ? QStringLiteral("1") : QStringLiteral("0")}
                                .join(QStringLiteral(", "));
    const std::optional<qint64> clave =
        insertarConClaveNueva(QStringLiteral("Aceptar"), [&valores](qint64 nueva) {
            return QStringLiteral("INSERT INTO CLIENTES(CveCliente,nombrecliente, ApPaterno, ApMaterno, "
                                  "FechaNacimiento, dircalle, dircol, dirdelmun, dircp, rfc, razon, tel, "
                                  "Numtarjeta, idtipocliente, Activo) VALUES(") +
                   QString::number(nueva) + QStringLiteral(", ") + valores + u')';
        });
    if (!clave)
        return false;
    cliente.cveCliente = *clave;
    return true;
}

bool ClientesLocales::actualizar(const ClienteLocal& cliente) {
    TransaccionBD tx(m_baseDatos, QStringLiteral("Aceptar"));
    return tx.hacer([&] {
        // None changes when the customer was deleted, or its card changed, since the screen read it.
        tx.cambiarUna(
            QStringLiteral("UPDATE Clientes SET  nombrecliente=") + BaseDatos::Literal(cliente.nombre) +
                QStringLiteral(",ApPaterno=") + BaseDatos::Literal(cliente.apPaterno) +
                QStringLiteral(",ApMaterno=") + BaseDatos::Literal(cliente.apMaterno) +
                QStringLiteral(",FechaNacimiento=") + BaseDatos::Literal(cliente.fechaNacimiento) +
                QStringLiteral(",dircalle=") + BaseDatos::Literal(cliente.dirCalle) +
                QStringLiteral(",dircol=") + BaseDatos::Literal(cliente.dirCol) +
                QStringLiteral(",dirdelmun=") + BaseDatos::Literal(cliente.dirDelMun) +
                QStringLiteral(",dircp=") + BaseDatos::Literal(cliente.dirCP) + QStringLiteral(",rfc=") +
                BaseDatos::Literal(cliente.rfc) + QStringLiteral(",razon=") +
                BaseDatos::Literal(cliente.razon) + QStringLiteral(",tel=") +
                BaseDatos::Literal(cliente.tel) + QStringLiteral(",activo=1 WHERE CveCliente=") +
                QString::number(cliente.cveCliente) +
                // A customer without a card has none stored (NULL), which no text equals.
                QStringLiteral(" and ISNULL(Numtarjeta,'')=") + BaseDatos::Literal(cliente.numTarjeta),
            QStringLiteral("Ningún cliente con la clave y la tarjeta mostradas"));
    });
}

std::optional<QList<ClientesLocales::Renglon>> ClientesLocales::buscar(const Busqueda& busqueda) {
    QStringList condiciones;
    const auto agregar = [&condiciones](const QString& texto, const QString& condicion) {
        if (!texto.trimmed().isEmpty())
            condiciones.append(condicion.arg(contiene(texto.trimmed())));
    };
    agregar(busqueda.tel, QStringLiteral(" tel like %1"));
    agregar(busqueda.nombre, QStringLiteral(" nombrecliente like %1"));
    agregar(busqueda.apellidos, QStringLiteral(" (appaterno like %1 or apmaterno like %1)"));
    agregar(busqueda.rfc, QStringLiteral(" rfc like %1"));
    agregar(busqueda.razon, QStringLiteral(" razon like %1"));
    QString sql =
        QStringLiteral("select cvecliente , numtarjeta , nombrecliente + ' ' + isnull(appaterno,'') as "
                       "Nombre , isnull(tel,'') as tel from clientes");
    if (!condiciones.isEmpty())
        sql += QStringLiteral(" where") + condiciones.join(QStringLiteral(" and"));
    const std::optional<RecordSet> filas =
        m_baseDatos.AbrirRecordset(sql + QStringLiteral(" order by cvecliente"));
    if (!filas)
        return std::nullopt;
    QList<Renglon> renglones;
    for (const QList<DbValue>& fila : filas->rows())
        renglones.append({fila.value(0).toInt(), fila.value(1).toString(), fila.value(2).toString(),
                          fila.value(3).toString()});
    return renglones;
}

} // namespace nerin
