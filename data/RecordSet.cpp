#include "data/RecordSet.h"

namespace nerin {

int RecordSet::columnIndex(QStringView name) const {
    for (qsizetype i = 0; i < m_columns.size(); ++i) {
        if (QStringView(m_columns[i]).compare(name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

DbValue RecordSet::value(int column) const {
    if (eof() || column < 0)
        return {};
    const QList<DbValue>& row = m_rows[m_current];
    return column < row.size() ? row[column] : DbValue();
}

DbValue RecordSet::value(QStringView name) const {
    return value(columnIndex(name));
}

} // namespace nerin
