#include "printing/FrmEscogerImpresora.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace nerin {

FrmEscogerImpresora::FrmEscogerImpresora(const ContextoImpresion& contexto, QWidget* parent)
    : ModalScreen(parent, QStringLiteral("FrmEscogerImpresora")), m_redirigir(contexto),
      m_lblTitulo(crearEtiqueta(QStringLiteral("lblTitulo"))),
      m_grdDestino(crearListaTactil(QStringLiteral("grdDestino"), QStringLiteral("Imprimir en"))) {
    setWindowTitle(QStringLiteral("Escoger impresora"));
    m_grdDestino->setMinimumSize(480, 360);

    QPushButton* cmdAceptar = crearTecla(QStringLiteral("Aceptar"), QStringLiteral("cmdAceptar"));
    QPushButton* cmdCancelar = crearTecla(QStringLiteral("Cancelar"), QStringLiteral("cmdCancelar"));
    connect(cmdAceptar, &QPushButton::clicked, this, [this] { aceptar(); });
    connect(cmdCancelar, &QPushButton::clicked, this, [this] { reject(); });
    auto* botones = new QHBoxLayout;
    botones->addWidget(cmdAceptar);
    botones->addWidget(cmdCancelar);
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(m_lblTitulo);
    todo->addWidget(m_grdDestino, 1);
    todo->addLayout(botones);

    // A failed read has been reported; the list is then empty and "Aceptar" asks for a printer.
    std::optional<RecordSet> filas = m_redirigir.destinos();
    m_filas = filas ? std::move(*filas) : RecordSet();
    m_grdDestino->setRowCount(m_filas.recordCount());
    for (int fila = 0; fila < m_filas.recordCount(); ++fila)
        m_grdDestino->setItem(fila, 0, new QTableWidgetItem(m_filas.rows().at(fila).value(1).toString()));
    setImpresora(0);
}

void FrmEscogerImpresora::setImpresora(qint16 impresora) {
    m_impresora = impresora;
    QString nombre;
    for (const QList<DbValue>& fila : m_filas.rows())
        if (fila.value(0).toInt() == impresora)
            nombre = fila.value(1).toString();
    m_lblTitulo->setText(nombre.isEmpty() ? QStringLiteral("REDIRIGIR IMPRESORA A:")
                                          : QStringLiteral("REDIRIGIR ") + nombre + QStringLiteral(" A:"));
}

void FrmEscogerImpresora::aceptar() {
    const int fila = m_grdDestino->selectionModel()->hasSelection() ? m_grdDestino->currentRow() : -1;
    std::optional<qint32> destino;
    if (fila >= 0 && fila < m_filas.recordCount())
        destino = static_cast<qint32>(m_filas.rows().at(fila).value(0).toInt());
    if (m_redirigir.Redirigir(m_impresora, destino))
        accept();
}

} // namespace nerin
