#pragma once

#include "data/RecordSet.h"
#include "startup/Navegacion.h"
#include "tables/BloqueoComanda.h"

#include <QString>
#include <optional>

namespace nerin {

class AccessScreen;
class TerminalContext;

// The rules of the open-tables screen (frmMesasAbiertas): which open orders it lists, which of its
// buttons the employee may use, and what choosing a table does in each of its modes. Every screen it
// leads to is reached through the context's Navegacion; without one those routes do nothing.
class MesasAbiertas {
public:
    using Modo = Navegacion::ModoMesas;

    // "Ver mesa" and "Pagar" share one procedure; the index tells them apart.
    enum class Accion { VerMesa = 0, Pagar = 1 };

    // The order of a grid row: columns 1, 2 and 3 of Vw_MesasAbiertas.
    struct Fila {
        qint32 idComanda = 0;
        qint32 control = 0;
        qint16 numMesa = 0;
    };

    // The buttons that DatosEmpleado enables, and the employee's user name for the label.
    struct Botones {
        bool transferir = false; // permission 28
        bool abrirMesa = false;  // permission 36
        bool verMesa = false;    // permission 37
        bool pagar = false;      // permission 49
        QString usuario;
    };

    static constexpr int kColumnaImpresiones = 7; // above 0 the row is drawn in blue
    static constexpr int kAltoExtraFila = 40;     // rows are this much taller than the header row

    explicit MesasAbiertas(TerminalContext& context);

    // The open orders the employee sees, ordered by table number: every open order with permission
    // 42, else the employee's own. No value when the database failed (already reported).
    std::optional<RecordSet> Llenar_Spread();
    // The order a grid row names.
    static Fila fila(const QList<DbValue>& valores);
    // Whether a grid row is drawn in blue: its accounts have been printed.
    static bool azul(const QList<DbValue>& valores);

    Botones DatosEmpleado();

    // "Ver mesa" and "Pagar" on a row: refuses a closed order, an unprinted one (to pay) and one held
    // by another employee, each with its message; otherwise takes the order and opens it on the order
    // screen, or on the account chooser when it has several accounts. True when the order was opened
    // and this screen steps back; a chooser that is not available gives the order back.
    bool VerMesa(const Fila& fila, Accion accion);

    // "Aceptar" in courtesy mode: takes the order unless another employee holds it, shows the modal
    // courtesy screen on it and gives the order back once that screen has closed, or could not open.
    // True when the courtesy screen was shown.
    bool AceptarCortesia(const Fila& fila);

    // "Transferir": the transfer chooser for the chosen table, when there is one.
    void Transferir(const std::optional<Fila>& fila);
    // "Utilerias", and "Cancelar" in the other modes: the functions menu. True when the screen steps
    // back; false when the menu is not available.
    bool Utilerias();
    // "Salir": signs the employee out and returns to the access screen.
    void Salir(AccessScreen& acceso);

    // The table last chosen: the number of the current table for the screens that follow.
    qint16 mesaActual() const { return m_mesaActual; }
    // Whether an order has been shown on the order screen from here.
    bool comandaMostrada() const { return m_comandaMostrada; }

    static QString titulo(Modo modo);

private:
    // Refuses an order closed since the grid was read; true when it is still open.
    bool abierta(const Fila& fila);
    bool tomar(const Fila& fila, const QString& procedimiento);
    // Gives back the order taken for a route that did not open.
    void soltar(const Fila& fila);
    void errorEn(const QString& procedimiento);

    TerminalContext& m_context;
    qint16 m_mesaActual = 0;
    bool m_comandaMostrada = false;
};

} // namespace nerin
