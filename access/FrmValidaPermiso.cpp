#include "access/FrmValidaPermiso.h"

#include "access/ValidaPermiso.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace nerin {

FrmValidaPermiso::FrmValidaPermiso(TerminalContext& context, QWidget* parent, CardReader* lector)
    : PantallaTarjeta(parent, QStringLiteral("FrmValidaPermiso"), QStringLiteral("txtUsuario"), lector),
      m_context(context), m_lblTitulo(crearEtiqueta(QStringLiteral("lblTitulo"))),
      m_lblMensaje(crearEtiqueta(QStringLiteral("lblMensaje"))) {
    m_lblTitulo->setAlignment(Qt::AlignCenter);
    m_lblMensaje->setAlignment(Qt::AlignCenter);
    QPushButton* aceptar = crearTecla(QStringLiteral("Aceptar"), QStringLiteral("cmdAceptar"));
    QPushButton* cancelar = crearTecla(QStringLiteral("Cancelar"), QStringLiteral("cmdCancelar"));
    connect(aceptar, &QPushButton::clicked, this, [this] { pedirTarjeta(); });
    connect(cancelar, &QPushButton::clicked, this, [this] { reject(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lblTitulo);
    layout->addWidget(m_lblMensaje);
    auto* botones = new QHBoxLayout;
    botones->addWidget(aceptar);
    botones->addWidget(cancelar);
    layout->addLayout(botones);
}

void FrmValidaPermiso::setTitle(const QString& titulo) {
    setWindowTitle(titulo);
    m_lblTitulo->setText(titulo);
}

void FrmValidaPermiso::pedirTarjeta() {
    m_lblMensaje->setText(QStringLiteral("Pase su tarjeta!"));
    esperarTarjeta();
}

void FrmValidaPermiso::tarjetaRecibida(const QString& tarjeta) {
    ValidaPermiso regla(m_context, m_permiso);
    switch (regla.validar(tarjeta)) {
    case ValidaPermiso::Resultado::Valido:
        m_valido = true;
        m_empleado = regla.empleado();
        accept();
        return;
    case ValidaPermiso::Resultado::SinPermiso:
        setTitle(QStringLiteral("Reintentar?"));
        m_lblMensaje->setText(QStringLiteral("No tiene permisos!"));
        return;
    case ValidaPermiso::Resultado::TarjetaInvalida:
        m_lblMensaje->setText(QStringLiteral("Tarjeta inválida"));
        return;
    }
}

} // namespace nerin
