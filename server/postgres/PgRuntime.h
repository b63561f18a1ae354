#pragma once

#include "base/Status.h"

#include <QStringList>

namespace nerin {

class PgConnection;

// The run-time library of the PostgreSQL back-end: the functions and operators with T-SQL's meaning
// that translated statements call (nerin_dateadd(), nerin_convert_int(), text + text…), and the
// collation under which the restaurant's texts compare. They live in the database, created from the
// SQL files built into the program.
class PgRuntime {
public:
    // The library's files, in the order they are installed: each uses what the earlier ones define.
    static QStringList files();

    // Installs the library on the database `connection` is open to, in one transaction: functions
    // replaced by the program's own, operators and the collation created when missing, so that
    // installing again changes nothing but what the program changed. Fails naming the file that
    // failed and the server's reason, with nothing installed. Installs from several connections at
    // once wait for one another.
    static Status install(PgConnection& connection);
};

} // namespace nerin
