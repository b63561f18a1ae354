#pragma once

#include "order/AgregarProducto.h"

#include <QList>
#include <QString>
#include <QStringView>
#include <optional>

namespace nerin {

class ComandaActual;

// Packages and gifts on the account shown. A package head is a "PP" line and each product chosen in
// one of its sections a "PA" line priced 0 below it; a section allows `Numero` products per head,
// counted over the head's components on the account, stored or not. Gifts are products of a
// promotion given at no charge, up to the promotion's quantity per account.
class Paquetes {
public:
    // The terminal function that offers gifts on the order screen.
    static constexpr int kFuncionObsequios = 17;
    // Which promotions the gift button offers, and how many gifts of each: "GO " then
    // "<promotion>:<quantity>" pairs separated by ",".
    static constexpr QStringView kListaObsequios = u"GO 1:1";

    struct Boton {
        qint32 id = 0; // the package, the content, the promotion or the gift product
        QString caption;
    };
    struct Obsequio {
        qint32 promocion = 0;
        qint32 cantidad = 0;
    };

    Paquetes(ComandaActual& comanda, AgregarProducto& agregar);

    // The active packages, each captioned with how many the order holds (cancelled heads left out,
    // heads not stored yet counted in). Nothing when the database failed.
    std::optional<QList<Boton>> listar();
    // The products the sections of `paquete` offer, each captioned with how many of it the account
    // holds inside packages.
    std::optional<QList<Boton>> contenido(qint32 paquete);
    // Adds a head of `paquete` at the end of the account.
    std::optional<AgregarProducto::Agregada> insertar(qint32 paquete);
    // Adds `producto` to the nearest head of `paquete` at or above row `fila`, within its section's
    // allowance. Refused with the reason shown when there is no such head ("No se ha ingresado ningun
    // paquete"), the product is in no section of the package, or the section is full.
    std::optional<AgregarProducto::Agregada> elegir(qint32 paquete, qint32 producto, int fila);
    // Adds `producto` to the package head on row `cabeza`, after the head's block, when its section
    // allows one more. `avisar` says whether a full section is told.
    std::optional<AgregarProducto::Agregada> agregarComponente(int cabeza, qint32 producto,
                                                               bool avisar = true);

    // The pairs of a gift list; malformed pairs are left out.
    static QList<Obsequio> leerObsequios(QStringView lista);
    // Whether this terminal offers gifts.
    bool obsequiosHabilitados() const;
    // The promotions of the gift list, captioned with their name and quantity.
    std::optional<QList<Boton>> obsequios();
    // The products `promocion` gives away, each captioned with how many the account holds.
    std::optional<QList<Boton>> productosPromocion(qint32 promocion);
    // Adds `producto` as a gift of `promocion`, priced 0, unless the account already has the
    // promotion's quantity of its gifts or the product is not one of the promotion's.
    std::optional<AgregarProducto::Agregada> agregarObsequio(qint32 promocion, qint32 producto);

private:
    struct Seccion {
        qint32 id = 0;
        qint64 numero = 0;
    };
    std::optional<Seccion> seccionDe(qint32 paquete, qint32 producto);
    int ordenados(int cabeza, qint32 seccion) const;
    std::optional<QList<Boton>> botones(const QString& sql, const QString& operacion, bool soloComponentes);
    QString cuenta() const;

    ComandaActual& m_comanda;
    AgregarProducto& m_agregar;
};

} // namespace nerin
