#pragma once

#include "loyalty/ClienteLocal.h"

#include <QString>
#include <optional>

namespace nerin {

class BaseDatos;
class Prompts;
class clsWebService;

// One loyalty customer as the loyalty service knows it, and the requests that register, modify,
// validate, stamp and look up that customer. Every request goes through the service's Register
// operation; its reply is read as clsLealtad reads one: a text without the frame fails with "La
// respuesta no tiene estructura JSON.", otherwise `responsemessage` is the service's message and the
// request succeeds exactly when the reply's code is "1". A call that got no reply fails with the
// client's own reason in `responsemessage`.
//
// Each request checks its fields first: every failing check is shown through Prompts, and the request
// then fails with "Validación de parámetros incorrecta." without being sent.
class clsCustomer {
public:
    static constexpr const char* kValidacion = "Validación de parámetros incorrecta.";
    static constexpr const char* kSinEstructura = "La respuesta no tiene estructura JSON.";
    static constexpr const char* kMensajeIncorrecto =
        "ResponseMessage con formato incorrecto, revisar estructura del mensaje original";

    // Only the requests and the checks (no service).
    explicit clsCustomer(Prompts& prompts);
    clsCustomer(Prompts& prompts, clsWebService& servicio);

    // A new customer with `tempcard` (OperationType I) and a change to one (U). Checks, in order:
    // `apellidos`, `nombre`, `CP` (5 digits), `Email` (the rule of emailValido), `edad` (digits),
    // `genero`, `ciudad`, `tempcard` (7 characters).
    bool Registrar();
    bool Modificar();
    // Asks the service to validate the e-mail address (V), to stamp (DS) or unstamp (QS) the
    // customer; only `tempcard` is checked, and the age goes as 0.
    bool ValidarCorreo();
    bool Sellar(bool xsello);
    // Looks up the customer of `tempcard` and `cardnumber` (S).
    bool Buscar();

    // An address of letters (either case), digits, "_", "-" and ".", with exactly one "@" that has
    // text before it and, after it, a domain holding a "." that neither starts nor ends it.
    static bool emailValido(const QString& email);

    // The request texts, or none when a check failed (shown, with `responsemessage` set).
    std::optional<QString> solicitudRegistro(const QString& operacion);
    std::optional<QString> solicitudAviso(const QString& operacion);
    std::optional<QString> solicitudBuscar();

    // Reads a reply as described above. With `campos`, a reply whose fields are not "ResponseCode"
    // and "ResponseMessage" fails with kMensajeIncorrecto.
    bool leerRespuesta(const QString& respuesta, bool campos = false);

    // Reads the customer `clave` of table Clientes into the local record; false when there is none or
    // the database failed (reported).
    bool getLocalData(BaseDatos& baseDatos, qint64 clave);

    // The local record.
    ClienteLocal local;
    void setNumTarjeta(double numero) { local.numTarjeta = QString::number(static_cast<qint64>(numero)); }
    double getNumTarjeta() const { return local.numTarjeta.toDouble(); }
    void setCveCliente(double clave) { local.cveCliente = static_cast<qint64>(clave); }
    double getCveCliente() const { return static_cast<double>(local.cveCliente); }
    void setDir1(const QString& texto) { local.dirCalle = texto; }
    QString getDir1() const { return local.dirCalle; }
    void setDir2(const QString& texto) { local.dirCol = texto; }
    QString getDir2() const { return local.dirCol; }
    void setDir3(const QString& texto) { local.dirDelMun = texto; }
    QString getDir3() const { return local.dirDelMun; }
    void setRFC(const QString& texto) { local.rfc = texto; }
    QString getRFC() const { return local.rfc; }
    void setRazon(const QString& texto) { local.razon = texto; }
    QString getRazon() const { return local.razon; }
    void setCumple(const QString& texto) { local.fechaNacimiento = texto; }
    QString getCumple() const { return local.fechaNacimiento; }
    void setTel(const QString& texto) { local.tel = texto; }
    QString getTel() const { return local.tel; }
    void setActivo(bool activo) { local.activo = activo; }
    bool getActivo() const { return local.activo; }

    qint16 tipocliente = 0;
    QString nombre;
    QString apellidos;
    QString Email;
    QString statusemail;
    QString edad; // as typed: the check refuses anything but digits
    QString genero;
    QString ciudad;
    QString CP;
    QString tempcard;
    QString cardnumber; // the permanent card, for Buscar
    QString Status;
    qint16 signs = 0;
    QString responsemessage;

private:
    bool fallo(const QString& mensaje);
    bool temporalValida();
    bool enviar(const std::optional<QString>& solicitud, bool campos = false);
    // The customer's fields in the order every registration request carries them.
    QString camposRegistro(const QString& edadEnviada, const QString& operacion) const;

    Prompts& m_prompts;
    clsWebService* m_servicio = nullptr;
};

} // namespace nerin
