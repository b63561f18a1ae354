#pragma once

#include "reports/CifrasGraficas.h"

#include <QWidget>

class QChartView;

namespace nerin {

// The charts beside a summary grid: the day's takings by hour, the screen's own figures (by payment
// type, by category...), and the working date beside the same weekday of the previous weeks (hidden when
// there is no history). Each chart is a bar chart drawn from the figures it is given; a chart without figures
// says so instead of drawing an empty frame.
class GraficasVentas : public QWidget {
public:
    explicit GraficasVentas(QWidget* parent = nullptr);

    void mostrar(const CifrasGraficas& cifras);

private:
    QChartView* m_porHora;
    QChartView* m_porConcepto;
    QChartView* m_semanas;
};

} // namespace nerin
