#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace nerin {

class TerminalContext;
class TransaccionBD;

// The accounts of one order: listing them and their items, splitting items off into a new account
// and joining one account into another. Every statement names the order by its number and Control.
//
// A split and a join are each one transaction in which nobody is asked anything; a failure rolls all
// of it back and is reported once it has ended. Both leave every account of the order totalled by
// Totalizar_Cuenta, courtesies included.
class CuentasComanda {
public:
    struct Articulo {
        qint64 id = 0;  // ID_ProductosXCuenta; a package's components follow their header
        QString nombre; // Nombre_Cuenta
    };

    CuentasComanda(TerminalContext& context, qint32 idComanda, qint16 control);

    // The live items of `cuenta`, a package once by its header; none when the database failed.
    std::optional<QList<Articulo>> articulos(qint16 cuenta);
    // The order's account numbers, lowest first; none when the database failed.
    std::optional<QList<qint16>> cuentas();
    // What `cuenta` holds, by button caption; none when the database failed.
    std::optional<QStringList> contenido(qint16 cuenta);

    // Whether the order may be split: not when any account has a payment ("Imposible dividir cuentas
    // que contengan pagos!", said here) or the database failed.
    bool puedeDividir();
    // Makes a new account (the highest plus 1) and moves `mover` (with their package components) from
    // `cuenta` into it; an empty list still makes the account. The new number, or none when nothing
    // changed.
    std::optional<qint16> dividir(qint16 cuenta, const QString& mesa, const QList<Articulo>& mover);

    // Whether the signed-in employee may join accounts (permission 62).
    bool puedeUnir();
    // Joins `tocada` into `seleccionada` once the person says yes to "¿Unir cuentas S y T?": its items
    // and payments move, its row goes, and the result is paid only when both were. Changing nothing:
    // the same account twice (not asked), a no, either account invoiced ("Imposible unir una cuenta
    // facturada!"). True when joined.
    bool unir(qint16 seleccionada, qint16 tocada);

    // The order's table number; -1 when the database failed.
    qint32 mesa();
    // Writes "Ver mesa N cuenta M" to the Bitacora table as the chosen account is opened.
    void ver(qint32 mesa, qint16 cuenta);

private:
    QString orden() const;
    bool moverArticulos(TransaccionBD& tx, qint16 cuenta, qint16 nueva, const QList<Articulo>& mover);

    TerminalContext& m_context;
    qint32 m_idComanda;
    qint16 m_control;
};

} // namespace nerin
