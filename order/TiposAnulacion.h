#pragma once

#include <QList>
#include <QString>

namespace nerin {

class BaseDatos;

// A reason for cancelling an item already sent to the kitchen.
struct RazonAnulacion {
    qint32 id = 0;
    QString nombre;
    // Whether the item's stock goes back; the server applies it.
    bool regresaExistencia = false;
};

// The reasons the restaurant has set up, as the reason chooser lists them.
class TiposAnulacion {
public:
    explicit TiposAnulacion(BaseDatos& baseDatos) : m_baseDatos(baseDatos) {}

    // Reads the reasons; false when the query failed (reported by the data layer), leaving none.
    bool cargar();
    const QList<RazonAnulacion>& lista() const { return m_lista; }

private:
    BaseDatos& m_baseDatos;
    QList<RazonAnulacion> m_lista;
};

} // namespace nerin
