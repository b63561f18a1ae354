#include "bench/sabado/Tiempos.h"

#include <QFile>
#include <algorithm>
#include <cmath>

namespace nerin::carga {

bool Tiempos::leer(const QString& archivo, qsizetype saltar) {
    QFile file(archivo);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    for (qsizetype leidas = 0; !file.atEnd(); ++leidas) {
        const QString linea = QString::fromUtf8(file.readLine()).trimmed();
        if (leidas < saltar)
            continue;
        const qsizetype tab = linea.lastIndexOf(u'\t');
        if (tab > 0)
            m_porTipo[linea.left(tab)].append(linea.mid(tab + 1).toLongLong());
    }
    return true;
}

qsizetype Tiempos::toques() const {
    qsizetype total = 0;
    for (const QList<qint64>& tiempos : m_porTipo)
        total += tiempos.size();
    return total;
}

Tiempos::Resumen Tiempos::resumir(QList<qint64> microsegundos) {
    Resumen resumen;
    if (microsegundos.isEmpty())
        return resumen;
    std::sort(microsegundos.begin(), microsegundos.end());
    // The nearest-rank percentile: the smallest time that at least p% of the touches do not exceed.
    const auto percentil = [&microsegundos](double p) {
        const auto n = static_cast<double>(microsegundos.size());
        const auto rango = static_cast<qsizetype>(std::max(1.0, std::ceil(p / 100.0 * n)));
        return static_cast<double>(microsegundos.at(rango - 1)) / 1000.0;
    };
    resumen.cuantos = microsegundos.size();
    resumen.p50 = percentil(50);
    resumen.p99 = percentil(99);
    resumen.peor = static_cast<double>(microsegundos.last()) / 1000.0;
    return resumen;
}

QStringList Tiempos::lentos(double limiteMs) const {
    QStringList tipos;
    for (auto it = m_porTipo.cbegin(); it != m_porTipo.cend(); ++it)
        if (resumir(it.value()).p99 >= limiteMs)
            tipos.append(it.key());
    tipos.sort();
    return tipos;
}

QString Tiempos::tabla() const {
    QList<std::pair<QString, Resumen>> filas;
    QList<qint64> todos;
    for (auto it = m_porTipo.cbegin(); it != m_porTipo.cend(); ++it) {
        filas.append({it.key(), resumir(it.value())});
        todos.append(it.value());
    }
    std::sort(filas.begin(), filas.end(),
              [](const auto& a, const auto& b) { return a.second.p99 > b.second.p99; });
    filas.append({QStringLiteral("(todos)"), resumir(todos)});
    QString texto =
        QStringLiteral("| Toque | Toques | p50 ms | p99 ms | Peor ms |\n|---|---:|---:|---:|---:|\n");
    for (const auto& [tipo, r] : std::as_const(filas))
        texto += QStringLiteral("| %1 | %2 | %3 | %4 | %5 |\n")
                     .arg(tipo)
                     .arg(r.cuantos)
                     .arg(r.p50, 0, 'f', 1)
                     .arg(r.p99, 0, 'f', 1)
                     .arg(r.peor, 0, 'f', 1);
    return texto;
}

} // namespace nerin::carga
