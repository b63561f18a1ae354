#include "cashier/AnexoComanda.h"

#include "data/BaseDatos.h"

namespace nerin {

QString AnexoComanda(BaseDatos& baseDatos, qint32 idComanda, qint16 control) {
    std::optional<RecordSet> registros = baseDatos.AbrirRecordset(
        QStringLiteral("SELECT ID_Comanda,Control,Num_Anexo FROM Comanda WHERE ID_Comanda=") +
        QString::number(idComanda) + QStringLiteral(" ORDER BY Num_Anexo DESC"));
    if (!registros || registros->recordCount() <= 1)
        return {};
    for (; !registros->eof(); registros->moveNext()) {
        if (registros->value(QStringLiteral("Control")).toInt() == control)
            break;
    }
    if (registros->eof())
        return {};
    DbValue anexo = registros->value(QStringLiteral("Num_Anexo"));
    if (anexo.isNull()) {
        // The number is taken by the server, so that two terminals numbering records of the same order
        // at once never take the same one.
        using P = DbCommand::ParamType;
        using D = DbCommand::Direction;
        DbCommand comando(QStringLiteral("Numerar_Anexo"), DbCommand::Kind::StoredProcedure);
        comando.addParameter({QStringLiteral("@nComanda"), P::Integer, D::Input, 0, DbValue(idComanda)});
        comando.addParameter(
            {QStringLiteral("@nControl"), P::Integer, D::Input, 0, DbValue(static_cast<int>(control))});
        comando.addParameter({QStringLiteral("@nAnexo"), P::Integer, D::Output, 0, DbValue()});
        Connection& conexion = baseDatos.connection();
        if (!conexion.run(comando)) {
            const DbFailure fallo = conexion.lastFailure();
            const DbErrorList errores = conexion.errors();
            baseDatos.ReportarErrorBD(QStringLiteral("Base de Datos"), fallo, errores);
            return {};
        }
        anexo = comando.parameter(u"@nAnexo");
    }
    return !anexo.isNull() && anexo.toInt() != 0 ? QStringLiteral("-") + QString::number(anexo.toInt())
                                                 : QString();
}

} // namespace nerin
