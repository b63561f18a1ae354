// nerin-lealtad: a stand-in for the loyalty web service, for the demo and the tests, on loopback.
#include "tools/nerin-lealtad/LealtadServidor.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <cstdio>

namespace {

const char* const kAyuda =
    "Uso: nerin-lealtad --puerto N --datos ARCHIVO.json [--bitacora ARCHIVO]\n"
    "\n"
    "Servicio de lealtad de prueba (SOAP 1.1 sobre HTTP) en 127.0.0.1:N, dirección /loyalty.\n"
    "\n"
    "Opciones:\n"
    "  --puerto N          puerto de escucha; 0 elige uno libre. La primera línea de la salida es\n"
    "                      \"PUERTO N\".\n"
    "  --datos ARCHIVO     tarjetas, clientes y autorizaciones en JSON; si no existe se crea con los\n"
    "                      datos de demostración. Se guarda tras cada cambio.\n"
    "  --bitacora ARCHIVO  agrega una línea por solicitud (hora, operación, texto); también va a\n"
    "                      stderr.\n"
    "  -h, --help          muestra esta ayuda y termina.\n"
    "\n"
    "Control: GET /control?modo=normal|falla|malformada|cerrar&demora=MS\n"
    "  normal responde; falla responde con un soap:Fault; malformada, con un texto sin su marco;\n"
    "  cerrar cierra la conexión sin responder. demora retrasa cada respuesta MS milisegundos.\n"
    "\n"
    "Archivos:\n"
    "  Solo los de --datos y --bitacora; no lee NERIN_CONFIG ni NERIN_STATE.\n"
    "\n"
    "Estado de salida:\n"
    "  Atiende hasta recibir una señal (SIGTERM, SIGINT).\n"
    "  0   con --help.\n"
    "  1   los datos o la bitácora no se pudieron abrir, o el puerto no se pudo escuchar.\n"
    "  2   argumentos no válidos.\n";

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication aplicacion(argc, argv);
    QTextStream salida(stdout);
    QTextStream errores(stderr);
    const QStringList argumentos = QCoreApplication::arguments().mid(1);
    QString datos;
    QString bitacora;
    int puerto = -1;
    for (qsizetype i = 0; i < argumentos.size(); ++i) {
        const QString& opcion = argumentos.at(i);
        if (opcion == u"--help" || opcion == u"-h") {
            salida << kAyuda;
            return 0;
        }
        if (i + 1 >= argumentos.size()) {
            errores << "Falta el valor de " << opcion << "\n" << kAyuda;
            return 2;
        }
        const QString valor = argumentos.at(++i);
        bool numero = true;
        if (opcion == u"--puerto")
            puerto = valor.toInt(&numero);
        else if (opcion == u"--datos")
            datos = valor;
        else if (opcion == u"--bitacora")
            bitacora = valor;
        else
            numero = false;
        if (!numero || puerto > 65535) {
            errores << "Opción no válida: " << opcion << ' ' << valor << "\n" << kAyuda;
            return 2;
        }
    }
    if (puerto < 0 || datos.isEmpty()) {
        errores << kAyuda;
        return 2;
    }
    nerin::LealtadDatos almacen(datos);
    if (!almacen.abrir()) {
        errores << almacen.error() << Qt::endl;
        return 1;
    }
    QFile registro(bitacora);
    if (!bitacora.isEmpty() && !registro.open(QIODevice::Append | QIODevice::Text)) {
        errores << "No se pudo abrir la bitácora " << bitacora << ": " << registro.errorString() << Qt::endl;
        return 1;
    }
    nerin::LealtadServidor servidor(almacen, bitacora.isEmpty() ? nullptr : &registro, errores);
    if (!servidor.escuchar(static_cast<quint16>(puerto))) {
        errores << "No se pudo escuchar en el puerto " << puerto << ": " << servidor.error() << Qt::endl;
        return 1;
    }
    salida << "PUERTO " << servidor.puerto() << Qt::endl;
    return QCoreApplication::exec();
}
