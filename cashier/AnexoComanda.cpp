#include "cashier/AnexoComanda.h"

#include "data/BaseDatos.h"

#include <algorithm>

namespace nerin {

QString AnexoComanda(BaseDatos& baseDatos, qint32 idComanda, qint16 control) {
    const QString id = QString::number(idComanda);
    std::optional<RecordSet> registros = baseDatos.AbrirRecordset(
        QStringLiteral("SELECT ID_Comanda,Control,Num_Anexo FROM Comanda WHERE ID_Comanda=") + id +
        QStringLiteral(" ORDER BY Num_Anexo DESC"));
    if (!registros || registros->recordCount() <= 1)
        return {};
    // A record without a number (NULL) has not been asked for its suffix yet; the first one asked
    // while no record has a number keeps the plain folio (0), every later one takes the next number.
    std::optional<qint64> mayor;
    bool encontrado = false;
    DbValue propio;
    for (; !registros->eof(); registros->moveNext()) {
        const DbValue anexo = registros->value(QStringLiteral("Num_Anexo"));
        if (!anexo.isNull())
            mayor = std::max(mayor.value_or(anexo.toInt()), anexo.toInt());
        if (!encontrado && registros->value(QStringLiteral("Control")).toInt() == control) {
            encontrado = true;
            propio = anexo;
        }
    }
    if (!encontrado)
        return {};
    if (!propio.isNull())
        return propio.toInt() != 0 ? QStringLiteral("-") + QString::number(propio.toInt()) : QString();
    const QString condicion =
        QStringLiteral("ID_Comanda=") + id + QStringLiteral(" AND Control=") + QString::number(control);
    if (!mayor) {
        baseDatos.ActualizarRegistros(QStringLiteral("Comanda"), QStringLiteral("Num_Anexo=0"), condicion);
        return {};
    }
    const qint64 siguiente = *mayor + 1;
    if (!baseDatos.ActualizarRegistros(QStringLiteral("Comanda"),
                                       QStringLiteral("Num_Anexo=") + QString::number(siguiente), condicion))
        return {};
    return QStringLiteral("-") + QString::number(siguiente);
}

} // namespace nerin
