#include "server/tsql/InformationSchema.h"

#include "server/tsql/DeclaredNames.h"
#include "server/tsql/Dialect.h"
#include "server/tsql/SqlBuilder.h"
#include "server/tsql/SqliteErrors.h"
#include "server/tsql/StatementRunner.h"

#include <QFileInfo>
#include <sqlite3.h>

namespace nerin::tsql {

namespace {

// The database's own objects: neither SQLite's nor the engine's tables.
const char* const kOwnObjects =
    "substr(m.name, 1, 7) <> 'sqlite_' AND substr(m.name, 1, 6) <> 'nerin_' COLLATE NOCASE";

// The columns of every table and view with the T-SQL type each was declared with: the declared type
// starts with the T-SQL name ("varchar(30)", "money float", "decimal float(10,2)"); the IDENTITY key is
// SQLite's INTEGER key.
const char* const kColumns = R"(
SELECT TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME, COLUMN_NAME, ORDINAL_POSITION, COLUMN_DEFAULT, IS_NULLABLE,
  DATA_TYPE,
  CASE WHEN DATA_TYPE IN ('char', 'varchar', 'nchar', 'nvarchar', 'binary', 'varbinary')
         THEN coalesce(CAST(args AS INTEGER), -1)
       WHEN DATA_TYPE = 'text' THEN 2147483647 WHEN DATA_TYPE = 'ntext' THEN 1073741823 END
    AS CHARACTER_MAXIMUM_LENGTH,
  CASE DATA_TYPE WHEN 'tinyint' THEN 3 WHEN 'smallint' THEN 5 WHEN 'int' THEN 10 WHEN 'bigint' THEN 19
    WHEN 'bit' THEN 1 WHEN 'money' THEN 19 WHEN 'smallmoney' THEN 10 WHEN 'float' THEN 53 WHEN 'real' THEN 24
    WHEN 'decimal' THEN coalesce(CAST(substr(args, 1, instr(args || ',', ',') - 1) AS INTEGER), 18)
    WHEN 'numeric' THEN coalesce(CAST(substr(args, 1, instr(args || ',', ',') - 1) AS INTEGER), 18) END
    AS NUMERIC_PRECISION,
  CASE WHEN DATA_TYPE IN ('tinyint', 'smallint', 'int', 'bigint') THEN 0
       WHEN DATA_TYPE IN ('money', 'smallmoney') THEN 4
       WHEN DATA_TYPE IN ('decimal', 'numeric')
         THEN CASE WHEN instr(args, ',') THEN CAST(substr(args, instr(args, ',') + 1) AS INTEGER) ELSE 0 END
  END AS NUMERIC_SCALE
FROM (SELECT TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME, COLUMN_NAME, ORDINAL_POSITION, COLUMN_DEFAULT,
        IS_NULLABLE, args,
        CASE WHEN base = '' THEN NULL WHEN base = 'integer' AND pk THEN 'int'
             WHEN instr(base, ' ') THEN substr(base, 1, instr(base, ' ') - 1) ELSE base END AS DATA_TYPE
      FROM (SELECT %1 AS TABLE_CATALOG, 'dbo' AS TABLE_SCHEMA, m.name AS TABLE_NAME, c.name AS COLUMN_NAME,
              c.cid + 1 AS ORDINAL_POSITION, '(' || c.dflt_value || ')' AS COLUMN_DEFAULT,
              CASE WHEN c."notnull" OR c.pk THEN 'NO' ELSE 'YES' END AS IS_NULLABLE, c.pk AS pk,
              CASE WHEN instr(c.type, '(') THEN rtrim(lower(substr(c.type, 1, instr(c.type, '(') - 1)))
                   ELSE lower(trim(c.type)) END AS base,
              CASE WHEN instr(c.type, '(')
                   THEN trim(substr(c.type, instr(c.type, '(') + 1, length(c.type) - instr(c.type, '(') - 1))
              END AS args
            FROM main.sqlite_master m, pragma_table_info(m.name, 'main') c
            WHERE m.type IN ('table', 'view') AND %2))
)";

QString databaseLiteral(sqlite3* db) {
    const char* file = sqlite3_db_filename(db, "main");
    const QString name = file ? QFileInfo(QString::fromUtf8(file)).completeBaseName() : QString();
    return SqlBuilder::quotedString(name);
}

// Where the statement's text ends, before its semicolon.
qsizetype statementEnd(const TokenList& tokens) {
    return !tokens.isEmpty() && tokens.last().kind == Token::Kind::Semicolon ? tokens.size() - 1
                                                                             : tokens.size();
}

} // namespace

QString InformationSchema::objectAt(const TokenList& tokens, qsizetype& i) {
    QString name;
    while (i < tokens.size() && tokens[i].isName()) {
        name = tokens[i++].text;
        if (i >= tokens.size() || tokens[i].kind != Token::Kind::Dot)
            break;
        ++i;
    }
    return name;
}

QString InformationSchema::sourceText(const TokenList& tokens, qsizetype begin, qsizetype end) {
    QString text;
    for (qsizetype k = begin; k < end; ++k) {
        const Token& t = tokens[k];
        const bool glued = k == begin || t.kind == Token::Kind::Dot || t.kind == Token::Kind::Comma ||
                           t.kind == Token::Kind::RParen || tokens[k - 1].kind == Token::Kind::Dot ||
                           tokens[k - 1].kind == Token::Kind::LParen;
        if (!glued)
            text += u' ';
        if (t.kind == Token::Kind::String)
            text += SqlBuilder::quotedString(t.text);
        else if (t.kind == Token::Kind::QuotedName)
            text += u'[' + QString(t.text).replace(u']', QStringLiteral("]]")) + u']';
        else
            text += t.text;
    }
    return text;
}

