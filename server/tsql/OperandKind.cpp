#include "server/tsql/OperandKind.h"

#include "server/tsql/FunctionMap.h"

namespace nerin::tsql {

namespace {

bool isDateType(QStringView type) {
    return type.startsWith(u"datetime") || type.startsWith(u"smalldatetime") || type == u"date";
}

bool isTextType(QStringView type) {
    for (const char16_t* text : {u"char", u"varchar", u"nchar", u"nvarchar", u"text", u"ntext", u"sysname"}) {
        if (type.compare(text, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool yieldsText(QStringView function) {
    for (const char16_t* name : {u"SUBSTRING", u"LEFT", u"RIGHT", u"UPPER", u"LOWER", u"LTRIM", u"RTRIM",
                                 u"REPLACE", u"REPLICATE", u"SPACE", u"STR", u"CHAR"}) {
        if (function == name)
            return true;
    }
    return false;
}

} // namespace

// A date operand of "-": GETDATE(), DATEADD(...), CURRENT_TIMESTAMP, or a CAST or CONVERT to a date
// type, in any number of parentheses.
bool OperandKind::isDate(const NestedTokens& t, TokenRange term) {
    while (term.size() > 2 && t.isKind(term.begin, Token::Kind::LParen) && t.next(term.begin) == term.end &&
           !t.isSubquery(term.begin)) {
        term = t.inside(term.begin);
    }
    if (term.size() == 1)
        return t.is(term.begin, u"CURRENT_TIMESTAMP");
    if (!t.isName(term.begin) || !t.isKind(term.begin + 1, Token::Kind::LParen) ||
        t.next(term.begin + 1) != term.end) {
        return false;
    }
    const FunctionMap::Entry* entry = FunctionMap::find(t[term.begin].text);
    if (!entry)
        return false;
    if (entry->yieldsDate)
        return true;
    const TokenRange args = t.inside(term.begin + 1);
    if (entry->shape == FunctionMap::Shape::Convert)
        return t.isName(args.begin) && isDateType(t[args.begin].text.toLower());
    if (entry->shape == FunctionMap::Shape::Cast) {
        const int as = t.find(args, u"AS");
        return as + 1 < args.end && isDateType(t[as + 1].text.toLower());
    }
    return false;
}

// Whether `terms` joined by `operators` are known to be a text: a string, or a call of a function
// that gives a text or converts to a text type, joined by "+" to anything.
bool OperandKind::isText(const NestedTokens& t, const QList<TokenRange>& terms, const QList<int>& operators) {
    for (int op : operators) {
        if (!t[op].isOperator(u"+"))
            return false;
    }
    for (TokenRange term : terms) {
        while (term.size() > 2 && t.isKind(term.begin, Token::Kind::LParen) &&
               t.next(term.begin) == term.end && !t.isSubquery(term.begin)) {
            term = t.inside(term.begin);
        }
        if (term.size() == 1 && t.isKind(term.begin, Token::Kind::String))
            return true;
        if (term.size() < 3 || !t.isName(term.begin) || !t.isKind(term.begin + 1, Token::Kind::LParen) ||
            t.next(term.begin + 1) != term.end)
            continue;
        const FunctionMap::Entry* entry = FunctionMap::find(t[term.begin].text);
        if (!entry)
            continue;
        const TokenRange args = t.inside(term.begin + 1);
        int type = -1;
        if (entry->shape == FunctionMap::Shape::Convert)
            type = args.begin;
        else if (entry->shape == FunctionMap::Shape::Cast)
            type = t.find(args, u"AS") + 1;
        if (type >= 0 ? type < args.end && isTextType(t[type].text) : yieldsText(entry->name))
            return true;
    }
    return false;
}

} // namespace nerin::tsql
