#pragma once

#include "tables/OcupacionMesa.h"

#include <QString>
#include <QtGlobal>
#include <optional>

namespace nerin {

class TerminalContext;

// The rules of the new-table screen (frmMesaNueva): checks the typed table number, asks for the
// guests, has the server open the order (Abrir_Mesa), takes the order's lock for the employee and
// opens the order screen on it through the context's Navegacion.
class MesaNueva {
public:
    // The kinds of service, sent to the server as one letter (codigo).
    enum class Servicio { Comedor, ParaLlevar, Domicilio };

    struct Resultado {
        bool abierta = false;      // the order exists, is locked for the employee and the order screen
                                   // was asked for
        bool vaciarNumero = false; // the screen empties its number box
        qint16 numMesa = -1;       // the number the order was opened with
        qint32 folio = 0;          // the new order's ID_Comanda
    };

    // The number of a take-away or delivery order when no table at all is open.
    static constexpr qint16 kMesaSinAbiertas = OcupacionMesa::kMesaSinAbiertas;
    static constexpr qint64 kMaximoHuespedes = 32767;

    explicit MesaNueva(TerminalContext& context);

    // "N", "B" or "O".
    static QString codigo(Servicio servicio);

    // "Aceptar": `numero` is the number box's text (only its digits count). Messages go to the
    // context's prompts. A refused number leaves Resultado::abierta false; a database failure is
    // reported by the data layer and also leaves it false. An order taken by another terminal the
    // moment it was opened is not shown: "Mesa en uso por " and who has it.
    Resultado Aceptar(const QString& numero, Servicio servicio);

private:
    // The waiter of the order open under `mesa`: empty when none is; no value after a failure
    // (reported).
    std::optional<QString> ocupadaPor(qint16 mesa);
    // Abrir_Mesa; false when the server refused (told or reported), with Resultado::vaciarNumero set
    // when the number was taken meanwhile.
    bool abrir(qint16 mesa, Servicio servicio, int huespedes, Resultado& resultado);

    TerminalContext& m_context;
    OcupacionMesa m_ocupacion;
};

} // namespace nerin
