#include "data/Bitacora.h"

#include "data/CrearDirectorio.h"
#include "text/TextFormat.h"

#include <QDir>
#include <QMutexLocker>
#include <QRegularExpression>
#include <QTextStream>
#include <cstdio>

namespace nerin {

namespace {

const QString kMarcaError = QStringLiteral("**************ERROR***************");

QString sinSeparadores(const QString& prefijo) {
    QString limpio = prefijo;
    while (limpio.startsWith(u'/') || limpio.startsWith(u'\\'))
        limpio.remove(0, 1);
    while (limpio.endsWith(u'/') || limpio.endsWith(u'\\'))
        limpio.chop(1);
    return limpio;
}

} // namespace

Bitacora::Bitacora(QString carpeta, Reloj reloj) : m_carpeta(std::move(carpeta)), m_reloj(std::move(reloj)) {}

void Bitacora::setDiasConservados(int dias) {
    QMutexLocker lock(&m_mutex);
    m_diasConservados = dias;
}

void Bitacora::borrarVencidas(const QDate& hoy) {
    QDate primeroConservado;
    {
        QMutexLocker lock(&m_mutex);
        if (m_ultimaLimpieza == hoy)
            return;
        m_ultimaLimpieza = hoy;
        primeroConservado = hoy.addDays(1 - m_diasConservados);
    }
    // Only files named as this log names them ("<prefix>ddmmyyyy.log") are its own to delete.
    static const QRegularExpression diario(QStringLiteral("^[A-Za-z]+(\\d{2})(\\d{2})(\\d{4})\\.log$"));
    const QStringList archivos = QDir(m_carpeta).entryList({QStringLiteral("*.log")}, QDir::Files);
    for (const QString& nombre : archivos) {
        const QRegularExpressionMatch partes = diario.match(nombre);
        if (!partes.hasMatch())
            continue;
        const QDate dia(partes.captured(3).toInt(), partes.captured(2).toInt(), partes.captured(1).toInt());
        if (dia.isValid() && dia < primeroConservado && !QFile::remove(m_carpeta + u'/' + nombre))
            std::fprintf(stderr, "No se pudo borrar la bitacora vencida %s\n", qUtf8Printable(nombre));
    }
}

void Bitacora::FijarNombreBitacora(const QString& prefijo) {
    QMutexLocker lock(&m_mutex);
    m_prefijo = sinSeparadores(prefijo);
}

QString Bitacora::rutaArchivo() const {
    return rutaArchivo(m_reloj());
}

QString Bitacora::rutaArchivo(const QDateTime& momento) const {
    QMutexLocker lock(&m_mutex);
    const QString prefijo = m_prefijo.isEmpty() ? QString::fromLatin1(kPrefijoArranque) : m_prefijo;
    return m_carpeta + u'/' + prefijo + TextFormat::dateTime(momento, u"ddmmyyyy") + QStringLiteral(".log");
}

std::unique_ptr<QFile> Bitacora::AbrirArchivoBitacora() {
    return abrir(m_reloj());
}

std::unique_ptr<QFile> Bitacora::abrir(const QDateTime& momento) {
    const QString carpetaLog = m_carpeta + QStringLiteral("/log");
    if (!QDir(carpetaLog).exists() && !CrearDirectorio(carpetaLog)) {
        const QString mensaje =
            QStringLiteral("Error en bitacora al crear el directorio ") + carpetaLog + QStringLiteral(" !");
        if (m_avisoCarpeta)
            m_avisoCarpeta(mensaje);
        else
            std::fprintf(stderr, "%s\n", qUtf8Printable(mensaje));
    }
    auto archivo = std::make_unique<QFile>(rutaArchivo(momento));
    if (!archivo->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return nullptr;
    return archivo;
}

void Bitacora::escribirLineas(const QStringList& lineas) {
    // One reading of the clock names the file and stamps the lines, so a line written at midnight
    // lands in the file of the day its stamp says.
    const QDateTime ahora = m_reloj();
    borrarVencidas(ahora.date());
    std::unique_ptr<QFile> archivo = abrir(ahora);
    if (!archivo) {
        std::fprintf(stderr, "No se pudo escribir la bitacora %s: %s\n", qUtf8Printable(rutaArchivo(ahora)),
                     qUtf8Printable(lineas.join(u" | ")));
        return;
    }
    const QString marca = TextFormat::dateTime(ahora, u"dd/mm/yyyy hh:mm:ss") + u' ';
    QByteArray bytes;
    for (const QString& linea : lineas)
        bytes += (marca + linea + u'\n').toUtf8();
    if (archivo->write(bytes) != bytes.size() || !archivo->flush())
        std::fprintf(stderr, "No se pudo escribir la bitacora %s\n", qUtf8Printable(archivo->fileName()));
}

void Bitacora::EscribirBitacora(const QString& texto) {
    escribirLineas({texto});
}

void Bitacora::RegistrarErroresADO(const DbErrorList& errores) {
    QStringList lineas;
    for (const DbError& error : errores)
        lineas.append(QString::number(error.nativeError) + error.description + error.sqlState);
    if (!lineas.isEmpty())
        escribirLineas(lineas);
}

void Bitacora::registrarError(const QString& procedimiento, qint64 numero, const QString& descripcion) {
    escribirLineas({kMarcaError, procedimiento + QString::number(numero) + descripcion});
}

} // namespace nerin
