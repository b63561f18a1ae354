#include "access/LogoRebote.h"

#include <cstdlib>

namespace nerin {

namespace {

// One axis: moves `pos` by `paso` within [minimo, maximo], turning `paso` around at either end.
int avanzar(int pos, int& paso, int minimo, int maximo) {
    if (maximo <= minimo) {
        paso = std::abs(paso);
        return minimo;
    }
    int siguiente = pos + paso;
    if (siguiente > maximo) {
        siguiente = maximo;
        paso = -std::abs(paso);
    } else if (siguiente < minimo) {
        siguiente = minimo;
        paso = std::abs(paso);
    }
    return siguiente;
}

} // namespace

LogoRebote::LogoRebote(QPoint paso) : m_paso(paso) {}

QPoint LogoRebote::siguiente(const QRect& area, const QSize& logo, const QPoint& actual) {
    int pasoX = m_paso.x();
    int pasoY = m_paso.y();
    const int x = avanzar(actual.x(), pasoX, area.left(), area.left() + area.width() - logo.width());
    const int y = avanzar(actual.y(), pasoY, area.top(), area.top() + area.height() - logo.height());
    m_paso = QPoint(pasoX, pasoY);
    return QPoint(x, y);
}

} // namespace nerin
