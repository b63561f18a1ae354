#include "app/QtSystemMessageBox.h"

#include <QMessageBox>

namespace nerin {

void QtSystemMessageBox::show(const QString& text, const QString& title, Icon icon) {
    QMessageBox box(icon == Icon::Critical ? QMessageBox::Critical : QMessageBox::Information, title, text,
                    QMessageBox::Ok);
    box.exec();
}

} // namespace nerin
