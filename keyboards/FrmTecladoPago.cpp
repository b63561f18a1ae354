#include "keyboards/FrmTecladoPago.h"

#include "keyboards/frmMsg.h"
#include "text/TextFormat.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace nerin {

FrmTecladoPago::FrmTecladoPago(QWidget* parent)
    : ModalScreen(parent, QStringLiteral("FrmTecladoPago")),
      m_titulo(crearEtiqueta(QStringLiteral("lblTitulo"))) {
    setWindowTitle(QStringLiteral("Pago"));
    m_titulo->setAlignment(Qt::AlignCenter);
    const std::array<QString, 3> nombres{QStringLiteral("Monto"), QStringLiteral("Propina"),
                                         QStringLiteral("Referencia")};
    const std::array<QString, 3> rotulos{QStringLiteral("MONTO"), QStringLiteral("PROPINA"),
                                         QStringLiteral("REFERENCIA")};
    auto* camposRejilla = new QGridLayout;
    for (int i = 0; i < 3; ++i) {
        const auto k = static_cast<std::size_t>(i);
        m_botones[k] = crearTecla(rotulos[k], QStringLiteral("cmd") + nombres[k]);
        m_botones[k]->setCheckable(true);
        m_campos[k] = new QLineEdit(this);
        m_campos[k]->setObjectName(QStringLiteral("txt") + nombres[k]);
        m_campos[k]->setReadOnly(true);
        m_campos[k]->setFocusPolicy(Qt::NoFocus);
        m_campos[k]->setAlignment(Qt::AlignRight);
        camposRejilla->addWidget(m_botones[k], i, 0);
        camposRejilla->addWidget(m_campos[k], i, 1);
        connect(m_botones[k], &QPushButton::clicked, this, [this, i] { elegir(static_cast<Campo>(i)); });
    }

    auto* teclas = new QGridLayout;
    for (int d = 1; d <= 9; ++d) {
        QPushButton* tecla = crearTecla(QString::number(d), QStringLiteral("cmd%1").arg(d));
        teclas->addWidget(tecla, 2 - (d - 1) / 3, (d - 1) % 3);
        connect(tecla, &QPushButton::clicked, this, [this, d] { escribir(QString::number(d)); });
    }
    QPushButton* cero = crearTecla(QStringLiteral("0"), QStringLiteral("cmd0"));
    QPushButton* punto = crearTecla(QStringLiteral("."), QStringLiteral("cmdPunto"));
    QPushButton* borrarTecla = crearTecla(QStringLiteral("←"), QStringLiteral("cmdBorrar"));
    QPushButton* limpiar = crearTecla(QStringLiteral("Limpiar"), QStringLiteral("cmdLimpiar"));
    QPushButton* aceptarTecla = crearTecla(QStringLiteral("Aceptar"), QStringLiteral("cmdAceptar"));
    QPushButton* cancelar = crearTecla(QStringLiteral("Cancelar"), QStringLiteral("cmdCancelar"));
    connect(cero, &QPushButton::clicked, this, [this] { escribir(QStringLiteral("0")); });
    connect(punto, &QPushButton::clicked, this, [this] { escribir(QStringLiteral(".")); });
    connect(borrarTecla, &QPushButton::clicked, this, [this] { borrar(false); });
    connect(limpiar, &QPushButton::clicked, this, [this] { borrar(true); });
    connect(aceptarTecla, &QPushButton::clicked, this, [this] { aceptar(); });
    connect(cancelar, &QPushButton::clicked, this, [this] { reject(); });
    teclas->addWidget(punto, 3, 0);
    teclas->addWidget(cero, 3, 1);
    teclas->addWidget(borrarTecla, 3, 2);
    teclas->addWidget(limpiar, 0, 3);
    teclas->addWidget(cancelar, 1, 3);
    teclas->addWidget(aceptarTecla, 2, 3, 2, 1);
    aceptarTecla->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);

    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(16, 16, 16, 16);
    todo->addWidget(m_titulo);
    todo->addLayout(camposRejilla);
    todo->addLayout(teclas, 1);

    m_aviso = [this](const QString& mensaje) { frmMsg::avisar(this, mensaje); };
    setMonto(Currency{});
    elegir(Monto);
}

