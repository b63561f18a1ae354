#include "order/FrmElegirTiempo.h"

#include "ui/VaciarLayout.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace nerin {

FrmElegirTiempo::FrmElegirTiempo(const QList<Despacho::Tiempo>& tiempos, qint16 propuesto, QWidget* parent)
    : ModalScreen(parent, QStringLiteral("FrmElegirTiempo")), m_tiempos(tiempos), m_tiempo(propuesto) {
    setWindowTitle(QStringLiteral("Tiempo"));
    // Four buttons a row, each wide enough for "Trabaja y Sale".
    setMinimumWidth(760);
    auto* vertical = new QVBoxLayout(this);
    QLabel* titulo = crearEtiqueta(QStringLiteral("lblTitulo"));
    titulo->setText(QStringLiteral("ELEGIR TIEMPO"));
    vertical->addWidget(titulo);
    m_txtTiempo = new QLineEdit(this);
    m_txtTiempo->setObjectName(QStringLiteral("txtTiempo"));
    m_txtTiempo->setReadOnly(true);
    m_txtTiempo->setFocusPolicy(Qt::NoFocus);
    for (const Despacho::Tiempo& tiempo : m_tiempos)
        if (tiempo.valor == propuesto)
            m_txtTiempo->setText(tiempo.caption);
    vertical->addWidget(m_txtTiempo);

    auto* centro = new QHBoxLayout;
    m_rejilla = new QGridLayout;
    centro->addLayout(m_rejilla, 1);
    auto* flechas = new QVBoxLayout;
    QPushButton* arriba = crearTecla(QStringLiteral("▲"), QStringLiteral("cmdArriba"));
    QPushButton* abajo = crearTecla(QStringLiteral("▼"), QStringLiteral("cmdAbajo"));
    connect(arriba, &QPushButton::clicked, this, [this] {
        if (m_primeraFila > 0) {
            --m_primeraFila;
            mostrarFilas();
        }
    });
    connect(abajo, &QPushButton::clicked, this, [this] {
        const int filas = static_cast<int>((m_tiempos.size() + kPorFila - 1) / kPorFila);
        if (m_primeraFila + kFilasVisibles < filas) {
            ++m_primeraFila;
            mostrarFilas();
        }
    });
    flechas->addWidget(arriba);
    flechas->addWidget(abajo);
    centro->addLayout(flechas);
    vertical->addLayout(centro);

    auto* botones = new QHBoxLayout;
    QPushButton* aceptar = crearTecla(QStringLiteral("Aceptar"), QStringLiteral("cmdAceptar"));
    QPushButton* cancelar = crearTecla(QStringLiteral("Cancelar"), QStringLiteral("cmdCancelar"));
    connect(aceptar, &QPushButton::clicked, this, [this] {
        m_elegido = true;
        accept();
    });
    connect(cancelar, &QPushButton::clicked, this, [this] { reject(); });
    botones->addWidget(aceptar);
    botones->addWidget(cancelar);
    vertical->addLayout(botones);
    mostrarFilas();
}

void FrmElegirTiempo::mostrarFilas() {
    vaciarLayout(m_rejilla);
    const int desde = m_primeraFila * kPorFila;
    const int hasta = std::min<int>(desde + kFilasVisibles * kPorFila, static_cast<int>(m_tiempos.size()));
    for (int i = desde; i < hasta; ++i) {
        const Despacho::Tiempo tiempo = m_tiempos.at(i);
        QPushButton* boton = crearTecla(tiempo.caption, QStringLiteral("cmdTiempo%1").arg(tiempo.valor));
        connect(boton, &QPushButton::clicked, this, [this, tiempo] { elegir(tiempo); });
        m_rejilla->addWidget(boton, (i - desde) / kPorFila, (i - desde) % kPorFila);
        boton->show();
    }
}

void FrmElegirTiempo::elegir(const Despacho::Tiempo& tiempo) {
    m_tiempo = tiempo.valor;
    m_txtTiempo->setText(tiempo.caption);
}

} // namespace nerin
