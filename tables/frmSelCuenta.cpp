#include "tables/frmSelCuenta.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace nerin {

frmSelCuenta::frmSelCuenta(TerminalContext& context, qint32 Comanda, qint16 Control, QWidget* parent)
    : ModalScreen(parent, QStringLiteral("frmSelCuenta")), m_cuentas(context, Comanda, Control),
      m_mesa(m_cuentas.mesa()),
      m_grdCuentas(crearListaTactil(QStringLiteral("grdCuentas"), QStringLiteral("Cuenta"))),
      m_grdArticulos(crearListaTactil(QStringLiteral("grdArticulos"), QStringLiteral("Artículos"))) {
    setWindowTitle(QStringLiteral("Seleccionar cuenta"));
    // Item names whole, and rows a finger can hit, on a 1024x768 screen.
    resize(900, 620);
    QLabel* titulo = crearEtiqueta(QStringLiteral("lblTitulo"));
    titulo->setText(QStringLiteral("Mesa ") + QString::number(m_mesa) +
                    QStringLiteral(": seleccione una cuenta"));
    connect(m_grdCuentas, &QTableWidget::clicked, this, [this](const QModelIndex& i) { tocar(i.row()); });

    m_cmdUnir = crearTecla(QStringLiteral("Unir"), QStringLiteral("cmdUnir"));
    m_cmdUnir->setCheckable(true);
    m_cmdUnir->setVisible(m_cuentas.puedeUnir());
    QPushButton* ver = crearTecla(QStringLiteral("Ver"), QStringLiteral("cmdVer"));
    connect(ver, &QPushButton::clicked, this, [this] {
        if (!m_seleccionada)
            return;
        m_cuentas.ver(m_mesa, *m_seleccionada);
        m_elegida = m_seleccionada;
        accept();
    });
    // The way out: the caller gives back the order it locked to open this screen.
    QPushButton* cancelar = crearTecla(QStringLiteral("Cancelar"), QStringLiteral("cmdCancelar"));
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);

    QPushButton* arriba = crearTecla(QStringLiteral("▲"), QStringLiteral("cmdArriba"));
    QPushButton* abajo = crearTecla(QStringLiteral("▼"), QStringLiteral("cmdAbajo"));
    connect(arriba, &QPushButton::clicked, this, [this] { moverFila(m_grdArticulos, -1); });
    connect(abajo, &QPushButton::clicked, this, [this] { moverFila(m_grdArticulos, 1); });

    auto* listas = new QHBoxLayout;
    listas->addWidget(m_grdCuentas, 1);
    listas->addLayout(listaConFlechas(m_grdArticulos, arriba, abajo), 2);
    auto* teclas = new QHBoxLayout;
    for (QPushButton* tecla : {m_cmdUnir, ver, cancelar})
        teclas->addWidget(tecla);
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(titulo);
    todo->addLayout(listas, 1);
    todo->addLayout(teclas);
    llenar();
}

void frmSelCuenta::llenar() {
    m_lista = m_cuentas.cuentas().value_or(QList<qint16>());
    if (m_seleccionada && !m_lista.contains(*m_seleccionada))
        m_seleccionada.reset();
    m_grdCuentas->setRowCount(static_cast<int>(m_lista.size()));
    for (int fila = 0; fila < m_lista.size(); ++fila) {
        m_grdCuentas->setItem(
            fila, 0, new QTableWidgetItem(QStringLiteral("Cuenta ") + QString::number(m_lista[fila])));
        if (m_seleccionada == m_lista[fila])
            m_grdCuentas->selectRow(fila);
    }
    mostrarContenido();
}

void frmSelCuenta::tocar(int fila) {
    if (fila < 0 || fila >= m_lista.size())
        return;
    const qint16 tocada = m_lista[fila];
    // With "Unir" on, a second account joins into the selected one; the selected one touched again
    // only stays selected.
    if (m_cmdUnir->isChecked() && m_seleccionada && *m_seleccionada != tocada) {
        if (m_cuentas.unir(*m_seleccionada, tocada))
            m_cmdUnir->setChecked(false);
        llenar();
        return;
    }
    m_seleccionada = tocada;
    mostrarContenido();
}

void frmSelCuenta::mostrarContenido() {
    const QStringList nombres =
        m_seleccionada ? m_cuentas.contenido(*m_seleccionada).value_or(QStringList()) : QStringList();
    m_grdArticulos->setRowCount(static_cast<int>(nombres.size()));
    for (int fila = 0; fila < nombres.size(); ++fila)
        // Button captions mark their line breaks with "\\n"; in the list a name takes one line.
        m_grdArticulos->setItem(
            fila, 0,
            new QTableWidgetItem(QString(nombres[fila]).replace(QStringLiteral("\\n"), QStringLiteral(" "))));
}

} // namespace nerin
