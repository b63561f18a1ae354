#pragma once

#include "server/DatabaseBuilder.h"
#include "server/SqliteConnection.h"

#include <QFile>
#include <QStringList>
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

    // The rows a query gives on the database file, one text per row with its fields separated by
    // "|"; the failure's message as the only row when it fails.
    static QStringList rowsOf(const QString& path, const QString& sql) {
        SqliteConnection connection(path);
        if (!connection.open().isOk())
            return {QStringLiteral("(no database)")};
        auto rs = connection.query(sql);
        if (!rs.isOk())
            return {rs.status().message()};
        QStringList out;
        for (const QList<DbValue>& row : rs->rows()) {
            QStringList fields;
            for (const DbValue& value : row)
                fields.append(value.toString());
            out.append(fields.join(u'|'));
        }
        return out;
    }

private:
    static inline QTemporaryDir* s_template = nullptr;
};

} // namespace nerin::fakes
