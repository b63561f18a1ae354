#pragma once

#include <QString>
#include <optional>

namespace nerin {

class TerminalContext;

// A customer's fiscal data, as table Clientes keeps it and the invoice prints it.
struct ClienteFiscal {
    qint64 cveCliente = 0; // 0 while the fields hold no key
    QString rfc;
    QString razon;
    QString dirCalle;
    QString dirCol;
    QString dirDelMun;
};

// The invoice of one paid account: the customer's fiscal data and the invoice itself, printed as an "F"
// job on the terminal's fiscal printer.
//
// On opening (cargar) the fields show the customer the account names (Cuenta.CveCliente) when that
// customer has an R.F.C., that is, is a fiscal customer; otherwise they are empty, with no key. The
// account's customer is never changed here: the invoice prints what the fields show.
//
// "Aceptar" tells a customer on record from a new one by how the fields were filled: a customer shown
// on opening or found by R.F.C. or key is on record and is updated by its key; after "Nuevo", or on
// empty fields, the customer is new and is inserted. The key "Nuevo" shows is only a proposal: the key
// is taken when inserting, in one transaction (the highest key below the loyalty cards' 15-digit keys,
// plus one), taken again once when another terminal stored that key first, and the key stored
// replaces the proposal. Once stored, the customer is on record.
//
// Storing and printing need an R.F.C. of 12 or 13 characters and a company name (kDatosIncompletos).
// Printing stops before anything is queued without a fiscal printer, and asks first when the account
// was invoiced already (kYaFacturada). The invoice's lines are queued, its job closed and the account
// marked invoiced (Cuenta.Facturada) in one transaction: the invoice prints whole, or is never
// released and the account stays as it was. The texts typed are quoted with their single quotes
// doubled in every statement. Nobody is asked anything while a transaction is open, and a database
// failure is reported once.
class FacturaCuenta {
public:
    // The fields the edit buttons change.
    enum class Campo { Rfc, Razon, DirCalle, DirCol, DirDelMun };

    FacturaCuenta(TerminalContext& context, qint32 idComanda, qint16 control, qint16 numCuenta);

    // Shows the account's fiscal customer, as above. False when the database failed (reported).
    bool cargar();

    const ClienteFiscal& cliente() const { return m_cliente; }
    // Whether "Aceptar" updates the customer shown rather than inserting a new one.
    bool registrado() const { return m_registrado; }

    // Asks the text keyboard for the field, titled as the field's edit button is, starting with its
    // text; false when cancelled.
    bool editar(Campo campo);
    void setCampo(Campo campo, const QString& texto);
    static QString titulo(Campo campo);

    // The first customer, by the highest key, whose R.F.C. contains `texto`; the one with key `clave`.
    // A customer found fills the fields; none found leaves them and tells the person. False when none
    // was found or the database failed (reported).
    bool buscarRfc(const QString& texto);
    bool buscarClave(qint64 clave);
    // The same, asking for the text or the key first; false also when cancelled.
    bool buscarRfc();
    bool buscarClave();

    // Empties the fields and proposes the next key (1 on an empty table).
    void nuevo();

    // Stores the customer ("Aceptar") and tells the person how it went. True when stored.
    bool aceptar();

    // Prints the invoice ("Imprimir"). True when it was queued whole and the account marked invoiced.
    bool imprimir();

    // Whether `rfc` has the length of an R.F.C.: 12 characters for a company, 13 for a person.
    static bool rfcValido(const QString& rfc);

    static const QString kDatosIncompletos;
    static const QString kYaFacturada;
    static const QString kSinRfc;
    static const QString kSinClave;
    static const QString kGuardadoNuevo;
    static const QString kGuardadoCambios;
    static const QString kNoInsertado;
    static const QString kNoGuardado;

private:
    bool completo();
    bool llenar(const QString& sql, const QString& noEncontrado);
    std::optional<qint64> insertar();
    // The account's condition, its columns prefixed by `tabla` ("cu.").
    QString cuentaSql(const QString& tabla = {}) const;

    TerminalContext& m_context;
    qint32 m_idComanda;
    qint16 m_control;
    qint16 m_numCuenta;
    ClienteFiscal m_cliente;
    bool m_registrado = false;
};

} // namespace nerin
