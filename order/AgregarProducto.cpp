#include "order/AgregarProducto.h"

#include "data/BaseDatos.h"
#include "keyboards/Prompts.h"
#include "order/ComandaActual.h"
#include "order/Paquetes.h"
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

int AgregarProducto::seleccionado(int fila) {
    const int producto = m_comanda.cuadricula().productoDe(fila);
    if (producto < 0)
        m_comanda.context().Mensaje(QStringLiteral("Requiere elegir un producto a repetir!"),
                                    Prompts::kExclamation);
    return producto;
}

void AgregarProducto::noSePudo() {
    m_comanda.context().Mensaje(QStringLiteral("No fue posible repetir, revisar comanda"),
                                Prompts::kExclamation);
}

void AgregarProducto::copiarModificadores(int origen, int destino, Repeticion& repeticion) {
    CuadriculaComanda& cuadricula = m_comanda.cuadricula();
    const LineaComanda producto = cuadricula.lineas().at(origen);
    QList<LineaComanda> modificadores;
    for (int i = origen + 1; i < cuadricula.finDeProducto(origen); ++i)
        if (cuadricula.lineas().at(i).tipo == TipoLinea::Modificador)
            modificadores << cuadricula.lineas().at(i);
    if (modificadores.isEmpty())
        return;
    // Modifiers the kitchen has already had belong to that dish only.
    if (producto.preparado) {
        if (!repeticion.avisado)
            m_comanda.context().Mensaje(
                QStringLiteral("Los modificadores ya preparados no se pueden repetir!"),
                Prompts::kExclamation);
        repeticion.avisado = true;
        return;
    }
    int debajo = destino + 1;
    for (const LineaComanda& modificador : std::as_const(modificadores)) {
        LineaComanda copia;
        copia.tipo = modificador.tipo;
        copia.id = modificador.id;
        copia.texto = modificador.texto;
        copia.precio = modificador.precio;
        cuadricula.insertar(debajo++, copia);
    }
}

bool AgregarProducto::repetirLinea(int producto, Repeticion& repeticion) {
    CuadriculaComanda& cuadricula = m_comanda.cuadricula();
    const LineaComanda original = cuadricula.lineas().at(producto);
    Paquetes paquetes(m_comanda, *this);
    if (original.tipo == TipoLinea::Componente) {
        const int cabeza = cuadricula.cabezaDe(producto);
        if (cabeza < 0) {
            m_comanda.context().Mensaje(QStringLiteral("No se ha ingresado ningun paquete"),
                                        Prompts::kExclamation);
            return false;
        }
        const auto agregada = paquetes.agregarComponente(cabeza, original.id);
        if (agregada)
            copiarModificadores(producto, agregada->fila, repeticion);
        return agregada.has_value();
    }
    // A stored line of a package shown as ">>" is no package of its own to repeat.
    if (original.tipo == TipoLinea::Paquete && !cuadricula.esCabeza(producto)) {
        noSePudo();
        return false;
    }
    const bool esPaquete = original.tipo == TipoLinea::Paquete;
    QList<int> componentes;
    for (int i = producto + 1; esPaquete && i < cuadricula.finDePaquete(producto); ++i)
        if (cuadricula.cabezaDe(i) == producto)
            componentes << i;
    // A package goes after the whole package it repeats; its components after it, each within its
    // section's allowance for the new head, so that no copy brings components beyond them.
    const auto agregada = AñadirProductoAComanda(original.id, original.tipo, original.seccion,
                                                 esPaquete ? cuadricula.finDePaquete(producto) - 1 : producto,
                                                 repeticion.precio);
    if (!agregada) {
        noSePudo();
        return false;
    }
    // The price typed for the first copy of an open-price product serves the others.
    repeticion.precio = cuadricula.lineas().at(agregada->fila).precio;
    copiarModificadores(producto, agregada->fila, repeticion);
    bool completo = true;
    for (int componente : std::as_const(componentes)) {
        const auto otro =
            paquetes.agregarComponente(agregada->fila, cuadricula.lineas().at(componente).id, false);
        if (otro)
            copiarModificadores(componente, otro->fila, repeticion);
        completo = completo && otro.has_value();
    }
    if (!completo)
        noSePudo();
    m_comanda.CalculaTotal();
    return completo;
}

bool AgregarProducto::repetirUna(int fila) {
    const int producto = seleccionado(fila);
    if (producto < 0)
        return false;
    Repeticion repeticion;
    return repetirLinea(producto, repeticion);
}

bool AgregarProducto::repetir(int fila) {
    TerminalContext& context = m_comanda.context();
    const int producto = seleccionado(fila);
    if (producto < 0)
        return false;
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
    // Every copy goes in after the line repeated, so that line keeps its row.
    Repeticion repeticion;
    for (qint64 i = 0; i < cantidad.numero; ++i)
        if (!repetirLinea(producto, repeticion))
            break;
    m_comanda.CalculaTotal();
    return true;
}

} // namespace nerin
