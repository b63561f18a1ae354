#include "ui/VaciarLayout.h"

#include <QLayout>
#include <QWidget>

namespace nerin {

void vaciarLayout(QLayout* layout) {
    while (QLayoutItem* item = layout->takeAt(0)) {
        if (QWidget* widget = item->widget()) {
            widget->hide();
            widget->deleteLater();
        }
        delete item;
    }
}

} // namespace nerin