void FrmTecladoPago::setTitulo(const QString& titulo) {
    m_titulo->setText(titulo);
    setWindowTitle(titulo);
}

void FrmTecladoPago::setMonto(Currency monto) {
    m_montoTecleado.fijar(TextFormat::number(monto, u"0.00"));
    m_propinaTecleada.fijar(QStringLiteral("0.00"));
    m_referenciaTecleada.clear();
    m_inicial = {true, true, true};
    // The starting amount is shown with its thousands grouped, as on the bill.
    m_montoFormateado = TextFormat::number(monto, u"#,##0.00");
    mostrarCampos();
}

void FrmTecladoPago::elegir(Campo campo) {
    m_campo = campo;
    for (std::size_t i = 0; i < m_botones.size(); ++i)
        m_botones[i]->setChecked(i == static_cast<std::size_t>(campo));
}

void FrmTecladoPago::escribir(const QString& texto) {
    const auto k = static_cast<std::size_t>(m_campo);
    if (m_inicial[k])
        borrar(true);
    bool tomado = true;
    if (m_campo == Monto)
        tomado = m_montoTecleado.agregar(texto);
    else if (m_campo == Propina)
        tomado = m_propinaTecleada.agregar(texto);
    else
        for (const QChar c : texto)
            if (c.isPrint())
                m_referenciaTecleada.append(c);
    mostrarCampos();
    // A quote, a letter, a sign or "1e300" is not an amount: it is refused and said.
    if (!tomado && m_aviso)
        m_aviso(QString::fromUtf8(ValorTecleado::kSoloNumeros));
}

void FrmTecladoPago::borrar(bool todo) {
    m_inicial[static_cast<std::size_t>(m_campo)] = false;
    if (m_campo == Monto)
        todo ? m_montoTecleado.limpiar() : m_montoTecleado.borrar();
    else if (m_campo == Propina)
        todo ? m_propinaTecleada.limpiar() : m_propinaTecleada.borrar();
    else if (todo)
        m_referenciaTecleada.clear();
    else
        m_referenciaTecleada.chop(1);
    mostrarCampos();
}

void FrmTecladoPago::mostrarCampos() {
    m_campos[Monto]->setText(m_inicial[Monto] ? m_montoFormateado : m_montoTecleado.texto());
    m_campos[Propina]->setText(m_propinaTecleada.texto());
    m_campos[Referencia]->setText(m_referenciaTecleada);
}

void FrmTecladoPago::aceptar() {
    const std::optional<Currency> monto = m_montoTecleado.valor();
    const std::optional<Currency> propina = m_propinaTecleada.valor();
    if (!monto || !propina) {
        elegir(monto ? Propina : Monto);
        if (m_aviso)
            m_aviso(monto ? QStringLiteral("La propina no es válida")
                          : QStringLiteral("El monto no es válido"));
        return;
    }
    m_monto = *monto;
    m_propina = *propina;
    m_referencia = m_referenciaTecleada;
    m_cancelado = false;
    accept();
}

void FrmTecladoPago::reject() {
    m_cancelado = true;
    QDialog::reject();
}

void FrmTecladoPago::keyPressEvent(QKeyEvent* event) {
    // Tab and Shift+Tab move between the three fields.
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
        elegir(static_cast<Campo>((m_campo + (event->key() == Qt::Key_Tab ? 1 : 2)) % 3));
        return;
    }
    const bool atendida =
        atenderTecla(event, {[this] { aceptar(); }, [this] { borrar(false); }, [this] { borrar(true); },
                             [this](const QString& texto) { escribir(texto); }});
    if (!atendida)
        ModalScreen::keyPressEvent(event);
}

} // namespace nerin
