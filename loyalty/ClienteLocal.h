#pragma once

#include <QString>

namespace nerin {

// One customer as the restaurant's own table Clientes keeps it.
struct ClienteLocal {
    qint64 cveCliente = 0; // 0 until the customer is stored
    QString nombre;
    QString apPaterno;
    QString apMaterno;
    QString fechaNacimiento;
    QString dirCalle;  // street
    QString dirCol;    // district
    QString dirDelMun; // town or municipality
    QString dirCP;
    QString rfc;
    QString razon;
    QString tel;
    QString numTarjeta; // the loyalty card: the temporary one until the permanent one is activated
    int idTipoCliente = 2;
    bool activo = true;
};

} // namespace nerin
