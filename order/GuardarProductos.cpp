#include "order/GuardarProductos.h"

#include "data/BaseDatos.h"
#include "data/DbCommand.h"
#include "data/TransaccionBD.h"
#include "keyboards/Prompts.h"
#include "order/ComandaActual.h"
#include "order/ComandaCocina.h"
#include "startup/TerminalContext.h"
#include "text/TextFormat.h"

#include <QHash>
#include <optional>

namespace nerin {

namespace {

DbCommand::Parameter entero(const char* nombre, qint64 valor) {
    return {QString::fromLatin1(nombre), DbCommand::ParamType::Integer, DbCommand::Direction::Input, 0,
            DbValue(valor)};
}

DbCommand::Parameter texto(const char* nombre, DbCommand::ParamType tipo, int tamano, const QString& valor) {
    return {QString::fromLatin1(nombre), tipo, DbCommand::Direction::Input, tamano, DbValue(valor)};
}

} // namespace

GuardarProductos::GuardarProductos(ComandaActual& comanda) : m_comanda(comanda) {}

void GuardarProductos::registrarFalla(const QString& descripcion) {
    Bitacora& bitacora = m_comanda.context().bitacora();
    bitacora.EscribirBitacora(QStringLiteral("**************ERROR GUARDARYPREPARARNUEVOS***************"));
    bitacora.EscribirBitacora(QStringLiteral("GuardarYPrepararNuevos"));
    bitacora.EscribirBitacora(QStringLiteral("Error: ") + descripcion);
}

QString GuardarProductos::comentarioDe(int fila) const {
    const QList<LineaComanda>& lineas = m_comanda.cuadricula().lineas();
    QStringList textos;
    for (int i = fila + 1; i < lineas.size() && !lineas.at(i).esProducto(); ++i)
        if (lineas.at(i).tipo == TipoLinea::Comentario)
            textos << lineas.at(i).texto;
    return textos.join(QStringLiteral("<N>"));
}

GuardarProductos::Paso GuardarProductos::guardarProducto(TransaccionBD& tx, int fila) {
    TerminalContext& context = m_comanda.context();
    CuadriculaComanda& cuadricula = m_comanda.cuadricula();
    LineaComanda& linea = cuadricula.lineas()[fila];
    tx.registrar(QStringLiteral("GYP Case A"));

    // A component goes under its own head, which is above it and so stored already; one without a
    // head would be a free item outside any package.
    qint32 paquete = 0;
    if (linea.tipo == TipoLinea::Componente) {
        const int cabeza = cuadricula.cabezaDe(fila);
        paquete = cabeza >= 0 ? cuadricula.lineas().at(cabeza).folio : 0;
        if (paquete == 0) {
            m_avisos << QStringLiteral("No se ha ingresado ningun paquete");
            return Paso::Rechazada;
        }
    }

    const auto existencia = tx.consultar(
        QStringLiteral("SELECT Existencia FROM Producto WHERE Id_producto=") + QString::number(linea.id));
    if (!existencia)
        return Paso::Falla;
    if (existencia->eof() || existencia->value(0).toInt() == 0) {
        tx.registrar(QStringLiteral("Imposible Insertar_Producto ") + linea.texto +
                     QStringLiteral(" por no haber existencias"));
        m_avisos << QStringLiteral("No hay ") + linea.texto + QStringLiteral(" en existencias");
        return Paso::Rechazada;
    }
    if (linea.grupoImpresoras == 0)
        m_avisos << QStringLiteral("El producto: ") + linea.texto +
                        QStringLiteral(" no tiene impresoras asignadas");

    if (linea.tipo == TipoLinea::Componente) {
        const QString cabeza = QString::number(paquete);
        const QString seccion = QString::number(linea.seccion);
        const auto control = tx.consultar(
            QStringLiteral("SELECT ID_Seccion_Paquete FROM Control_Paquetes WHERE ID_ProductosXCuenta=") +
            cabeza + QStringLiteral(" AND ID_Seccion_Paquete=") + seccion);
        if (!control)
            return Paso::Falla;
        const auto hecho =
            control->eof()
                ? tx.ejecutar(
                      QStringLiteral("INSERT INTO Control_Paquetes(ID_ProductosXCuenta,ID_Seccion_Paquete) "
                                     "VALUES(") +
                      cabeza + QLatin1Char(',') + seccion + QLatin1Char(')'))
                : tx.ejecutar(QStringLiteral("UPDATE Control_Paquetes SET Ordenados=Ordenados+1 WHERE "
                                             "ID_ProductosXcuenta=") +
                              cabeza + QStringLiteral(" AND ID_Seccion_Paquete=") + seccion);
        if (!hecho)
            return Paso::Falla;
    }

    DbCommand insertar(QStringLiteral("Insertar_Producto"), DbCommand::Kind::StoredProcedure);
    insertar.addParameter(entero("@nIDComanda", m_comanda.IDComanda));
    insertar.addParameter(entero("@nControl", m_comanda.Control));
    insertar.addParameter(entero("@nIDProducto", linea.id));
    insertar.addParameter(entero("@nNumCta", m_comanda.NumCuenta));
    insertar.addParameter(
        texto("@nComentario", DbCommand::ParamType::LongText, 1000, comentarioDe(fila).left(1000)));
    insertar.addParameter(entero("@bPreparado", textoDespacho(linea.despacho).toInt()));
    insertar.addParameter(entero("@nIDPaquete", linea.tipo == TipoLinea::Componente ? paquete : 0));
    insertar.addParameter(texto("@sTipo", DbCommand::ParamType::Char, 2, textoTipoLinea(linea.tipo)));
    insertar.addParameter(entero("@nIDSeccion", linea.seccion));
    insertar.addParameter(entero("@nIDGrupoImpresoras", linea.grupoImpresoras));
    insertar.addParameter(texto("@sProducto", DbCommand::ParamType::Char, 20, linea.texto.left(20)));
    insertar.addParameter(entero("@nTiempo", linea.tiempo < 1 ? m_comanda.getTiempoActual() : linea.tiempo));
    insertar.addParameter({QStringLiteral("@nPrecio"), DbCommand::ParamType::Currency,
                           DbCommand::Direction::Input, 0, DbValue(linea.precio)});
    insertar.addParameter(entero("@nPromocion", linea.promocion));
    insertar.addParameter(
        {QStringLiteral("@nFolio"), DbCommand::ParamType::Integer, DbCommand::Direction::Output, 0, {}});
    if (!tx.correr(insertar))
        return Paso::Falla;
    const auto folio = static_cast<qint32>(insertar.parameter(u"@nFolio").toInt());
    if (folio <= 0) {
        tx.fallar(QStringLiteral("Insertar_Producto no devolvió folio"));
        return Paso::Falla;
    }
    tx.registrar(QStringLiteral("Insertar_Producto ") + QString::number(m_comanda.IDComanda) +
                 QLatin1Char(' ') + QString::number(m_comanda.Control) + QLatin1Char(' ') +
                 QString::number(linea.id));
    tx.registrar(QStringLiteral("Folio PXC insertado ") + QString::number(folio));

    const QString bitacora = QStringLiteral("Producto ingresado ") + linea.texto + QStringLiteral("  ") +
                             TextFormat::number(linea.precio, u"$#,##0.00");
    if (!tx.ejecutar(QStringLiteral("INSERT INTO Bitacora(FechaHora,ID_Empleado,Texto) VALUES('") +
                     TextFormat::dateTime(context.ahora(), u"dd/mm/yyyy hh:mm") + QStringLiteral("',") +
                     QString::number(context.sesion().idEmpleado()) + QStringLiteral(",'") +
                     BaseDatos::DuplicarComillas(bitacora) + QStringLiteral("')")))
        return Paso::Falla;
    linea.folio = folio;
    linea.paquete = linea.tipo == TipoLinea::Componente ? paquete
                    : linea.tipo == TipoLinea::Paquete  ? folio
                                                        : 0;
    return Paso::Guardada;
}

GuardarProductos::Paso GuardarProductos::guardarModificador(TransaccionBD& tx, int fila,
                                                            qint32 folioProducto) {
    LineaComanda& linea = m_comanda.cuadricula().lineas()[fila];
    const auto iguales =
        tx.consultar(QStringLiteral("SELECT count(*) FROM Modificador WHERE ID_ProductosXCuenta=") +
                     QString::number(folioProducto) + QStringLiteral(" AND ID_Tipo_Modificador=") +
                     QString::number(linea.id) +
                     // Typed modifiers all have type 0: they are the same only when they say the same.
                     (linea.id == 0 ? QStringLiteral(" AND Nombre_Modificador='") +
                                          BaseDatos::DuplicarComillas(linea.texto) + QLatin1Char('\'')
                                    : QString()));
    if (!iguales)
        return Paso::Falla;
    if (!iguales->eof() && iguales->value(0).toInt() != 0) {
        m_avisos << QStringLiteral("No se pueden aplicar 2 modificadores iguales al mismo producto!");
        return Paso::Rechazada;
    }
    // The flag before the name says whether the modifier is one of the product's own (1) or typed
    // as free text (0).
    const QString propio = linea.id > 0 ? QStringLiteral(",1,'") : QStringLiteral(",0,'");
    if (!tx.ejecutar(QStringLiteral("Inserta_Modificador ") + QString::number(folioProducto) +
                     QLatin1Char(',') + QString::number(linea.id) + QLatin1Char(',') +
                     linea.precio.toPlainText() + propio + BaseDatos::DuplicarComillas(linea.texto) +
                     QLatin1Char('\'')))
        return Paso::Falla;
    linea.folio = folioProducto;
    return Paso::Guardada;
}

bool GuardarProductos::despachar(TransaccionBD& tx, const QList<int>& guardadas, QList<int>* enviadas) {
    ComandaCocina cocina(m_comanda, tx);
    // Marks a stored item with a change only while it has not gone to the kitchen: the rows changed
    // say whether this terminal is the one that sends it.
    auto marcar = [&](const QString& valores, qint32 folio) {
        return tx.ejecutarSinRegistro(QStringLiteral("UPDATE ProductosXCuenta SET ") + valores +
                                      QStringLiteral(" WHERE ID_ProductosXCuenta=") + QString::number(folio) +
                                      QStringLiteral(" AND Preparado=0"));
    };
    const QList<LineaComanda>& lineas = m_comanda.cuadricula().lineas();
    for (int fila = 0; fila < lineas.size(); ++fila) {
        const LineaComanda& linea = lineas.at(fila);
        if (!linea.esProducto() || !linea.guardada() || linea.preparado)
            continue;
        const bool nueva = guardadas.contains(fila);
        if (linea.despacho == MarcaDespacho::Preparar && (nueva || linea.despachoPendiente)) {
            // A line stored in this step went in already prepared.
            bool enviar = nueva;
            if (!nueva) {
                const auto cambiadas = marcar(
                    QStringLiteral("Preparado=1, Retenido=0, Hora_Preparacion=GETDATE()"), linea.folio);
                if (!cambiadas)
                    return false;
                enviar = *cambiadas == 1;
            }
            if (enviar) {
                if (!cocina.agregarProducto(fila))
                    return false;
                *enviadas << fila;
            }
        } else if (linea.despacho == MarcaDespacho::Retener && linea.despachoPendiente && !nueva) {
            if (!marcar(QStringLiteral("Retenido=1"), linea.folio))
                return false;
        }
    }
    return cocina.enviar();
}

bool GuardarProductos::GuardarYPrepararNuevos() {
    TerminalContext& context = m_comanda.context();
    CuadriculaComanda& cuadricula = m_comanda.cuadricula();
    if (!cuadricula.hayNoGuardadas())
        return true;
    TransaccionBD tx(context.baseDatos(), QStringLiteral("GuardarYPrepararNuevos"));

    // Rows given a folio in this step, to take it back if the step is undone.
    QList<int> guardadas;
    QList<int> enviadas;
    const auto olvidarFolios = [&] {
        for (int fila : std::as_const(guardadas)) {
            cuadricula.lineas()[fila].folio = 0;
            cuadricula.lineas()[fila].paquete = 0;
        }
        guardadas.clear();
    };
    const auto guardar = [&] {
        // A run again after a conflict starts from the grid as it was before the first.
        olvidarFolios();
        enviadas.clear();
        m_avisos.clear();
        qint32 folioProducto = 0; // the product line above the row, for its modifiers
        bool fallo = false;
        for (int fila = 0; fila < cuadricula.size() && !fallo; ++fila) {
            const LineaComanda& linea = cuadricula.lineas().at(fila);
            if (linea.esProducto()) {
                if (!linea.guardada()) {
                    const Paso paso = guardarProducto(tx, fila);
                    fallo = paso == Paso::Falla;
                    if (paso == Paso::Guardada)
                        guardadas << fila;
                }
                folioProducto = cuadricula.lineas().at(fila).folio;
            } else if (linea.tipo == TipoLinea::Modificador && !linea.guardada() && folioProducto != 0) {
                const Paso paso = guardarModificador(tx, fila, folioProducto);
                fallo = paso == Paso::Falla;
                if (paso == Paso::Guardada)
                    guardadas << fila;
            }
        }
        if (!fallo)
            fallo = !despachar(tx, guardadas, &enviadas);
        if (!fallo)
            fallo = !tx.ejecutar(QStringLiteral("Totalizar_Cuenta ") + QString::number(m_comanda.IDComanda) +
                                 QLatin1Char(',') + QString::number(m_comanda.NumCuenta) + QLatin1Char(',') +
                                 QString::number(m_comanda.Control));
    };
    // Nothing has been said so far: the transaction ends before anybody is told anything.
    if (!tx.hacer(guardar)) {
        olvidarFolios();
        registrarFalla(tx.descripcionFalla());
        context.Mensaje(QStringLiteral("No se pudieron guardar los productos nuevos; siguen en la cuenta sin "
                                       "guardar. Intente de nuevo."),
                        Prompts::kExclamation);
        return false;
    }
    for (int fila : enviadas)
        cuadricula.lineas()[fila].preparado = true;
    for (LineaComanda& linea : cuadricula.lineas())
        linea.despachoPendiente = false;
    // Lines refused on the way are not in the database; showing the account again drops them.
    for (const QString& aviso : std::as_const(m_avisos))
        context.Mensaje(aviso, Prompts::kExclamation);
    return true;
}

} // namespace nerin
