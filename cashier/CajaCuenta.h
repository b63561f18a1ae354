#pragma once

#include "text/Currency.h"

#include <QList>
#include <QString>
#include <optional>

namespace nerin {

class AbonoLealtad;
class Facturacion;
class TerminalContext;

// The rules of the payment screen for one account of an order: what it shows (total, paid, change,
// tax ratio, payments already stored), the payments taken on the payment keypad, and "Aceptar", which
// stores them, marks the account paid and, when the whole order is paid, offers the invoice, closes the
// table and prints the tickets of every account.
//
// Nothing is written before "Aceptar". The payments of one "Aceptar" are stored together or not at all:
// when the database fails on the way, none is kept, the person is told, and the new payments stay on
// the screen to be accepted again.
class CajaCuenta {
public:
    struct TipoPago {
        qint32 id = 0;
        QString nombre;
        QString clase; // "E" for cash, the only class change is given from
    };
    struct PagoGuardado {
        QString nombre;
        Currency monto;
        Currency propina;
    };
    // A payment taken on this screen and not stored yet.
    struct PagoNuevo {
        TipoPago tipo;
        QString referencia;
        Currency monto;
        Currency propina;
        bool conMonto = true; // false for a tip given alone: the amount stored is 0
    };
    // The loyalty customer of the account, as last mirrored from the service.
    struct Cliente {
        QString nombre;
        QString puntos;
        Currency pesos;
    };
    enum class Resultado {
        Permanece, // refused or failed: the screen stays with its payments
        Terminado, // stored: the screen closes
    };

    static constexpr const char* kSinCambio = "ERROR EN LAS CANTIDADES, NO ES POSIBLE DAR CAMBIO";
    static constexpr const char* kNoGuardados =
        "No se guardó ningún pago de esta cuenta. Revise la conexión y vuelva a aceptar.";
    static constexpr const char* kMontoInvalido = "El monto no es válido";
    static constexpr const char* kPropinaInvalida = "La propina no es válida";
    // The largest amount or tip one payment takes.
    static constexpr qint64 kMaximoPago = 10000000;

    CajaCuenta(TerminalContext& context, Facturacion& facturacion, AbonoLealtad& lealtad);

    // The account, set in this order; each loads the account again once the order and its terminal are
    // known, and discards payments not stored.
    void setNumero_Comanda(qint32 idComanda);
    void setNumero_Control(qint16 control);
    void setNumero_Cuenta(qint16 numCuenta);
    qint32 idComanda() const { return m_idComanda; }
    qint16 control() const { return m_control; }
    qint16 numCuenta() const { return m_numCuenta; }

    // Reads the account's total (rounded by the price rule), taxes, payments stored and guests. False
    // when the database failed (already reported).
    bool cargar();
    // Reads the payment types offered (ID_Tipo_Pago above 0).
    bool cargarTiposPago();

    Currency total() const { return m_total; }
    // Paid so far: stored payments and the new ones, tips excluded.
    Currency pagado() const;
    // Paid beyond the total; 0 when not.
    Currency cambio() const;
    Currency pendiente() const { return m_total - m_pagadoGuardado; }
    // Taxes of the live items over the account without them; 0 without a base.
    double razonImpuesto() const { return m_razonImpuesto; }
    // Some item carries no tax: the tax figure is shown in red.
    bool impuestoEnRojo() const { return m_sinImpuesto; }
    qint64 huespedes() const { return m_huespedes; }
    // The account's loyalty customer; none without one (or with a customer who is not a loyalty card).
    const std::optional<Cliente>& cliente() const { return m_cliente; }
    // Makes the loyalty card `tarjeta` (the customer key) the account's customer. False when the
    // database failed (already reported).
    bool asignarCliente(const QString& tarjeta);
    QString textoHuespedes() const;

    const QList<TipoPago>& tiposPago() const { return m_tipos; }
    const QList<PagoGuardado>& pagosGuardados() const { return m_guardados; }
    const QList<PagoNuevo>& pagosNuevos() const { return m_nuevos; }

    // Takes a payment of type `indice` (of tiposPago()) on the payment keypad, which starts with the
    // pending amount. False when cancelled or refused (a negative or too large amount or tip).
    bool agregarPago(int indice);
    // Removes new payment `indice`; stored payments cannot be removed. False for another index.
    bool borrar(int indice);
    // Asks "Número de Huéspedes" and stores the answer on the order. False when cancelled or not stored.
    bool cambiarHuespedes();

    Resultado aceptar();
    void cancelar();
    bool getCancelado() const { return m_cancelado; }

private:
    QString cuentaSql() const;
    bool guardarPagos(const QList<PagoNuevo>& pagos, bool pagada);
    bool ordenPagada();
    void cerrarMesa();
    void imprimirCuentas();
    bool cargarCliente();

    TerminalContext& m_context;
    Facturacion& m_facturacion;
    AbonoLealtad& m_lealtad;
    qint32 m_idComanda = 0;
    qint16 m_control = 0;
    qint16 m_numCuenta = 0;
    Currency m_total;
    Currency m_pagadoGuardado;
    double m_razonImpuesto = 0;
    bool m_sinImpuesto = false;
    qint64 m_huespedes = 0;
    std::optional<Cliente> m_cliente;
    QList<TipoPago> m_tipos;
    QList<PagoGuardado> m_guardados;
    QList<PagoNuevo> m_nuevos;
    bool m_cancelado = false;
};

} // namespace nerin
