#pragma once

#include "server/DatabaseBuilder.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace nerin::fakes {

// Tests over the demo restaurant: the database is built once for each test suite, and each test
// takes its own copy of it.
class DemoDatabaseTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_template = new QTemporaryDir;
        const Status built = DatabaseBuilder::create(s_template->filePath(QStringLiteral("demo.db")), true);
        ASSERT_TRUE(built.isOk()) << built.message().toStdString();
    }
    static void TearDownTestSuite() {
        delete s_template;
        s_template = nullptr;
    }

    // A fresh copy of the demo database at `path`.
    static void copyDemoTo(const QString& path) {
        QFile::remove(path);
        ASSERT_TRUE(QFile::copy(s_template->filePath(QStringLiteral("demo.db")), path)) << path.toStdString();
    }

private:
    static inline QTemporaryDir* s_template = nullptr;
};

} // namespace nerin::fakes
