#include "order/Paquetes.h"

#include "data/BaseDatos.h"
#include "keyboards/Prompts.h"
#include "order/ComandaActual.h"
#include "order/MenuProductos.h"
#include "order/TablasTemporales.h"
#include "startup/TerminalContext.h"

namespace nerin {

Paquetes::Paquetes(ComandaActual& comanda, AgregarProducto& agregar)
    : m_comanda(comanda), m_agregar(agregar) {}

QString Paquetes::cuenta() const {
    return QStringLiteral("ID_Comanda=") + QString::number(m_comanda.IDComanda) +
           QStringLiteral(" AND Control=") + QString::number(m_comanda.Control) +
           QStringLiteral(" AND Num_Cuenta=") + QString::number(m_comanda.NumCuenta);
}

std::optional<QList<Paquetes::Boton>> Paquetes::botones(const QString& sql, const QString& operacion,
                                                        bool soloComponentes) {
    const auto filas = m_comanda.context().baseDatos().AbrirRecordset(sql);
    if (!filas) {
        m_comanda.registrarError(operacion);
        return std::nullopt;
    }
    const CuadriculaComanda& cuadricula = m_comanda.cuadricula();
    QList<Boton> lista;
    for (const QList<DbValue>& fila : filas->rows()) {
        const auto id = static_cast<qint32>(fila.value(0).toInt());
        // Lines not stored yet count as well, as on the product buttons.
        qint64 cuantos = fila.value(2).toInt();
        for (const LineaComanda& linea : cuadricula.lineas())
            if (linea.esProducto() && !linea.guardada() && linea.id == id &&
                (!soloComponentes || linea.tipo == TipoLinea::Componente))
                ++cuantos;
        lista.append({id, MenuProductos::caption(fila.value(1).toString(), cuantos)});
    }
    return lista;
}

std::optional<QList<Paquetes::Boton>> Paquetes::listar() {
    // Conditions on the items only belong to the outer join: packages not ordered are listed too.
    return botones(
        QStringLiteral("select pr.id_producto,pr.nombre_boton,count(pxc.id_producto) as cantidad from "
                       "productosxcuenta pxc, producto pr where pr.id_producto *= pxc.id_producto "
                       "and pr.estado='A' and pr.paquete=1 and pxc.id_comanda=") +
            QString::number(m_comanda.IDComanda) + QStringLiteral(" and pxc.control=") +
            QString::number(m_comanda.Control) +
            QStringLiteral(" and pxc.ID_Tipo_Anulacion IS NULL group by pr.id_producto,pr.nombre_boton "
                           "ORDER BY Nombre_Boton"),
        QStringLiteral("CmdPaquetes"), false);
}

std::optional<QList<Paquetes::Boton>> Paquetes::contenido(qint32 paquete) {
    BaseDatos& bd = m_comanda.context().baseDatos();
    const TablasTemporales temporales(m_comanda, {QStringLiteral("#TempMenu"), QStringLiteral("#TempPXC")},
                                      QStringLiteral("CmdPaquetes"));
    if (!bd.EjecutarSQL(
            QStringLiteral(
                "SELECT ProductosXSeccion.ID_Producto AS ID,Nombre_Boton AS Nombre INTO #TempMenu FROM "
                "Secciones_Paquete,ProductosXSeccion,Producto WHERE "
                "Secciones_Paquete.ID_Seccion_Paquete=ProductosXSeccion.ID_Seccion_Paquete AND "
                "ProductosXSeccion.ID_Producto=Producto.ID_Producto AND Secciones_Paquete.ID_Producto=") +
            QString::number(paquete)) ||
        !bd.EjecutarSQL(QStringLiteral("SELECT ID_Producto,COUNT(ID_Producto) AS Cant INTO #TempPXC FROM "
                                       "ProductosXCuenta WHERE ") +
                        cuenta() +
                        QStringLiteral(" AND ID_Tipo_Anulacion IS NULL AND NOT ID_Paquete IS NULL GROUP BY "
                                       "ID_Producto"))) {
        m_comanda.registrarError(QStringLiteral("CmdPaquetes"));
        return std::nullopt;
    }
    return botones(QStringLiteral("SELECT #TempMenu.ID,Nombre,Cant FROM #TempMenu,#TempPXC WHERE "
                                  "#TempMenu.ID*=#TempPXC.ID_Producto ORDER BY Nombre"),
                   QStringLiteral("CmdPaquetes"), true);
}

std::optional<AgregarProducto::Agregada> Paquetes::insertar(qint32 paquete) {
    // At the end, never inside another package's block, whose new components find their head above.
    return m_agregar.AñadirProductoAComanda(paquete, TipoLinea::Paquete);
}

std::optional<Paquetes::Seccion> Paquetes::seccionDe(qint32 paquete, qint32 producto) {
    const auto filas = m_comanda.context().baseDatos().AbrirRecordset(
        QStringLiteral(
            "SELECT Numero,Secciones_Paquete.ID_Seccion_Paquete FROM ProductosXSeccion,Secciones_Paquete "
            "WHERE ProductosXSeccion.ID_Seccion_Paquete=Secciones_Paquete.ID_Seccion_Paquete AND "
            "Secciones_Paquete.ID_Producto=") +
        QString::number(paquete) + QStringLiteral(" AND ProductosXSeccion.ID_Producto=") +
        QString::number(producto));
    if (!filas) {
        m_comanda.registrarError(QStringLiteral("CmdPaquetes"));
        return std::nullopt;
    }
    if (filas->eof())
        return Seccion{};
    return Seccion{static_cast<qint32>(filas->value(1).toInt()), filas->value(0).toInt()};
}

int Paquetes::ordenados(int cabeza, qint32 seccion) const {
    const CuadriculaComanda& cuadricula = m_comanda.cuadricula();
    int cuantos = 0;
    for (int i = 0; i < cuadricula.size(); ++i)
        if (cuadricula.lineas().at(i).seccion == seccion && cuadricula.cabezaDe(i) == cabeza)
            ++cuantos;
    return cuantos;
}

std::optional<AgregarProducto::Agregada> Paquetes::elegir(qint32 paquete, qint32 producto, int fila) {
    const CuadriculaComanda& cuadricula = m_comanda.cuadricula();
    // The head of this package nearest above: another package's head, or a stored component shown
    // as ">>", is never taken for it.
    int cabeza = std::min(fila, cuadricula.size() - 1);
    while (cabeza >= 0 && !(cuadricula.esCabeza(cabeza) && cuadricula.lineas().at(cabeza).id == paquete))
        --cabeza;
    if (cabeza < 0) {
        m_comanda.context().Mensaje(QStringLiteral("No se ha ingresado ningun paquete"),
                                    Prompts::kExclamation);
        return std::nullopt;
    }
    return agregarComponente(cabeza, producto);
}

std::optional<AgregarProducto::Agregada> Paquetes::agregarComponente(int cabeza, qint32 producto,
                                                                     bool avisar) {
    CuadriculaComanda& cuadricula = m_comanda.cuadricula();
    const LineaComanda cabecera = cuadricula.lineas().at(cabeza);
    const auto seccion = seccionDe(cabecera.id, producto);
    if (!seccion || seccion->id == 0)
        return std::nullopt;
    if (ordenados(cabeza, seccion->id) >= seccion->numero) {
        if (avisar)
            m_comanda.context().Mensaje(
                QStringLiteral("Ya se pidio los productos correspondientes a la sección"),
                Prompts::kExclamation);
        return std::nullopt;
    }
    const auto agregada = m_agregar.AñadirProductoAComanda(producto, TipoLinea::Componente, seccion->id,
                                                           cuadricula.finDePaquete(cabeza) - 1);
    // A stored head is named outright; a new one is the nearest head above its new components.
    if (agregada)
        cuadricula.lineas()[agregada->fila].paquete = cabecera.folio;
    return agregada;
}

QList<Paquetes::Obsequio> Paquetes::leerObsequios(QStringView lista) {
    QList<Obsequio> obsequios;
    for (QStringView par : lista.mid(3).split(u',')) {
        const QList<QStringView> partes = par.split(u':');
        bool okPromocion = false;
        bool okCantidad = false;
        const Obsequio obsequio{partes.value(0).trimmed().toInt(&okPromocion),
                                partes.size() == 2 ? partes.at(1).trimmed().toInt(&okCantidad) : 0};
        if (okPromocion && okCantidad && obsequio.promocion > 0 && obsequio.cantidad > 0)
            obsequios.append(obsequio);
    }
    return obsequios;
}

bool Paquetes::obsequiosHabilitados() const {
    return m_comanda.context().funcion(kFuncionObsequios);
}

std::optional<QList<Paquetes::Boton>> Paquetes::obsequios() {
    BaseDatos& bd = m_comanda.context().baseDatos();
    const TablasTemporales temporales(m_comanda, {QStringLiteral("#tmpObs")}, QStringLiteral("cmdMenuFijo"));
    bool hecho = bd.EjecutarSQL(QStringLiteral("CREATE TABLE #tmpObs(Id_Promocion INT,Cantidad INT)"));
    for (const Obsequio& obsequio : leerObsequios(kListaObsequios))
        hecho = hecho && bd.EjecutarSQL(QStringLiteral("INSERT INTO #tmpObs(Id_Promocion,Cantidad) VALUES(") +
                                        QString::number(obsequio.promocion) + QLatin1Char(',') +
                                        QString::number(obsequio.cantidad) + QStringLiteral(" )"));
    if (!hecho) {
        m_comanda.registrarError(QStringLiteral("cmdMenuFijo"));
        return std::nullopt;
    }
    const auto filas = bd.AbrirRecordset(QStringLiteral(
        "select pr.id_promocion as id_producto, nombre as nombre_boton,Cantidad from promocion pr "
        "inner join #tmpObs tmp on pr.id_promocion = tmp.Id_promocion ORDER BY Nombre"));
    if (!filas) {
        m_comanda.registrarError(QStringLiteral("cmdMenuFijo"));
        return std::nullopt;
    }
    QList<Boton> lista;
    for (const QList<DbValue>& fila : filas->rows())
        lista.append({static_cast<qint32>(fila.value(0).toInt()),
                      MenuProductos::caption(fila.value(1).toString(), fila.value(2).toInt())});
    return lista;
}

std::optional<QList<Paquetes::Boton>> Paquetes::productosPromocion(qint32 promocion) {
    const TablasTemporales temporales(m_comanda, {QStringLiteral("#TempPXC")}, QStringLiteral("cmdMenuFijo"));
    if (!m_comanda.context().baseDatos().EjecutarSQL(
            QStringLiteral(
                "SELECT ID_Producto,COUNT(ID_Producto) AS Cant INTO #TempPXC FROM ProductosXCuenta WHERE ") +
            cuenta() + QStringLiteral(" AND ID_Tipo_Anulacion IS NULL GROUP BY ID_Producto"))) {
        m_comanda.registrarError(QStringLiteral("cmdMenuFijo"));
        return std::nullopt;
    }
    // Only this promotion's products: every promotion's would offer gifts it does not give.
    return botones(
        QStringLiteral("SELECT pxp.Id_Producto as ID,Nombre_Boton as Nombre,isnull(Cant,0) as Cant FROM "
                       "Producto pr, ProductosxPromocion pxp,#TempPXC pxc WHERE "
                       "pxp.Id_producto*=pxc.ID_Producto and pxp.id_producto = pr.id_producto and "
                       "pxp.Id_Promocion=") +
            QString::number(promocion) + QStringLiteral(" ORDER BY Nombre_Boton"),
        QStringLiteral("cmdMenuFijo"), false);
}

std::optional<AgregarProducto::Agregada> Paquetes::agregarObsequio(qint32 promocion, qint32 producto) {
    TerminalContext& context = m_comanda.context();
    BaseDatos& bd = context.baseDatos();
    qint64 cantidad = 0;
    for (const Obsequio& obsequio : leerObsequios(kListaObsequios))
        if (obsequio.promocion == promocion)
            cantidad = obsequio.cantidad;
    const auto datos = bd.AbrirRecordset(
        QStringLiteral("SELECT (SELECT count(*) FROM ProductosxPromocion WHERE Id_Promocion=") +
        QString::number(promocion) + QStringLiteral(" AND Id_Producto=") + QString::number(producto) +
        QStringLiteral("),(SELECT count(*) FROM ProductosXCuenta WHERE ") + cuenta() +
        QStringLiteral(" AND ID_Promocion=") + QString::number(promocion) +
        QStringLiteral(" AND ID_Tipo_Anulacion IS NULL)"));
    if (!datos || datos->eof()) {
        m_comanda.registrarError(QStringLiteral("cmdMenuFijo"));
        return std::nullopt;
    }
    if (cantidad == 0 || datos->value(0).toInt() == 0) {
        context.Mensaje(QStringLiteral("El producto no es obsequio de esta promoción"),
                        Prompts::kExclamation);
        return std::nullopt;
    }
    qint64 dados = datos->value(1).toInt();
    for (const LineaComanda& linea : m_comanda.cuadricula().lineas())
        if (!linea.guardada() && linea.promocion == promocion)
            ++dados;
    if (dados >= cantidad) {
        context.Mensaje(QStringLiteral("Ya se dieron los obsequios de esta promoción"),
                        Prompts::kExclamation);
        return std::nullopt;
    }
    // A gift costs nothing, whatever its price, so no open price is asked.
    const auto agregada = m_agregar.AñadirProductoAComanda(producto, TipoLinea::Producto, 0, -1, Currency());
    if (agregada) {
        LineaComanda& linea = m_comanda.cuadricula().lineas()[agregada->fila];
        linea.precio = Currency();
        linea.precioSinImpuesto = Currency();
        linea.promocion = promocion;
        m_comanda.CalculaTotal();
    }
    return agregada;
}

} // namespace nerin
