#include "data/BaseDatos.h"

#include "crypto/MD5.h"
#include "crypto/clsRC4.h"

#include <QtGlobal>

namespace nerin {

namespace {

const QString kTituloBaseDatos = QStringLiteral("Base de Datos");
const QString kTituloEjecutar = QStringLiteral("Ejecutar");

bool terminaElPrograma(const QString& sqlState) {
    // The states after which the terminal does not go on: the link failed (08S01), the work was chosen
    // as a deadlock victim (40001), or the driver answered with its general states 37000 or 01000. In
    // each the state of the connection is unknown, and going on could record half an operation.
    return sqlState == u"08S01" || sqlState == u"37000" || sqlState == u"01000" || sqlState == u"40001";
}

} // namespace

BaseDatos::BaseDatos(ServerConnectionFactory connectionFactory, QString servidor, Bitacora& bitacora,
                     SystemMessageBox& messageBox, std::function<void()> endProgram, QString claveTarjeta)
    : m_connectionFactory(std::move(connectionFactory)), m_servidor(std::move(servidor)),
      m_bitacora(bitacora), m_messageBox(messageBox), m_endProgram(std::move(endProgram)),
      m_claveTarjeta(std::move(claveTarjeta)) {}

BaseDatos::BaseDatos(ConnectionFactory connectionFactory, Bitacora& bitacora, SystemMessageBox& messageBox,
                     std::function<void()> endProgram, QString claveTarjeta)
    : BaseDatos(
          [factory = std::move(connectionFactory)](const QString&) { return factory ? factory() : nullptr; },
          QString(), bitacora, messageBox, std::move(endProgram), std::move(claveTarjeta)) {
    m_conexionFija = true;
}

Connection& BaseDatos::connection() {
    if (!m_connection) {
        if (m_connectionFactory)
            m_connection = m_connectionFactory(m_servidor);
        if (!m_connection)
            qFatal("BaseDatos: the connection factory gave no connection");
    }
    return *m_connection;
}

bool BaseDatos::ConectarBD() {
    Connection& conexion = connection();
    if (conexion.isOpen())
        conexion.close();
    return conexion.open().isOk();
}

bool BaseDatos::ConectarBD(const QString& servidor) {
    if (m_conexionFija)
        return ConectarBD();
    if (m_connection && servidor != m_servidor) {
        m_connection->close();
        m_connection.reset();
    }
    m_servidor = servidor;
    return ConectarBD();
}

DbValue BaseDatos::ConsultarCampo(const QString& campo, const QString& tabla, const QString& condicion) {
    QString sql = QStringLiteral("SELECT ") + campo + QStringLiteral(" FROM ") + tabla;
    if (!condicion.isEmpty())
        sql += QStringLiteral(" WHERE ") + condicion;
    const Result<RecordSet> resultado = connection().query(sql);
    if (!resultado || resultado->eof())
        return DbValue(QString());
    DbValue valor = resultado->value(0);
    return valor.isNull() ? DbValue(QString()) : valor;
}

std::optional<RecordSet> BaseDatos::AbrirRecordset(const QString& sql, int /*cursorType*/, int /*lockType*/) {
    Result<RecordSet> resultado = connection().query(sql);
    if (!resultado) {
        reportarFallo(kTituloBaseDatos);
        return std::nullopt;
    }
    return std::move(resultado).value();
}

bool BaseDatos::ActualizarRegistros(const QString& tabla, const QString& valores, const QString& condicion) {
    return ejecutarRegistrandoCambio(QStringLiteral("UPDATE ") + tabla + QStringLiteral(" SET ") + valores +
                                     QStringLiteral(" WHERE ") + condicion);
}

bool BaseDatos::InsertarRegistro(const QString& tabla, const QString& campos, const QString& valores) {
    return ejecutarRegistrandoCambio(QStringLiteral("INSERT INTO ") + tabla + u'(' + campos +
                                     QStringLiteral(") VALUES(") + valores + u')');
}

bool BaseDatos::ejecutarRegistrandoCambio(const QString& sql) {
    Connection& conexion = connection();
    if (!conexion.execute(sql)) {
        m_bitacora.RegistrarErroresADO(conexion.errors());
        reportarFallo(kTituloBaseDatos);
        return false;
    }
    // A change is written as two identical lines, the form the terminal's log has for changes.
    m_bitacora.EscribirBitacora(sql);
    m_bitacora.EscribirBitacora(sql);
    return true;
}

Status BaseDatos::BorrarRegistros(const QString& tabla, const QString& condicion) {
    const QString borrar = textoBorrar(tabla, condicion);
    const QString registrar = textoRegistroBorrado(borrar);
    Connection& conexion = connection();
    // Transacciones holds the record of every deletion. Both statements run in one transaction, so
    // rows are never deleted without their record, nor recorded without being deleted.
    if (Status inicio = conexion.beginTransaction(); !inicio)
        return inicio;
    Status fallo;
    if (auto borrado = conexion.execute(borrar); !borrado)
        fallo = borrado.status();
    else if (auto registro = conexion.execute(registrar); !registro)
        fallo = registro.status();
    else if (Status fin = conexion.commit(); !fin)
        fallo = fin;
    if (!fallo.isOk())
        return conexion.rollbackAfter(std::move(fallo));
    m_bitacora.EscribirBitacora(borrar);
    return Status::ok();
}

QString BaseDatos::textoBorrar(const QString& tabla, const QString& condicion) {
    return QStringLiteral("DELETE FROM ") + tabla + QStringLiteral(" WHERE ") + condicion;
}

QString BaseDatos::textoRegistroBorrado(const QString& borrar) {
    return QStringLiteral("INSERT INTO Transacciones(Transaccion) VALUES(") + Literal(borrar) + u')';
}

bool BaseDatos::EjecutarSQL(const QString& sql) {
    if (!connection().execute(sql)) {
        reportarFallo(kTituloEjecutar);
        return false;
    }
    m_bitacora.EscribirBitacora(sql);
    return true;
}

QString BaseDatos::DuplicarComillas(const QString& texto) {
    QString doblado = texto;
    doblado.replace(u'\'', QStringLiteral("''"));
    return doblado;
}

QString BaseDatos::Literal(const QString& texto) {
    return u'\'' + DuplicarComillas(texto) + u'\'';
}

std::optional<QString> BaseDatos::NumeroTarjeta(const QString& track) const {
    // The track reads: a start sentinel, the digest of the body, "_", then the card number (as many
    // characters as the position of the "_" less one) whose first character the body leaves out.
    const qsizetype guion = track.indexOf(u'_');
    if (guion < 0)
        return std::nullopt;
    const qsizetype p = guion + 1; // the position of the "_" counting from 1
    if (p <= 2)
        return std::nullopt;
    const qsizetype longitudTarjeta = p - 1;
    const qsizetype inicioCuerpo = guion + 2;
    if (track.size() - inicioCuerpo < longitudTarjeta)
        return std::nullopt;

    const QString verificacion = track.mid(1, p - 2);
    const QString cuerpo = track.mid(inicioCuerpo);
    MD5 md5;
    if (md5.DigestStrToHexStr(cuerpo) != verificacion)
        return std::nullopt;

    const QString numeroTarjeta = track.mid(guion + 1, longitudTarjeta);
    clsRC4 rc4;
    rc4.Key(m_claveTarjeta);
    return rc4.EncryptString(numeroTarjeta, QString(), true);
}

int BaseDatos::EmpleadoDeTarjeta(const QString& track) {
    const std::optional<QString> cifrado = NumeroTarjeta(track);
    if (!cifrado)
        return 0;
    const std::optional<RecordSet> empleado = AbrirRecordset(
        QStringLiteral("SELECT ID_Empleado FROM Empleado WHERE Estado_Empleado='A' AND Num_Tarjeta=") +
        Literal(*cifrado));
    if (!empleado || empleado->eof())
        return 0;
    return static_cast<int>(empleado->value(u"ID_Empleado").toInt());
}

void BaseDatos::reportarFallo(const QString& titulo) {
    // Copies: a message box runs the event loop, during which other calls may replace the
    // connection's errors.
    const DbFailure fallo = connection().lastFailure();
    const DbErrorList errores = connection().errors();
    ReportarErrorBD(titulo, fallo, errores);
}

void BaseDatos::avisar(const QString& texto, const QString& titulo, SystemMessageBox::Icon icono) {
    // Logged before the box is shown, so the line is kept even when nobody ever closes the box.
    m_bitacora.EscribirBitacora(texto);
    m_messageBox.show(texto, titulo, icono);
}

void BaseDatos::ReportarErrorBD(const QString& titulo, const DbFailure& error, const DbErrorList& errores) {
    // Only the access-denied box is the caller's, with its title and the critical icon; the others are
    // the system's plain boxes, under the application's title.
    const QString numero = QString::number(error.number);
    m_bitacora.EscribirBitacora(QStringLiteral("ME") + numero + error.description);

    switch (error.number) {
    case DbErrorNumber::kGenericFailure: {
        const QString sqlState = errores.isEmpty() ? QString() : errores.first().sqlState;
        if (terminaElPrograma(sqlState)) {
            m_endProgram();
        } else if (sqlState == u"42000") {
            avisar(QStringLiteral("No se tiene acceso a la Base de Datos contactar a soporte"), titulo,
                   SystemMessageBox::Icon::Critical);
        } else if (sqlState == u"S1000") {
            avisar(QStringLiteral("BDME ") + errores.first().description, QString(),
                   SystemMessageBox::Icon::None);
        } else {
            avisar(QStringLiteral("BDME") + numero + u' ' + error.description + QStringLiteral(" SQLSTATE ") +
                       sqlState,
                   QString(), SystemMessageBox::Icon::None);
        }
        break;
    }
    case DbErrorNumber::kCommandText:
        m_bitacora.EscribirBitacora(numero + error.description);
        break;
    case DbErrorNumber::kObjectNotFound:
        break;
    default:
        avisar(numero + QStringLiteral(" BDME ") + error.description, QString(),
               SystemMessageBox::Icon::None);
        break;
    }
}

} // namespace nerin
