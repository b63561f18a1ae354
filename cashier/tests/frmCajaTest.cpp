#include "cashier/frmCaja.h"

#include "cashier/tests/CajaFixture.h"

#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace nerin {
namespace {

Currency pesos(const char* texto) {
    return *Currency::parse(QString::fromLatin1(texto));
}

class frmCajaTest : public fakes::CajaFixture {
protected:
    // The payment screen on account 1 of `orden`, shown, as the order screen's "Pagar" opens it.
    frmCaja& pantalla(qint32 orden = 2) {
        if (!m_pantalla) {
            abrir();
            m_pantalla = std::make_unique<frmCaja>(*context, facturacion, *lealtad);
            m_pantalla->setNumero_Comanda(orden);
            m_pantalla->setNumero_Control(1);
            m_pantalla->setNumero_Cuenta(1);
            m_pantalla->show();
        }
        return *m_pantalla;
    }
    template <typename T> T* control(const char* nombre) {
        T* encontrado = pantalla().findChild<T*>(QString::fromLatin1(nombre));
        EXPECT_NE(encontrado, nullptr) << nombre;
        return encontrado;
    }
    void pulsar(const char* nombre) {
        if (auto* b = control<QAbstractButton>(nombre))
            QTest::mouseClick(b, Qt::LeftButton);
    }
    // The payments grid, one text per row: name and amount, and the hidden type, class and reference
    // of a payment's first row.
    QStringList pagos() {
        QStringList filas;
        auto* grid = control<QTableWidget>("grdPagos");
        for (int fila = 0; fila < grid->rowCount(); ++fila) {
            QStringList celdas;
            for (int columna = 0; columna < grid->columnCount(); ++columna)
                celdas << (grid->item(fila, columna) ? grid->item(fila, columna)->text() : QString());
            while (!celdas.isEmpty() && celdas.last().isEmpty())
                celdas.removeLast();
            filas << celdas.join(u'|');
        }
        return filas;
    }
    QString totales(int fila) { return control<QTableWidget>("grdTotales")->item(fila, 1)->text(); }

