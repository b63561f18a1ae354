#include "bench/sabado/Restaurante.h"

#include "crypto/MD5.h"
#include "crypto/clsRC4.h"
#include "data/Connection.h"

namespace nerin::carga {

namespace {

const QString kClaveTarjetas = QStringLiteral("NERIN-DEMO-2026");
// The demo's waiters group and dining-room department.
constexpr int kGrupoMeseros = 3;
constexpr int kSalon = 3;

// A card text as the reader sends it: the digest of the body, then the body, which is the card
// number followed by "_" (the digest leaves out the number's first character).
QString textoTarjeta(const QString& numero) {
    MD5 md5;
    const QString cuerpo = numero + u'_';
    return u'%' + md5.DigestStrToHexStr(cuerpo.mid(1)) + u'_' + cuerpo;
}

QString numeroTarjeta(int empleado) {
    return QStringLiteral("N9") + QString::number(empleado).rightJustified(31, u'0');
}

} // namespace

Status prepararRestaurante(Connection& conexion, int cuantas, QList<TerminalCarga>* terminales) {
    if (cuantas < 2 || cuantas > 9)
        return Status::invalid(QStringLiteral("De 2 a 9 terminales"));
    QStringList sentencias;
    for (int k = 1; k <= cuantas; ++k) {
        const QString n = QString::number(k);
        QString nombre = k == 1 ? QStringLiteral("CAJA PRINCIPAL") : QStringLiteral("MESEROS SALON");
        if (k > 2) {
            nombre = QStringLiteral("SALON ") + n;
            sentencias << QStringLiteral(
                              "INSERT INTO Terminal (ID_Terminal, Nombre_Terminal, Estado_Terminal, "
                              "Reiniciar, servidor, Direccion_IP, Id_Menu) VALUES (%1, '%2', 'A', 0, "
                              "0, '127.0.0.1', 1)")
                              .arg(n, nombre)
                       << QStringLiteral("INSERT INTO FuncionesXTerminal (ID_Terminal, ID_Funcion, Estado) "
                                         "SELECT %1, ID_Funcion, Estado FROM FuncionesXTerminal WHERE "
                                         "ID_Terminal=2")
                              .arg(n)
                       << QStringLiteral("INSERT INTO Impresora (ID_Impresora, Nombre_Impresora, Puerto, "
                                         "Estado_Impresora, ID_Terminal, EsDeCheques, Fiscal, Redirigido) "
                                         "VALUES (%1, 'TICKETS %2', 'file:tickets%2.txt?texto', 'A', %2, 1, "
                                         "0, %1)")
                              .arg(QString::number(10 + k), n);
        }
        const int empleado = 10 + k;
        const QString id = QString::number(empleado);
        clsRC4 rc4;
        rc4.Key(kClaveTarjetas);
        const QString cifrada = rc4.EncryptString(numeroTarjeta(empleado), QString(), true);
        sentencias
            << QStringLiteral("INSERT INTO Empleado (Id_Empleado, Usuario, Nombre_Empleado, "
                              "Apellido_Paterno, Apellido_Materno, Admin_Usuarios, ID_Terminal, Firmado, "
                              "Estado_Empleado, Num_Tarjeta, Contraseña) VALUES (%1, 'carga%2', "
                              "'MESERO', 'CARGA', '%2', 0, 0, 0, 'A', '%3', '')")
                   .arg(id, n, cifrada)
            << QStringLiteral("INSERT INTO EmpleadosXGrupo (ID_Empleado, ID_Grupo_Trabajo) VALUES (%1, %2)")
                   .arg(id)
                   .arg(kGrupoMeseros)
            << QStringLiteral("INSERT INTO CostosxEmpleado (id_empleado, id_departamento) VALUES (%1, %2)")
                   .arg(id)
                   .arg(kSalon)
            << QStringLiteral("EXEC procFirmarEmpleado %1, %2").arg(kSalon).arg(id);
        terminales->append({k, nombre, textoTarjeta(numeroTarjeta(empleado)), 30 + k});
    }
    for (const QString& sql : std::as_const(sentencias))
        if (const Result<qint64> hecho = conexion.execute(sql); !hecho)
            return Status::error(hecho.status().code(),
                                 sql + QStringLiteral(": ") + hecho.status().message());
    return Status::ok();
}

} // namespace nerin::carga
