#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct ShellRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ShellRun nerinSql(const QStringList& arguments, const QByteArray& input = {}) {
    QProcess process;
    process.start(QStringLiteral(NERIN_SQL_BINARY), arguments);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(120000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

class NerinSqlTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        const ShellRun created = nerinSql({QStringLiteral("--create"), db()});
        ASSERT_EQ(created.exitCode, 0) << created.err.toStdString();
    }
    QString db() const { return m_dir.path() + QStringLiteral("/r.db"); }
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(NerinSqlTest, PrintsResultsAsTabSeparatedRowsUnderAHeader) {
    const ShellRun r =
        nerinSql({QStringLiteral("--db"), db(), QStringLiteral("-Q"), QStringLiteral("SELECT 'a' + 'b'")});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("\nab\n"));
    const ShellRun named = nerinSql(
        {QStringLiteral("--db"), db(), QStringLiteral("-Q"),
         QStringLiteral("DECLARE @v int SET @v = 4 SELECT @v AS Valor, NULL AS Nada, 'x' AS Texto")});
    EXPECT_EQ(named.out, QStringLiteral("Valor\tNada\tTexto\n4\tNULL\tx\n"));
}

TEST_F(NerinSqlTest, AFailedBatchIsReportedAndTheRunGoesOnUnlessToldToStop) {
    const QString script = m_dir.path() + QStringLiteral("/s.sql");
    QFile file(script);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("CREATE TABLE T (a int)\nGO\nSELECT * FROM Nada\nGO\nINSERT INTO T VALUES (1)\nSELECT "
               "COUNT(*) AS n FROM T\n");
    file.close();
    const ShellRun r = nerinSql({QStringLiteral("--db"), db(), QStringLiteral("-i"), script});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.startsWith(QStringLiteral("Msg 208, Level 16, State 1, Line 1\n")))
        << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("n\n1\n"));

    const ShellRun stopped =
        nerinSql({QStringLiteral("--db"), db(), QStringLiteral("-b"), QStringLiteral("-Q"),
                  QStringLiteral("SELECT * FROM Nada\nGO\nSELECT 1 AS uno")});
    EXPECT_EQ(stopped.exitCode, 1);
    EXPECT_EQ(stopped.out, QString());
}

TEST_F(NerinSqlTest, TextThatIsNotUtf8IsRefused) {
    const QString script = m_dir.path() + QStringLiteral("/latin1.sql");
    QFile file(script);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("SELECT 'Pe\xf1"
               "a'\n");
    file.close();
    const ShellRun r = nerinSql({QStringLiteral("--db"), db(), QStringLiteral("-i"), script});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("no es UTF-8 válido"))) << r.err.toStdString();
}

TEST_F(NerinSqlTest, CreateRefusesAnExistingFileAndOptionsAreChecked) {
    EXPECT_EQ(nerinSql({QStringLiteral("--create"), db()}).exitCode, 1);
    EXPECT_EQ(nerinSql({QStringLiteral("--db"), db()}).exitCode, 2);
    EXPECT_EQ(nerinSql({QStringLiteral("--bogus")}).exitCode, 2);
}

TEST_F(NerinSqlTest, TwoProcessesWritingAtOnceBothSucceed) {
    ASSERT_EQ(nerinSql({QStringLiteral("--db"), db(), QStringLiteral("-Q"),
                        QStringLiteral("CREATE TABLE Carga (Proceso int, N int)")})
                  .exitCode,
              0);
    QList<QProcess*> writers;
    for (int p = 0; p < 2; ++p) {
        QString script;
        for (int n = 0; n < 300; ++n)
            script += QStringLiteral("INSERT INTO Carga VALUES (%1, %2)\nGO\n").arg(p).arg(n);
        const QString path = m_dir.path() + QStringLiteral("/carga%1.sql").arg(p);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(script.toUtf8());
        file.close();
        auto* process = new QProcess;
        process->start(QStringLiteral(NERIN_SQL_BINARY),
                       {QStringLiteral("--db"), db(), QStringLiteral("-b"), QStringLiteral("-i"), path});
        writers.append(process);
    }
    for (QProcess* process : writers) {
        ASSERT_TRUE(process->waitForFinished(120000));
        EXPECT_EQ(process->exitCode(), 0) << process->readAllStandardError().toStdString();
        delete process;
    }
    const ShellRun count = nerinSql({QStringLiteral("--db"), db(), QStringLiteral("-Q"),
                                     QStringLiteral("SELECT COUNT(*) AS n FROM Carga")});
    EXPECT_EQ(count.out, QStringLiteral("n\n600\n"));
}
