#include "order/Modificadores.h"

#include "data/BaseDatos.h"
#include "keyboards/Prompts.h"
#include "order/ComandaActual.h"
#include "startup/TerminalContext.h"

namespace nerin {

Modificadores::Modificadores(ComandaActual& comanda) : m_comanda(comanda) {}

std::optional<int> Modificadores::productoAModificar(int filaActiva, int productos) {
    TerminalContext& context = m_comanda.context();
    const CuadriculaComanda& cuadricula = m_comanda.cuadricula();
    auto decir = [&context](const char* texto) {
        context.Mensaje(QString::fromUtf8(texto), Prompts::kExclamation);
        return std::nullopt;
    };
    if (cuadricula.size() == 0)
        return decir("No hay productos en comanda");
    if (filaActiva < 0 || filaActiva >= cuadricula.size() || productos == 0)
        return decir("Primero seleccione el artículo a modificar");
    if (productos >= 2)
        return decir("Los modificadores se aplicarán a un producto a la vez");
    const int producto = cuadricula.productoDe(filaActiva);
    if (cuadricula.lineas().at(filaActiva).preparado ||
        (producto >= 0 && cuadricula.lineas().at(producto).preparado))
        return decir("Los modificadores no aplican en productos ya preparados!");
    if (producto < 0)
        return decir("Seleccione un producto!");
    return producto;
}

std::optional<QList<Modificadores::Boton>> Modificadores::ModificarProductoMarcado(int filaActiva,
                                                                                   int productos) {
    const std::optional<int> producto = productoAModificar(filaActiva, productos);
    if (!producto)
        return std::nullopt;
    TerminalContext& context = m_comanda.context();
    const CuadriculaComanda& cuadricula = m_comanda.cuadricula();
    BaseDatos& bd = context.baseDatos();
    const DbValue grupo = bd.ConsultarCampo(
        QStringLiteral("ID_Grupo_Modificadores"), QStringLiteral("Producto"),
        QStringLiteral("ID_Producto=") + QString::number(cuadricula.lineas().at(*producto).id));
    if (grupo.isNull() || grupo.toString().isEmpty()) {
        context.Mensaje(QStringLiteral("No hay modificadores disponibles"), Prompts::kExclamation);
        return std::nullopt;
    }
    const auto filas = bd.AbrirRecordset(
        QStringLiteral(
            "SELECT TM.ID_Tipo_Modificador ,Nombre_Tipo_Modificador ,Precio_Tipo_Modificador "
            ",Fluir_automatico "
            "FROM Tipo_Modificador TM , Grupo_Modificadores GM , TiposXGrupo_Modificadores TGM WHERE "
            "GM.ID_Grupo_Modificadores = TGM.ID_Grupo_Modificadores AND TM.ID_Tipo_Modificador = "
            "TGM.ID_Tipo_Modificador AND GM.Grupo_Mod_Activo = 1 AND TM.Estado_Modificador = 'A' AND "
            "GM.ID_Grupo_Modificadores = ") +
        QString::number(grupo.toInt()));
    if (!filas) {
        m_comanda.registrarError(QStringLiteral("ModificarProductoMarcado"));
        return std::nullopt;
    }
    if (filas->eof()) {
        context.Mensaje(QStringLiteral("El producto no tiene modificadores"), Prompts::kExclamation);
        return std::nullopt;
    }
    QList<Boton> botones;
    for (const QList<DbValue>& fila : filas->rows()) {
        QString caption = fila.value(1).toString();
        caption.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
        botones.append({static_cast<qint32>(fila.value(0).toInt()), caption, fila.value(2).toCurrency()});
    }
    return botones;
}

std::optional<int> Modificadores::agregar(int producto, qint32 id, const QString& nombre,
                                          const Currency& precio) {
    LineaComanda linea;
    linea.tipo = TipoLinea::Modificador;
    linea.id = id;
    linea.texto = nombre;
    linea.precio = precio;
    CuadriculaComanda& cuadricula = m_comanda.cuadricula();
    const int fila = cuadricula.insertar(cuadricula.finDeProducto(producto), linea);
    m_comanda.CalculaTotal();
    return fila;
}

std::optional<int> Modificadores::AñadirModificadorAComanda(qint32 modificador, int filaActiva,
                                                            int productos) {
    const std::optional<int> producto = productoAModificar(filaActiva, productos);
    if (!producto)
        return std::nullopt;
    const auto datos = m_comanda.context().baseDatos().AbrirRecordset(
        QStringLiteral("SELECT ID_Tipo_Modificador, Nombre_Tipo_Modificador, Precio_Tipo_Modificador FROM "
                       "Tipo_Modificador TM WHERE TM.ID_Tipo_Modificador = ") +
        QString::number(modificador));
    if (!datos || datos->eof()) {
        m_comanda.registrarError(QStringLiteral("AñadirModificadorAComanda"));
        return std::nullopt;
    }
    return agregar(*producto, modificador, datos->value(1).toString(), datos->value(2).toCurrency());
}

std::optional<int> Modificadores::modificadorLibre(int fila) {
    TerminalContext& context = m_comanda.context();
    const CuadriculaComanda& cuadricula = m_comanda.cuadricula();
    if (cuadricula.size() == 0) {
        context.Mensaje(QStringLiteral("No hay productos en comanda"), Prompts::kExclamation);
        return std::nullopt;
    }
    if (fila < 0 || fila >= cuadricula.size()) {
        context.Mensaje(QStringLiteral("Primero seleccione el artículo a modificar"), Prompts::kExclamation);
        return std::nullopt;
    }
    const int producto = cuadricula.productoDe(fila);
    if (cuadricula.lineas().at(fila).preparado ||
        (producto >= 0 && cuadricula.lineas().at(producto).preparado)) {
        context.Mensaje(QStringLiteral("No puedes modificar productos ya preparados!"),
                        Prompts::kExclamation);
        return std::nullopt;
    }
    if (producto < 0) {
        context.Mensaje(QStringLiteral("Seleccione algun producto!"), Prompts::kExclamation);
        return std::nullopt;
    }
    Prompts::TextRequest pedido;
    pedido.titulo = QStringLiteral("MODIFICADOR DE PRODUCTO");
    m_comanda.modal = true;
    Prompts::TextAnswer texto = context.prompts().texto(pedido);
    while (!texto.cancelado && texto.texto.trimmed().size() > kLetrasLibres) {
        context.Mensaje(QStringLiteral("Solo puede utilizar 17 letras"), Prompts::kExclamation);
        pedido.inicial = texto.texto;
        texto = context.prompts().texto(pedido);
    }
    m_comanda.modal = false;
    if (texto.cancelado || texto.texto.trimmed().isEmpty())
        return std::nullopt;
    return agregar(producto, 0, QLatin1Char('*') + texto.texto.trimmed() + QLatin1Char('*'), Currency());
}

} // namespace nerin
