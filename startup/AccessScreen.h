#pragma once

#include <QString>

namespace nerin {

// The part of the access screen that start-up and the screens returning to it need. The access
// screen implements it; tests record the calls.
class AccessScreen {
public:
    virtual ~AccessScreen() = default;

    // Shows the screen (not modal). With `serverFound` false the screen looks for a server itself.
    virtual void showAccessScreen(bool serverFound) = 0;
    // Brings the screen back after `screenName` ended a user's work: timer on, user box cleared and
    // focused; the calling screen is unloaded when `unload`, else hidden.
    virtual void returnToAccess(const QString& screenName, bool unload) = 0;
};

} // namespace nerin
