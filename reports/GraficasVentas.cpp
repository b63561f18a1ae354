#include "reports/GraficasVentas.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

namespace nerin {

namespace {

QChartView* crearVista(const QString& nombre, QWidget* parent) {
    auto* vista = new QChartView(parent);
    vista->setObjectName(nombre);
    vista->setRenderHint(QPainter::Antialiasing);
    vista->setMinimumSize(320, 170);
    vista->setFocusPolicy(Qt::NoFocus);
    QChart* chart = vista->chart();
    chart->legend()->hide();
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->setAnimationOptions(QChart::NoAnimation);
    return vista;
}

// Draws bars for `barras` under `titulo` in the chart of `vista`. The view's own chart is reused and
// only its series and axes are replaced: making a chart costs more than drawing its bars.
void dibujar(QChartView* vista, const QString& titulo, const QList<Barra>& barras, const QColor& color) {
    QChart* chart = vista->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* eje : chart->axes()) {
        chart->removeAxis(eje);
        delete eje;
    }
    chart->setTitle(barras.isEmpty() ? titulo + QStringLiteral(" — sin movimientos") : titulo);
    if (!barras.isEmpty()) {
        auto* serie = new QBarSeries;
        auto* conjunto = new QBarSet(titulo);
        conjunto->setColor(color);
        QStringList etiquetas;
        double maximo = 0;
        for (const Barra& barra : barras) {
            const double valor = barra.monto.toDouble();
            conjunto->append(valor);
            etiquetas.append(barra.etiqueta);
            maximo = std::max(maximo, valor);
        }
        serie->append(conjunto);
        serie->setLabelsVisible(barras.size() <= 8);
        serie->setLabelsFormat(QStringLiteral("@value"));
        chart->addSeries(serie);
        auto* ejeX = new QBarCategoryAxis;
        ejeX->append(etiquetas);
        chart->addAxis(ejeX, Qt::AlignBottom);
        serie->attachAxis(ejeX);
        auto* ejeY = new QValueAxis;
        ejeY->setRange(0, maximo > 0 ? maximo * 1.15 : 1);
        ejeY->setLabelFormat(QStringLiteral("%.0f"));
        chart->addAxis(ejeY, Qt::AlignLeft);
        serie->attachAxis(ejeY);
    }
}

} // namespace

GraficasVentas::GraficasVentas(QWidget* parent)
    : QWidget(parent), m_porHora(crearVista(QStringLiteral("chtPorHora"), this)),
      m_porConcepto(crearVista(QStringLiteral("chtPorConcepto"), this)),
      m_semanas(crearVista(QStringLiteral("chtSemanas"), this)) {
    setObjectName(QStringLiteral("graficas"));
    auto* columna = new QVBoxLayout(this);
    columna->setContentsMargins(0, 0, 0, 0);
    columna->addWidget(m_porHora);
    columna->addWidget(m_porConcepto);
    columna->addWidget(m_semanas);
}

void GraficasVentas::mostrar(const CifrasGraficas& cifras) {
    dibujar(m_porHora, QStringLiteral("Cobrado por hora"), cifras.porHora, QColor(0x2e, 0x7d, 0x32));
    dibujar(m_porConcepto, cifras.tituloConcepto, cifras.porConcepto, QColor(0x15, 0x65, 0xc0));
    dibujar(m_semanas, QStringLiteral("Mismo día, semanas anteriores"), cifras.semanas,
            QColor(0xef, 0x6c, 0x00));
    m_semanas->setVisible(!cifras.semanas.isEmpty());
}

} // namespace nerin
