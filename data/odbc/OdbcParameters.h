#pragma once

#include "data/DbCommand.h"
#include "data/odbc/OdbcSupport.h"

#include <vector>

namespace nerin {

// The buffers behind a command's parameters while it runs. The driver keeps pointers into them from
// binding until the last result has been consumed (output values arrive only then), so an object of
// this class must outlive the statement's execution and is neither copied nor moved.
//
// How each declared type is sent:
//   BigInt    SQL_BIGINT                      from a 64-bit integer
//   Integer   SQL_INTEGER                     from a 64-bit integer (the driver refuses values that
//                                             do not fit)
//   Char      SQL_CHAR(size)                  from UTF-16 text; the size is the declared one, or the
//                                             text's length when none was declared
//   LongText  SQL_WLONGVARCHAR                from UTF-16 text
//   Currency  SQL_DECIMAL(19,4)               from its plain decimal text ("-1234.5")
// A null value is sent as NULL. Output texts receive at most the declared size, or 8000 characters
// for a LongText declared without one.
class OdbcParameters {
public:
    explicit OdbcParameters(const QList<DbCommand::Parameter>& parameters);
    OdbcParameters(const OdbcParameters&) = delete;
    OdbcParameters& operator=(const OdbcParameters&) = delete;

    // Binds every parameter to the statement's markers in order. False on failure, with the
    // diagnostics on the statement handle.
    bool bind(SQLHSTMT statement);
    // Writes the values of output and input-output parameters back into the command, by name. Only
    // meaningful after every result of the statement was consumed.
    void writeOutputs(DbCommand& command) const;

private:
    struct Slot {
        DbCommand::ParamType type = DbCommand::ParamType::Integer;
        DbCommand::Direction direction = DbCommand::Direction::Input;
        QString name;
        SQLBIGINT integer = 0;
        std::vector<SQLWCHAR> text;   // Char and LongText, zero-terminated
        std::vector<SQLCHAR> decimal; // Currency, zero-terminated ASCII
        SQLULEN columnSize = 0;
        SQLLEN indicator = 0;
    };

    static Slot makeSlot(const DbCommand::Parameter& parameter);
    static DbValue outputValue(const Slot& slot);

    std::vector<Slot> m_slots;
};

} // namespace nerin
