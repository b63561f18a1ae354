#include "tables/FrmDividir.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace nerin {

FrmDividir::FrmDividir(CuentasComanda& cuentas, qint16 cuenta, const QString& mesa, QWidget* parent)
    : ModalScreen(parent, QStringLiteral("FrmDividir")), m_cuentas(cuentas), m_cuenta(cuenta), m_mesa(mesa),
      m_grdCuenta(
          crearListaTactil(QStringLiteral("grdCuenta"), QStringLiteral("Cuenta ") + QString::number(cuenta))),
      m_grdNueva(crearListaTactil(QStringLiteral("grdNueva"), QStringLiteral("Nueva cuenta"))) {
    setWindowTitle(QStringLiteral("Dividir cuenta"));
    // Item names whole, and rows a finger can hit, on a 1024x768 screen.
    resize(900, 620);
    QLabel* titulo = crearEtiqueta(QStringLiteral("lblTitulo"));
    titulo->setText(QStringLiteral("Mesa ") + mesa + QStringLiteral(": dividir la cuenta ") +
                    QString::number(cuenta));

    const auto flechas = [this](QTableWidget* grid, const QString& sufijo) {
        QPushButton* arriba = crearTecla(QStringLiteral("▲"), QStringLiteral("cmdArriba") + sufijo);
        QPushButton* abajo = crearTecla(QStringLiteral("▼"), QStringLiteral("cmdAbajo") + sufijo);
        connect(arriba, &QPushButton::clicked, this, [grid] { moverFila(grid, -1); });
        connect(abajo, &QPushButton::clicked, this, [grid] { moverFila(grid, 1); });
        return listaConFlechas(grid, arriba, abajo);
    };
    QPushButton* agregar = crearTecla(QStringLiteral("Agregar ▶"), QStringLiteral("cmdAgregar"));
    QPushButton* quitar = crearTecla(QStringLiteral("◀ Quitar"), QStringLiteral("cmdQuitar"));
    connect(agregar, &QPushButton::clicked, this, [this] { pasar(m_izquierda, m_grdCuenta, m_derecha); });
    connect(quitar, &QPushButton::clicked, this, [this] { pasar(m_derecha, m_grdNueva, m_izquierda); });
    auto* medio = new QVBoxLayout;
    medio->addStretch(1);
    medio->addWidget(agregar);
    medio->addWidget(quitar);
    medio->addStretch(1);

    QPushButton* cmdAceptar = crearTecla(QStringLiteral("Aceptar"), QStringLiteral("cmdAceptar"));
    QPushButton* cmdCancelar = crearTecla(QStringLiteral("Cancelar"), QStringLiteral("cmdCancelar"));
    connect(cmdAceptar, &QPushButton::clicked, this, [this] { aceptar(); });
    connect(cmdCancelar, &QPushButton::clicked, this, &QDialog::reject);

    auto* listas = new QHBoxLayout;
    listas->addLayout(flechas(m_grdCuenta, QString()), 1);
    listas->addLayout(medio);
    listas->addLayout(flechas(m_grdNueva, QStringLiteral("Nueva")), 1);
    auto* teclas = new QHBoxLayout;
    teclas->addWidget(cmdAceptar);
    teclas->addWidget(cmdCancelar);
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(titulo);
    todo->addLayout(listas, 1);
    todo->addLayout(teclas);
    Llenar_Cuenta();
}

void FrmDividir::Llenar_Cuenta() {
    m_izquierda = m_cuentas.articulos(m_cuenta).value_or(QList<CuentasComanda::Articulo>());
    m_derecha.clear();
    mostrarLista(m_grdCuenta, m_izquierda);
    mostrarLista(m_grdNueva, m_derecha);
}

void FrmDividir::pasar(QList<CuentasComanda::Articulo>& de, QTableWidget* desde,
                       QList<CuentasComanda::Articulo>& a) {
    const int fila = desde->selectionModel()->hasSelection() ? desde->currentRow() : -1;
    if (fila < 0 || fila >= de.size())
        return;
    a.append(de.takeAt(fila));
    mostrarLista(m_grdCuenta, m_izquierda);
    mostrarLista(m_grdNueva, m_derecha);
}

void FrmDividir::mostrarLista(QTableWidget* grid, const QList<CuentasComanda::Articulo>& articulos) {
    grid->clearSelection();
    grid->setRowCount(static_cast<int>(articulos.size()));
    for (int fila = 0; fila < articulos.size(); ++fila)
        grid->setItem(fila, 0, new QTableWidgetItem(articulos[fila].nombre));
}

void FrmDividir::aceptar() {
    m_nueva = m_cuentas.dividir(m_cuenta, m_mesa, m_derecha);
    if (m_nueva) {
        accept();
        return;
    }
    // Not split: the account as it stands now, nothing on the right.
    Llenar_Cuenta();
}

} // namespace nerin
