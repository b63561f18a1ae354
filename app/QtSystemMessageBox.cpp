#include "app/QtSystemMessageBox.h"

#include <QGuiApplication>
#include <QMessageBox>

namespace nerin {

void QtSystemMessageBox::show(const QString& text, const QString& title, Icon icon) {
    QMessageBox box(icon == Icon::Critical ? QMessageBox::Critical : QMessageBox::NoIcon,
                    title.isEmpty() ? QGuiApplication::applicationDisplayName() : title, text,
                    QMessageBox::Ok);
    box.exec();
}

} // namespace nerin
