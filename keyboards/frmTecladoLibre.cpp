#include "keyboards/frmTecladoLibre.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace nerin {
namespace {

constexpr int kColumnas = 10;
const QString kDigitos = QStringLiteral("1234567890");

// Every character of either layout once: the digits, then the alphabetical order.
QString todasLasTeclas() {
    return kDigitos + QString::fromUtf8(frmTecladoLibre::kAlfabetico);
}

} // namespace

QString frmTecladoLibre::nombreTecla(QChar c) {
    switch (c.unicode()) {
    case u'Ñ':
        return QStringLiteral("cmdEnie");
    case u',':
        return QStringLiteral("cmdComa");
    case u'.':
        return QStringLiteral("cmdPunto");
    case u'-':
        return QStringLiteral("cmdGuion");
    case u'/':
        return QStringLiteral("cmdDiagonal");
    default:
        return QStringLiteral("cmd") + c;
    }
}

frmTecladoLibre::frmTecladoLibre(QWidget* parent)
    : ModalScreen(parent, QStringLiteral("frmTecladoLibre")),
      m_titulo(crearEtiqueta(QStringLiteral("lblTitulo"))), m_campo(new QLineEdit(this)),
      m_distribucion(crearTecla(QString(), QStringLiteral("cmdDistribucion"))) {
    setWindowTitle(QStringLiteral("Teclado"));
    m_titulo->setAlignment(Qt::AlignCenter);
    m_campo->setObjectName(QStringLiteral("txtTexto"));
    m_campo->setReadOnly(true);
    m_campo->setFocusPolicy(Qt::NoFocus);

    for (const QChar c : todasLasTeclas()) {
        QPushButton* tecla = crearTecla(QString(c), nombreTecla(c));
        connect(tecla, &QPushButton::clicked, this, [this, c] { escribir(QString(c)); });
        m_teclas.append(tecla);
    }
    QPushButton* espacio = crearTecla(QStringLiteral("Espacio"), QStringLiteral("cmdEspacio"));
    QPushButton* borrar = crearTecla(QStringLiteral("Borrar"), QStringLiteral("cmdBorrar"));
    QPushButton* borrarTodo = crearTecla(QStringLiteral("Borrar todo"), QStringLiteral("cmdBorrarTodo"));
    QPushButton* aceptar = crearTecla(QStringLiteral("Aceptar"), QStringLiteral("cmdAceptar"));
    QPushButton* cancelar = crearTecla(QStringLiteral("Cancelar"), QStringLiteral("cmdCancelar"));
    connect(espacio, &QPushButton::clicked, this, [this] { escribir(QStringLiteral(" ")); });
    connect(borrar, &QPushButton::clicked, this, [this] {
        m_texto.chop(1);
        mostrarTexto();
    });
    connect(borrarTodo, &QPushButton::clicked, this, [this] {
        m_texto.clear();
        mostrarTexto();
    });
    connect(m_distribucion, &QPushButton::clicked, this, [this] {
        m_alfabetico = !m_alfabetico;
        acomodarTeclas();
    });
    connect(aceptar, &QPushButton::clicked, this, [this] {
        m_cancelado = false;
        accept();
    });
    connect(cancelar, &QPushButton::clicked, this, [this] { reject(); });

    auto* teclas = new QGridLayout;
    teclas->setObjectName(QStringLiteral("teclas"));
    auto* abajo = new QHBoxLayout;
    abajo->addWidget(m_distribucion);
    abajo->addWidget(espacio, 2);
    abajo->addWidget(borrar);
    abajo->addWidget(borrarTodo);
    abajo->addWidget(cancelar);
    abajo->addWidget(aceptar);
    auto* todo = new QVBoxLayout(this);
    todo->setContentsMargins(16, 16, 16, 16);
    todo->addWidget(m_titulo);
    todo->addWidget(m_campo);
    todo->addLayout(teclas, 1);
    todo->addLayout(abajo);
    acomodarTeclas();
}

void frmTecladoLibre::acomodarTeclas() {
    auto* rejilla = findChild<QGridLayout*>(QStringLiteral("teclas"));
    for (QPushButton* tecla : m_teclas)
        rejilla->removeWidget(tecla);
    // The digits always take the first row; the letters follow in rows of ten in the layout's order.
    const QString letras = m_alfabetico ? QString::fromUtf8(kAlfabetico)
                                        : QString::fromUtf8(kQwerty).mid(static_cast<int>(kDigitos.size()));
    for (QPushButton* tecla : m_teclas) {
        const QChar c = tecla->text().at(0);
        const auto enDigitos = kDigitos.indexOf(c);
        const auto enLetras = letras.indexOf(c);
        if (enDigitos >= 0) {
            rejilla->addWidget(tecla, 0, static_cast<int>(enDigitos));
            tecla->setVisible(true);
        } else if (enLetras >= 0) {
            const int i = static_cast<int>(enLetras);
            rejilla->addWidget(tecla, 1 + i / kColumnas, i % kColumnas);
            tecla->setVisible(true);
        } else {
            tecla->setVisible(false);
        }
    }
    m_distribucion->setText(m_alfabetico ? QStringLiteral("QWERTY...") : QStringLiteral("ABCDEF..."));
}

void frmTecladoLibre::setTitulo(const QString& titulo) {
    m_titulo->setText(titulo);
    setWindowTitle(titulo);
}

void frmTecladoLibre::setTexto(const QString& texto) {
    m_texto = m_maximo > 0 ? texto.left(m_maximo) : texto;
    mostrarTexto();
}

void frmTecladoLibre::setMbTexto(bool mascara) {
    m_mascara = mascara;
    mostrarTexto();
}

void frmTecladoLibre::setMaximo(int maximo) {
    m_maximo = maximo < 0 ? 0 : maximo;
    setTexto(m_texto);
}

void frmTecladoLibre::escribir(const QString& texto) {
    for (const QChar c : texto) {
        if (m_maximo > 0 && m_texto.size() >= m_maximo)
            break;
        if (c.isPrint())
            m_texto.append(c);
    }
    mostrarTexto();
}

void frmTecladoLibre::mostrarTexto() {
    m_campo->setText(m_mascara ? QString(m_texto.size(), QLatin1Char('*')) : m_texto);
    m_campo->setCursorPosition(static_cast<int>(m_campo->text().size()));
}

void frmTecladoLibre::reject() {
    m_cancelado = true;
    QDialog::reject();
}

void frmTecladoLibre::keyPressEvent(QKeyEvent* event) {
    const bool atendida = atenderTecla(event, {[this] {
                                                   m_cancelado = false;
                                                   accept();
                                               },
                                               [this] {
                                                   m_texto.chop(1);
                                                   mostrarTexto();
                                               },
                                               {},
                                               [this](const QString& texto) { escribir(texto); }});
    if (!atendida)
        ModalScreen::keyPressEvent(event);
}

} // namespace nerin
