#include "server/tsql/SchemaTranslator.h"

#include "server/tsql/ExpressionRewriter.h"
#include "server/tsql/ObjectName.h"
#include "server/tsql/SelectRewriter.h"
#include "server/tsql/TableDefinition.h"

namespace nerin::tsql {

namespace {

QString upperWords(const NestedTokens& t, int from, int count) {
    QStringList words;
    for (int i = from; i < from + count && i < t.size(); ++i)
        words.append(t[i].text.toUpper());
    return words.join(u' ');
}

} // namespace

EngineStatus SchemaTranslator::render(QString& touchedTable) {
    if (m_t.is(0, u"CREATE")) {
        if (m_t.is(1, u"TABLE"))
            return renderCreateTable(touchedTable);
        if (m_t.is(1, u"VIEW"))
            return renderCreateView(touchedTable);
        return renderCreateIndex();
    }
    if (m_t.is(0, u"DROP"))
        return renderDrop(touchedTable);
    if (m_t.is(0, u"TRUNCATE"))
        return renderTruncate();
    return renderAlter(touchedTable);
}

EngineStatus SchemaTranslator::renderCreateTable(QString& touchedTable) {
    if (!m_t.isName(2))
        return malformed(QStringLiteral("CREATE TABLE sin nombre"));
    auto name = ObjectName::read(m_t, 2, ObjectName::Role::Object);
    if (!name)
        return name.status();
    const int open = name->end();
    if (!m_t.isKind(open, Token::Kind::LParen))
        return malformed(QStringLiteral("CREATE TABLE sin lista de columnas"));
    m_c.out.word(m_c.dialect.createTable(name->isTemporary()));
    name->render(m_c.out);
    touchedTable = name->last();
    return TableDefinition(m_c).renderTable(open, m_t.size());
}

EngineStatus SchemaTranslator::renderCreateView(QString& touchedTable) {
    SqlBuilder& out = m_c.out;
    if (!m_t.isName(2))
        return malformed(QStringLiteral("CREATE VIEW sin nombre"));
    auto name = ObjectName::read(m_t, 2, ObjectName::Role::Object);
    if (!name)
        return name.status();
    out.word(u"CREATE VIEW");
    name->render(out);
    touchedTable = name->last();
    int i = name->end();
    if (m_t.isKind(i, Token::Kind::LParen)) {
        out.word(u"(");
        const QList<TokenRange> columns = m_t.split(m_t.inside(i));
        for (qsizetype k = 0; k < columns.size(); ++k) {
            if (columns[k].size() != 1 || !m_t.isName(columns[k].begin))
                return malformed(QStringLiteral("CREATE VIEW: lista de columnas no válida"));
            if (k > 0)
                out.glue(u",");
            out.name(m_t[columns[k].begin]);
        }
        out.glue(u")");
        i = m_t.next(i);
    }
    // WITH SCHEMABINDING, ENCRYPTION, VIEW_METADATA: SQL Server's own view options.
    if (m_t.is(i, u"WITH")) {
        ++i;
        while (m_t.isName(i) && !m_t.is(i, u"AS"))
            i += m_t.isKind(i + 1, Token::Kind::Comma) ? 2 : 1;
    }
    if (!m_t.is(i, u"AS"))
        return malformed(QStringLiteral("CREATE VIEW sin AS"));
    int end = m_t.size();
    const bool checkOption =
        end - i > 3 && m_t.is(end - 3, u"WITH") && m_t.is(end - 2, u"CHECK") && m_t.is(end - 1, u"OPTION");
    if (checkOption)
        end -= 3;
    out.word(u"AS");
    if (EngineStatus s = SelectRewriter(m_c).renderQuery({i + 1, end}); !s)
        return s;
    if (checkOption && m_c.dialect.keepsViewCheckOption())
        out.word(u"WITH CHECK OPTION");
    return EngineStatus::ok();
}

EngineStatus SchemaTranslator::renderCreateIndex() {
    SqlBuilder& out = m_c.out;
    int i = 1;
    const bool unique = m_t.is(i, u"UNIQUE");
    if (unique)
        ++i;
    if (m_t.is(i, u"CLUSTERED") || m_t.is(i, u"NONCLUSTERED"))
        ++i;
    if (!m_t.is(i, u"INDEX"))
        return unsupported(QStringLiteral("CREATE ") + upperWords(m_t, 1, 1));
    if (!m_t.isName(i + 1) || !m_t.is(i + 2, u"ON") || !m_t.isName(i + 3))
        return malformed(QStringLiteral("CREATE INDEX: se esperaba \"nombre ON tabla (columnas)\""));
    auto table = ObjectName::read(m_t, i + 3, ObjectName::Role::Object);
    if (!table)
        return table.status();
    out.word(unique ? u"CREATE UNIQUE INDEX" : u"CREATE INDEX");
    out.name(m_t[i + 1]);
    out.word(u"ON");
    table->render(out);
    i = table->end();
    if (!m_t.isKind(i, Token::Kind::LParen))
        return malformed(QStringLiteral("CREATE INDEX sin lista de columnas"));
    out.word(u"(");
    const QList<TokenRange> columns = m_t.split(m_t.inside(i));
    for (qsizetype k = 0; k < columns.size(); ++k) {
        const TokenRange c = columns[k];
        const bool ordered = c.size() == 2 && (m_t.is(c.begin + 1, u"ASC") || m_t.is(c.begin + 1, u"DESC"));
        if (!m_t.isName(c.begin) || (c.size() != 1 && !ordered))
            return malformed(QStringLiteral("CREATE INDEX: lista de columnas no válida"));
        if (k > 0)
            out.glue(u",");
        out.name(m_t[c.begin]);
        if (ordered)
            out.word(m_t[c.begin + 1].text);
    }
    out.glue(u")");
    i = m_t.next(i);
    // INCLUDE columns, index options and the filegroup only say how SQL Server stores the index.
    while (i < m_t.size()) {
        if ((m_t.is(i, u"INCLUDE") || m_t.is(i, u"WITH")) && m_t.isKind(i + 1, Token::Kind::LParen)) {
            i = m_t.next(i + 1);
        } else if (m_t.is(i, u"ON") && m_t.isName(i + 1)) {
            i += 2;
        } else if (m_t.is(i, u"WHERE")) {
            const int end = m_t.find({i, m_t.size()}, u"WITH");
            out.word(u"WHERE");
            if (EngineStatus s = ExpressionRewriter(m_c).render({i + 1, end}); !s)
                return s;
            i = end;
        } else {
            return malformed(QStringLiteral("CREATE INDEX: no se esperaba \"%1\"").arg(m_t[i].text));
        }
    }
    return EngineStatus::ok();
}

EngineStatus SchemaTranslator::renderDrop(QString& touchedTable) {
    SqlBuilder& out = m_c.out;
    const bool table = m_t.is(1, u"TABLE");
    const bool view = m_t.is(1, u"VIEW");
    if (!table && !view && !m_t.is(1, u"INDEX"))
        return unsupported(QStringLiteral("DROP ") + upperWords(m_t, 1, 1));
    int i = 2;
    const bool ifExists = m_t.is(i, u"IF") && m_t.is(i + 1, u"EXISTS");
    if (ifExists)
        i += 2;
    if (!m_t.isName(i))
        return malformed(QStringLiteral("DROP sin nombre"));
    // DROP INDEX t.ix names the index with its table; SQLite index names stand alone.
    auto name = ObjectName::read(m_t, i, table || view ? ObjectName::Role::Object : ObjectName::Role::Column);
    if (!name)
        return name.status();
    int end = name->end();
    if (!table && !view && m_t.is(end, u"ON") && m_t.isName(end + 1)) {
        auto owner = ObjectName::read(m_t, end + 1, ObjectName::Role::Object);
        if (!owner)
            return owner.status();
        end = owner->end();
    }
    if (m_t.isKind(end, Token::Kind::Comma))
        return unsupported(QStringLiteral("DROP de varios objetos a la vez"));
    if (end != m_t.size())
        return malformed(QStringLiteral("DROP: no se esperaba \"%1\"").arg(m_t[end].text));
    out.word(table ? u"DROP TABLE" : (view ? u"DROP VIEW" : u"DROP INDEX"));
    if (ifExists)
        out.word(u"IF EXISTS");
    const QString schema = m_c.dialect.temporarySchema();
    if (table && name->isTemporary() && !schema.isEmpty()) {
        out.word(schema);
        out.glue(u".");
    }
    if (table || view) {
        name->render(out);
        touchedTable = name->last();
    } else {
        out.name(m_t[name->parts().last()]);
    }
    return EngineStatus::ok();
}

EngineStatus SchemaTranslator::renderTruncate() {
    if (!m_t.is(1, u"TABLE") || !m_t.isName(2))
        return malformed(QStringLiteral("Se esperaba TRUNCATE TABLE y una tabla"));
    auto name = ObjectName::read(m_t, 2, ObjectName::Role::Object);
    if (!name)
        return name.status();
    if (name->end() != m_t.size())
        return malformed(QStringLiteral("TRUNCATE TABLE: no se esperaba \"%1\"").arg(m_t[name->end()].text));
    m_c.out.word(m_c.dialect.truncateTable());
    name->render(m_c.out);
    return EngineStatus::ok();
}

EngineStatus SchemaTranslator::renderAlter(QString& touchedTable) {
    SqlBuilder& out = m_c.out;
    if (!m_t.is(1, u"TABLE") || !m_t.isName(2))
        return unsupported(QStringLiteral("ALTER ") + upperWords(m_t, 1, 1));
    auto name = ObjectName::read(m_t, 2, ObjectName::Role::Object);
    if (!name)
        return name.status();
    int i = name->end();
    touchedTable = name->last();
    out.word(u"ALTER TABLE");
    name->render(out);
    if (m_t.is(i, u"DROP") && m_t.is(i + 1, u"COLUMN") && m_t.isName(i + 2) && i + 3 == m_t.size()) {
        out.word(u"DROP COLUMN");
        out.name(m_t[i + 2]);
        return EngineStatus::ok();
    }
    if (!m_t.is(i, u"ADD"))
        return unsupported(QStringLiteral("ALTER TABLE ... ") + upperWords(m_t, i, 2));
    ++i;
    if (m_t.is(i, u"COLUMN"))
        ++i;
    for (const char16_t* word : {u"CONSTRAINT", u"PRIMARY", u"UNIQUE", u"FOREIGN", u"CHECK", u"DEFAULT"}) {
        if (m_t.is(i, word))
            return unsupported(QStringLiteral("ALTER TABLE ... ADD ") + upperWords(m_t, i, 1));
    }
    const TokenRange column{i, m_t.size()};
    if (m_t.split(column).size() > 1)
        return unsupported(QStringLiteral("ALTER TABLE ... ADD de varias columnas a la vez"));
    out.word(u"ADD COLUMN");
    return TableDefinition(m_c).renderAddedColumn(column);
}

} // namespace nerin::tsql
