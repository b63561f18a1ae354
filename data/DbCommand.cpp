#include "data/DbCommand.h"

namespace nerin {

DbValue DbCommand::parameter(QStringView name) const {
    for (const Parameter& p : m_parameters) {
        if (QStringView(p.name).compare(name, Qt::CaseInsensitive) == 0)
            return p.value;
    }
    return {};
}

void DbCommand::setParameter(QStringView name, DbValue value) {
    for (Parameter& p : m_parameters) {
        if (QStringView(p.name).compare(name, Qt::CaseInsensitive) == 0) {
            p.value = std::move(value);
            return;
        }
    }
}

} // namespace nerin
