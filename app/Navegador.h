#pragma once

#include "startup/Navegacion.h"
#include "tables/FrmListaMesas.h"

#include <QString>
#include <memory>

namespace nerin {

class AccessScreen;
class FrmFunciones;
class TerminalContext;
class frmComanda;
class frmMesasAbiertas;

// The program's routes between screens. A route whose screen is not part of this version tells the
// person so and leaves them where they are.
class Navegador : public Navegacion {
public:
    Navegador(TerminalContext& context, AccessScreen& acceso);
    ~Navegador() override;

    // Screens open full screen (the default) or in 1024x768 windows for development.
    void setPantallaCompleta(bool completa) { m_pantallaCompleta = completa; }

    void mesasAbiertas(ModoMesas modo) override;
    bool mesaNueva() override;
    void comanda(const Orden& orden) override;
    bool elegirCuenta(qint32 idComanda, qint32 control, bool pagar) override;
    bool funciones() override;
    void transferirMesas(qint32 idComanda, qint32 control, qint16 numMesa) override;
    bool cortesias(qint32 idComanda, qint32 control, const QString& titulo) override;
    Checada checador(qint16 idEmpleado) override;
    void registroTarjetas() override;
    void caja(qint32 idComanda, qint32 control, qint16 numCuenta) override;
    std::optional<qint64> elegirCliente() override;
    std::optional<TarjetaCliente> tarjetaCliente(const QString& titulo, bool enLinea) override;
    bool abrir(Pantalla pantalla) override;
    bool autorizar(int permiso, const QString& titulo) override;
    std::optional<qint32> autorizante(int permiso, const QString& titulo) override;

private:
    // Tells the person that `pantalla` is not part of this version; always false.
    bool noDisponible(const QString& pantalla);
    void ocultarFunciones();
    // What a supervisor list asked for as it closed: the open tables, or signing out.
    void despuesDeLista(FrmListaMesas::Salida salida, const QString& pantalla);
    // A screen kept between uses, made the first time it is asked for: full screen, or in a window.
    template <typename Ventana> Ventana& mantenida(std::unique_ptr<Ventana>& ventana);

    TerminalContext& m_context;
    AccessScreen& m_acceso;
    bool m_pantallaCompleta = true;
    // The order screen is made once and kept: it is hidden, not unloaded, between orders.
    std::unique_ptr<frmComanda> m_frmComanda;
    std::unique_ptr<frmMesasAbiertas> m_frmMesasAbiertas;
    // The functions menu is kept too; it steps back whenever the open tables or an order take the front.
    std::unique_ptr<FrmFunciones> m_frmFunciones;
};

} // namespace nerin
