#pragma once

#include "access/AccesoDisplay.h"
#include "startup/tests/StartupFixture.h"

#include <QDate>

namespace nerin::fakes {

// The embedded database, where every query that names `objeto` fails as a database that stopped
// answering does; everything else works.
class ConsultaQueFalla : public SqliteConnection {
public:
    ConsultaQueFalla(const QString& path, QString objeto)
        : SqliteConnection(path), m_objeto(std::move(objeto)) {}
    Result<RecordSet> query(const QString& sql) override {
        if (!sql.contains(m_objeto))
            return SqliteConnection::query(sql);
        const QString texto = QStringLiteral("La base de datos no responde");
        setFailure({DbErrorNumber::kGenericFailure, texto}, {});
        return Status::error(Status::Code::DatabaseError, texto);
    }

private:
    QString m_objeto;
};

// A terminal over the demo restaurant (see StartupFixture) whose clock and working date the test
// sets, with a counter for program endings asked by the access screen.
class AccessFixture : public StartupFixture {
protected:
    // The backups of a close of day go under the test's own state folder.
    void SetUp() override {
        StartupFixture::SetUp();
        qputenv("NERIN_STATE", QFile::encodeName(stateFolder()));
    }
    void TearDown() override { qunsetenv("NERIN_STATE"); }
    QStringList respaldosHechos() const {
        return QDir(stateFolder() + QStringLiteral("/respaldos")).entryList(QDir::Files);
    }

    void setFechaTrabajo(const QDate& fecha) {
        exec(QStringLiteral("UPDATE Parametros SET Valor_Cad='") +
             fecha.toString(QStringLiteral("ddMMyyyy")) +
             QStringLiteral("' WHERE Id_Parametro='FECHA_TRABAJO'"));
    }
    QString fechaTrabajoGuardada() {
        return field(QStringLiteral("SELECT Valor_Cad FROM Parametros WHERE Id_Parametro='FECHA_TRABAJO'"))
            .toString();
    }
    qint64 reiniciar(int terminal) {
        return field(QStringLiteral("SELECT Reiniciar FROM Terminal WHERE ID_Terminal=") +
                     QString::number(terminal))
            .toInt();
    }
    void insertarFilas() {
        exec(QStringLiteral("INSERT INTO Terminal (ID_Terminal, Nombre_Terminal, Estado_Terminal) VALUES (3, "
                            "'TERRAZA', 'I')"));
        exec(QStringLiteral("UPDATE Impresora SET Redirigido=3 WHERE ID_Impresora=2"));
    }
    // From the next build on, every query that names `objeto` fails.
    void fallarConsultasDe(const QString& objeto) {
        fabricaConexion = [this, objeto] {
            return std::make_unique<ConsultaQueFalla>(dbFolder() + QStringLiteral("/DBNERIN.db"), objeto);
        };
    }
    // Builds the terminal with its connection open, as start-up leaves it when a server answered.
    void conectar() {
        build();
        ASSERT_TRUE(baseDatos->ConectarBD());
    }
    AccesoDisplay::Reloj reloj() {
        return [this] { return ahora; };
    }
    std::function<void()> terminar() {
        return [this] { ++terminaciones; };
    }

    int terminaciones = 0;
};

} // namespace nerin::fakes
