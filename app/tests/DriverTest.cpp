#include "app/Driver.h"

#include "keyboards/frmMsg.h"
#include "keyboards/frmTecladoNumerico.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

namespace nerin {
namespace {

// A small screen: a label, a button asking a yes/no question and a button asking for a number; the
// answers are written into the label.
class PantallaPrueba : public QWidget {
public:
    PantallaPrueba() {
        auto* layout = new QVBoxLayout(this);
        etiqueta = new QLabel(QStringLiteral("inicio"), this);
        etiqueta->setObjectName(QStringLiteral("lblA"));
        auto* preguntar = new QPushButton(QStringLiteral("Preguntar"), this);
        preguntar->setObjectName(QStringLiteral("cmdB"));
        auto* numero = new QPushButton(QStringLiteral("Número"), this);
        numero->setObjectName(QStringLiteral("cmdNumero"));
        layout->addWidget(etiqueta);
        layout->addWidget(preguntar);
        layout->addWidget(numero);
        QObject::connect(preguntar, &QPushButton::clicked, this, [this] {
            frmMsg mensaje(this);
            mensaje.setMensaje(QStringLiteral("¿Seguro?"), 4);
            mensaje.exec();
            etiqueta->setText(QStringLiteral("respuesta %1").arg(mensaje.respuesta()));
        });
        QObject::connect(numero, &QPushButton::clicked, this, [this] {
            frmTecladoNumerico teclado(nullptr, this);
            teclado.exec();
            etiqueta->setText(teclado.Cancelado() ? QStringLiteral("cancelado")
                                                  : QStringLiteral("número %1").arg(teclado.numero()));
        });
        setObjectName(QStringLiteral("frmPrueba"));
        show();
        activateWindow();
    }

