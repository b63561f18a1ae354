#include "server/MarcadoresPosicionales.h"

namespace nerin {

QString MarcadoresPosicionales::nombre(int posicion) {
    return QStringLiteral("@__p") + QString::number(posicion);
}

MarcadoresPosicionales MarcadoresPosicionales::nombrar(const QString& comando) {
    MarcadoresPosicionales resultado;
    resultado.texto.reserve(comando.size() + 8);
    const qsizetype n = comando.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = comando.at(i);
        const QChar siguiente = i + 1 < n ? comando.at(i + 1) : QChar();
        // Quoted text and quoted names are copied whole; a doubled closing quote stays inside.
        if (c == u'\'' || c == u'"' || c == u'[') {
            const QChar cierre = c == u'[' ? QChar(u']') : c;
            qsizetype j = i + 1;
            while (j < n) {
                if (comando.at(j) == cierre) {
                    if (j + 1 < n && comando.at(j + 1) == cierre) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            resultado.texto += comando.mid(i, std::min(j, n - 1) - i + 1);
            i = j;
            continue;
        }
        if (c == u'-' && siguiente == u'-') {
            const qsizetype fin = comando.indexOf(u'\n', i);
            const qsizetype hasta = fin < 0 ? n : fin;
            resultado.texto += comando.mid(i, hasta - i);
            i = hasta - 1;
            continue;
        }
        if (c == u'/' && siguiente == u'*') {
            const qsizetype fin = comando.indexOf(QStringLiteral("*/"), i + 2);
            const qsizetype hasta = fin < 0 ? n : fin + 2;
            resultado.texto += comando.mid(i, hasta - i);
            i = hasta - 1;
            continue;
        }
        if (c == u'?') {
            resultado.texto += nombre(++resultado.cuantos);
            continue;
        }
        resultado.texto += c;
    }
    return resultado;
}

} // namespace nerin
