#include "server/tsql/TableDefinition.h"

#include "server/tsql/ExpressionRewriter.h"
#include "server/tsql/ObjectName.h"

namespace nerin::tsql {

namespace {

bool isTextType(QStringView type) {
    for (const char16_t* text : {u"char", u"varchar", u"nchar", u"nvarchar", u"text", u"ntext", u"sysname"}) {
        if (type.compare(text, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool startsConstraint(const Token& t) {
    for (const char16_t* word : {u"CONSTRAINT", u"PRIMARY", u"UNIQUE", u"FOREIGN", u"CHECK", u"INDEX"}) {
        if (t.is(word))
            return true;
    }
    return false;
}

} // namespace

EngineStatus TableDefinition::renderTable(int open, int end) {
    SqlBuilder& out = m_c.out;
    const QList<TokenRange> elements = m_t.split(m_t.inside(open));
    for (TokenRange e : elements) {
        if (e.isEmpty())
            return malformed(QStringLiteral("CREATE TABLE: elemento vacío en la lista de columnas"));
        if (!startsConstraint(m_t[e.begin]) && m_t.find(e, u"IDENTITY") < e.end) {
            if (!m_identityColumn.isEmpty())
                return malformed(QStringLiteral("CREATE TABLE: más de una columna IDENTITY"));
            m_identityColumn = m_t[e.begin].text.toLower();
        }
    }
    out.word(u"(");
    bool written = false;
    for (TokenRange e : elements) {
        if (startsConstraint(m_t[e.begin])) {
            if (EngineStatus s = renderTableConstraint(e, written); !s)
                return s;
            continue;
        }
        if (written)
            out.glue(u",");
        written = true;
        if (EngineStatus s = renderColumn(e); !s)
            return s;
    }
    out.glue(u")");
    // Where SQL Server stores the table (ON [PRIMARY], TEXTIMAGE_ON) means nothing to SQLite.
    for (int i = m_t.next(open); i < end;) {
        if ((m_t.is(i, u"ON") || m_t.is(i, u"TEXTIMAGE_ON")) && m_t.isName(i + 1))
            i += 2;
        else if (m_t.is(i, u"WITH") && m_t.isKind(i + 1, Token::Kind::LParen))
            i = m_t.next(i + 1);
        else
            return malformed(QStringLiteral("CREATE TABLE: no se esperaba \"%1\"").arg(m_t[i].text));
    }
    return EngineStatus::ok();
}

EngineStatus TableDefinition::renderAddedColumn(TokenRange column) {
    if (m_t.find(column, u"IDENTITY") < column.end)
        return unsupported(QStringLiteral("agregar una columna IDENTITY con ALTER TABLE"));
    return renderColumn(column);
}

EngineStatus TableDefinition::renderColumn(TokenRange column) {
    SqlBuilder& out = m_c.out;
    ExpressionRewriter expression(m_c);
    if (!m_t.isName(column.begin))
        return malformed(QStringLiteral("Se esperaba el nombre de una columna"));
    out.name(m_t[column.begin]);
    int i = column.begin + 1;
    if (m_t.is(i, u"AS")) { // a computed column
        int end = column.end;
        if (m_t.is(end - 1, u"PERSISTED"))
            --end;
        const Dialect::Enclosure computed = m_c.dialect.computedColumn();
        out.word(computed.before);
        EngineStatus s = expression.render({i + 1, end});
        out.glue(computed.after);
        return s;
    }
    const bool identity = m_t[column.begin].text.toLower() == m_identityColumn;
    bool isText = false;
    if (identity) {
        if (!m_t.isName(i))
            return malformed(QStringLiteral("Falta el tipo de la columna %1").arg(m_t[column.begin].text));
        out.word(m_c.dialect.identityColumn());
        i = m_t.isKind(i + 1, Token::Kind::LParen) ? m_t.next(i + 1) : i + 1;
    } else if (EngineStatus s = renderType(i, i, isText); !s) {
        return s;
    }
    if (const int collate = m_t.find({i, column.end}, u"COLLATE"); collate + 1 < column.end) {
        const bool caseSensitive = m_t[collate + 1].text.contains(QStringLiteral("_CS"), Qt::CaseInsensitive);
        out.word(m_c.dialect.collation(caseSensitive));
    } else if (isText) {
        out.word(m_c.dialect.collation(false));
    }

    while (i < column.end) {
        const Token& t = m_t[i];
        if (t.is(u"NULL")) {
            out.word(u"NULL");
            ++i;
        } else if (t.is(u"NOT") && m_t.is(i + 1, u"NULL")) {
            out.word(u"NOT NULL");
            i += 2;
        } else if (t.is(u"NOT") && m_t.is(i + 1, u"FOR") && m_t.is(i + 2, u"REPLICATION")) {
            i += 3;
        } else if (t.is(u"IDENTITY")) {
            if (EngineStatus s = checkIdentity(i, i); !s)
                return s;
        } else if (t.is(u"CONSTRAINT") || t.is(u"COLLATE")) {
            i += 2;
        } else if (t.is(u"PRIMARY") && m_t.is(i + 1, u"KEY")) {
            // The IDENTITY column already is the key; any other column can only be unique.
            if (!identity)
                out.word(m_identityColumn.isEmpty() ? u"PRIMARY KEY" : u"UNIQUE");
            i = skipKeyOptions(i + 2, column.end);
        } else if (t.is(u"UNIQUE")) {
            out.word(u"UNIQUE");
            i = skipKeyOptions(i + 1, column.end);
        } else if (t.is(u"DEFAULT")) {
            auto next = renderDefault(i, column.end);
            if (!next)
                return next.status();
            i = *next;
        } else if (t.is(u"FOREIGN") && m_t.is(i + 1, u"KEY")) {
            i += 2;
        } else if (t.is(u"REFERENCES")) {
            auto next = renderReferences(i, column.end);
            if (!next)
                return next.status();
            i = *next;
        } else if (t.is(u"CHECK") && m_t.isKind(i + 1, Token::Kind::LParen)) {
            out.word(u"CHECK");
            out.word(u"(");
            if (EngineStatus s = expression.render(m_t.inside(i + 1)); !s)
                return s;
            out.glue(u")");
            i = m_t.next(i + 1);
        } else if (t.is(u"ROWGUIDCOL") || t.is(u"SPARSE") || t.is(u"CLUSTERED") || t.is(u"NONCLUSTERED")) {
            ++i;
        } else {
            return unsupported(QStringLiteral("\"%1\" en la definición de la columna %2")
                                   .arg(t.text, m_t[column.begin].text));
        }
    }
    return EngineStatus::ok();
}

// The type at `i`; `next` receives what follows it.
EngineStatus TableDefinition::renderType(int i, int& next, bool& isText) {
    SqlBuilder& out = m_c.out;
    if (!m_t.isName(i) || m_t.is(i, u"NOT") || m_t.is(i, u"NULL"))
        return malformed(QStringLiteral("Falta el tipo de una columna"));
    const QString& type = m_t[i].text;
    isText = isTextType(type);
    const bool hasLength = m_t.isKind(i + 1, Token::Kind::LParen);
    next = hasLength ? m_t.next(i + 1) : i + 1;
    const TokenRange length = hasLength ? m_t.inside(i + 1) : TokenRange{};
    const bool isMoney = type.compare(u"money", Qt::CaseInsensitive) == 0 ||
                         type.compare(u"smallmoney", Qt::CaseInsensitive) == 0;
    const bool isDecimal = type.compare(u"decimal", Qt::CaseInsensitive) == 0 ||
                           type.compare(u"numeric", Qt::CaseInsensitive) == 0;
    const bool hasScale = length.size() == 3 && m_t.isKind(length.begin + 2, Token::Kind::Number) &&
                          m_t[length.begin + 2].text.toInt() > 0;
    const Dialect::ColumnType written = m_c.dialect.columnType(type, isMoney || (isDecimal && hasScale));
    out.word(written.text);
    if (!written.keepsLength || length.isEmpty() || (length.size() == 1 && m_t.is(length.begin, u"max")))
        return EngineStatus::ok();
    out.glue(u"(");
    for (int k = length.begin; k < length.end; ++k) {
        if (m_t.isKind(k, Token::Kind::Number))
            out.inlineLiteral(k);
        else if (m_t.isKind(k, Token::Kind::Comma))
            out.glue(u",");
        else
            return malformed(QStringLiteral("Longitud no válida en el tipo %1").arg(type));
    }
    out.glue(u")");
    return EngineStatus::ok();
}

EngineStatus TableDefinition::checkIdentity(int i, int& next) const {
    next = i + 1;
    if (!m_t.isKind(i + 1, Token::Kind::LParen))
        return EngineStatus::ok();
    next = m_t.next(i + 1);
    const TokenRange args = m_t.inside(i + 1);
    QStringList values;
    for (int k = args.begin; k < args.end; ++k) {
        if (m_t.isKind(k, Token::Kind::Number)) {
            m_c.out.recordInlined(k);
            values.append(m_t[k].text);
        } else if (!m_t.isKind(k, Token::Kind::Comma)) {
            return unsupported(QStringLiteral("IDENTITY con semilla o incremento distinto de 1"));
        }
    }
    for (const QString& value : std::as_const(values)) {
        if (value.toDouble() != 1.0)
            return unsupported(QStringLiteral("IDENTITY con semilla o incremento distinto de 1"));
    }
    return EngineStatus::ok();
}

// DEFAULT and its value at `i`; returns what follows.
EngineResult<int> TableDefinition::renderDefault(int i, int end) {
    SqlBuilder& out = m_c.out;
    int j = i + 1;
    int valueEnd = -1;
    if (m_t.isKind(j, Token::Kind::LParen)) {
        valueEnd = m_t.next(j);
    } else if ((m_t.isOperator(j, u"-") || m_t.isOperator(j, u"+")) &&
               m_t.isKind(j + 1, Token::Kind::Number)) {
        valueEnd = j + 2;
    } else if (m_t.isKind(j, Token::Kind::String) || m_t.isKind(j, Token::Kind::Number) ||
               m_t.is(j, u"NULL") || m_t.is(j, u"CURRENT_TIMESTAMP")) {
        valueEnd = j + 1;
    } else if (m_t.isName(j) && m_t.isKind(j + 1, Token::Kind::LParen)) {
        valueEnd = m_t.next(j + 1);
    }
    if (valueEnd < 0 || valueEnd > end)
        return malformed(QStringLiteral("DEFAULT sin valor"));
    TokenRange value{j, valueEnd};
    while (value.size() > 2 && m_t.isKind(value.begin, Token::Kind::LParen) &&
           m_t.next(value.begin) == value.end)
        value = m_t.inside(value.begin);
    out.word(u"DEFAULT");
    // SQLite wants any expression other than a plain value in parentheses.
    out.word(u"(");
    EngineStatus s = ExpressionRewriter(m_c).render(value);
    out.glue(u")");
    if (!s)
        return s;
    return valueEnd;
}

EngineStatus TableDefinition::renderTableConstraint(TokenRange element, bool& written) {
    SqlBuilder& out = m_c.out;
    int i = element.begin;
    if (m_t.is(i, u"CONSTRAINT"))
        i += 2;
    auto comma = [&] {
        if (written)
            out.glue(u",");
        written = true;
    };
    const bool primary = m_t.is(i, u"PRIMARY") && m_t.is(i + 1, u"KEY");
    if (primary || m_t.is(i, u"UNIQUE")) {
        i += primary ? 2 : 1;
        if (m_t.is(i, u"CLUSTERED") || m_t.is(i, u"NONCLUSTERED"))
            ++i;
        if (!m_t.isKind(i, Token::Kind::LParen))
            return malformed(QStringLiteral("Clave sin lista de columnas"));
        const QList<TokenRange> columns = m_t.split(m_t.inside(i));
        const bool onIdentityAlone = columns.size() == 1 && !columns[0].isEmpty() &&
                                     m_t[columns[0].begin].text.toLower() == m_identityColumn;
        if (primary && onIdentityAlone)
            return EngineStatus::ok(); // the IDENTITY column already is the key
        comma();
        out.word(primary && m_identityColumn.isEmpty() ? u"PRIMARY KEY" : u"UNIQUE");
        if (EngineStatus s = renderNameList(i, true); !s)
            return s;
        if (skipKeyOptions(m_t.next(i), element.end) != element.end)
            return malformed(QStringLiteral("Clave: no se esperaba lo que sigue a la lista de columnas"));
        return EngineStatus::ok();
    }
    if (m_t.is(i, u"FOREIGN") && m_t.is(i + 1, u"KEY") && m_t.isKind(i + 2, Token::Kind::LParen)) {
        comma();
        out.word(u"FOREIGN KEY");
        if (EngineStatus s = renderNameList(i + 2, false); !s)
            return s;
        auto next = renderReferences(m_t.next(i + 2), element.end);
        if (!next)
            return next.status();
        return *next == element.end ? EngineStatus::ok()
                                    : malformed(QStringLiteral("FOREIGN KEY mal formada"));
    }
    if (m_t.is(i, u"CHECK")) {
        ++i;
        if (m_t.is(i, u"NOT") && m_t.is(i + 1, u"FOR") && m_t.is(i + 2, u"REPLICATION"))
            i += 3;
        if (!m_t.isKind(i, Token::Kind::LParen) || m_t.next(i) != element.end)
            return malformed(QStringLiteral("CHECK mal formado"));
        comma();
        out.word(u"CHECK");
        out.word(u"(");
        EngineStatus s = ExpressionRewriter(m_c).render(m_t.inside(i));
        out.glue(u")");
        return s;
    }
    return unsupported(
        QStringLiteral("\"%1\" en CREATE TABLE").arg(m_t[i < element.end ? i : element.begin].text));
}

EngineStatus TableDefinition::renderNameList(int open, bool withOrder) {
    SqlBuilder& out = m_c.out;
    out.word(u"(");
    const QList<TokenRange> items = m_t.split(m_t.inside(open));
    for (qsizetype k = 0; k < items.size(); ++k) {
        const TokenRange item = items[k];
        const bool ordered = withOrder && item.size() == 2 &&
                             (m_t.is(item.begin + 1, u"ASC") || m_t.is(item.begin + 1, u"DESC"));
        if (!m_t.isName(item.begin) || (item.size() != 1 && !ordered))
            return malformed(QStringLiteral("Lista de columnas no válida"));
        if (k > 0)
            out.glue(u",");
        out.name(m_t[item.begin]);
        if (ordered)
            out.word(m_t[item.begin + 1].text);
    }
    out.glue(u")");
    return EngineStatus::ok();
}

// REFERENCES t [(columns)] [ON DELETE | ON UPDATE action]... at `i`; returns what follows.
EngineResult<int> TableDefinition::renderReferences(int i, int end) {
    SqlBuilder& out = m_c.out;
    if (!m_t.is(i, u"REFERENCES") || !m_t.isName(i + 1))
        return malformed(QStringLiteral("Se esperaba REFERENCES y una tabla"));
    out.word(u"REFERENCES");
    auto table = ObjectName::read(m_t, i + 1, ObjectName::Role::Object);
    if (!table)
        return table.status();
    table->render(out);
    i = table->end();
    if (m_t.isKind(i, Token::Kind::LParen) && i < end) {
        if (EngineStatus s = renderNameList(i, false); !s)
            return s;
        i = m_t.next(i);
    }
    while (i < end) {
        if (m_t.is(i, u"ON") && (m_t.is(i + 1, u"DELETE") || m_t.is(i + 1, u"UPDATE"))) {
            out.word(u"ON");
            out.word(m_t[i + 1].text);
            i += 2;
            const bool twoWords = m_t.is(i, u"NO") || m_t.is(i, u"SET");
            for (int k = 0; k < (twoWords ? 2 : 1) && i < end; ++k)
                out.word(m_t[i++].text);
        } else if (m_t.is(i, u"NOT") && m_t.is(i + 1, u"FOR") && m_t.is(i + 2, u"REPLICATION")) {
            i += 3;
        } else {
            break;
        }
    }
    return i;
}

// Skips what SQL Server says about how a key's index is stored: CLUSTERED, ASC/DESC on a column
// key, WITH (...) or WITH FILLFACTOR = n, ON filegroup.
int TableDefinition::skipKeyOptions(int i, int end) const {
    while (i < end) {
        if (m_t.is(i, u"CLUSTERED") || m_t.is(i, u"NONCLUSTERED") || m_t.is(i, u"ASC") || m_t.is(i, u"DESC"))
            ++i;
        else if (m_t.is(i, u"WITH") && m_t.isKind(i + 1, Token::Kind::LParen))
            i = m_t.next(i + 1);
        else if (m_t.is(i, u"WITH") && m_t.is(i + 1, u"FILLFACTOR") && m_t.isOperator(i + 2, u"="))
            i += 4;
        else if (m_t.is(i, u"ON") && m_t.isName(i + 1) && !m_t.is(i + 1, u"DELETE") &&
                 !m_t.is(i + 1, u"UPDATE"))
            i += 2;
        else
            break;
    }
    return i;
}

} // namespace nerin::tsql
