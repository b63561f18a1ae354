#pragma once

#include <QHash>
#include <QList>
#include <QString>

namespace nerin::carga {

// The times of the touches of a night, by kind of touch ("click cmdPagar"), as the terminals wrote
// them: one touch a line, its kind and its time in microseconds, separated by a tab.
class Tiempos {
public:
    // Adds the touches of one terminal's file, leaving out its first `saltar` touches; false when it
    // cannot be read.
    bool leer(const QString& archivo, qsizetype saltar = 0);

    qsizetype toques() const;
    // The kinds whose 99th percentile is at or over `limiteMs`.
    QStringList lentos(double limiteMs) const;
    // A Markdown table: kind, touches, p50, p99 and worst in milliseconds, slowest p99 first, and a
    // last row for every touch together.
    QString tabla() const;

private:
    struct Resumen {
        qsizetype cuantos = 0;
        double p50 = 0;
        double p99 = 0;
        double peor = 0;
    };
    static Resumen resumir(QList<qint64> microsegundos);

    QHash<QString, QList<qint64>> m_porTipo;
};

} // namespace nerin::carga
