#include "order/ExistenciasProductos.h"

#include "data/BaseDatos.h"
#include "keyboards/Prompts.h"
#include "startup/TerminalContext.h"

namespace nerin {

ExistenciasProductos::ExistenciasProductos(TerminalContext& context) : m_context(context) {}

std::optional<RecordSet> ExistenciasProductos::categorias() {
    return m_context.baseDatos().AbrirRecordset(
        QStringLiteral("SELECT distinct sub.* FROM Submenu sub, productosxsubmenu pxs where pxs.id_submenu = "
                       "sub.id_submenu ORDER BY Nombre_Submenu"));
}

std::optional<RecordSet> ExistenciasProductos::productos(qint32 categoria) {
    if (categoria == 0)
        return m_context.baseDatos().AbrirRecordset(
            QStringLiteral("SELECT * FROM Vw_Existencias ORDER BY Nombre_Cuenta"));
    return m_context.baseDatos().AbrirRecordset(
        QStringLiteral("SELECT * FROM Vw_Existencias WHERE Id_Categoria = ") + QString::number(categoria) +
        QStringLiteral(" ORDER BY Nombre_Cuenta"));
}

std::optional<qint64> ExistenciasProductos::fijar(qint32 producto, const QString& nombre) {
    Prompts::NumberRequest pedido;
    pedido.titulo = QStringLiteral("Ingrese la cantidad de ") + nombre;
    pedido.mostrarAbierto = false;
    const Prompts::NumberAnswer cantidad = m_context.prompts().numero(pedido);
    if (cantidad.cancelado)
        return std::nullopt;
    if (!m_context.baseDatos().EjecutarSQL(QStringLiteral("UPDATE Producto SET Existencia=") +
                                           QString::number(cantidad.numero) +
                                           QStringLiteral(" WHERE Id_Producto=") + QString::number(producto)))
        return std::nullopt;
    return cantidad.numero;
}

} // namespace nerin
