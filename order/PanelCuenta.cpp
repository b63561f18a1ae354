#include "order/PanelCuenta.h"

#include "ui/TouchTheme.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace nerin {

PanelCuenta::PanelCuenta(const CuadriculaComanda& cuadricula, std::function<void()> alCodigo, QWidget* parent)
    : QWidget(parent), m_alCodigo(std::move(alCodigo)) {
    setObjectName(QStringLiteral("PanelCuenta"));
    auto* columna = new QVBoxLayout(this);
    columna->setContentsMargins(0, 0, 0, 0);
    m_grid = new GridComanda(cuadricula, this);
    columna->addWidget(m_grid, 1);

    auto* desplazar = new QHBoxLayout;
    QPushButton* arriba = TouchTheme::tecla(QStringLiteral("▲"), QStringLiteral("imgComandaArriba"), this);
    QPushButton* abajo = TouchTheme::tecla(QStringLiteral("▼"), QStringLiteral("imgComandaAbajo"), this);
    connect(arriba, &QPushButton::clicked, this, [this] { m_grid->desplazar(-1); });
    connect(abajo, &QPushButton::clicked, this, [this] { m_grid->desplazar(1); });
    desplazar->addWidget(arriba);
    desplazar->addWidget(abajo);
    columna->addLayout(desplazar);

    m_lblTotal = new QLabel(this);
    m_lblTotal->setObjectName(QStringLiteral("lblTotal"));
    m_lblTotalUS = new QLabel(this);
    m_lblTotalUS->setObjectName(QStringLiteral("lblTotalUS"));
    columna->addWidget(m_lblTotal);
    columna->addWidget(m_lblTotalUS);

    auto* barras = new QHBoxLayout;
    m_txtInsBarras = new QLineEdit(this);
    m_txtInsBarras->setObjectName(QStringLiteral("txtInsBarras"));
    connect(m_txtInsBarras, &QLineEdit::returnPressed, this, [this] { m_alCodigo(); });
    QPushButton* insBarras =
        TouchTheme::tecla(QStringLiteral("Código"), QStringLiteral("cmdInsBarras"), this);
    connect(insBarras, &QPushButton::clicked, this, [this] { m_alCodigo(); });
    barras->addWidget(m_txtInsBarras, 1);
    barras->addWidget(insBarras);
    columna->addLayout(barras);
}

void PanelCuenta::mostrarTotales(const QString& total, const QString& totalDolares) {
    m_lblTotal->setText(total);
    m_lblTotalUS->setText(totalDolares);
    m_lblTotalUS->setVisible(!totalDolares.isEmpty());
}

QString PanelCuenta::codigo() const {
    return m_txtInsBarras->text();
}

void PanelCuenta::limpiarCodigo() {
    m_txtInsBarras->clear();
}

void PanelCuenta::foco() {
    if (m_txtInsBarras->isVisible() && m_txtInsBarras->isEnabled())
        m_txtInsBarras->setFocus();
}

bool PanelCuenta::teclear(QKeyEvent* event) {
    if (!m_txtInsBarras->isVisible() || !m_txtInsBarras->isEnabled())
        return false;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        m_alCodigo();
        return true;
    }
    if (event->text().isEmpty() || !event->text().at(0).isPrint())
        return false;
    m_txtInsBarras->insert(event->text());
    foco();
    return true;
}

} // namespace nerin
