#pragma once

#include "tables/OcupacionMesa.h"
#include "text/Currency.h"

#include <QList>
#include <QString>
#include <optional>

namespace nerin {

class TerminalContext;
class TransaccionBD;

// The rules of the tip and payment adjustments (FrmAjustarPropinas, FrmAjustarPagos): the payments of
// the working date (Vw_Ajuste_Pagos), a payment's tip, its type, and deleting it, which reopens its
// order.
//
// Who sees what: the signed-in employee sees the payments of the orders they waited on; permission
// 47 or 65 shows every payment; permission 56 allows deleting. Each operation says to the person what
// went wrong (nothing chosen, a payment deleted meanwhile at another terminal, a table number taken,
// a failed database, which the data layer reports once) and changes nothing then. Nobody is asked anything
// while a transaction is open.
class AjustePagos {
public:
    // A row of Vw_Ajuste_Pagos.
    struct Pago {
        qint32 idPago = 0;
        qint32 mesa = 0;
        QString tipo;
        Currency monto; // without the tip
        Currency propina;
        qint32 idEmpleado = 0; // the order's waiter
    };
    struct TipoPago {
        qint32 id = 0;
        QString nombre;
        QString clase;
    };

    static constexpr const char* kSeleccione = "Seleccione alguna cuenta para modificar!";
    static constexpr const char* kSeleccioneTipo = "Seleccione un tipo de pago!";
    static constexpr const char* kBorrado = "El pago ya fue borrado en otra terminal";
    static constexpr const char* kPropinaInvalida = "La propina no es válida";
    // A table found closed by the update yet without another order under its number: it changed
    // meanwhile, so the person is asked to try again.
    static constexpr const char* kNoBorrado =
        "No se borró el pago: la mesa cambió mientras tanto. Vuelva a intentarlo.";
    // The largest tip one payment takes, as the payment screen allows.
    static constexpr qint64 kMaximaPropina = 10000000;

    explicit AjustePagos(TerminalContext& context);

    // Reads the signed-in employee's permissions 47, 65 and 56. False when the database failed: then
    // the list is the employee's own and nothing can be deleted.
    bool cargarPermisos();
    bool todos() const { return m_todos; }
    bool puedeBorrar() const { return m_puedeBorrar; }

    // The payments the employee may adjust, oldest first; none when the database failed (reported).
    std::optional<QList<Pago>> Llenar_Spread();
    // The payment types offered (ID_Tipo_Pago above 0); none when the database failed (reported).
    std::optional<QList<TipoPago>> tiposPago();

    // "Ajustar propina": asks the new tip on the value keypad, starting at the current one (a
    // percentage is taken of the payment's amount), and writes it. True when written.
    bool ajustarPropina(const std::optional<Pago>& pago);
    // "Aceptar" of FrmAjustarPagos: writes the new type and its commission together. True when
    // written.
    bool cambiarTipo(const std::optional<Pago>& pago, std::optional<qint32> tipo);
    // "Borrar": after "¿Esta seguro de querer borrar el pago?", in one transaction, reopens the
    // payment's order, deletes the payment (recorded in Transacciones), clears the account's paid mark
    // when what is left paid is below its total, and writes Bitacora; then "La mesa fue reabierta".
    // A closed table whose number another open order carries meanwhile is refused, as reopening a
    // table refuses it. True when deleted.
    bool borrar(const std::optional<Pago>& pago);

private:
    // Why a deletion was given up: a database failure (already reported), the payment gone, the
    // table number taken.
    enum class Motivo { BaseDatos, Borrado, Ocupada };
    // The deletion's statements inside `tx`, which is left failed when it was given up; `mesa` is
    // set to the payment's table once known. What to tell when `tx` does not commit.
    Motivo borrarEn(TransaccionBD& tx, qint32 numero, qint16& mesa);
    // Runs one change of a payment in a transaction; a payment gone meanwhile (no row changed) is
    // told to the person.
    bool cambiarPago(const QString& sql, const QString& titulo);

    TerminalContext& m_context;
    OcupacionMesa m_ocupacion;
    bool m_todos = false;
    bool m_puedeBorrar = false;
};

} // namespace nerin
