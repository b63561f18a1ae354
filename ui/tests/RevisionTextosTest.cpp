#include "ui/RevisionTextos.h"

#include "ui/TeclaTactil.h"
#include "ui/TouchTheme.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace nerin {
namespace {

const QString kLargo = QStringLiteral("SALADAS Y CREMAS DE LA CASA");

struct Caso {
    const char* nombre;
    // Puts controls on a 400x300 screen of the theme.
    std::function<void(QDialog*)> armar;
    QStringList cortados; // objectNames of what is cut
};

template <typename T> T* en(QDialog* pantalla, T* control, const char* nombre, QRect donde) {
    control->setParent(pantalla);
    control->setObjectName(QString::fromLatin1(nombre));
    control->setGeometry(donde);
    return control;
}

TEST(RevisionTextos, FindsTheTextsAScreenCuts) {
    const Caso casos[] = {
        {"a label one line too long",
         [](QDialog* p) {
             en(p, new QLabel(kLargo), "lblLarga", {0, 0, 120, 40});
         },
         {QStringLiteral("lblLarga")}},
        {"the same label wrapped in room enough",
         [](QDialog* p) {
             en(p, new QLabel(kLargo), "lblLarga", {0, 0, 120, 120})->setWordWrap(true);
         },
         {}},
        {"a wrapped label without the height",
         [](QDialog* p) {
             en(p, new QLabel(kLargo), "lblLarga", {0, 0, 120, 30})->setWordWrap(true);
         },
         {QStringLiteral("lblLarga")}},
        {"a plain key with a long caption",
         [](QDialog* p) {
             en(p, new QPushButton(kLargo), "cmdLarga", {0, 0, 120, 80});
         },
         {QStringLiteral("cmdLarga")}},
        {"a fitting key with the same caption",
         [](QDialog* p) {
             en(p, new TeclaTactil(kLargo, nullptr), "cmdLarga", {0, 0, 120, 80});
         },
         {}},
        {"a fitting key too small for any size",
         [](QDialog* p) {
             en(p, new TeclaTactil(kLargo.repeated(8), nullptr), "cmdLarga", {0, 0, 60, 60});
         },
         {QStringLiteral("cmdLarga")}},
        {"a key past the edge of its holder",
         [](QDialog* p) {
             auto* marco = en(p, new QWidget, "marco", {0, 0, 100, 100});
             auto* tecla = new TeclaTactil(QStringLiteral("Salir"), marco);
             tecla->setObjectName(QStringLiteral("cmdSalir"));
             tecla->setGeometry(60, 0, 100, 60);
         },
         {QStringLiteral("cmdSalir")}},
        {"hidden controls are not looked at",
         [](QDialog* p) {
             en(p, new QLabel(kLargo), "lblLarga", {0, 0, 20, 20})->hide();
         },
         {}},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        QDialog pantalla;
        pantalla.setObjectName(QStringLiteral("frmPrueba"));
        TouchTheme::apply(&pantalla);
        pantalla.resize(400, 300);
        caso.armar(&pantalla);
        pantalla.show();
        RevisionTextos revision;
        revision.revisar(&pantalla);
        QStringList cortados;
        for (const RevisionTextos::Cortado& cortado : revision.cortados()) {
            EXPECT_EQ(cortado.pantalla, QStringLiteral("frmPrueba"));
            cortados.append(cortado.control);
        }
        cortados.removeDuplicates();
        EXPECT_EQ(cortados, caso.cortados) << revision.informe().toStdString();
    }
}

TEST(RevisionTextos, FindsAWindowLargerThanItsScreen) {
    QDialog pantalla;
    pantalla.setObjectName(QStringLiteral("frmGrande"));
    pantalla.show();
    const QSize mayor = pantalla.screen()->geometry().size() + QSize(0, 100);
    pantalla.setMinimumSize(mayor);
    pantalla.resize(mayor);
    RevisionTextos revision;
    revision.revisar(&pantalla);
    ASSERT_EQ(revision.cortados().size(), 1);
    EXPECT_EQ(revision.cortados().first().control, QStringLiteral("frmGrande"));
    EXPECT_EQ(revision.cortados().first().necesita, mayor);
}

} // namespace
} // namespace nerin
