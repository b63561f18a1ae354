#pragma once

#include "base/tests/QtPrinters.h"
#include "data/BaseDatos.h"
#include "data/Bitacora.h"
#include "data/testing/FaultyConnection.h"
#include "data/tests/RecordingMessageBox.h"
#include "keyboards/ScriptedPrompts.h"
#include "printing/ColaImpresion.h"
#include "printing/ContextoImpresion.h"
#include "server/ConnectionFactory.h"
#include "server/DatabaseBuilder.h"
#include "server/SqliteConnection.h"
#include "server/tests/DemoDatabaseTest.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace nerin::fakes {

// A terminal's printing services over a copy of the demo restaurant: terminal 1 (ticket printer 1,
// "CAJA"), a 32-column ticket and employee 2 signed in as "gerente1". Tests change the database and
// the context before calling build(), and make the terminal's connection fail through `conexion`.
class ColaFixture : public DemoDatabaseTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        copyDemoTo(dbFile());
        bitacora =
            std::make_unique<Bitacora>(m_dir.filePath(QStringLiteral("morvo")), [this] { return ahora; });
        baseDatos = std::make_unique<BaseDatos>(
            [this] {
                auto hecha = std::make_unique<FaultyConnection>(std::make_unique<SqliteConnection>(dbFile()));
                conexion = hecha.get();
                return hecha;
            },
            *bitacora, messageBox, [this] { ++programEnded; }, QStringLiteral("clave"));
        ASSERT_TRUE(baseDatos->ConectarBD());
        cola = std::make_unique<ColaImpresion>(*baseDatos);
        contexto = std::make_unique<ContextoImpresion>(ContextoImpresion{
            .baseDatos = *baseDatos,
            .bitacora = *bitacora,
            .mensaje = [this](const QString& texto, int estilo) { return prompts.Mensaje(texto, estilo); },
            .horaServidor = [this] { return ahora; },
            .terminal = 1,
            .anchoTicket = 32,
            .direccionDeParametros = false,
            .idEmpleado = 2,
            .usuario = QStringLiteral("gerente1"),
        });
    }

    QString dbFile() const { return m_dir.filePath(QStringLiteral("DBNERIN.db")); }

    // Runs a statement on the database behind the terminal's back.
    void exec(const QString& sql) {
        SqliteConnection connection(dbFile());
        ASSERT_TRUE(connection.open().isOk());
        const auto done = connection.execute(sql);
        ASSERT_TRUE(done.isOk()) << done.status().message().toStdString();
    }
    // The rows of a query, one text per row with its fields separated by "|".
    QStringList rows(const QString& sql) { return rowsOf(dbFile(), sql); }
    // The lines of a job, in print order.
    QStringList lineas(qint32 trabajo) {
        return rows(QStringLiteral("SELECT Texto FROM Cola_Linea WHERE ID_Trabajo = %1 ORDER BY Num_Linea")
                        .arg(trabajo));
    }

    QTemporaryDir m_dir;
    QDateTime ahora = QDateTime(QDate(2026, 12, 6), QTime(21, 5, 9));
    ScriptedPrompts prompts;
    RecordingMessageBox messageBox;
    int programEnded = 0;
    std::unique_ptr<Bitacora> bitacora;
    std::unique_ptr<BaseDatos> baseDatos;
    FaultyConnection* conexion = nullptr; // the terminal's connection: tests make it fail
    std::unique_ptr<ColaImpresion> cola;
    std::unique_ptr<ContextoImpresion> contexto;
};

} // namespace nerin::fakes
