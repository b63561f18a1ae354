#pragma once

#include "data/SystemMessageBox.h"

namespace nerin {

// The system's message box shown with QMessageBox: one OK button, the text, the title and its icon.
class QtSystemMessageBox : public SystemMessageBox {
public:
    void show(const QString& text, const QString& title, Icon icon) override;
};

} // namespace nerin
