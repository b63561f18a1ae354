#pragma once

#include "loyalty/ClientesLocales.h"
#include "loyalty/clsCustomer.h"

#include <QString>
#include <optional>

namespace nerin {

class TerminalContext;

// What the customer screen does: the fields of one customer, typed on the text keyboard, found in
// table Clientes, and stored.
//
// A customer loaded from the table is on record: "Aceptar" updates its row. A new one is inserted
// under the next local key, which the screen keeps as the key IT wrote. In registration mode a new
// customer is first registered with the loyalty service (with its temporary card, which becomes the
// card on record until the permanent one is activated); when the service registered it but the row
// could not be stored, the person is told so and "Aceptar" again only stores the row, never
// registering the customer a second time.
class FichaCliente {
public:
    enum class Modo {
        Local,    // the restaurant's own record (delivery customers)
        Registro, // a new loyalty customer, registered with the service as well
    };
    enum class Campo {
        Nombre,
        ApPaterno,
        ApMaterno,
        FechaNacimiento,
        DirCalle,
        DirCol,
        DirDelMun,
        CP,
        RFC,
        Razon,
        Tel,
        Tarjeta,
        Email,
        Edad,
        Genero,
        Ciudad,
        TarjetaTemporal,
    };
    // The search keys: each looks the customer up by one field.
    enum class Filtro { Nombre, ApPaterno, Razon, RFC, Tel };

    static constexpr const char* kNoEncontrado = "Cliente no encontrado!";
    static constexpr const char* kSoloLocal =
        "El cliente quedó registrado en el servicio de lealtad, pero no se guardó en este restaurante: ";

    FichaCliente(TerminalContext& context, Modo modo);

    Modo modo() const { return m_modo; }
    // Whether the field is shown in this mode: the service's own fields only when registering.
    bool usaCampo(Campo campo) const;
    QString texto(Campo campo) const;
    void setCampo(Campo campo, const QString& texto);
    // Asks the text keyboard for the field, starting with its text; false when cancelled.
    bool editar(Campo campo);
    static QString titulo(Campo campo);

    // Loads the customer `clave` (on record from then on); false when there is none.
    bool cargar(qint64 clave);
    // Asks the text keyboard for the text and looks it up: the customers found, by key; an empty
    // list (after "Cliente no encontrado!") when none matches; none when cancelled or failed.
    std::optional<QList<ClientesLocales::Renglon>> buscar(Filtro filtro);
    // The last search buscar ran, to open the list of the customers it found.
    const ClientesLocales::Busqueda& ultimaBusqueda() const { return m_ultimaBusqueda; }

    // "Aceptar": stores the customer as above and says how it went. True when it was stored.
    bool aceptar();

    // The customer's key: 0 until stored or loaded.
    qint64 clave() const { return m_cliente.local.cveCliente; }
    // Whether the loyalty service registered the customer that "Aceptar" still has to store.
    bool registradoEnServicio() const { return m_registradoEnServicio; }

private:
    bool registrar();

    TerminalContext& m_context;
    Modo m_modo;
    clsCustomer m_cliente;
    ClientesLocales m_clientes;
    bool m_registradoEnServicio = false;
    ClientesLocales::Busqueda m_ultimaBusqueda;
};

} // namespace nerin
