#pragma once

#include "loyalty/ClienteLocal.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace nerin {

class BaseDatos;

// The restaurant's own customers, table Clientes: storing one, and finding them by the texts of the
// search boxes. Every text typed is quoted with its single quotes doubled. Database failures are
// reported once, by the data layer, after any transaction was rolled back.
//
// Keys from kPrimeraClaveTarjeta up are the loyalty cards' 15-digit numbers; a customer stored here
// takes the next key below them, chosen and written in one transaction, and chosen again once
// when another terminal wrote the same key first.
class ClientesLocales {
public:
    static constexpr qint64 kPrimeraClaveTarjeta = 100000000000000;
    static constexpr const char* kGuardado = "Datos Almacenados correctamente!";
    static constexpr const char* kNoGuardado = "Ocurrio un error al guardar los datos";

    // What the search boxes hold; an empty box does not narrow the search.
    struct Busqueda {
        QString tel;
        QString nombre;
        QString apellidos; // the paternal or the maternal surname
        QString rfc;
        QString razon;
    };
    struct Renglon {
        qint64 cveCliente = 0;
        QString numTarjeta;
        QString nombre; // name and paternal surname
        QString tel;
    };

    explicit ClientesLocales(BaseDatos& baseDatos);

    // The key the next customer stored here would take (1 on an empty table); none when the database
    // failed.
    std::optional<qint64> claveSiguiente();

    // Inserts a customer under the next key: `insertar` gives the INSERT for a key. The key written,
    // or none when the insert failed (reported under `titulo`).
    std::optional<qint64> insertarConClaveNueva(const QString& titulo,
                                                const std::function<QString(qint64)>& insertar);

    // Stores `cliente`: a customer with a key is updated (by its key and card), one without is
    // inserted and given the key written. False when the database failed or no row matched.
    bool guardar(ClienteLocal& cliente);

    // The customers whose fields contain every filled box's text (all of them when no box is
    // filled), by key; none when the database failed.
    std::optional<QList<Renglon>> buscar(const Busqueda& busqueda);

private:
    bool actualizar(const ClienteLocal& cliente);

    BaseDatos& m_baseDatos;
};

} // namespace nerin
