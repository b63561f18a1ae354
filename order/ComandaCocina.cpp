#include "order/ComandaCocina.h"

#include "data/BaseDatos.h"
#include "data/TransaccionBD.h"
#include "order/ComandaActual.h"
#include "startup/TerminalContext.h"

namespace nerin {

ComandaCocina::ComandaCocina(ComandaActual& comanda, TransaccionBD& transaccion)
    : m_comanda(comanda), m_tx(transaccion) {}

ComandaCocina::~ComandaCocina() {
    // After a failure the rollback takes the table away with everything else.
    if (m_abierta)
        (void)m_tx.ejecutarSinRegistro(QStringLiteral("DROP TABLE #Tmp_Imprimir"));
}

bool ComandaCocina::abrir() {
    if (m_abierta)
        return true;
    const auto creada = m_tx.ejecutarSinRegistro(
        QStringLiteral("CREATE TABLE #Tmp_Imprimir (ID Int IDENTITY (1, 1),Texto Varchar "
                       "(500),ID_Impresora Int,Tipo Char(1), "
                       "Tiempo Int)"));
    if (!creada)
        return false;
    m_abierta = true;
    return true;
}

bool ComandaCocina::insertar(const QString& texto, const char* tipo, qint32 grupo) {
    if (grupo == 0)
        return true;
    if (!abrir())
        return false;
    const auto hecho = m_tx.ejecutarSinRegistro(
        QStringLiteral("INSERT INTO #Tmp_Imprimir(Texto,ID_Impresora,Tipo,Tiempo) SELECT '") +
        BaseDatos::DuplicarComillas(texto.left(480)) + QStringLiteral("',ImpresorasXGrupo.ID_Impresora,'") +
        QLatin1String(tipo) + QStringLiteral("',") + QString::number(m_comanda.getTiempoActual()) +
        QStringLiteral(
            " FROM ImpresorasXGrupo,Impresora WHERE ImpresorasXGrupo.ID_Impresora=Impresora.ID_Impresora "
            "AND ID_Grupo_Impresoras=") +
        QString::number(grupo));
    if (!hecho)
        return false;
    m_lineas += static_cast<int>(*hecho);
    return true;
}

bool ComandaCocina::agregarProducto(int fila) {
    const QList<LineaComanda>& lineas = m_comanda.cuadricula().lineas();
    const LineaComanda& producto = lineas.at(fila);
    if (!insertar(producto.texto + QStringLiteral("</B></H>"), "P", producto.grupoImpresoras))
        return false;
    for (int i = fila + 1; i < lineas.size() && !lineas.at(i).esProducto(); ++i) {
        const LineaComanda& linea = lineas.at(i);
        // A modifier the store step refused (the same one twice) is not on the dish.
        if (linea.tipo == TipoLinea::Modificador && linea.guardada() &&
            !insertar(QStringLiteral("<N><H><B>") + linea.texto + QStringLiteral("</B></H>"), "M",
                      producto.grupoImpresoras))
            return false;
        // The cook reads the comment with the dish, whichever way the dish is sent.
        if (linea.tipo == TipoLinea::Comentario &&
            !insertar(QStringLiteral("<N>") + linea.texto, "M", producto.grupoImpresoras))
            return false;
    }
    return true;
}

bool ComandaCocina::enviar() {
    if (m_lineas == 0)
        return true;
    const QString orden = QString::number(m_comanda.IDComanda);
    const auto mesa = m_tx.consultar(
        QStringLiteral("SELECT Num_Mesa, isnull(CantHuespedes,0) FROM Comanda WHERE ID_Comanda=") + orden);
    const auto mesero = m_tx.consultar(
        QStringLiteral(
            "SELECT Usuario FROM Comanda,Empleado WHERE Comanda.ID_Empleado=Empleado.ID_Empleado AND "
            "ID_Comanda=") +
        orden);
    if (!mesa || !mesero)
        return false;
    const QString usuario = mesero->eof() ? QString() : mesero->value(0).toString();
    const auto enviado = m_tx.ejecutarSinRegistro(
        QStringLiteral("Mandar_Impresion ") + QString::number(mesa->eof() ? 0 : mesa->value(0).toInt()) +
        QStringLiteral(",'") + BaseDatos::DuplicarComillas(usuario) + QStringLiteral("','") + orden +
        QStringLiteral("',") + QString::number(mesa->eof() ? 0 : mesa->value(1).toInt()));
    if (!enviado)
        return false;
    m_lineas = 0;
    return true;
}

} // namespace nerin
