#pragma once

#include "data/RecordSet.h"
#include "tables/MesaNueva.h"
#include "tables/MesasAbiertas.h"
#include "tables/OcupacionMesa.h"

#include <QString>
#include <optional>

namespace nerin {

class TerminalContext;

// The rules of the transfer screens: an open order moved to another table number
// (FrmTransferirMesa) or handed to another waiter (FrmTransferirMesero). Each change is one
// conditional update judged by the rows it changed, written to Bitacora in the same transaction;
// the person is told only after the transaction has ended.
class TransferirMesa {
public:
    using Servicio = MesaNueva::Servicio;
    using Fila = MesasAbiertas::Fila;

    struct Resultado {
        bool hecho = false;        // the order carries the new number (or waiter) now
        bool vaciarNumero = false; // the screen empties its number box
    };

    explicit TransferirMesa(TerminalContext& context);

    // "Aceptar" with `numero` typed (only its digits count). A dining-room number that another open
    // order carries is refused with "La mesa N está abierta por <name>"; the check and the move are one
    // statement, so of two terminals moving tables to one free number only one gets it. A take-away or
    // delivery order moved without a number gets the next free one (1000 when no table is open).
    // Moving an order to the number it already has is not an error.
    Resultado mover(const Fila& origen, const QString& numero, Servicio servicio);

    // The waiters an order can be handed to (Vw_EmpleadosDisponibles: identifier, name); no value
    // when the database failed (reported).
    std::optional<RecordSet> meseros();
    // Hands the order to waiter `idEmpleado` (`nombre` goes to Bitacora). Refused, with "Mesa en uso
    // por <name>", while another employee has the order on a screen.
    bool aMesero(const Fila& origen, qint32 idEmpleado, const QString& nombre);

private:
    // Runs `sql`, a change of one open order, as one work with its Bitacora line `linea`: true when
    // it changed the order, false when it changed nothing (the work ends with `motivo`, which the
    // caller explains), none when the database failed (already reported).
    std::optional<bool> cambiarOrden(const QString& sql, const QString& linea, const QString& motivo);
    // The INSERT of a Bitacora line saying that the order went to `destino`.
    QString lineaBitacora(const Fila& origen, const QString& destino) const;

    TerminalContext& m_context;
    OcupacionMesa m_ocupacion;
};

} // namespace nerin
