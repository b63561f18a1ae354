#include "access/FrmNuevaContraseña.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace nerin {

FrmNuevaContraseña::FrmNuevaContraseña(TerminalContext& context, QWidget* parent, CardReader* lector)
    : PantallaTarjeta(parent, QStringLiteral("FrmNuevaContraseña"), QStringLiteral("txtTarjeta"), lector),
      m_cambio(context), m_lblTitulo(crearEtiqueta(QStringLiteral("lblTitulo"))) {
    setWindowTitle(QStringLiteral("Nueva tarjeta"));
    m_lblTitulo->setAlignment(Qt::AlignCenter);
    setNombre(QString());
    QLabel* indicacion = crearEtiqueta(QStringLiteral("lblMensaje"));
    indicacion->setAlignment(Qt::AlignCenter);
    indicacion->setText(QStringLiteral("Pase la nueva tarjeta"));
    QPushButton* cancelar = crearTecla(QStringLiteral("Cancelar"), QStringLiteral("cmdCancelar"));
    connect(cancelar, &QPushButton::clicked, this, [this] { reject(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lblTitulo);
    layout->addWidget(indicacion);
    layout->addWidget(cancelar);
}

void FrmNuevaContraseña::setNombre(const QString& nombre) {
    m_lblTitulo->setText(nombre.isEmpty() ? QStringLiteral("NUEVA TARJETA")
                                          : QStringLiteral("NUEVA TARJETA DE ") + nombre);
}

void FrmNuevaContraseña::tarjetaRecibida(const QString& tarjeta) {
    m_cambiada = m_cambio.asignar(m_idEmpleado, tarjeta) == CambioTarjeta::Resultado::Cambiada;
    if (m_cambiada)
        accept();
}

} // namespace nerin
