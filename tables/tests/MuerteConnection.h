#pragma once

#include "server/SqliteConnection.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <unistd.h>

namespace nerin::fakes {

constexpr int kMuerto = 41; // the child was ended before the statement it was to send
constexpr int kVivo = 42;   // the child finished the operation

// The embedded database, ending the process just before the k-th thing it is asked to send
// (statements, and the beginning and end of transactions), as a terminal switched off would.
class MuerteConnection : public Connection {
public:
    MuerteConnection(const QString& archivo, int k) : m_real(archivo), m_k(k) {}
    Status open() override { return m_real.open(); }
    void close() override { m_real.close(); }
    bool isOpen() const override { return m_real.isOpen(); }
    Result<qint64> execute(const QString& sql) override { return copiar((antes(), m_real.execute(sql))); }
    Result<RecordSet> query(const QString& sql) override { return copiar((antes(), m_real.query(sql))); }
    Result<QList<RecordSet>> run(DbCommand& c) override { return copiar((antes(), m_real.run(c))); }
    Status beginTransaction() override { return copiar((antes(), m_real.beginTransaction())); }
    Status commit() override { return copiar((antes(), m_real.commit())); }
    Status rollback() override { return m_real.rollback(); }

private:
    void antes() {
        if (++m_enviados == m_k)
            _exit(kMuerto);
    }
    template <typename T> T copiar(T resultado) {
        setFailure(m_real.lastFailure(), m_real.errors());
        return resultado;
    }
    SqliteConnection m_real;
    int m_k;
    int m_enviados = 0;
};

// What is wrong with the books in the database file `archivo`: an item whose account is missing, an
// account (of those `cuales` picks, as a condition on Cuenta c) whose total is not its live items'
// prices and modifiers less their courtesies. Empty when they balance.
inline QStringList descuadres(const QString& archivo,
                              const QString& cuales = QStringLiteral("c.ID_Comanda IN (1,2)")) {
    QStringList malos;
    SqliteConnection c(archivo);
    EXPECT_TRUE(c.open().isOk());
    auto sueltos = c.query(QStringLiteral(
        "SELECT COUNT(*) FROM ProductosXCuenta p WHERE NOT EXISTS (SELECT * FROM Cuenta c WHERE "
        "c.ID_Comanda=p.ID_Comanda AND c.Control=p.Control AND c.Num_Cuenta=p.Num_Cuenta)"));
    EXPECT_TRUE(sueltos.isOk());
    if (sueltos && sueltos->value(0).toInt() != 0)
        malos.append(QStringLiteral("%1 artículos sin cuenta").arg(sueltos->value(0).toInt()));
    const QString deLaCuenta = QStringLiteral("p.ID_Comanda=c.ID_Comanda AND p.Control=c.Control AND "
                                              "p.Num_Cuenta=c.Num_Cuenta AND p.ID_Tipo_Anulacion IS NULL");
    auto cuentas =
        c.query(QStringLiteral(
                    "SELECT c.ID_Comanda, c.Num_Cuenta, c.Total, "
                    "ISNULL((SELECT SUM(p.Precio) FROM ProductosXCuenta p WHERE %1),0) + "
                    "ISNULL((SELECT SUM(m.Precio_Modificador) FROM Modificador m, ProductosXCuenta p WHERE "
                    "m.ID_ProductosXCuenta=p.ID_ProductosXCuenta AND %1),0) - "
                    "ISNULL((SELECT SUM(k.Monto) FROM Cortesia k, ProductosXCuenta p WHERE "
                    "k.ID_ProductosXCuenta=p.ID_ProductosXCuenta AND %1),0) FROM Cuenta c WHERE %2")
                    .arg(deLaCuenta, cuales));
    EXPECT_TRUE(cuentas.isOk());
    for (; cuentas && !cuentas->eof(); cuentas->moveNext()) {
        if (cuentas->value(2).toCurrency() != cuentas->value(3).toCurrency())
            malos.append(QStringLiteral("cuenta %1/%2 en %3 y no %4")
                             .arg(cuentas->value(0).toString(), cuentas->value(1).toString(),
                                  cuentas->value(2).toString(), cuentas->value(3).toString()));
    }
    return malos;
}

} // namespace nerin::fakes
