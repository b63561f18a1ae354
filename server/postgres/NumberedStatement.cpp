#include "server/postgres/NumberedStatement.h"

namespace nerin {

namespace {

bool isNameCharacter(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'@' || c == u'#' || c == u'$';
}

} // namespace

NumberedStatement numberStatement(const QString& sql, qsizetype literals) {
    NumberedStatement result;
    result.sql.reserve(sql.size());
    for (qsizetype i = 0; i < sql.size();) {
        const QChar c = sql[i];
        if (c == u'\'' || c == u'"') {
            // A quoted text or name, its doubled quotes included.
            qsizetype end = i + 1;
            while (end < sql.size()) {
                if (sql[end] == c) {
                    if (end + 1 < sql.size() && sql[end + 1] == c) {
                        end += 2;
                        continue;
                    }
                    break;
                }
                ++end;
            }
            result.sql += QStringView(sql).mid(i, end + 1 - i);
            i = end + 1;
            continue;
        }
        if (c.isLetter() || c == u'_') {
            qsizetype end = i + 1;
            while (end < sql.size() && (sql[end].isLetterOrNumber() || sql[end] == u'_'))
                ++end;
            const QStringView word = QStringView(sql).mid(i, end - i);
            const QString folded = word.toString().toLower();
            if (!result.spellings.contains(folded))
                result.spellings.insert(folded, word.toString());
            result.sql += word;
            i = end;
            continue;
        }
        if (c == u'@' && i + 1 < sql.size() && isNameCharacter(sql[i + 1])) {
            qsizetype end = i + 1;
            while (end < sql.size() && isNameCharacter(sql[end]))
                ++end;
            const QString name = sql.mid(i, end - i);
            qsizetype index = result.names.indexOf(name);
            if (index < 0) {
                index = result.names.size();
                result.names.append(name);
            }
            result.sql += u'$' + QString::number(literals + index + 1);
            i = end;
            continue;
        }
        result.sql += c;
        ++i;
    }
    return result;
}

} // namespace nerin
