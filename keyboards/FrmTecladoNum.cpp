#include "keyboards/FrmTecladoNum.h"

#include "keyboards/frmMsg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace nerin {

FrmTecladoNum::FrmTecladoNum(QWidget* parent)
    : ModalScreen(parent, QStringLiteral("FrmTecladoNum")),
      m_titulo(crearEtiqueta(QStringLiteral("lblTitulo"))), m_valorTexto(new QLineEdit(this)),
      m_porcentaje(new QCheckBox(QStringLiteral("Porcentaje"), this)) {
    setWindowTitle(QStringLiteral("Valor"));
    m_titulo->setAlignment(Qt::AlignCenter);
    m_valorTexto->setObjectName(QStringLiteral("txtValor"));
    m_valorTexto->setReadOnly(true);
    m_valorTexto->setFocusPolicy(Qt::NoFocus);
    m_valorTexto->setAlignment(Qt::AlignRight);
    m_porcentaje->setObjectName(QStringLiteral("chkPorcentaje"));
    m_porcentaje->setFocusPolicy(Qt::NoFocus);
    connect(m_porcentaje, &QCheckBox::toggled, this, [this] { empezarValor(); });

    auto* teclas = new QGridLayout;
    for (int d = 1; d <= 9; ++d) {
        QPushButton* tecla = crearTecla(QString::number(d), QStringLiteral("cmd%1").arg(d));
        teclas->addWidget(tecla, 2 - (d - 1) / 3, (d - 1) % 3);
        const QChar c(u'0' + d);
        connect(tecla, &QPushButton::clicked, this, [this, c] { escribir(QString(c)); });
    }
    QPushButton* cero = crearTecla(QStringLiteral("0"), QStringLiteral("cmd0"));
    QPushButton* punto = crearTecla(QStringLiteral("."), QStringLiteral("cmdPunto"));
    QPushButton* borrar = crearTecla(QStringLiteral("←"), QStringLiteral("cmdBorrar"));
    QPushButton* limpiar = crearTecla(QStringLiteral("Limpiar"), QStringLiteral("cmdLimpiar"));
    QPushButton* aceptarTecla = crearTecla(QStringLiteral("Aceptar"), QStringLiteral("cmdAceptar"));
    QPushButton* cancelar = crearTecla(QStringLiteral("Cancelar"), QStringLiteral("cmdCancelar"));
    connect(cero, &QPushButton::clicked, this, [this] { escribir(u"0"); });
    connect(punto, &QPushButton::clicked, this, [this] { escribir(u"."); });
    connect(borrar, &QPushButton::clicked, this, [this] {
        m_tecleado.borrar();
        mostrarValor();
    });
    connect(limpiar, &QPushButton::clicked, this, [this] {
        m_tecleado.limpiar();
        mostrarValor();
    });
    connect(aceptarTecla, &QPushButton::clicked, this, [this] { aceptar(); });
    connect(cancelar, &QPushButton::clicked, this, [this] { reject(); });
    teclas->addWidget(punto, 3, 0);
    teclas->addWidget(cero, 3, 1);
    teclas->addWidget(borrar, 3, 2);
    teclas->addWidget(limpiar, 0, 3);
    teclas->addWidget(cancelar, 1, 3);
    teclas->addWidget(aceptarTecla, 2, 3, 2, 1);
    aceptarTecla->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    for (int fila = 0; fila < 4; ++fila)
        teclas->setRowMinimumHeight(fila, 72);

    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(16, 16, 16, 16);
    todo->addWidget(m_titulo);
    todo->addWidget(m_valorTexto);
    todo->addWidget(m_porcentaje);
    todo->addLayout(teclas, 1);

    m_aviso = [this](const QString& mensaje) { frmMsg::avisar(this, mensaje); };
    empezarValor();
}

void FrmTecladoNum::setTitulo(const QString& titulo) {
    m_titulo->setText(titulo);
    setWindowTitle(titulo);
}

void FrmTecladoNum::setOriginal(Currency original, Prompts::ValueCheck modo) {
    m_original = original;
    m_modo = modo;
    empezarValor();
}

void FrmTecladoNum::setPorcentaje(bool porcentaje) {
    m_porcentaje->setChecked(porcentaje);
    empezarValor();
}

bool FrmTecladoNum::porcentaje() const {
    return m_porcentaje->isChecked();
}

void FrmTecladoNum::empezarValor() {
    // A percentage starts at the whole (100); an amount at the original value.
    m_tecleado.fijar(porcentaje() ? QStringLiteral("100") : m_original.toPlainText());
    m_inicial = true;
    mostrarValor();
}

void FrmTecladoNum::escribir(QStringView texto) {
    if (m_inicial)
        m_tecleado.limpiar();
    m_inicial = false;
    const bool tomado = m_tecleado.agregar(texto);
    mostrarValor();
    if (!tomado && m_aviso)
        m_aviso(QString::fromUtf8(ValorTecleado::kSoloNumeros));
}

void FrmTecladoNum::mostrarValor() {
    if (m_tecleado.texto().isEmpty())
        m_inicial = false;
    m_valorTexto->setText(m_tecleado.texto());
    m_valorTexto->setCursorPosition(static_cast<int>(m_tecleado.texto().size()));
}

void FrmTecladoNum::aceptar() {
    const std::optional<Currency> valor = m_tecleado.valor();
    QString mensaje;
    if (!valor)
        mensaje = QStringLiteral("El valor no es válido");
    else
        mensaje = ValorTecleado::revisar(*valor, porcentaje(), m_original, m_modo);
    if (!mensaje.isEmpty()) {
        if (m_aviso)
            m_aviso(mensaje);
        return;
    }
    m_valor = *valor;
    m_cancelado = false;
    accept();
}

void FrmTecladoNum::reject() {
    m_cancelado = true;
    QDialog::reject();
}

void FrmTecladoNum::keyPressEvent(QKeyEvent* event) {
    const bool atendida = atenderTecla(event, {[this] { aceptar(); },
                                               [this] {
                                                   m_tecleado.borrar();
                                                   mostrarValor();
                                               },
                                               [this] {
                                                   m_tecleado.limpiar();
                                                   mostrarValor();
                                               },
                                               [this](const QString& texto) { escribir(texto); }});
    if (!atendida)
        ModalScreen::keyPressEvent(event);
}

} // namespace nerin
