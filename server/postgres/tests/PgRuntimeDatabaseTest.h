#pragma once

#include "server/postgres/PgConnection.h"
#include "server/postgres/PgRuntime.h"
#include "server/postgres/testing/PgTestDatabase.h"

#include <gtest/gtest.h>

namespace nerin::testing {

// A test on a fresh database of its own, with the engine's run-time library installed, reached
// through `m_link` with day-first date texts as the engine's sessions read them. Skipped when the
// tests run without their PostgreSQL cluster.
class PgRuntimeDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (PgTestDatabase::clusterConnInfo().isEmpty())
            GTEST_SKIP() << qPrintable(PgTestDatabase::skipReason());
        const Status created = m_database.create();
        ASSERT_TRUE(created.isOk()) << qPrintable(created.message());
        const Status opened = m_link.open(m_database.connInfo(), QStringLiteral("nerin-pruebas"));
        ASSERT_TRUE(opened.isOk()) << qPrintable(opened.message());
        const Status installed = PgRuntime::install(m_link);
        ASSERT_TRUE(installed.isOk()) << qPrintable(installed.message());
        ASSERT_TRUE(m_link.execute(QStringLiteral("SET DateStyle = 'ISO, DMY'")).isOk());
    }

    PgTestDatabase m_database;
    PgConnection m_link;
};

} // namespace nerin::testing
