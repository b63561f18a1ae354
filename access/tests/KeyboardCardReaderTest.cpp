// Collecting the keystrokes of a reader that types into card texts.
#include "access/KeyboardCardReader.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace nerin {
namespace {

const QString kTarjeta =
    QStringLiteral("%4B982B0A976B1AC75E3B7E1383183B54_N50781204220193362812101000000011_");

class KeyboardCardReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        lector.activar({[this](const QString& t) { entregadas.append(t); },
                        [this](int codigo) { errores.append(codigo); }});
    }
    void teclearUnaAUna(const QString& texto) {
        for (const QChar c : texto)
            lector.teclear(QString(c));
    }
    KeyboardCardReader lector;
    QStringList entregadas;
    QList<int> errores;
};

TEST_F(KeyboardCardReaderTest, TheWholeTextInOnePieceIsDeliveredOnce) {
    lector.teclear(kTarjeta);
    EXPECT_EQ(entregadas, QStringList{kTarjeta});
    EXPECT_TRUE(lector.vacio());
}

TEST_F(KeyboardCardReaderTest, KeystrokesAreDeliveredWhenTheSecondTrackEnds) {
    teclearUnaAUna(kTarjeta.chopped(1));
    EXPECT_TRUE(entregadas.isEmpty());
    EXPECT_EQ(lector.pendiente(), kTarjeta.chopped(1));
    lector.teclear(QStringLiteral("_"));
    EXPECT_EQ(entregadas, QStringList{kTarjeta});
    // The Enter a reader sends after the card finds nothing left to deliver.
    lector.confirmar();
    EXPECT_EQ(entregadas.size(), 1);
}

TEST_F(KeyboardCardReaderTest, AReaderThatSendsEnterAfterEachTrackIsWaitedFor) {
    const qsizetype fin = kTarjeta.indexOf(u'_') + 1;
    lector.teclear(kTarjeta.left(fin) + u'\r');
    EXPECT_TRUE(entregadas.isEmpty());
    lector.teclear(kTarjeta.mid(fin) + u'\r');
    EXPECT_EQ(entregadas, QStringList{kTarjeta});
}

TEST_F(KeyboardCardReaderTest, LeadingPercentSignsAnnounceMoreTracks) {
    const struct {
        QString tecleado;
        QString entregado;
    } casos[] = {
        {QStringLiteral("%%A_B_"), QStringLiteral("%A_B_")},
        {QStringLiteral("%%%A_B_C_"), QStringLiteral("%A_B_C_")},
    };
    for (const auto& c : casos) {
        entregadas.clear();
        lector.teclear(c.tecleado.chopped(1));
        EXPECT_TRUE(entregadas.isEmpty()) << c.tecleado.toStdString();
        lector.teclear(QStringLiteral("_"));
        EXPECT_EQ(entregadas, QStringList{c.entregado}) << c.tecleado.toStdString();
    }
}

TEST_F(KeyboardCardReaderTest, TheUsLayoutsSentinelsAreReadAsTheSpanishLayoutWritesThem) {
    lector.teclear(QStringLiteral("%ABC?;123?"));
    EXPECT_EQ(entregadas, QStringList{QStringLiteral("%ABC_Ñ123_")});
    entregadas.clear();
    lector.teclear(QStringLiteral("%ABC_ñ123_"));
    EXPECT_EQ(entregadas, QStringList{QStringLiteral("%ABC_ñ123_")});
}

TEST_F(KeyboardCardReaderTest, GarbageWaitsForEnterAndIsThenDeliveredAsItStands) {
    lector.teclear(QStringLiteral("hola_mundo_"));
    EXPECT_TRUE(entregadas.isEmpty());
    lector.confirmar();
    EXPECT_EQ(entregadas, QStringList{QStringLiteral("hola_mundo_")});
    entregadas.clear();
    // An unfinished card is delivered by Enter too, so that it is refused rather than kept.
    lector.teclear(QStringLiteral("%ABC\r"));
    EXPECT_EQ(entregadas, QStringList{QStringLiteral("%ABC")});
    entregadas.clear();
    lector.confirmar();
    EXPECT_TRUE(entregadas.isEmpty());
}

TEST_F(KeyboardCardReaderTest, ANewSwipeDropsWhatWasTypedBefore) {
    lector.teclear(QStringLiteral("xyz"));
    lector.teclear(kTarjeta);
    EXPECT_TRUE(errores.isEmpty()) << "what was typed before was no swipe";
    lector.teclear(kTarjeta.left(20));
    lector.teclear(kTarjeta);
    EXPECT_EQ(entregadas, (QStringList{kTarjeta, kTarjeta}));
    EXPECT_EQ(errores, QList<int>{KeyboardCardReader::kErrorInterrumpida});
}

TEST_F(KeyboardCardReaderTest, AnOverlongTextIsDeliveredOnceAndTheRestIgnored) {
    lector.teclear(QStringLiteral("%") + QString(10000, u'7') + QStringLiteral("_1_"));
    ASSERT_EQ(entregadas.size(), 1);
    EXPECT_EQ(entregadas[0].size(), KeyboardCardReader::kLongitudMaxima + 1);
    EXPECT_EQ(errores, QList<int>{KeyboardCardReader::kErrorDemasiadoLarga});
    lector.confirmar();
    EXPECT_TRUE(lector.vacio());
    lector.teclear(kTarjeta);
    EXPECT_EQ(entregadas.size(), 2);
    EXPECT_EQ(entregadas[1], kTarjeta);
}

TEST_F(KeyboardCardReaderTest, ControlCharactersStayInTheText) {
    const QString conControl = QStringLiteral("%AB\x01\x1b") + QStringLiteral("C_D_");
    lector.teclear(conControl);
    EXPECT_EQ(entregadas, QStringList{conControl});
}

TEST_F(KeyboardCardReaderTest, AnInactiveReaderIgnoresEverything) {
    lector.desactivar();
    lector.teclear(kTarjeta);
    lector.teclear(QStringLiteral("abc\r"));
    EXPECT_TRUE(entregadas.isEmpty());
    EXPECT_TRUE(lector.vacio());
}

TEST_F(KeyboardCardReaderTest, ClearingForgetsAHalfTypedCard) {
    lector.teclear(kTarjeta.left(40));
    lector.limpiar();
    lector.teclear(kTarjeta.mid(40));
    lector.confirmar();
    EXPECT_EQ(entregadas, QStringList{kTarjeta.mid(40)});
}

} // namespace
} // namespace nerin