EngineStatus InformationSchema::install(sqlite3* db) {
    const QString catalog = databaseLiteral(db);
    const QString own = QString::fromLatin1(kOwnObjects);
    const QStringList statements = {
        QStringLiteral("CREATE TABLE IF NOT EXISTS nerin_views (name TEXT PRIMARY KEY COLLATE NOCASE, "
                       "definition TEXT NOT NULL)"),
        QStringLiteral(
            "CREATE TEMP VIEW \"INFORMATION_SCHEMA.TABLES\" AS SELECT %1 COLLATE NERIN_CI AS "
            "TABLE_CATALOG, 'dbo' COLLATE NERIN_CI AS TABLE_SCHEMA, m.name COLLATE NERIN_CI AS TABLE_NAME, "
            "CASE m.type WHEN 'view' THEN 'VIEW' ELSE 'BASE TABLE' END COLLATE NERIN_CI AS TABLE_TYPE "
            "FROM main.sqlite_master m WHERE m.type IN ('table', 'view') AND %2")
            .arg(catalog, own),
        QStringLiteral(
            "CREATE TEMP VIEW \"INFORMATION_SCHEMA.COLUMNS\" AS SELECT TABLE_CATALOG COLLATE NERIN_CI AS "
            "TABLE_CATALOG, TABLE_SCHEMA COLLATE NERIN_CI AS TABLE_SCHEMA, TABLE_NAME COLLATE NERIN_CI AS "
            "TABLE_NAME, COLUMN_NAME COLLATE NERIN_CI AS COLUMN_NAME, ORDINAL_POSITION, COLUMN_DEFAULT "
            "COLLATE "
            "NERIN_CI AS COLUMN_DEFAULT, IS_NULLABLE COLLATE NERIN_CI AS IS_NULLABLE, DATA_TYPE COLLATE "
            "NERIN_CI "
            "AS DATA_TYPE, CHARACTER_MAXIMUM_LENGTH, "
            "NUMERIC_PRECISION, NUMERIC_SCALE FROM (") +
            QString::fromLatin1(kColumns).arg(catalog, own) + u')',
        QStringLiteral(
            "CREATE TEMP VIEW \"INFORMATION_SCHEMA.VIEWS\" AS SELECT %1 COLLATE NERIN_CI AS "
            "TABLE_CATALOG, 'dbo' COLLATE NERIN_CI AS TABLE_SCHEMA, m.name COLLATE NERIN_CI AS TABLE_NAME, "
            "v.definition COLLATE NERIN_CI AS VIEW_DEFINITION, 'NONE' COLLATE NERIN_CI AS CHECK_OPTION, "
            "'NO' COLLATE NERIN_CI AS IS_UPDATABLE "
            "FROM main.sqlite_master m LEFT JOIN main.nerin_views v ON v.name = m.name "
            "WHERE m.type = 'view' AND %2")
            .arg(catalog, own),
        QStringLiteral(
            "CREATE TEMP VIEW \"INFORMATION_SCHEMA.ROUTINES\" AS SELECT %1 COLLATE NERIN_CI AS "
            "SPECIFIC_CATALOG, 'dbo' COLLATE NERIN_CI AS SPECIFIC_SCHEMA, name COLLATE NERIN_CI AS "
            "SPECIFIC_NAME, "
            "%1 COLLATE NERIN_CI AS ROUTINE_CATALOG, 'dbo' COLLATE NERIN_CI AS ROUTINE_SCHEMA, name COLLATE "
            "NERIN_CI AS ROUTINE_NAME, 'PROCEDURE' COLLATE NERIN_CI AS ROUTINE_TYPE, substr(definition, 1, "
            "4000) "
            "COLLATE NERIN_CI AS ROUTINE_DEFINITION "
            "FROM main.nerin_procedures")
            .arg(catalog),
    };
    for (const QString& sql : statements) {
        if (const int code = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
            code != SQLITE_OK)
            return classifySqliteError(code, db);
    }
    return EngineStatus::ok();
}

EngineStatus InformationSchema::noteDefinition(Target& target, const TokenList& tokens) {
    if (target.dialect().forgetsDeclaredNames()) {
        if (EngineStatus noted = DeclaredNames::note(target, tokens); !noted.isOk())
            return noted;
    }
    if (tokens.size() < 3 || !tokens[1].is(u"VIEW"))
        return EngineStatus::ok();
    qsizetype i = 2;
    if (tokens[0].is(u"CREATE")) {
        const QString name = objectAt(tokens, i);
        // A view created again (after its drop by another connection) replaces its old text.
        if (EngineStatus failure =
                target.runNative(QStringLiteral("DELETE FROM nerin_views WHERE name = $1"), {DbValue(name)});
            !failure.isOk())
            return failure;
        return target.runNative(QStringLiteral("INSERT INTO nerin_views (name, definition) VALUES ($1, $2)"),
                                {DbValue(name), DbValue(sourceText(tokens, 0, statementEnd(tokens)))});
    }
    if (!tokens[0].is(u"DROP"))
        return EngineStatus::ok();
    if (tokens[i].is(u"IF") && i + 1 < tokens.size() && tokens[i + 1].is(u"EXISTS"))
        i += 2;
    while (i < tokens.size()) {
        const QString name = objectAt(tokens, i);
        if (EngineStatus failure =
                target.runNative(QStringLiteral("DELETE FROM nerin_views WHERE name = $1"), {DbValue(name)});
            !failure.isOk())
            return failure;
        if (i >= tokens.size() || tokens[i].kind != Token::Kind::Comma)
            break;
        ++i;
    }
    return EngineStatus::ok();
}

} // namespace nerin::tsql
