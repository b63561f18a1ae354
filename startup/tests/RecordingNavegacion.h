#pragma once

#include "startup/Navegacion.h"

#include <QStringList>
#include <functional>

namespace nerin::fakes {

// Remembers every route a screen asked for, one line each ("comanda 4/1 cuenta 1 tipo N").
class RecordingNavegacion : public Navegacion {
public:
    void mesasAbiertas(ModoMesas modo) override {
        rutas.append(QStringLiteral("mesasAbiertas %1").arg(static_cast<int>(modo)));
    }
    bool mesaNueva() override {
        rutas.append(QStringLiteral("mesaNueva"));
        return false;
    }
    void comanda(const Orden& orden) override {
        rutas.append(QStringLiteral("comanda %1/%2 cuenta %3 tipo %4%5")
                         .arg(orden.idComanda)
                         .arg(orden.control)
                         .arg(orden.numCuenta)
                         .arg(orden.tipo.isEmpty() ? QStringLiteral("-") : orden.tipo,
                              orden.pagar ? QStringLiteral(" pagar") : QString()));
    }
    bool elegirCuenta(qint32 idComanda, qint32 control, bool pagar) override {
        rutas.append(QStringLiteral("elegirCuenta %1/%2%3")
                         .arg(idComanda)
                         .arg(control)
                         .arg(pagar ? QStringLiteral(" pagar") : QString()));
        return true;
    }
    bool funciones() override {
        rutas.append(QStringLiteral("funciones"));
        return true;
    }
    void transferirMesas(qint32 idComanda, qint32 control, qint16 numMesa) override {
        rutas.append(
            QStringLiteral("transferirMesas %1/%2 mesa %3").arg(idComanda).arg(control).arg(numMesa));
        if (alTransferir)
            alTransferir();
    }
    bool cortesias(qint32 idComanda, qint32 control, const QString& titulo) override {
        rutas.append(QStringLiteral("cortesias %1/%2 %3").arg(idComanda).arg(control).arg(titulo));
        if (alCortesias)
            alCortesias();
        return true;
    }
    Checada checador(qint16 idEmpleado) override {
        rutas.append(QStringLiteral("checador %1").arg(idEmpleado));
        return alChecar ? alChecar() : Checada::Ninguna;
    }
    void registroTarjetas() override { rutas.append(QStringLiteral("registroTarjetas")); }
    void caja(qint32 idComanda, qint32 control, qint16 numCuenta) override {
        rutas.append(QStringLiteral("caja %1/%2 cuenta %3").arg(idComanda).arg(control).arg(numCuenta));
    }
    std::optional<qint64> elegirCliente() override {
        rutas.append(QStringLiteral("elegirCliente"));
        return cliente;
    }
    std::optional<TarjetaCliente> tarjetaCliente(const QString& titulo, bool enLinea) override {
        rutas.append(QStringLiteral("tarjetaCliente %1%2")
                         .arg(titulo, enLinea ? QString() : QStringLiteral(" offline")));
        return tarjeta;
    }

    bool abrir(Pantalla pantalla) override {
        rutas.append(QStringLiteral("abrir %1").arg(static_cast<int>(pantalla)));
        return disponible;
    }
    bool autorizar(int permiso, const QString& titulo) override {
        rutas.append(QStringLiteral("autorizar %1 %2").arg(permiso).arg(titulo));
        return autorizado;
    }
    std::optional<qint32> autorizante(int permiso, const QString& titulo) override {
        return autorizar(permiso, titulo) ? std::optional<qint32>(empleadoAutoriza) : std::nullopt;
    }

    QStringList rutas;
    bool disponible = true;             // whether the menu's screens are available
    bool autorizado = true;             // what the authorisation window answers
    qint32 empleadoAutoriza = 2;        // whose card it accepted (the demo's manager)
    std::function<Checada()> alChecar;  // what the clock-in screen does while it stands
    std::function<void()> alTransferir; // what the transfer screens do while they stand
    std::function<void()> alCortesias;  // what the courtesy screen does while it stands
    std::optional<qint64> cliente;      // what the customer screen answers

    std::optional<TarjetaCliente> tarjeta; // what the loyalty card window accepts
};

} // namespace nerin::fakes
