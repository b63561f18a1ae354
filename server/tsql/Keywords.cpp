#include "server/tsql/Keywords.h"

#include <QStringList>
#include <algorithm>
#include <sqlite3.h>

namespace nerin::tsql {

namespace {

bool lessIgnoringCase(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) < 0;
}

// A word list searched without building upper-case copies: words are looked up for nearly every token.
class WordList {
public:
    explicit WordList(QStringList words) : m_words(std::move(words)) {
        std::sort(m_words.begin(), m_words.end(), lessIgnoringCase);
    }
    bool contains(QStringView word) const {
        auto found = std::lower_bound(m_words.cbegin(), m_words.cend(), word, lessIgnoringCase);
        return found != m_words.cend() && found->compare(word, Qt::CaseInsensitive) == 0;
    }

private:
    QStringList m_words;
};

QStringList reservedWords() {
    const QString words = QStringLiteral(
        "ADD ALL ALTER AND ANY AS ASC AUTHORIZATION BACKUP BEGIN BETWEEN BREAK BROWSE BULK BY CASCADE "
        "CASE CHECK CHECKPOINT CLOSE CLUSTERED COALESCE COLLATE COLUMN COMMIT COMPUTE CONSTRAINT "
        "CONTAINS CONTAINSTABLE CONTINUE CONVERT CREATE CROSS CURRENT CURRENT_DATE CURRENT_TIME "
        "CURRENT_TIMESTAMP CURRENT_USER CURSOR DATABASE DBCC DEALLOCATE DECLARE DEFAULT DELETE DENY DESC "
        "DISK DISTINCT DISTRIBUTED DOUBLE DROP DUMP ELSE END ERRLVL ESCAPE EXCEPT EXEC EXECUTE EXISTS "
        "EXIT EXTERNAL FETCH FILE FILLFACTOR FOR FOREIGN FREETEXT FREETEXTTABLE FROM FULL FUNCTION GOTO "
        "GRANT GROUP HAVING HOLDLOCK IDENTITY IDENTITY_INSERT IDENTITYCOL IF IN INDEX INNER INSERT "
        "INTERSECT INTO IS JOIN KEY KILL LEFT LIKE LINENO LOAD MERGE NATIONAL NOCHECK NONCLUSTERED NOT "
        "NULL NULLIF OF OFF OFFSETS ON OPEN OPENDATASOURCE OPENQUERY OPENROWSET OPENXML OPTION OR ORDER "
        "OUTER OVER PERCENT PIVOT PLAN PRECISION PRIMARY PRINT PROC PROCEDURE PUBLIC RAISERROR READ "
        "READTEXT RECONFIGURE REFERENCES REPLICATION RESTORE RESTRICT RETURN REVERT REVOKE RIGHT "
        "ROLLBACK ROWCOUNT ROWGUIDCOL RULE SAVE SCHEMA SELECT SESSION_USER SET SETUSER SHUTDOWN SOME "
        "STATISTICS SYSTEM_USER TABLE TABLESAMPLE TEXTSIZE THEN TO TOP TRAN TRANSACTION TRIGGER TRUNCATE "
        "TSEQUAL UNION UNIQUE UNPIVOT UPDATE UPDATETEXT USE USER VALUES VARYING VIEW WAITFOR WHEN WHERE "
        "WHILE WITH WRITETEXT");
    return words.split(u' ');
}

QStringList sqliteWords() {
    QStringList list;
    const int count = sqlite3_keyword_count();
    for (int i = 0; i < count; ++i) {
        const char* name = nullptr;
        int length = 0;
        if (sqlite3_keyword_name(i, &name, &length) == SQLITE_OK)
            list.append(QString::fromLatin1(name, length));
    }
    return list;
}

// PostgreSQL's reserved keywords and those it reserves for types and functions or that cannot be
// a column label: a table or column of one of these names is quoted.
QStringList postgresWords() {
    const QString words = QStringLiteral(
        "ALL ANALYSE ANALYZE AND ANY ARRAY AS ASC ASYMMETRIC AUTHORIZATION BETWEEN BIGINT BINARY BIT "
        "BOOLEAN BOTH CASE CAST CHAR CHARACTER CHECK COALESCE COLLATE COLLATION COLUMN CONCURRENTLY "
        "CONSTRAINT CREATE CROSS CURRENT_CATALOG CURRENT_DATE CURRENT_ROLE CURRENT_SCHEMA CURRENT_TIME "
        "CURRENT_TIMESTAMP CURRENT_USER DAY DEC DECIMAL DEFAULT DEFERRABLE DESC DISTINCT DO ELSE END EXCEPT "
        "EXISTS EXTRACT FALSE FETCH FILTER FLOAT FOR FOREIGN FREEZE FROM FULL GRANT GREATEST GROUP GROUPING "
        "HAVING HOUR ILIKE IN INITIALLY INNER INOUT INT INTEGER INTERSECT INTERVAL INTO IS ISNULL JOIN "
        "LATERAL LEADING LEAST LEFT LIKE LIMIT LOCALTIME LOCALTIMESTAMP MINUTE MONTH NATIONAL NATURAL NCHAR "
        "NONE NORMALIZE NOT NOTNULL NULL NULLIF NUMERIC OFFSET ON ONLY OR ORDER OUT OUTER OVER OVERLAPS "
        "OVERLAY PLACING POSITION PRECISION PRIMARY REAL REFERENCES RETURNING RIGHT ROW SECOND SELECT "
        "SESSION_USER SETOF SIMILAR SMALLINT SOME SUBSTRING SYMMETRIC TABLE TABLESAMPLE THEN TIME TIMESTAMP "
        "TO TRAILING TREAT TRIM TRUE UNION UNIQUE USER USING VALUES VARCHAR VARIADIC VARYING VERBOSE WHEN "
        "WHERE WINDOW WITH WITHIN WITHOUT XMLATTRIBUTES XMLCONCAT XMLELEMENT XMLEXISTS XMLFOREST "
        "XMLNAMESPACES XMLPARSE XMLPI XMLROOT XMLSERIALIZE XMLTABLE YEAR");
    return words.split(u' ');
}

} // namespace

bool Keywords::isPostgresKeyword(QStringView word) {
    static const WordList list(postgresWords());
    return list.contains(word);
}

bool Keywords::isReserved(QStringView word) {
    static const WordList list(reservedWords());
    return list.contains(word);
}

bool Keywords::isSqliteKeyword(QStringView word) {
    static const WordList list(sqliteWords());
    return list.contains(word);
}

} // namespace nerin::tsql
