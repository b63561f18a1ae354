#pragma once

#include "data/SystemMessageBox.h"

#include <QList>
#include <QString>
#include <functional>

namespace nerin::fakes {

// One box the program asked to show.
struct Shown {
    QString text;
    QString title;
    SystemMessageBox::Icon icon;
    bool operator==(const Shown&) const = default;
};

// Stands in for the system's message box, which no test machine can click: remembers every box.
class RecordingMessageBox : public SystemMessageBox {
public:
    void show(const QString& text, const QString& title, Icon icon) override {
        shown.append({text, title, icon});
        if (mientras)
            mientras();
    }
    QList<Shown> shown;
    // What goes on while a box stands (a real box runs the event loop until it is closed).
    std::function<void()> mientras;
};

} // namespace nerin::fakes
