#pragma once

#include "base/Result.h"
#include "data/Bitacora.h"
#include "data/Connection.h"
#include "data/DbValue.h"
#include "data/RecordSet.h"
#include "data/SystemMessageBox.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace nerin {

// The terminal's data operations, through which the screens read and write the restaurant database.
// Statements are built from the pieces the screens give, exactly as given: the callers quote their
// own values (DuplicarComillas).
//
// The connection is made by the factory for the current server name the first time any operation
// needs it, and kept until ConectarBD is given another server name; the operations do not open it.
// ConectarBD opens it, and an operation on a connection that is not open fails with the connection's
// own error and is reported like any other failure.
//
// Failures are reported by ReportarErrorBD: to the event log, to the user through the system's
// message box, or by ending the program when the database can no longer be reached.
class BaseDatos {
public:
    // Makes a connection, not yet open, to the database of the named server.
    using ServerConnectionFactory = std::function<std::unique_ptr<Connection>(const QString& servidor)>;
    // Makes a connection to one fixed database, whatever the server name: ConectarBD(servidor) then
    // reopens that connection as ConectarBD() does.
    using ConnectionFactory = std::function<std::unique_ptr<Connection>()>;

    // `connectionFactory` must give a connection each time it is called; `servidor` is the server
    // name until ConectarBD is given another. `endProgram` ends the process at once and does not
    // return in the real program. `claveTarjeta` is the key under which employee card numbers are
    // stored encrypted.
    BaseDatos(ServerConnectionFactory connectionFactory, QString servidor, Bitacora& bitacora,
              SystemMessageBox& messageBox, std::function<void()> endProgram, QString claveTarjeta);
    BaseDatos(ConnectionFactory connectionFactory, Bitacora& bitacora, SystemMessageBox& messageBox,
              std::function<void()> endProgram, QString claveTarjeta);

    BaseDatos(const BaseDatos&) = delete;
    BaseDatos& operator=(const BaseDatos&) = delete;

    // Closes the connection when it is open and opens it again. Shows nothing on failure: the caller
    // decides what a terminal without a database does.
    bool ConectarBD();
    // The same for the named server: a connection made for another server name replaces the current
    // one, which is closed.
    bool ConectarBD(const QString& servidor);

    // The first field of the first row of "SELECT campo FROM tabla [WHERE condicion]". No row, a NULL
    // field or any failure give an empty text; failures are neither shown nor logged, since callers
    // use this to probe for values that may be missing.
    DbValue ConsultarCampo(const QString& campo, const QString& tabla, const QString& condicion);

    // The result of a query, read into memory. The cursor and lock types are accepted for the callers'
    // sake and have no effect. A failure is reported and gives no result.
    std::optional<RecordSet> AbrirRecordset(const QString& sql, int cursorType = 3, int lockType = 3);

    // UPDATE and INSERT. Success writes the statement to the event log; a failure logs the
    // connection's error list, is reported and gives false. The WHERE of an update is always written,
    // so an empty condition is rejected by the database rather than changing every row.
    bool ActualizarRegistros(const QString& tabla, const QString& valores, const QString& condicion);
    bool InsertarRegistro(const QString& tabla, const QString& campos, const QString& valores);

    // Deletes rows and records the DELETE in Transacciones, both or neither. A failure is returned,
    // not reported: the callers handle it themselves.
    Status BorrarRegistros(const QString& tabla, const QString& condicion);
    // The statements BorrarRegistros sends: the DELETE, and the INSERT that records that DELETE in
    // Transacciones (its text, quotes doubled, so that the row reads as the statement sent).
    static QString textoBorrar(const QString& tabla, const QString& condicion);
    static QString textoRegistroBorrado(const QString& borrar);

    // Runs a statement text as given. Success writes it to the event log; a failure is reported.
    bool EjecutarSQL(const QString& sql);

    // The text with every single quote doubled, to be placed between quotes in a statement.
    static QString DuplicarComillas(const QString& texto);
    // The text as a quoted literal of a statement: between single quotes, its own quotes doubled.
    static QString Literal(const QString& texto);

    // The active employee whose card gave this magnetic track, or 0 when the track is malformed, its
    // check digest does not match, or no active employee has the card.
    int EmpleadoDeTarjeta(const QString& track);
    // The card number of this magnetic track as Empleado.Num_Tarjeta stores it (enciphered under the
    // card key, in Base64), or none when the track is malformed or its check digest does not match.
    std::optional<QString> NumeroTarjeta(const QString& track) const;

    // Reports a database failure: always to the event log, then by its number and the SQLSTATE of the
    // first entry of the error list, to the user or by ending the program. `titulo` is the title of
    // the access-denied box; every other box is a plain one under the application's title.
    void ReportarErrorBD(const QString& titulo, const DbFailure& error, const DbErrorList& errores);

    // The connection itself, for the few screens that run commands on it directly.
    Connection& connection();
    // The event log that the operations write to.
    Bitacora& bitacora() { return m_bitacora; }

private:
    bool ejecutarRegistrandoCambio(const QString& sql);
    void reportarFallo(const QString& titulo);
    void avisar(const QString& texto, const QString& titulo, SystemMessageBox::Icon icono);

    ServerConnectionFactory m_connectionFactory;
    QString m_servidor;
    bool m_conexionFija = false; // one fixed database: server names are not used
    Bitacora& m_bitacora;
    SystemMessageBox& m_messageBox;
    std::function<void()> m_endProgram;
    QString m_claveTarjeta;
    std::unique_ptr<Connection> m_connection;
};

} // namespace nerin
