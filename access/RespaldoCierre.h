#pragma once

#include <QString>

namespace nerin {

class TerminalContext;

// The backup taken after each close of day, when the terminal works on the embedded database file:
// into the backup folder under the state folder, keeping the last ones (see RespaldoSqlite). A
// terminal on a database server takes none: the server's own backups cover it. The screen keeps
// painting while the copy runs, but takes no touches.
//
// Whether it was made or not goes to the event log. Returns the message for the person when the
// backup failed, empty otherwise; the close of day stands either way.
QString respaldarTrasCierre(TerminalContext& context);

} // namespace nerin
