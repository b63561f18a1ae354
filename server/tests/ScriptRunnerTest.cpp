#include "server/ScriptRunner.h"

#include "server/SqliteConnection.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using nerin::ScriptRunner;

TEST(ScriptRunner, SplitsBatchesAtLinesHoldingOnlyGo) {
    const auto batches =
        ScriptRunner::split(QStringLiteral("SELECT 1\n go \nSELECT 'GO'\nGOTO\n\nGO\n\nGo\n"));
    ASSERT_EQ(batches.size(), 2);
    EXPECT_EQ(batches[0].text, QStringLiteral("SELECT 1\n"));
    EXPECT_EQ(batches[1].text, QStringLiteral("SELECT 'GO'\nGOTO\n\n"));
    EXPECT_EQ(batches[1].firstLine, 3);
}

TEST(ScriptRunner, AFailedBatchIsReportedWithItsLinesAndTheNextOneRuns) {
    QTemporaryDir dir;
    nerin::SqliteConnection db(dir.path() + QStringLiteral("/s.db"),
                               nerin::SqliteConnection::OpenMode::CreateIfMissing);
    ASSERT_TRUE(db.open());
    const QString script = QStringLiteral("CREATE TABLE T (a int)\nGO\nINSERT INTO T VALUES (1)\n"
                                          "INSERT INTO Nada VALUES (2)\nGO\nINSERT INTO T VALUES (3)\nGO\n");
    QList<ScriptRunner::Failure> failures;
    ScriptRunner runner(db);
    runner.onFailure([&](const ScriptRunner::Failure& f) { failures.append(f); });
    EXPECT_EQ(runner.run(script), 1);
    ASSERT_EQ(failures.size(), 1);
    EXPECT_EQ(failures[0].nativeError, 208);
    EXPECT_EQ(failures[0].batchLine, 3);
    EXPECT_EQ(failures[0].line, 2);
    // Stopping at the first failure is left to the shell's tests, which run scripts through this.
    auto rows = db.query(QStringLiteral("SELECT COUNT(*) FROM T"));
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->value(0).toInt(), 2);
}