    QLabel* etiqueta;
};

int correr(const QString& guion, QString* error = nullptr) {
    Driver driver(guion.split(QLatin1Char('\n')));
    const int codigo = driver.run();
    if (error)
        *error = driver.error();
    return codigo;
}

TEST(Driver, ChecksALabelAndSkipsCommentsAndBlankLines) {
    PantallaPrueba pantalla;
    EXPECT_EQ(correr(QStringLiteral("# comentario\n\nexpect lblA inicio\n")), 0);
}

TEST(Driver, ClicksAButtonAndAnswersTheMessageItOpens) {
    PantallaPrueba pantalla;
    const QString guion = QStringLiteral("click cmdB\n"
                                         "expect-message ¿Seguro?\n"
                                         "answer yes\n"
                                         "expect lblA respuesta 6\n");
    QString error;
    EXPECT_EQ(correr(guion, &error), 0) << error.toStdString();
    EXPECT_EQ(pantalla.etiqueta->text(), QStringLiteral("respuesta 6"));
}

TEST(Driver, LooksAtTheScreenBeforeEachLineAndAtTheEnd) {
    // What the looker sees: the label as the previous line left it, the message window's text when
    // one is open.
    PantallaPrueba pantalla;
    Driver driver(
        QStringLiteral("# comentario\nclick cmdB\nanswer no\nexpect lblA respuesta 7").split(u'\n'));
    QStringList vistos;
    driver.setAntesDeCadaLinea([&] {
        auto* mensaje = QApplication::activeModalWidget();
        vistos.append(mensaje ? mensaje->findChild<QLabel*>(QStringLiteral("lblMensaje"))->text()
                              : pantalla.etiqueta->text());
    });
    EXPECT_EQ(driver.run(), 0) << driver.error().toStdString();
    EXPECT_EQ(vistos, (QStringList{QStringLiteral("inicio"), QStringLiteral("¿Seguro?"),
                                   QStringLiteral("respuesta 7"), QStringLiteral("respuesta 7")}));
}

TEST(Driver, ClicksAButtonByItsCaption) {
    PantallaPrueba pantalla;
    QString error;
    EXPECT_EQ(correr(QStringLiteral("click Preguntar\nanswer no\nexpect lblA respuesta 7"), &error), 0)
        << error.toStdString();
}

TEST(Driver, EntersANumberOnTheNumericKeypad) {
    PantallaPrueba pantalla;
    QString error;
    EXPECT_EQ(correr(QStringLiteral("click cmdNumero\nenter 42\nexpect lblA número 42"), &error), 0)
        << error.toStdString();
}

TEST(Driver, CancelsTheNumericKeypad) {
    PantallaPrueba pantalla;
    QString error;
    EXPECT_EQ(correr(QStringLiteral("click cmdNumero\ncancel\nexpect lblA cancelado"), &error), 0)
        << error.toStdString();
}

TEST(Driver, StopsAtTheFirstFailingLineAndNamesIt) {
    PantallaPrueba pantalla;
    QString error;
    EXPECT_EQ(correr(QStringLiteral("# comentario\nexpect lblA otro\nclick cmdB"), &error), 1);
    EXPECT_EQ(error, QStringLiteral("Línea 2: expect lblA otro: «lblA» muestra «inicio»"));
    EXPECT_EQ(pantalla.etiqueta->text(), QStringLiteral("inicio"));
}

TEST(Driver, FailsAnUnknownCommand) {
    PantallaPrueba pantalla;
    QString error;
    EXPECT_EQ(correr(QStringLiteral("bailar"), &error), 1);
    EXPECT_EQ(error, QStringLiteral("Línea 1: bailar: orden desconocida"));
}

TEST(Driver, ClosesAMessageLeftOpenWhenTheScriptFails) {
    PantallaPrueba pantalla;
    EXPECT_EQ(correr(QStringLiteral("click cmdB\nexpect-message otra cosa")), 1);
    EXPECT_EQ(pantalla.etiqueta->text(), QStringLiteral("respuesta 7"));
}

TEST(Driver, SavesAShotOfTheActiveScreen) {
    PantallaPrueba pantalla;
    const QString archivo = QDir::temp().filePath(QStringLiteral("driver_test_shot.png"));
    QFile::remove(archivo);
    EXPECT_EQ(correr(QStringLiteral("shot ") + archivo), 0);
    EXPECT_TRUE(QFile::exists(archivo));
    QFile::remove(archivo);
}

TEST(Driver, SwipesACardIntoTheUserField) {
    QWidget pantalla;
    auto* layout = new QVBoxLayout(&pantalla);
    auto* usuario = new QLineEdit(&pantalla);
    usuario->setObjectName(QStringLiteral("txtUsuario"));
    layout->addWidget(usuario);
    QString leido;
    QObject::connect(usuario, &QLineEdit::returnPressed, &pantalla, [&] { leido = usuario->text(); });
    pantalla.show();
    QString error;
    EXPECT_EQ(correr(QStringLiteral("swipe 1234abc\nexpect txtUsuario 1234abc"), &error), 0)
        << error.toStdString();
    EXPECT_EQ(leido, QStringLiteral("1234abc"));
}

TEST(Driver, SelectsARowOfTheOnlyListAndWaits) {
    QWidget pantalla;
    auto* layout = new QVBoxLayout(&pantalla);
    auto* lista = new QListWidget(&pantalla);
    lista->addItems({QStringLiteral("uno"), QStringLiteral("dos"), QStringLiteral("tres")});
    layout->addWidget(lista);
    pantalla.show();
    QString error;
    EXPECT_EQ(correr(QStringLiteral("select 2\nwait 10"), &error), 0) << error.toStdString();
    EXPECT_EQ(lista->currentRow(), 1);
}

TEST(Driver, TimesEachTouchByItsKindAndNothingElse) {
    // Checks, waits and answers that fail are not touches; a touch that opens a modal screen is
    // timed until that screen is up, not until it closes.
    PantallaPrueba pantalla;
    Driver driver(QStringLiteral("expect lblA inicio\n"
                                 "click cmdB\n"
                                 "wait 300\n"
                                 "answer yes\n"
                                 "type 7\n"
                                 "click cmdNumero\n"
                                 "enter 42\n"
                                 "expect lblA número 42")
                      .split(u'\n'));
    QStringList toques;
    qint64 masLargo = 0;
    driver.setMedirToques([&](const QString& toque, qint64 microsegundos) {
        toques.append(toque);
        masLargo = std::max(masLargo, microsegundos);
    });
    EXPECT_EQ(driver.run(), 0) << driver.error().toStdString();
    EXPECT_EQ(toques, (QStringList{QStringLiteral("click cmdB"), QStringLiteral("answer yes"),
                                   QStringLiteral("type frmPrueba"), QStringLiteral("click cmdNumero"),
                                   QStringLiteral("enter frmTecladoNumerico")}));
    EXPECT_GT(masLargo, 0);
    EXPECT_LT(masLargo, 300'000) << "the wait after a touch is not the touch's";
}

TEST(Driver, LoopsBackToTheFirstLineUntilItsTimeIsUp) {
    PantallaPrueba pantalla;
    int clics = 0;
    QObject::connect(pantalla.findChild<QPushButton*>(QStringLiteral("cmdB")), &QPushButton::pressed,
                     &pantalla, [&clics] { ++clics; });
    const struct {
        const char* vuelta;
        bool repite;
    } casos[] = {{"loop 0", false}, {"loop 1", true}};
    for (const auto& caso : casos) {
        clics = 0;
        QString error;
        EXPECT_EQ(
            correr(QStringLiteral("click cmdB\nanswer no\nwait 50\n") + QLatin1String(caso.vuelta), &error),
            0)
            << error.toStdString();
        EXPECT_EQ(clics > 1, caso.repite) << caso.vuelta << ": " << clics;
    }
}

} // namespace
} // namespace nerin
