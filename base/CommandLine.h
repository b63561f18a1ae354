#pragma once

#include "base/Status.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QStringList>

namespace nerin {

// A program's command line read the way a shell user expects: options in any order, before or after
// the other arguments (file names); an option's value is never another option; an option given twice
// is refused unless it may repeat. Problems are told in Spanish, ready for the usage message.
class CommandLine {
public:
    struct Option {
        QCommandLineOption option;
        bool repeats = false;  // may be given more than once, each value kept in order
        bool freeText = false; // its value may begin with "-" (a statement text, say)
    };

    explicit CommandLine(QList<Option> options);

    // `arguments` without the program name. Ok, or what is wrong with them.
    Status parse(const QStringList& arguments);

    bool isSet(const QString& name) const { return m_parser.isSet(name); }
    QString value(const QString& name) const { return m_parser.value(name); }
    QStringList values(const QString& name) const { return m_parser.values(name); }
    // The arguments that are not options nor their values.
    QStringList positional() const { return m_parser.positionalArguments(); }
    // The names of the options given, in the order given, once per time given.
    QStringList optionNames() const { return m_parser.optionNames(); }

    // "-Q" or "--db": a name as written on the command line.
    static QString written(const QString& name);

private:
    const Option* find(const QString& name) const;
    Status missingValue(const QStringList& arguments) const;

    QList<Option> m_options;
    QCommandLineParser m_parser;
};

} // namespace nerin
