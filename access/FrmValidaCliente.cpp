#include "access/FrmValidaCliente.h"

#include "loyalty/ValidacionTarjeta.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace nerin {

FrmValidaCliente::FrmValidaCliente(TerminalContext& context, QWidget* parent, CardReader* lector)
    : PantallaTarjeta(parent, QStringLiteral("FrmValidaCliente"), QStringLiteral("txtTarjeta"), lector),
      m_context(context), m_lblTitulo(crearEtiqueta(QStringLiteral("lblTitulo"))),
      m_lblMensaje(crearEtiqueta(QStringLiteral("lblMensaje"))),
      m_lblNombre(crearEtiqueta(QStringLiteral("lblNombre"))),
      m_lblSaldo(crearEtiqueta(QStringLiteral("lblSaldo"))) {
    for (QLabel* etiqueta : {m_lblTitulo, m_lblMensaje, m_lblNombre, m_lblSaldo})
        etiqueta->setAlignment(Qt::AlignCenter);
    QPushButton* aceptar = crearTecla(QStringLiteral("Aceptar"), QStringLiteral("cmdAceptar"));
    QPushButton* cancelar = crearTecla(QStringLiteral("Cancelar"), QStringLiteral("cmdCancelar"));
    connect(aceptar, &QPushButton::clicked, this, [this] { this->aceptar(); });
    connect(cancelar, &QPushButton::clicked, this, [this] { reject(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lblTitulo);
    layout->addWidget(m_lblMensaje);
    layout->addWidget(m_lblNombre);
    layout->addWidget(m_lblSaldo);
    auto* botones = new QHBoxLayout;
    botones->addWidget(aceptar);
    botones->addWidget(cancelar);
    layout->addLayout(botones);
    resize(640, 400);
}

void FrmValidaCliente::setTitle(const QString& titulo) {
    setWindowTitle(titulo);
    m_lblTitulo->setText(titulo);
}

int FrmValidaCliente::getTipoTarjeta() const {
    return m_valido ? ValidacionTarjeta::kTipoTarjeta : 0;
}

void FrmValidaCliente::aceptar() {
    if (m_valido) {
        accept();
        return;
    }
    m_lblMensaje->setText(QStringLiteral("Pase su tarjeta!"));
    esperarTarjeta();
}

void FrmValidaCliente::tarjetaRecibida(const QString& tarjeta) {
    ValidacionTarjeta validacion(m_context);
    m_valido = validacion.validar(tarjeta, m_enLinea);
    m_cliente = validacion.cliente();
    m_nombre = validacion.nombre();
    m_puntos = validacion.puntos();
    m_pesos = validacion.pesos();
    m_lblMensaje->clear();
    m_lblNombre->setText(m_nombre);
    m_lblSaldo->setText(m_valido && m_enLinea
                            ? QStringLiteral("Puntos: ") + m_puntos + QStringLiteral(", Pesos: ") + m_pesos
                            : QString());
    if (m_valido && !m_enLinea)
        accept();
}

void FrmValidaCliente::reject() {
    m_valido = false;
    PantallaTarjeta::reject();
}

} // namespace nerin
