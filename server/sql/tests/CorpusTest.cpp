// Every statement the terminal sends, with realistic values, runs without error on the demo
// restaurant: the schema, the views and the procedures answer what the screens ask of them.
#include "base/tests/QtPrinters.h"
#include "server/DatabaseBuilder.h"
#include "server/ScriptRunner.h"
#include "server/SqliteConnection.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(Corpus, EveryStatementOfTheTerminalRunsOnTheDemoRestaurant) {
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/demo.db");
    const nerin::Status created = nerin::DatabaseBuilder::create(path, true);
    ASSERT_TRUE(created) << created.message().toStdString();

    QFile corpus(QStringLiteral(NERIN_SQL_CORPUS));
    ASSERT_TRUE(corpus.open(QIODevice::ReadOnly)) << NERIN_SQL_CORPUS;
    const QString script = QString::fromUtf8(corpus.readAll());

    nerin::SqliteConnection db(path);
    ASSERT_TRUE(db.open());
    QStringList failures;
    nerin::ScriptRunner runner(db);
    runner.onFailure([&](const nerin::ScriptRunner::Failure& failure) {
        failures.append(QStringLiteral("corpus.sql:%1: %2")
                            .arg(failure.batchLine + failure.line - 1)
                            .arg(failure.message));
    });
    const int batches = static_cast<int>(nerin::ScriptRunner::split(script).size());
    runner.run(script);
    EXPECT_GT(batches, 100);
    EXPECT_EQ(failures, QStringList()) << failures.size() << " of " << batches << " batches failed";
}
