#include "order/MenuProductos.h"

#include "data/BaseDatos.h"
#include "keyboards/Prompts.h"
#include "order/AgregarProducto.h"
#include "order/ComandaActual.h"
#include "order/TablasTemporales.h"
#include "startup/TerminalContext.h"

namespace nerin {

MenuProductos::MenuProductos(ComandaActual& comanda) : m_comanda(comanda) {}

QString MenuProductos::caption(const QString& nombreBoton, qint64 cuenta) {
    QString texto = nombreBoton;
    texto.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    if (cuenta != 0)
        texto += QStringLiteral("\n(") + QString::number(cuenta) + QLatin1Char(')');
    return texto;
}

QString MenuProductos::unoMas(const QString& caption) {
    if (caption.endsWith(QLatin1Char(')'))) {
        const qsizetype abre = caption.lastIndexOf(QLatin1Char('('));
        bool ok = false;
        const qint64 cuenta = caption.mid(abre + 1, caption.size() - abre - 2).toLongLong(&ok);
        if (abre >= 0 && ok)
            return caption.left(abre + 1) + QString::number(cuenta + 1) + QLatin1Char(')');
    }
    return caption + QStringLiteral("\n(1)");
}

std::optional<QList<MenuProductos::Boton>> MenuProductos::botones(const QString& sql) {
    const auto filas = m_comanda.context().baseDatos().AbrirRecordset(sql);
    if (!filas) {
        m_comanda.registrarError(QStringLiteral("CrearBotonesMenu"));
        return std::nullopt;
    }
    QList<Boton> lista;
    const int cId = filas->columnIndex(u"ID_SubMenu");
    const int cNombre = filas->columnIndex(u"Nombre_SubMenu");
    for (const QList<DbValue>& fila : filas->rows())
        lista.append(
            {static_cast<qint32>(fila.value(cId).toInt()), caption(fila.value(cNombre).toString(), 0), true});
    return lista;
}

std::optional<QList<MenuProductos::Boton>> MenuProductos::submenus() {
    return botones(
        QStringLiteral("SELECT sub.ID_SubMenu,Nombre_SubMenu FROM SubMenu sub, SubmenuxMenu men WHERE "
                       "sub.id_submenu = men.id_submenu AND men.Id_Menu = (SELECT Id_Menu FROM Terminal "
                       "WHERE Id_Terminal=") +
        QString::number(m_comanda.context().terminal) + QStringLiteral(") ORDER BY Orden,Nombre_SubMenu"));
}

std::optional<QList<MenuProductos::Boton>> MenuProductos::fijos() {
    return botones(
        QStringLiteral(
            "SELECT * FROM SubMenu sub, SubmenuxMenu men WHERE Submenu_Fijo=1 AND sub.id_submenu "
            "= men.id_submenu AND men.id_menu=(SELECT Id_Menu FROM Terminal WHERE Id_Terminal = ") +
        QString::number(m_comanda.context().terminal) + QStringLiteral(") ORDER By Orden,Nombre_Submenu"));
}

std::optional<MenuProductos::Productos> MenuProductos::MostrarProductosSubMenu(qint32 submenu) {
    BaseDatos& bd = m_comanda.context().baseDatos();
    const QString id = QString::number(submenu);
    Productos productos;
    productos.titulo = bd.ConsultarCampo(QStringLiteral("Nombre_Submenu"), QStringLiteral("SubMenu"),
                                         QStringLiteral("ID_Submenu=") + id)
                           .toString();
    std::optional<RecordSet> filas;
    {
        const TablasTemporales temporales(m_comanda,
                                          {QStringLiteral("#TempMenu"), QStringLiteral("#TempPXC")},
                                          QStringLiteral("MostrarProductosSubMenu"));
        if (bd.EjecutarSQL(
                QStringLiteral(
                    "SELECT Producto.ID_Producto,Nombre_Boton,Producto.Existencia INTO #TempMenu FROM "
                    "ProductosXSubmenu,Producto WHERE ProductosXSubmenu.ID_Producto=Producto.ID_Producto "
                    "AND ID_Submenu=") +
                id + QStringLiteral(" AND Estado='A' ORDER BY Orden,Nombre_Boton")) &&
            bd.EjecutarSQL(
                QStringLiteral(
                    "SELECT ID_Producto,COUNT(ID_Producto) AS Cant INTO #TempPXC FROM ProductosXCuenta "
                    "WHERE ID_Comanda=") +
                QString::number(m_comanda.IDComanda) + QStringLiteral(" AND Control=") +
                QString::number(m_comanda.Control) + QStringLiteral(" AND Num_Cuenta=") +
                QString::number(m_comanda.NumCuenta) +
                QStringLiteral(" AND ID_Tipo_Anulacion IS NULL AND ID_Paquete IS NULL GROUP BY ID_Producto")))
            filas = bd.AbrirRecordset(QStringLiteral(
                "SELECT #TempMenu.ID_Producto,Nombre_Boton,Cant,Existencia FROM #TempMenu,#TempPXC WHERE "
                "#TempMenu.ID_Producto*=#TempPXC.ID_Producto"));
    }
    if (!filas) {
        m_comanda.registrarError(QStringLiteral("MostrarProductosSubMenu"));
        return std::nullopt;
    }
    for (const QList<DbValue>& fila : filas->rows()) {
        const auto producto = static_cast<qint32>(fila.value(0).toInt());
        const qint64 cuenta = fila.value(2).toInt() + m_comanda.cuadricula().noGuardados(producto);
        productos.botones.append(
            {producto, caption(fila.value(1).toString(), cuenta), fila.value(3).toInt() != 0});
    }
    return productos;
}

bool MenuProductos::disponible(qint32 producto) {
    return m_comanda.context()
               .baseDatos()
               .ConsultarCampo(QStringLiteral("Existencia"), QStringLiteral("Producto"),
                               QStringLiteral("Id_Producto=") + QString::number(producto))
               .toInt() != 0;
}

std::optional<RecordSet> MenuProductos::buscar(const QString& texto) {
    // The text goes between quotes with its own quotes doubled, so a search for "D'ORO" finds it
    // instead of breaking the statement.
    return m_comanda.context().baseDatos().AbrirRecordset(
        QStringLiteral(
            "SELECT Pro.ID_Producto,Nombre_Submenu,Nombre_Boton,nombre_completo,Precio_Producto,Estado FROM "
            "SubMenu SubMen, productosxsubmenu PXSubMen, Producto Pro, Vw_ImpuestosXProducto IXP WHERE "
            "PXSubMen.ID_SubMenu=SubMen.ID_SubMenu AND Pro.ID_Producto = PXSubMen.ID_Producto AND "
            "IXP.ID_Producto=Pro.ID_Producto AND Pro.Estado='A' AND IXP.Id_menu = (SELECT Id_Menu FROM "
            "Terminal WHERE Id_Terminal=") +
        QString::number(m_comanda.context().terminal) + QStringLiteral(") AND Nombre_Completo LIKE '%") +
        BaseDatos::DuplicarComillas(texto) + QStringLiteral("%'"));
}

std::optional<AgregarProducto::Agregada> MenuProductos::agregarBuscado(qint32 producto,
                                                                       AgregarProducto& agregar) {
    if (producto == 0)
        return std::nullopt;
    const qint64 activos =
        m_comanda.context()
            .baseDatos()
            .ConsultarCampo(QStringLiteral("COUNT(id_producto)"), QStringLiteral("Producto"),
                            QStringLiteral("Estado='A' AND Id_Producto=") + QString::number(producto))
            .toInt();
    if (activos == 0) {
        m_comanda.context().Mensaje(QStringLiteral("El producto con clave: ") + QString::number(producto) +
                                        QStringLiteral(" está descontinuado!"),
                                    Prompts::kExclamation);
        return std::nullopt;
    }
    return agregar.AñadirProductoAComanda(producto, TipoLinea::Producto);
}

std::optional<AgregarProducto::Agregada> MenuProductos::agregarCodigo(const QString& codigo,
                                                                      AgregarProducto& agregar) {
    BaseDatos& bd = m_comanda.context().baseDatos();
    const QString citado =
        QLatin1Char('\'') + BaseDatos::DuplicarComillas(codigo.trimmed()) + QLatin1Char('\'');
    if (!codigo.trimmed().isEmpty() &&
        bd.ConsultarCampo(QStringLiteral("count(*)"), QStringLiteral("Vw_ListaProductos"),
                          QStringLiteral("codigo_barras=") + citado)
                .toInt() != 0) {
        const auto producto =
            static_cast<qint32>(bd.ConsultarCampo(QStringLiteral("Id_Producto"), QStringLiteral("Producto"),
                                                  QStringLiteral("codigo_barras=") + citado)
                                    .toInt());
        return agregar.AñadirProductoAComanda(producto, TipoLinea::Producto);
    }
    m_comanda.context().Mensaje(QStringLiteral("No se encontró el codigo de barras!"), Prompts::kExclamation);
    return std::nullopt;
}

} // namespace nerin
