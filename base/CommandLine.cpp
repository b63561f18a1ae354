#include "base/CommandLine.h"

namespace nerin {

CommandLine::CommandLine(QList<Option> options) : m_options(std::move(options)) {
    for (const Option& o : m_options)
        m_parser.addOption(o.option);
}

QString CommandLine::written(const QString& name) {
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

const CommandLine::Option* CommandLine::find(const QString& name) const {
    for (const Option& o : m_options)
        if (o.option.names().contains(name))
            return &o;
    return nullptr;
}

Status CommandLine::missingValue(const QStringList& arguments) const {
    // The parser says only "missing value" in English; the option is the last argument, or the last
    // word of a group of short options.
    if (!arguments.isEmpty()) {
        QString last = arguments.last();
        while (last.startsWith(u'-'))
            last.remove(0, 1);
        const QString name = arguments.last().startsWith(QStringLiteral("--")) ? last : last.right(1);
        if (const Option* o = find(name); o && !o->option.valueName().isEmpty())
            return Status::invalid(QStringLiteral("Falta el valor de %1.").arg(written(name)));
    }
    return Status::invalid(m_parser.errorText());
}

Status CommandLine::parse(const QStringList& arguments) {
    if (!m_parser.parse(QStringList{QStringLiteral("programa")} + arguments)) {
        const QStringList unknown = m_parser.unknownOptionNames();
        if (!unknown.isEmpty())
            return Status::invalid(QStringLiteral("Opción no reconocida: %1").arg(written(unknown.first())));
        return missingValue(arguments);
    }
    for (const Option& o : m_options) {
        const QString name = o.option.names().constLast();
        if (!m_parser.isSet(name))
            continue;
        qsizetype given = 0;
        for (const QString& alias : o.option.names())
            given += m_parser.optionNames().count(alias);
        if (given > 1 && !o.repeats)
            return Status::invalid(QStringLiteral("%1 se dio más de una vez.").arg(written(name)));
        if (o.option.valueName().isEmpty() || o.freeText)
            continue;
        for (const QString& value : m_parser.values(name)) {
            // "--db --demo": the option that follows is not a value, least of all a file name.
            if (value.isEmpty() || value.startsWith(u'-'))
                return Status::invalid(QStringLiteral("Falta el valor de %1.").arg(written(name)));
        }
    }
    return Status::ok();
}

} // namespace nerin
