#include "bench/sabado/Cuadre.h"

#include "bench/sabado/Servicio.h"
#include "data/Connection.h"

#include <QHash>
#include <QRegularExpression>

namespace nerin::carga {

namespace {

class Cuadre {
public:
    Cuadre(Connection& conexion, const Inicio& inicio) : m_conexion(conexion), m_inicio(inicio) {}

    // The first field of the query's first row; a query that fails is itself a fault.
    qint64 numero(const QString& sql) {
        const QString texto = QString(sql)
                                  .replace(QStringLiteral("$C"), QString::number(m_inicio.comanda))
                                  .replace(QStringLiteral("$T"), QString::number(m_inicio.trabajo));
        const Result<RecordSet> filas = m_conexion.query(texto);
        if (!filas || filas->eof()) {
            m_faltas << texto + QStringLiteral(": ") +
                            (filas ? QStringLiteral("sin filas") : filas.status().message());
            return -1;
        }
        return filas->value(0).toInt();
    }

    void esperar(const QString& que, qint64 hay, qint64 esperado) {
        if (hay != esperado)
            m_faltas << QStringLiteral("%1: %2 y no %3").arg(que).arg(hay).arg(esperado);
    }
    void contar(const QString& que, const QString& sql, qint64 esperado) {
        esperar(que, numero(sql), esperado);
    }

