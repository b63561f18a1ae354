#include "order/AgregarProducto.h"

#include "data/BaseDatos.h"
#include "keyboards/Prompts.h"
#include "order/ComandaActual.h"
#include "startup/TerminalContext.h"
#include "text/PriceRounding.h"

namespace nerin {

AgregarProducto::AgregarProducto(ComandaActual& comanda) : m_comanda(comanda) {}

std::optional<AgregarProducto::Agregada>
AgregarProducto::AñadirProductoAComanda(qint32 producto, TipoLinea tipo, qint32 seccion, int despuesDe,
                                        const std::optional<Currency>& precio) {
    TerminalContext& context = m_comanda.context();
    BaseDatos& bd = context.baseDatos();
    const QString id = QString::number(producto);
    const auto existencia =
        bd.AbrirRecordset(QStringLiteral("SELECT Existencia FROM Producto WHERE Id_Producto=") + id);
    if (!existencia) {
        m_comanda.registrarError(QStringLiteral("AñadirProductoAComanda"));
        return std::nullopt;
    }
    // Exactly 0 is sold out; a negative stock means the product is not counted.
    if (existencia->eof() || existencia->value(0).toInt() == 0) {
        context.Mensaje(QStringLiteral("Producto agotado!"), Prompts::kExclamation);
        return std::nullopt;
    }
    const auto precios =
        bd.AbrirRecordset(QStringLiteral("SELECT * FROM Vw_ImpuestosXProducto WHERE ID_Producto=") + id +
                          QStringLiteral(" AND Id_Menu = (SELECT Id_Menu FROM Terminal WHERE Id_Terminal=") +
                          QString::number(context.terminal) + QLatin1Char(')'));
    if (!precios) {
        m_comanda.registrarError(QStringLiteral("AñadirProductoAComanda"));
        return std::nullopt;
    }
    // Without a price in this terminal's menu the line would go on the account at nothing.
    if (precios->eof()) {
        context.Mensaje(QStringLiteral("El producto no tiene precio en el menú de esta terminal"),
                        Prompts::kExclamation);
        return std::nullopt;
    }

    LineaComanda linea;
    linea.tipo = tipo;
    linea.id = producto;
    linea.texto = precios->value(u"Nombre_Cuenta").toString();
    linea.grupoImpresoras = static_cast<qint32>(precios->value(u"ID_Grupo_Impresoras").toInt());
    linea.seccion = seccion > 0 ? seccion : 0;
    linea.tiempo = m_comanda.getTiempoActual();
    const bool componente = tipo == TipoLinea::Componente;
    if (!componente) {
        if (precios->value(u"Abierto").toInt() != 0 && precio) {
            linea.precio = *precio;
        } else if (precios->value(u"Abierto").toInt() != 0) {
            Prompts::ValueRequest pedido;
            pedido.titulo = QStringLiteral("Precio de ") + linea.texto;
            m_comanda.modal = true;
            const Prompts::ValueAnswer tecleado = context.prompts().valor(pedido);
            m_comanda.modal = false;
            if (tecleado.cancelado || tecleado.porcentaje || tecleado.valor < Currency())
                return std::nullopt;
            linea.precio = tecleado.valor;
        } else {
            linea.precio = redondearPrecio(precios->value(u"Precio_Producto").toCurrency());
        }
        const auto porcentaje = bd.AbrirRecordset(
            QStringLiteral("SELECT Porcentaje FROM Vw_PorcentajeXProducto WHERE Id_Producto=") + id);
        const double tasa = porcentaje && !porcentaje->eof() ? porcentaje->value(0).toDouble() : 0.0;
        linea.precioSinImpuesto = linea.precio.dividedBy(1.0 + tasa)
                                      .value_or(linea.precio)
                                      .roundedTo(2, RoundingMode::HalfAwayFromZero);
    }

    Agregada agregada;
    agregada.fila = m_comanda.cuadricula().insertar(m_comanda.cuadricula().posicionNueva(despuesDe), linea);
    if (tipo != TipoLinea::Paquete) {
        const auto fluir = bd.AbrirRecordset(
            QStringLiteral("SELECT Fluir_Automatico FROM Producto,Grupo_Modificadores WHERE "
                           "Producto.ID_Grupo_Modificadores=Grupo_Modificadores.ID_Grupo_Modificadores AND "
                           "ID_Producto=") +
            id);
        agregada.abrirModificadores = fluir && !fluir->eof() && fluir->value(0).toInt() != 0;
    }
    m_comanda.CalculaTotal();
    return agregada;
}

bool AgregarProducto::repetir(int fila) {
    CuadriculaComanda& cuadricula = m_comanda.cuadricula();
    TerminalContext& context = m_comanda.context();
    const int producto = cuadricula.productoDe(fila);
    if (producto < 0) {
        context.Mensaje(QStringLiteral("Requiere elegir un producto a repetir!"), Prompts::kExclamation);
        return false;
    }
    const LineaComanda original = cuadricula.lineas().at(producto);
    QList<LineaComanda> modificadores;
    for (int i = producto + 1; i < cuadricula.finDeProducto(producto); ++i)
        if (cuadricula.lineas().at(i).tipo == TipoLinea::Modificador)
            modificadores << cuadricula.lineas().at(i);
    Prompts::NumberRequest pedido;
    pedido.titulo = QStringLiteral("Cantidad");
    pedido.mostrarAbierto = false;
    m_comanda.modal = true;
    const Prompts::NumberAnswer cantidad = context.prompts().numero(pedido);
    m_comanda.modal = false;
    if (cantidad.cancelado)
        return false;
    // A slip of the finger must not put thousands of lines on an account.
    if (cantidad.numero < 1 || cantidad.numero > kMaximoRepeticion) {
        context.Mensaje(QStringLiteral("La cantidad debe estar entre 1 y ") +
                            QString::number(kMaximoRepeticion),
                        Prompts::kExclamation);
        return false;
    }
    // Modifiers the kitchen has already had belong to that dish only.
    if (original.preparado && !modificadores.isEmpty()) {
        context.Mensaje(QStringLiteral("Los modificadores ya preparados no se pueden repetir!"),
                        Prompts::kExclamation);
        modificadores.clear();
    }
    int despuesDe = producto;
    std::optional<Currency> precio;
    for (qint64 i = 0; i < cantidad.numero; ++i) {
        const auto agregada =
            AñadirProductoAComanda(original.id, original.tipo, original.seccion, despuesDe, precio);
        if (!agregada)
            break;
        // The price typed for the first copy of an open-price product serves the others.
        precio = cuadricula.lineas().at(agregada->fila).precio;
        int debajo = agregada->fila + 1;
        for (const LineaComanda& modificador : std::as_const(modificadores)) {
            LineaComanda copia;
            copia.tipo = modificador.tipo;
            copia.id = modificador.id;
            copia.texto = modificador.texto;
            copia.precio = modificador.precio;
            cuadricula.insertar(debajo++, copia);
        }
        despuesDe = agregada->fila;
    }
    m_comanda.CalculaTotal();
    return true;
}

} // namespace nerin
