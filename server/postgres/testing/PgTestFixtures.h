#pragma once

#include "server/PostgresConnection.h"
#include "server/postgres/PgConnection.h"
#include "server/postgres/PgRuntime.h"
#include "server/postgres/testing/PgTestDatabase.h"

#include <gtest/gtest.h>
#include <memory>

namespace nerin::testing {

// The set-up of the tests on PostgreSQL. Each fixture skips its tests when they run without their
// cluster, and fails them when a step of the set-up fails; a fixture deriving from one calls its
// SetUp() first and returns when IsSkipped() or HasFatalFailure().

// A fresh database of the test's own, empty.
class PgDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (PgTestDatabase::clusterConnInfo().isEmpty())
            GTEST_SKIP() << qPrintable(PgTestDatabase::skipReason());
        const Status created = m_database.create();
        ASSERT_TRUE(created.isOk()) << qPrintable(created.message());
    }
    bool stopped() const { return IsSkipped() || HasFatalFailure(); }

    PgTestDatabase m_database;
};

// ... reached through the connection library alone.
class PgLinkTest : public PgDatabaseTest {
protected:
    static inline const QString kApplication = QStringLiteral("nerin-pruebas");

    void SetUp() override {
        PgDatabaseTest::SetUp();
        if (stopped())
            return;
        const Status opened = m_link.open(m_database.connInfo(), kApplication);
        ASSERT_TRUE(opened.isOk()) << qPrintable(opened.message());
    }

    PgConnection m_link;
};

// ... with the engine's run-time library installed, and day-first date texts as the engine's sessions
// read them.
class PgRuntimeDatabaseTest : public PgLinkTest {
protected:
    void SetUp() override {
        PgLinkTest::SetUp();
        if (stopped())
            return;
        const Status installed = PgRuntime::install(m_link);
        ASSERT_TRUE(installed.isOk()) << qPrintable(installed.message());
        ASSERT_TRUE(m_link.execute(QStringLiteral("SET DateStyle = 'ISO, DMY'")).isOk());
    }
};

// The engine open on `database`, installing its run-time library as nerin-sql --create does; a
// failure to open fails the test.
inline std::unique_ptr<PostgresConnection> openInstalled(const PgTestDatabase& database) {
    auto db =
        std::make_unique<PostgresConnection>(database.connInfo(), PostgresConnection::OpenMode::Install);
    const Status opened = db->open();
    EXPECT_TRUE(opened.isOk()) << qPrintable(opened.message());
    return db;
}

} // namespace nerin::testing