    QStringList m_faltas;

private:
    Connection& m_conexion;
    Inicio m_inicio;
};

// How many times each line is in `texto`, without the spaces a printed line is padded with.
QHash<QString, qint64> renglones(const QString& texto) {
    QHash<QString, qint64> cuantos;
    for (const QStringView renglon : QStringView(texto).split(u'\n'))
        ++cuantos[renglon.trimmed().toString()];
    return cuantos;
}

// How many kitchen slips each order has in `renglones`, by their line "COMANDA: N  PERSONAS: 4".
QHash<qint64, qint64> comandas(const QHash<QString, qint64>& renglones) {
    QHash<qint64, qint64> porOrden;
    const QString marca = QStringLiteral("COMANDA: ");
    for (auto it = renglones.cbegin(); it != renglones.cend(); ++it)
        if (it.key().startsWith(marca))
            porOrden[it.key().mid(marca.size()).section(u' ', 0, 0).toLongLong()] += it.value();
    return porOrden;
}

} // namespace

QStringList cuadrarNoche(Connection& conexion, const Inicio& inicio, const QHash<QString, QString>& impreso,
                         const QString& bitacoras, qint64* servicios) {
    using S = ServicioEsperado;
    Cuadre c(conexion, inicio);
    const qint64 n = c.numero(QStringLiteral("SELECT COUNT(*) FROM Comanda WHERE ID_Comanda > $C"));
    *servicios = n;
    c.contar(QStringLiteral("órdenes abiertas"),
             QStringLiteral("SELECT COUNT(*) FROM Comanda WHERE ID_Comanda > $C AND Abierta<>0"), 0);
    c.contar(
        QStringLiteral("órdenes sin sus diez artículos"),
        QStringLiteral("SELECT COUNT(*) FROM Comanda c WHERE c.ID_Comanda > $C AND (SELECT COUNT(*) FROM "
                       "ProductosXCuenta p WHERE p.ID_Comanda=c.ID_Comanda) <> %1")
            .arg(S::kArticulos),
        0);
    c.contar(QStringLiteral("artículos sin mandar a cocina o cancelados"),
             QStringLiteral("SELECT COUNT(*) FROM ProductosXCuenta WHERE ID_Comanda > $C AND (Preparado=0 OR "
                            "ID_Tipo_Anulacion IS NOT NULL)"),
             0);
    c.contar(
        QStringLiteral("órdenes sin sus modificadores"),
        QStringLiteral("SELECT COUNT(*) FROM Comanda c WHERE c.ID_Comanda > $C AND (SELECT COUNT(*) FROM "
                       "Modificador m, ProductosXCuenta p WHERE m.ID_ProductosXCuenta=p.ID_ProductosXCuenta "
                       "AND p.ID_Comanda=c.ID_Comanda) <> %1")
            .arg(S::kModificadores),
        0);
    const QString total = QString::number(S::kTotal, 'f', 2);
    c.contar(QStringLiteral("cuentas"), QStringLiteral("SELECT COUNT(*) FROM Cuenta WHERE ID_Comanda > $C"),
             n);
    c.contar(QStringLiteral("cuentas sin pagar o con otro total"),
             QStringLiteral("SELECT COUNT(*) FROM Cuenta WHERE ID_Comanda > $C AND (Pagada<>1 OR Total<>%1)")
                 .arg(total),
             0);
    c.contar(
        QStringLiteral("órdenes sin exactamente un pago de su total"),
        QStringLiteral("SELECT COUNT(*) FROM Comanda c WHERE c.ID_Comanda > $C AND ((SELECT COUNT(*) FROM "
                       "Pago g WHERE g.ID_Comanda=c.ID_Comanda) <> 1 OR (SELECT SUM(Monto_Pago) FROM Pago g "
                       "WHERE g.ID_Comanda=c.ID_Comanda) <> %1)")
            .arg(total),
        0);
    // Four jobs a service: the kitchen's slip, the bar's, the printed account and the ticket.
    c.contar(QStringLiteral("trabajos de impresión"),
             QStringLiteral("SELECT COUNT(*) FROM Cola_Trabajo WHERE ID_Trabajo > $T"), 4 * n);
    c.contar(QStringLiteral("trabajos sin imprimir"),
             QStringLiteral("SELECT COUNT(*) FROM Cola_Trabajo WHERE ID_Trabajo > $T AND Estado<>'I'"), 0);
    c.contar(QStringLiteral("órdenes bloqueadas"),
             QStringLiteral("SELECT COUNT(*) FROM Comanda WHERE EnUsoPor<>0"), 0);
    c.contar(QStringLiteral("meseros firmados en una terminal"),
             QStringLiteral("SELECT COUNT(*) FROM Empleado WHERE ID_Terminal<>0"), 0);

    // On paper: every order's slip once in the kitchen and once at the bar, its account and ticket
    // once each, and every dish as often as the services ordered it.
    const QHash<QString, qint64> cocina = renglones(impreso.value(QStringLiteral("cocina.txt")));
    const QHash<QString, qint64> barra = renglones(impreso.value(QStringLiteral("barra.txt")));
    QString textoTickets;
    for (auto it = impreso.cbegin(); it != impreso.cend(); ++it)
        if (it.key() != QLatin1String("cocina.txt") && it.key() != QLatin1String("barra.txt"))
            textoTickets += it.value();
    const QHash<QString, qint64> tickets = renglones(textoTickets);
    const QHash<qint64, qint64> enCocina = comandas(cocina);
    const QHash<qint64, qint64> enBarra = comandas(barra);
    for (qint64 orden = inicio.comanda + 1; orden <= inicio.comanda + n; ++orden) {
        c.esperar(QStringLiteral("comandas de la orden %1 en cocina").arg(orden), enCocina.value(orden), 1);
        c.esperar(QStringLiteral("comandas de la orden %1 en la barra").arg(orden), enBarra.value(orden), 1);
        c.esperar(QStringLiteral("cuentas y tickets de la orden %1").arg(orden),
                  tickets.value(QStringLiteral("Folio: %1 Cuenta: 1").arg(orden)), 2);
    }
    c.esperar(QStringLiteral("comandas en cocina"), enCocina.size(), n);
    c.esperar(QStringLiteral("FILETE MIGNON en cocina"), cocina.value(QStringLiteral("FILETE MIGNON")),
              S::kFiletes * n);
    c.esperar(QStringLiteral("SOPA DE TORTILLA en cocina"), cocina.value(QStringLiteral("SOPA DE TORTILLA")),
              S::kSopas * n);
    c.esperar(QStringLiteral("ARRACHERA en cocina"), cocina.value(QStringLiteral("ARRACHERA")),
              S::kArracheras * n);
    c.esperar(QStringLiteral("LIMONADA en la barra"), barra.value(QStringLiteral("LIMONADA")),
              S::kLimonadas * n);

    static const QRegularExpression kError(QStringLiteral("^\\S+ \\S+ ME.*$"),
                                           QRegularExpression::MultilineOption);
    for (auto it = kError.globalMatch(bitacoras); it.hasNext();)
        c.m_faltas << QStringLiteral("sentencia fallida: ") + it.next().captured(0);
    return c.m_faltas;
}

} // namespace nerin::carga
