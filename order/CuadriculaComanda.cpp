#include "order/CuadriculaComanda.h"

#include "data/RecordSet.h"
#include "text/PriceRounding.h"
#include "text/TextFormat.h"

namespace nerin {

namespace {

QString texto(const DbValue& valor) {
    return valor.isNull() ? QString() : valor.toString();
}

} // namespace

void CuadriculaComanda::cargar(const RecordSet& filas, bool conTiempos, const SeccionDePaquete& seccionDe) {
    m_lineas.clear();
    const int cFolio = filas.columnIndex(u"ID_ProductosXCuenta");
    const int cProducto = filas.columnIndex(u"id_producto");
    const int cNombre = filas.columnIndex(u"Nombre_Cuenta");
    const int cPrecio = filas.columnIndex(u"Precio");
    const int cGrupo = filas.columnIndex(u"ID_Grupo_Impresoras");
    const int cHora = filas.columnIndex(u"Hora_Preparacion");
    const int cTiempo = filas.columnIndex(u"Tiempo_requerido");
    const int cPaquete = filas.columnIndex(u"ID_Paquete");
    const int cComentario = filas.columnIndex(u"Comentario");
    const int cModificador = filas.columnIndex(u"Nombre_Tipo_Modificador");
    const int cTipoModificador = filas.columnIndex(u"ID_Tipo_Modificador");
    const int cPrecioModificador = filas.columnIndex(u"Precio_Modificador");
    const int cPreparado = filas.columnIndex(u"Preparado");
    const int cRetenido = filas.columnIndex(u"Retenido");
    auto valor = [](const QList<DbValue>& fila, int columna) {
        return columna >= 0 && columna < fila.size() ? fila.at(columna) : DbValue();
    };

    qint32 folioAnterior = 0;
    bool hayAnterior = false;
    qint64 tiempoAnterior = 0;
    bool hayTiempo = false;
    LineaComanda comentario;
    bool hayComentario = false;
    auto cerrarProducto = [&] {
        if (hayComentario)
            m_lineas.append(comentario);
        hayComentario = false;
    };

    for (const QList<DbValue>& fila : filas.rows()) {
        const auto folio = static_cast<qint32>(valor(fila, cFolio).toInt());
        const bool preparado = valor(fila, cPreparado).toInt() != 0;
        if (!hayAnterior || folio != folioAnterior) {
            cerrarProducto();
            hayAnterior = true;
            folioAnterior = folio;

            const qint64 tiempo = valor(fila, cTiempo).toInt();
            if (conTiempos && (!hayTiempo || tiempo != tiempoAnterior)) {
                LineaComanda encabezado;
                encabezado.tipo = TipoLinea::Tiempo;
                encabezado.texto = QStringLiteral("Tiempo:\t") + QString::number(tiempo);
                encabezado.tiempo = static_cast<qint16>(tiempo);
                m_lineas.append(encabezado);
            }
            hayTiempo = true;
            tiempoAnterior = tiempo;

            LineaComanda producto;
            producto.folio = folio;
            producto.tipo = TipoLinea::Producto;
            producto.id = static_cast<qint32>(valor(fila, cProducto).toInt());
            producto.texto = texto(valor(fila, cNombre));
            producto.precio = redondearPrecio(valor(fila, cPrecio).toCurrency());
            producto.grupoImpresoras = static_cast<qint32>(valor(fila, cGrupo).toInt());
            const DbValue hora = valor(fila, cHora);
            if (!hora.isNull())
                producto.horaPreparacion = TextFormat::dateTime(hora.toDateTime(), u"hh:mm");
            producto.preparado = preparado;
            // A held item not sent yet shows its mark again when the account is shown.
            if (preparado)
                producto.despacho = MarcaDespacho::Preparar;
            else if (valor(fila, cRetenido).toInt() != 0)
                producto.despacho = MarcaDespacho::Retener;
            const DbValue paquete = valor(fila, cPaquete);
            if (!paquete.isNull()) {
                const auto idPaquete = static_cast<qint32>(paquete.toInt());
                producto.paquete = idPaquete;
                const qint32 seccion = idPaquete == folio ? 0 : seccionDe(producto.id, idPaquete);
                if (idPaquete == folio) {
                    producto.tipo = TipoLinea::Paquete;
                } else if (seccion == 0) {
                    producto.tipo = TipoLinea::Paquete;
                    producto.texto = QStringLiteral(">>") + producto.texto;
                } else {
                    producto.tipo = TipoLinea::Componente;
                    producto.seccion = seccion;
                }
            }
            m_lineas.append(producto);

            const QString textoComentario = texto(valor(fila, cComentario));
            if (!textoComentario.isEmpty()) {
                comentario = LineaComanda();
                comentario.folio = folio;
                comentario.tipo = TipoLinea::Comentario;
                comentario.texto = textoComentario;
                comentario.preparado = preparado;
                hayComentario = true;
            }
        }
        const DbValue modificador = valor(fila, cModificador);
        if (!modificador.isNull()) {
            LineaComanda linea;
            linea.folio = folio;
            linea.tipo = TipoLinea::Modificador;
            linea.id = static_cast<qint32>(valor(fila, cTipoModificador).toInt());
            linea.texto = modificador.toString();
            linea.precio = redondearPrecio(valor(fila, cPrecioModificador).toCurrency());
            linea.preparado = preparado;
            m_lineas.append(linea);
        }
    }
    cerrarProducto();
}

int CuadriculaComanda::productoDe(int fila) const {
    for (int i = std::min(fila, size() - 1); i >= 0; --i) {
        if (m_lineas.at(i).esProducto())
            return i;
        // A serving-time header belongs to no product, and no product reaches past one.
        if (m_lineas.at(i).tipo == TipoLinea::Tiempo)
            return -1;
    }
    return -1;
}

int CuadriculaComanda::finDeProducto(int fila) const {
    int fin = fila + 1;
    while (fin < size()) {
        const TipoLinea tipo = m_lineas.at(fin).tipo;
        if (tipo != TipoLinea::Modificador && tipo != TipoLinea::Comentario)
            break;
        ++fin;
    }
    return fin;
}

std::pair<int, int> CuadriculaComanda::unidad(int fila) const {
    const int producto = productoDe(fila);
    if (producto < 0)
        return {fila, fila + 1};
    return {producto, finDeProducto(producto)};
}

int CuadriculaComanda::posicionNueva(int despuesDe) const {
    if (despuesDe < 0 || despuesDe >= size())
        return size();
    const int producto = productoDe(despuesDe);
    return producto < 0 ? despuesDe + 1 : finDeProducto(producto);
}

int CuadriculaComanda::insertar(int fila, LineaComanda linea) {
    const int donde = std::clamp(fila, 0, size());
    m_lineas.insert(donde, std::move(linea));
    return donde;
}

bool CuadriculaComanda::esCabeza(int fila) const {
    if (fila < 0 || fila >= size())
        return false;
    const LineaComanda& linea = m_lineas.at(fila);
    // A head not stored yet has neither folio nor package; a stored one is its own package.
    return linea.tipo == TipoLinea::Paquete && linea.paquete == linea.folio;
}

int CuadriculaComanda::cabezaDe(int fila) const {
    if (fila < 0 || fila >= size() || m_lineas.at(fila).tipo != TipoLinea::Componente)
        return -1;
    const qint32 paquete = m_lineas.at(fila).paquete;
    if (paquete != 0) {
        for (int i = 0; i < size(); ++i)
            if (m_lineas.at(i).folio == paquete && esCabeza(i))
                return i;
        return -1;
    }
    for (int i = fila - 1; i >= 0; --i)
        if (esCabeza(i))
            return i;
    return -1;
}

int CuadriculaComanda::finDePaquete(int cabeza) const {
    int fin = finDeProducto(cabeza);
    const qint32 folio = cabeza >= 0 && cabeza < size() ? m_lineas.at(cabeza).folio : 0;
    // A stored ">>" line of the package belongs to its block as well.
    auto delPaquete = [&](int fila) {
        const LineaComanda& linea = m_lineas.at(fila);
        return cabezaDe(fila) == cabeza ||
               (folio != 0 && linea.tipo == TipoLinea::Paquete && linea.paquete == folio && !esCabeza(fila));
    };
    while (fin < size() && delPaquete(fin))
        fin = finDeProducto(fin);
    return fin;
}

Currency CuadriculaComanda::total() const {
    Currency suma;
    for (const LineaComanda& linea : m_lineas)
        suma = suma + linea.precio;
    return suma;
}

int CuadriculaComanda::noGuardados(qint32 idProducto) const {
    int cuantos = 0;
    for (const LineaComanda& linea : m_lineas)
        if (linea.esProducto() && !linea.guardada() && linea.id == idProducto)
            ++cuantos;
    return cuantos;
}

bool CuadriculaComanda::hayNoGuardadas() const {
    for (const LineaComanda& linea : m_lineas)
        if (((linea.esProducto() || linea.tipo == TipoLinea::Modificador) && !linea.guardada()) ||
            linea.despachoPendiente)
            return true;
    return false;
}

} // namespace nerin
