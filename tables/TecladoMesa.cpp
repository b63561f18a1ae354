#include "tables/TecladoMesa.h"

#include "ui/TouchTheme.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace nerin {

TecladoMesa::TecladoMesa(QWidget* parent) : QWidget(parent) {
    // The service options are touched like keys: light captions on the dark background, large marks.
    setStyleSheet(QStringLiteral("QRadioButton { color: %2; font-size: %1px; }"
                                 "QRadioButton::indicator { width: 36px; height: 36px; border-radius: 20px;"
                                 "  border: 2px solid %3; background: %4; }"
                                 "QRadioButton::indicator:checked { background: %5;"
                                 "  border-color: %6; }")
                      .arg(TouchTheme::kLetraTexto)
                      .arg(TouchTheme::css(TouchTheme::kTextoClaro), TouchTheme::css(TouchTheme::kBorde),
                           TouchTheme::css(TouchTheme::kCampo), TouchTheme::css(TouchTheme::kResalte),
                           TouchTheme::css(TouchTheme::kTextoOscuro)));
    m_txtMesa = new QLineEdit(this);
    m_txtMesa->setObjectName(QStringLiteral("txtMesa"));
    m_txtMesa->setReadOnly(true);
    m_txtMesa->setFocusPolicy(Qt::NoFocus);
    m_txtMesa->setAlignment(Qt::AlignRight);

    const auto tecla = [this](const QString& texto, const QString& nombre) {
        QPushButton* boton = TouchTheme::tecla(texto, nombre, this);
        // In a dialog Enter belongs to the screen, never to the key last touched.
        boton->setAutoDefault(false);
        return boton;
    };
    auto* teclas = new QGridLayout;
    for (int d = 0; d <= 9; ++d) {
        QPushButton* boton = tecla(QString::number(d), QStringLiteral("cmd%1").arg(d));
        if (d == 0)
            teclas->addWidget(boton, 3, 1);
        else
            teclas->addWidget(boton, 2 - (d - 1) / 3, (d - 1) % 3);
        connect(boton, &QPushButton::clicked, this, [this, d] { teclear(QString::number(d)); });
    }
    QPushButton* cmdBorrar = tecla(QStringLiteral("Borrar"), QStringLiteral("cmdBorrar"));
    connect(cmdBorrar, &QPushButton::clicked, this, [this] { limpiar(); });
    QPushButton* atras = tecla(QStringLiteral("<---"), QStringLiteral("cmdAtras"));
    connect(atras, &QPushButton::clicked, this, [this] { borrar(); });
    teclas->addWidget(cmdBorrar, 3, 0);
    teclas->addWidget(atras, 3, 2);
    for (int fila = 0; fila < 4; ++fila)
        teclas->setRowMinimumHeight(fila, 72);

    m_columna = new QVBoxLayout;
    auto* grupo = new QButtonGroup(this);
    const auto opcion = [&](const QString& texto, const QString& nombre) {
        auto* boton = new QRadioButton(texto, this);
        boton->setObjectName(nombre);
        boton->setFocusPolicy(Qt::NoFocus);
        boton->setMinimumHeight(TouchTheme::kMinimoTecla);
        grupo->addButton(boton);
        m_columna->addWidget(boton);
        return boton;
    };
    m_optComedor = opcion(QStringLiteral("Comedor"), QStringLiteral("optComedor"));
    m_optParaLlevar = opcion(QStringLiteral("Para llevar"), QStringLiteral("optParaLlevar"));
    m_optDomicilio = opcion(QStringLiteral("Domicilio"), QStringLiteral("optDomicilio"));
    m_optComedor->setChecked(true);
    m_columna->addStretch(1);

    auto* cuerpo = new QHBoxLayout;
    cuerpo->addLayout(teclas, 3);
    cuerpo->addLayout(m_columna, 2);
    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(0, 0, 0, 0);
    todo->addWidget(m_txtMesa);
    todo->addLayout(cuerpo, 1);
}

void TecladoMesa::teclear(const QString& texto) {
    m_tecleado.agregar(texto);
    mostrarNumero();
}

void TecladoMesa::borrar() {
    m_tecleado.borrar();
    mostrarNumero();
}

void TecladoMesa::limpiar() {
    m_tecleado.limpiar();
    mostrarNumero();
}

void TecladoMesa::mostrarNumero() {
    m_txtMesa->setText(m_tecleado.texto());
}

MesaNueva::Servicio TecladoMesa::servicio() const {
    if (m_optComedor->isChecked())
        return MesaNueva::Servicio::Comedor;
    if (m_optParaLlevar->isChecked())
        return MesaNueva::Servicio::ParaLlevar;
    return MesaNueva::Servicio::Domicilio;
}

void TecladoMesa::mostrarServicios(bool visibles) {
    for (QRadioButton* opcion : {m_optComedor, m_optParaLlevar, m_optDomicilio})
        opcion->setVisible(visibles);
}

} // namespace nerin
