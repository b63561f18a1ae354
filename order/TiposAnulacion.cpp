#include "order/TiposAnulacion.h"

#include "data/BaseDatos.h"

namespace nerin {

bool TiposAnulacion::cargar() {
    m_lista.clear();
    const std::optional<RecordSet> filas =
        m_baseDatos.AbrirRecordset(QStringLiteral("SELECT * FROM Tipos_Anulacion"));
    if (!filas)
        return false;
    const int id = filas->columnIndex(u"ID_Tipo_Anulacion");
    const int nombre = filas->columnIndex(u"Nombre_Tipos_Anulacion");
    const int regresa = filas->columnIndex(u"Regresa_Existencia");
    for (const QList<DbValue>& fila : filas->rows())
        m_lista.append({static_cast<qint32>(fila.value(id).toInt()), fila.value(nombre).toString(),
                        fila.value(regresa).toInt() != 0});
    return true;
}

} // namespace nerin
