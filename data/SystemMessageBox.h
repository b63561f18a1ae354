#pragma once

#include <QString>

namespace nerin {

// The system's standard message box with a single OK button, used where the program's own message
// window cannot be relied on (database failures may come before it exists or while it is busy).
// show() returns once the user has closed the box. An empty title shows the application's title, as
// the system's boxes do when given none; Icon::None shows the text alone.
class SystemMessageBox {
public:
    enum class Icon { None, Critical };

    virtual ~SystemMessageBox() = default;

    virtual void show(const QString& text, const QString& title, Icon icon) = 0;
};

} // namespace nerin
