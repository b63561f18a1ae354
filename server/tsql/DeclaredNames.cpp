#include "server/tsql/DeclaredNames.h"

#include "server/tsql/InformationSchema.h"
#include "server/tsql/Target.h"

namespace nerin::tsql {

namespace {

const QString kNote = QStringLiteral("SELECT nerin_note_definition($1, $2, $3, $4)");

// Just after the parenthesis that closes the one at `open`, or the end.
qsizetype pastClosing(const TokenList& t, qsizetype open) {
    int depth = 0;
    for (qsizetype i = open; i < t.size(); ++i) {
        if (t[i].kind == Token::Kind::LParen)
            ++depth;
        else if (t[i].kind == Token::Kind::RParen && --depth == 0)
            return i + 1;
    }
    return t.size();
}

// The comma-separated parts of [begin, end), commas inside parentheses left alone.
QList<QPair<qsizetype, qsizetype>> split(const TokenList& t, qsizetype begin, qsizetype end) {
    QList<QPair<qsizetype, qsizetype>> parts;
    qsizetype start = begin;
    for (qsizetype i = begin; i < end;) {
        if (t[i].kind == Token::Kind::LParen) {
            i = pastClosing(t, i);
        } else if (t[i].kind == Token::Kind::Comma) {
            parts.append({start, i});
            start = ++i;
        } else {
            ++i;
        }
    }
    parts.append({start, end});
    return parts;
}

// The DEFAULT expression among [begin, end) as written, or NULL: a literal, a signed number, a
// parenthesised expression or a function call.
DbValue defaultOf(const TokenList& t, qsizetype begin, qsizetype end) {
    for (qsizetype i = begin; i < end; ++i) {
        if (t[i].kind == Token::Kind::LParen) {
            i = pastClosing(t, i) - 1;
            continue;
        }
        if (!t[i].is(u"DEFAULT") || i + 1 >= end)
            continue;
        qsizetype from = i + 1;
        qsizetype to = from + 1;
        if (t[from].kind == Token::Kind::LParen)
            to = pastClosing(t, from);
        else if (t[from].isName() && to < end && t[to].kind == Token::Kind::LParen)
            to = pastClosing(t, to);
        else if (t[from].kind == Token::Kind::Operator && to < end)
            ++to;
        return DbValue(InformationSchema::sourceText(t, from, qMin(to, end)));
    }
    return DbValue();
}

EngineStatus noteColumn(Target& target, const QString& table, const TokenList& t, qsizetype begin,
                        qsizetype end) {
    if (begin >= end || !t[begin].isName())
        return EngineStatus::ok();
    for (const char16_t* constraint :
         {u"CONSTRAINT", u"PRIMARY", u"UNIQUE", u"FOREIGN", u"CHECK", u"INDEX"}) {
        if (t[begin].is(constraint))
            return EngineStatus::ok();
    }
    // A computed column ("Total AS Precio * 2") has no type of its own.
    DbValue type;
    qsizetype i = begin + 1;
    if (i < end && t[i].isName() && !t[i].is(u"AS")) {
        QString text = t[i++].text.toLower();
        if (i < end && t[i].kind == Token::Kind::LParen) {
            const qsizetype past = pastClosing(t, i);
            for (qsizetype k = i; k < past; ++k)
                text += t[k].text.toLower();
            i = past;
        }
        type = DbValue(text);
    }
    return target.runNative(kNote, {DbValue(table), DbValue(t[begin].text), type, defaultOf(t, i, end)});
}

// The names a CREATE VIEW may have spelled its columns with, the likeliest first: its column list,
// the aliases after AS, then every other name.
EngineStatus noteView(Target& target, const TokenList& t) {
    qsizetype i = 2;
    const QString view = InformationSchema::objectAt(t, i);
    if (view.isEmpty())
        return EngineStatus::ok();
    QStringList listed, aliases, others;
    bool inList = i < t.size() && t[i].kind == Token::Kind::LParen;
    for (; i < t.size(); ++i) {
        if (t[i].kind == Token::Kind::RParen)
            inList = false;
        if (!t[i].isName())
            continue;
        QStringList& into = inList ? listed : (i > 0 && t[i - 1].is(u"AS") ? aliases : others);
        into.append(t[i].text);
    }
    return target.runNative(QStringLiteral("SELECT nerin_note_columns($1, $2)"),
                            {DbValue(view), DbValue((listed + aliases + others).join(u'\n'))});
}

} // namespace

EngineStatus DeclaredNames::note(Target& target, const TokenList& tokens) {
    if (tokens.size() > 3 && tokens[0].is(u"CREATE") && tokens[1].is(u"VIEW"))
        return noteView(target, tokens);
    if (tokens.size() < 4 || !tokens[1].is(u"TABLE"))
        return EngineStatus::ok();
    const bool create = tokens[0].is(u"CREATE");
    if (!create && !tokens[0].is(u"ALTER"))
        return EngineStatus::ok();
    qsizetype i = 2;
    const QString table = InformationSchema::objectAt(tokens, i);
    if (table.isEmpty() || table.startsWith(u'#') || i >= tokens.size())
        return EngineStatus::ok();
    qsizetype begin = i + 1;
    qsizetype end = tokens.size();
    if (create) {
        if (tokens[i].kind != Token::Kind::LParen)
            return EngineStatus::ok();
        end = pastClosing(tokens, i) - 1;
        if (EngineStatus noted = target.runNative(kNote, {DbValue(table), DbValue(), DbValue(), DbValue()});
            !noted.isOk())
            return noted;
    } else if (!tokens[i].is(u"ADD")) {
        return EngineStatus::ok();
    }
    for (const auto& [from, to] : split(tokens, begin, end)) {
        if (EngineStatus noted = noteColumn(target, table, tokens, from, to); !noted.isOk())
            return noted;
    }
    return EngineStatus::ok();
}

} // namespace nerin::tsql