    std::unique_ptr<frmCaja> m_pantalla;
};

TEST_F(frmCajaTest, ShowsTheAccountTheStoredPaymentsAndTheTaxRatio) {
    pantalla(3);
    EXPECT_EQ(pagos(),
              (QStringList{QStringLiteral("MONTO CUENTA|0.00"), QStringLiteral("TARJETA DE CREDITO|$631.00"),
                           QStringLiteral("Propina|$95.00")}));
    EXPECT_EQ(totales(0), QStringLiteral("$631.00"));
    EXPECT_EQ(totales(1), QStringLiteral("$631.00"));
    EXPECT_EQ(totales(2), QStringLiteral("$0.00"));
    EXPECT_EQ(totales(3), QStringLiteral("16.00 %"));
    EXPECT_EQ(control<QTableWidget>("grdTotales")->item(3, 1)->foreground().color(), QColor(Qt::black));
    EXPECT_EQ(control<QPushButton>("lblHuespedes")->text(), QStringLiteral("2 huéspedes"));
    EXPECT_EQ(control<QPushButton>("cmdTipoPago1")->text(), QStringLiteral("EFECTIVO"));
}

TEST_F(frmCajaTest, PayingInCashWithChangeAndAccepting) {
    pantalla(2);
    prompts.answerPago({false, pesos("500"), Currency(), QString()});
    pulsar("cmdTipoPago1");
    EXPECT_EQ(pagos(), (QStringList{QStringLiteral("MONTO CUENTA|420.00"), QStringLiteral("EFECTIVO||1|E"),
                                    QStringLiteral("|$500.00")}));
    EXPECT_EQ(totales(2), QStringLiteral("$80.00"));
    prompts.answerMensaje(Prompts::kAnswerNo);
    prompts.answerMensaje(Prompts::kAnswerNo);
    pulsar("cmdAceptar");
    EXPECT_EQ(pantalla().result(), QDialog::Accepted);
    EXPECT_FALSE(pantalla().getCancelado());
    EXPECT_EQ(rows(QStringLiteral("SELECT ID_Tipo_Pago, Monto_Pago FROM Pago WHERE ID_Comanda=2")),
              QStringList{QStringLiteral("1|420")});
}

TEST_F(frmCajaTest, ARefusedAceptarKeepsTheScreenAndItsPayments) {
    pantalla(2);
    prompts.answerPago({false, pesos("500"), pesos("20"), QStringLiteral("9911")});
    pulsar("cmdTipoPago2");
    pulsar("cmdAceptar");
    EXPECT_EQ(prompts.mensajes(), QStringList{QString::fromUtf8(CajaCuenta::kSinCambio)});
    EXPECT_TRUE(pantalla().isVisible());
    EXPECT_EQ(pagos(), (QStringList{QStringLiteral("MONTO CUENTA|420.00"),
                                    QStringLiteral("TARJETA DE CREDITO||2|T|9911"),
                                    QStringLiteral("|$500.00"), QStringLiteral("PROPINA|$20.00")}));
}

TEST_F(frmCajaTest, BorrarRemovesTheSelectedNewPaymentOnly) {
    pantalla(3);
    prompts.answerPago({false, pesos("10"), Currency(), QString()});
    pulsar("cmdTipoPago1");
    prompts.answerPago({false, pesos("20"), pesos("5"), QString()});
    pulsar("cmdTipoPago2");
    auto* grid = control<QTableWidget>("grdPagos");
    grid->setCurrentCell(1, 0); // the stored card payment
    pulsar("cmdBorrar");
    EXPECT_EQ(grid->rowCount(), 8);
    grid->setCurrentCell(7, 0); // the tip row of the new card payment
    pulsar("cmdBorrar");
    EXPECT_EQ(pagos(),
              (QStringList{QStringLiteral("MONTO CUENTA|0.00"), QStringLiteral("TARJETA DE CREDITO|$631.00"),
                           QStringLiteral("Propina|$95.00"), QStringLiteral("EFECTIVO||1|E"),
                           QStringLiteral("|$10.00")}));
    EXPECT_EQ(totales(1), QStringLiteral("$641.00"));
}

TEST_F(frmCajaTest, CancelarStoresNothing) {
    pantalla(2);
    prompts.answerPago({false, pesos("420"), Currency(), QString()});
    pulsar("cmdTipoPago1");
    pulsar("cmdCancelar");
    EXPECT_TRUE(pantalla().getCancelado());
    EXPECT_EQ(pantalla().result(), QDialog::Rejected);
    EXPECT_EQ(numero(QStringLiteral("SELECT COUNT(*) FROM Pago WHERE ID_Comanda=2")), 0);
}

TEST_F(frmCajaTest, TouchingTheGuestsChangesThem) {
    pantalla(2);
    prompts.answerNumero({false, 5, false});
    pulsar("lblHuespedes");
    EXPECT_EQ(control<QPushButton>("lblHuespedes")->text(), QStringLiteral("5 huéspedes"));
}

TEST_F(frmCajaTest, ThePaymentTypesScrollARowAtATime) {
    exec(QStringLiteral("INSERT INTO Tipo_Pago (ID_Tipo_Pago, Nombre_Tipo_Pago, Clase, Comision) VALUES "
                        "(5, 'VALES', 'V', 0), (6, 'TRANSFERENCIA', 'T', 0), (7, 'CHEQUE', 'T', 0)"));
    pantalla(2);
    EXPECT_TRUE(control<QPushButton>("cmdTipoPago1")->isVisible());
    EXPECT_FALSE(control<QPushButton>("cmdTipoPago7")->isVisible());
    pulsar("cmdAbajo");
    pulsar("cmdAbajo"); // already at the last rows
    EXPECT_FALSE(control<QPushButton>("cmdTipoPago1")->isVisible());
    EXPECT_TRUE(control<QPushButton>("cmdTipoPago4")->isVisible());
    EXPECT_TRUE(control<QPushButton>("cmdTipoPago7")->isVisible());
    pulsar("cmdArriba");
    EXPECT_TRUE(control<QPushButton>("cmdTipoPago1")->isVisible());
}

} // namespace
} // namespace nerin
