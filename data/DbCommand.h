#pragma once

#include "data/DbValue.h"

#include <QList>
#include <QString>

namespace nerin {

// A command sent with named parameters, as the terminal calls the server procedures that return
// values ("Abrir_Mesa" with "@nFolio" as output).
class DbCommand {
public:
    enum class Kind { Text, StoredProcedure, Unknown };
    // The parameter types the terminal declares.
    enum class ParamType { BigInt, Integer, Char, LongText, Currency };
    enum class Direction { Input, Output, InputOutput };

    struct Parameter {
        QString name; // with its "@"
        ParamType type = ParamType::Integer;
        Direction direction = Direction::Input;
        int size = 0; // characters, for Char
        DbValue value;
    };

    DbCommand() = default;
    DbCommand(QString text, Kind kind) : m_text(std::move(text)), m_kind(kind) {}

    const QString& text() const { return m_text; }
    Kind kind() const { return m_kind; }

    void addParameter(Parameter parameter) { m_parameters.append(std::move(parameter)); }
    QList<Parameter>& parameters() { return m_parameters; }
    const QList<Parameter>& parameters() const { return m_parameters; }

    // The value of a parameter by name without regard to case (output parameters hold what the
    // server returned after the command ran); NULL when there is no such parameter.
    DbValue parameter(QStringView name) const;
    void setParameter(QStringView name, DbValue value);

private:
    QString m_text;
    Kind m_kind = Kind::Text;
    QList<Parameter> m_parameters;
};

} // namespace nerin
