#include "order/Despacho.h"

#include "data/BaseDatos.h"
#include "keyboards/Prompts.h"
#include "order/ComandaActual.h"
#include "order/GuardarProductos.h"
#include "startup/TerminalContext.h"

namespace nerin {

Despacho::Despacho(ComandaActual& comanda, GuardarProductos& guardar)
    : m_comanda(comanda), m_guardar(guardar) {}

void Despacho::marcarParaPreparar(int fila) {
    LineaComanda& linea = m_comanda.cuadricula().lineas()[fila];
    if (linea.preparado || linea.despacho == MarcaDespacho::Preparar)
        return;
    linea.despacho = MarcaDespacho::Preparar;
    linea.despachoPendiente = linea.guardada();
}

bool Despacho::preparar(const QList<int>& filas) {
    CuadriculaComanda& cuadricula = m_comanda.cuadricula();
    for (int fila : filas) {
        const int producto = cuadricula.productoDe(fila);
        if (producto < 0 || cuadricula.lineas().at(producto).preparado)
            continue;
        const TipoLinea tipo = cuadricula.lineas().at(producto).tipo;
        // A package goes to the kitchen whole: its head and its components. A component without
        // its head on the account goes alone.
        const int cabeza = tipo == TipoLinea::Componente ? cuadricula.cabezaDe(producto)
                           : cuadricula.esCabeza(producto) ? producto
                                                           : -1;
        if (cabeza >= 0) {
            marcarParaPreparar(cabeza);
            for (int i = 0; i < cuadricula.size(); ++i)
                if (cuadricula.cabezaDe(i) == cabeza)
                    marcarParaPreparar(i);
        } else {
            marcarParaPreparar(producto);
        }
    }
    return m_guardar.GuardarYPrepararNuevos();
}

void Despacho::retener(const QList<int>& filas) {
    CuadriculaComanda& cuadricula = m_comanda.cuadricula();
    for (int fila : filas) {
        const int producto = cuadricula.productoDe(fila);
        if (producto < 0)
            continue;
        LineaComanda& linea = cuadricula.lineas()[producto];
        if (linea.preparado || linea.despacho == MarcaDespacho::Preparar) {
            m_comanda.context().Mensaje(QStringLiteral("No se puede retener un producto ya preparado"),
                                        Prompts::kExclamation);
            continue;
        }
        linea.despacho = MarcaDespacho::Retener;
        linea.despachoPendiente = linea.guardada();
    }
}

QList<Despacho::Tiempo> Despacho::tiempos() {
    const qint64 numero = m_comanda.context()
                              .baseDatos()
                              .ConsultarCampo(QStringLiteral("Valor_Num"), QStringLiteral("Parametros"),
                                              QStringLiteral("Id_Parametro='Num_Tiempos'"))
                              .toInt();
    QList<Tiempo> lista{{0, QStringLiteral("Trabaja y Sale")}};
    // A parameter gone wild must not fill the screen with thousands of buttons.
    for (qint64 k = 1; k <= std::min<qint64>(numero, 99); ++k)
        lista.append({static_cast<qint16>(k), QStringLiteral("Tiempo ") + QString::number(k)});
    return lista;
}

bool Despacho::elegirTiempo(qint16 tiempo) {
    if (!m_comanda.context().baseDatos().EjecutarSQL(
            QStringLiteral("UPDATE Cuenta SET Ultimo_Tiempo=") + QString::number(tiempo) +
            QStringLiteral(" WHERE ID_Comanda=") + QString::number(m_comanda.IDComanda) +
            QStringLiteral(" AND Num_Cuenta=") + QString::number(m_comanda.NumCuenta)))
        return false;
    m_comanda.setTiempoActual(tiempo);
    return true;
}

bool Despacho::siguienteTiempo(const QList<int>& filas) {
    TerminalContext& context = m_comanda.context();
    if (filas.size() >= 2) {
        context.Mensaje(QStringLiteral("Debe elegir un tiempo!"), Prompts::kExclamation);
        return false;
    }
    if (filas.isEmpty() || m_comanda.cuadricula().lineas().at(filas.first()).tipo != TipoLinea::Tiempo) {
        context.Mensaje(QStringLiteral("Elija el tiempo!"), Prompts::kExclamation);
        return false;
    }
    const qint16 tiempo = m_comanda.cuadricula().lineas().at(filas.first()).tiempo;
    if (!m_guardar.GuardarYPrepararNuevos())
        return false;
    // The user name goes quoted, with its quotes doubled: a name with a blank, a hyphen or a leading
    // digit would otherwise break the command.
    if (!context.baseDatos().EjecutarSQL(QStringLiteral("Mandar_Tiempo ") +
                                         QString::number(m_comanda.IDComanda) + QLatin1Char(',') +
                                         QString::number(m_comanda.NumCuenta) + QStringLiteral(",'") +
                                         BaseDatos::DuplicarComillas(context.sesion().usuario()) +
                                         QStringLiteral("',") + QString::number(tiempo))) {
        context.Mensaje(QStringLiteral("Error en tiempo"), Prompts::kCritical);
        return false;
    }
    m_comanda.MostrarProductosComandaActual();
    return true;
}

} // namespace nerin
