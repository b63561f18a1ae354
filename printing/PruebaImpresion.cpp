#include "printing/PruebaImpresion.h"

#include "data/BaseDatos.h"
#include "printing/ColaImpresion.h"
#include "printing/ContextoImpresion.h"
#include "printing/TipoDocumento.h"

namespace nerin {

int PruebaImpresion(const ContextoImpresion& contexto, ColaImpresion& cola) {
    const std::optional<RecordSet> impresoras = contexto.baseDatos.AbrirRecordset(QStringLiteral(
        "select id_impresora,nombre_impresora,puerto from impresora where estado_impresora = 'A'"));
    if (!impresoras)
        return 0;
    int encolados = 0;
    for (const QList<DbValue>& impresora : impresoras->rows()) {
        const qint64 id = impresora.value(0).toInt();
        const QString nombre = impresora.value(1).toString();
        const qint32 trabajo =
            cola.AbrirTrabajo(TipoDocumento::kCocina, static_cast<double>(id), contexto.usuarioTrabajo());
        const bool completo =
            trabajo != 0 && cola.AgregarLinea(trabajo, QStringLiteral("<H>PRUEBA IMPRESION</H>")) &&
            cola.AgregarLinea(trabajo, QStringLiteral("<B>") + BaseDatos::DuplicarComillas(nombre) +
                                           QStringLiteral("</B>")) &&
            cola.CerrarTrabajo(trabajo);
        if (completo) {
            ++encolados;
        } else {
            const DbFailure& error = contexto.baseDatos.connection().lastFailure();
            contexto.bitacora.registrarError(QStringLiteral("PruebaImpresion"), error.number,
                                             nombre + QStringLiteral(": ") + error.description);
        }
    }
    return encolados;
}

} // namespace nerin
