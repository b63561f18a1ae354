#include "bench/sabado/Servicio.h"

namespace nerin::carga {

namespace {

// The scanner's code of each product the service orders.
const QString kFilete = QStringLiteral("2000000000102");
const QString kSopa = QStringLiteral("2000000000101");
const QString kLimonada = QStringLiteral("2000000000103");
const QString kArrachera = QStringLiteral("2000000000117");

QStringList articulo(const QString& codigo, const QStringList& modificadores = {}) {
    QStringList lineas{QStringLiteral("type ") + codigo, QStringLiteral("click cmdInsBarras")};
    if (modificadores.isEmpty())
        return lineas;
    lineas << QStringLiteral("click cmdModificar") << modificadores << QStringLiteral("click cmdRegresar");
    return lineas;
}

bool esToque(const QString& linea) {
    static const QStringList toques{QStringLiteral("click"),  QStringLiteral("type"),
                                    QStringLiteral("swipe"),  QStringLiteral("enter"),
                                    QStringLiteral("answer"), QStringLiteral("touch")};
    return toques.contains(linea.section(u' ', 0, 0));
}

} // namespace

QStringList guionServicio(const TerminalCarga& terminal, int pausaMs, int segundos) {
    const QString mesa = QString::number(terminal.mesa);
    QStringList servicio{QStringLiteral("swipe ") + terminal.tarjeta, QStringLiteral("click cmdAbrirMesa")};
    for (const QChar digito : mesa)
        servicio << QStringLiteral("click cmd") + digito;
    servicio << QStringLiteral("click cmdAceptar") << QStringLiteral("enter 4");
    // Ten items; with their doneness and free modifiers they fill rows 1 to 15 of the account.
    servicio << articulo(kFilete, {QStringLiteral("click cmdModificador2"),
                                   QStringLiteral("click imgTecladoModif"), QStringLiteral("enter SIN SAL")})
             << articulo(kSopa) << articulo(kSopa) << articulo(kLimonada)
             << articulo(kArrachera, {QStringLiteral("click cmdModificador3")})
             << articulo(kFilete, {QStringLiteral("click cmdModificador1")}) << articulo(kLimonada)
             << articulo(kSopa) << articulo(kArrachera, {QStringLiteral("click cmdModificador2")})
             << articulo(kLimonada);
    // A finger on every item's row (its modifiers come with it), then all of it to the kitchen.
    for (const int renglon : {1, 4, 5, 6, 7, 9, 11, 12, 13, 15})
        servicio << QStringLiteral("touch grdComanda %1").arg(renglon);
    servicio << QStringLiteral("click cmdPreparar") << QStringLiteral("click cmdOperaciones")
             << QStringLiteral("click cmdPagar") << QStringLiteral("click cmdTipoPago1")
             << QStringLiteral("enter 2000") << QStringLiteral("click cmdAceptar")
             << QStringLiteral("expect-message ¡Desea Facturar?") << QStringLiteral("answer no")
             << QStringLiteral("expect-message ¿Cerrar la mesa?") << QStringLiteral("answer yes")
             << QStringLiteral("click cmdSalir") << QStringLiteral("expect lblTerminal ") + terminal.nombre;

    QStringList guion;
    for (const QString& linea : std::as_const(servicio)) {
        guion << linea;
        if (pausaMs > 0 && esToque(linea))
            guion << QStringLiteral("wait %1").arg(pausaMs);
    }
    guion << QStringLiteral("loop %1").arg(segundos);
    return guion;
}

} // namespace nerin::carga
