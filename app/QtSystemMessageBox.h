#pragma once

#include "data/SystemMessageBox.h"

namespace nerin {

// The system's message box shown with QMessageBox: one OK button, the text, the title (the
// application's display name when none is given) and its icon, if any.
class QtSystemMessageBox : public SystemMessageBox {
public:
    void show(const QString& text, const QString& title, Icon icon) override;
};

} // namespace nerin
