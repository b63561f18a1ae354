#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace nerin {

// The bouncing logo of the access screen: each step moves the logo by a fixed amount and turns it
// back at the edges of the area, so that it wanders across the screen while nobody works at it.
class LogoRebote {
public:
    // `paso` is how far one step moves the logo, in pixels, across and down.
    explicit LogoRebote(QPoint paso = QPoint(6, 4));

    // The logo's next top-left corner inside `area` for a logo of `logo` size placed at `actual`. A
    // logo larger than the area stays at the area's top-left corner on that axis; a logo found outside
    // the area is brought back inside.
    QPoint siguiente(const QRect& area, const QSize& logo, const QPoint& actual);

    QPoint paso() const { return m_paso; }

private:
    QPoint m_paso;
};

} // namespace nerin
