#pragma once

#include <QString>

namespace nerin {

// The root folder of the terminal's own files (event log, marker file, demo printer output): the
// environment variable NERIN_STATE when set, else the user's standard state location
// ($XDG_STATE_HOME/nerin, or ~/.local/state/nerin).
QString stateRoot();

// The folder that holds the daily event logs: "morvo" under the state root.
QString logRoot();

} // namespace nerin
