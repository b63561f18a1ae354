#include "server/tsql/SqlCompareFunctions.h"

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace nerin::tsql {

namespace {

constexpr char32_t kNoEscape = 0xFFFFFFFF;

struct PatternToken {
    enum class Kind : unsigned char { Literal, AnyOne, AnyRun, Set };
    Kind kind = Kind::Literal;
    bool negated = false;
    // The folded character of a literal.
    char32_t character = 0;
    // The set's ranges of folded characters in CompiledPattern::ranges.
    std::uint32_t firstRange = 0;
    std::uint32_t rangeCount = 0;
};

// A LIKE pattern turned into tokens that each match one character, except "%" runs. Matching runs
// the tokens as a nondeterministic automaton over the text, one step per character, so its cost is
// bounded by text length times pattern length whatever the pattern.
struct CompiledPattern {
    std::string source;
    char32_t escape = kNoEscape;
    // An escape character with nothing after it.
    bool matchesNothing = false;
    std::vector<PatternToken> tokens;
    std::vector<std::pair<char32_t, char32_t>> ranges;
    // The automaton's active states, kept here so that matching row after row does not allocate.
    std::vector<unsigned char> current;
    std::vector<unsigned char> next;
};

// Reads the set that starts after a "[" at pos. On success adds its token and moves pos past the "]";
// without a closing "]" leaves everything as it was and returns false.
bool readSet(CompiledPattern& compiled, std::string_view pattern, std::size_t& pos) {
    std::size_t at = pos;
    PatternToken token;
    token.kind = PatternToken::Kind::Set;
    token.firstRange = static_cast<std::uint32_t>(compiled.ranges.size());
    if (at < pattern.size() && pattern[at] == '^') {
        token.negated = true;
        ++at;
    }
    // A "]" first in the set is a member, so that "[]]" finds a bracket.
    bool first = true;
    while (at < pattern.size()) {
        char32_t low = nextCodePoint(pattern, at);
        if (low == U']' && !first) {
            token.rangeCount = static_cast<std::uint32_t>(compiled.ranges.size()) - token.firstRange;
            compiled.tokens.push_back(token);
            pos = at;
            return true;
        }
        first = false;
        if (low == compiled.escape) {
            if (at == pattern.size())
                break;
            low = nextCodePoint(pattern, at);
        }
        char32_t high = low;
        if (at + 1 < pattern.size() && pattern[at] == '-' && pattern[at + 1] != ']') {
            ++at;
            high = nextCodePoint(pattern, at);
            if (high == compiled.escape && at < pattern.size())
                high = nextCodePoint(pattern, at);
        }
        compiled.ranges.emplace_back(foldCase(low), foldCase(high));
    }
    compiled.ranges.resize(token.firstRange);
    return false;
}

std::unique_ptr<CompiledPattern> compile(std::string_view pattern, char32_t escape) {
    auto compiled = std::make_unique<CompiledPattern>();
    compiled->source.assign(pattern);
    compiled->escape = escape;
    std::size_t pos = 0;
    while (pos < pattern.size()) {
        const char32_t c = nextCodePoint(pattern, pos);
        PatternToken token;
        if (c == escape) {
            if (pos == pattern.size()) {
                compiled->matchesNothing = true;
                break;
            }
            token.character = foldCase(nextCodePoint(pattern, pos));
        } else if (c == U'%') {
            if (!compiled->tokens.empty() && compiled->tokens.back().kind == PatternToken::Kind::AnyRun)
                continue;
            token.kind = PatternToken::Kind::AnyRun;
        } else if (c == U'_') {
            token.kind = PatternToken::Kind::AnyOne;
        } else if (c == U'[' && readSet(*compiled, pattern, pos)) {
            continue;
        } else {
            token.character = foldCase(c);
        }
        compiled->tokens.push_back(token);
    }
    return compiled;
}

bool inSet(const CompiledPattern& compiled, const PatternToken& token, char32_t c) {
    for (std::uint32_t i = 0; i < token.rangeCount; ++i) {
        const auto& [low, high] = compiled.ranges[token.firstRange + i];
        if (c >= low && c <= high)
            return !token.negated;
    }
    return token.negated;
}

// A "%" state also stands in the state after it, as the run may be empty.
void addEmptyRuns(const CompiledPattern& compiled, std::vector<unsigned char>& states) {
    for (std::size_t i = 0; i < compiled.tokens.size(); ++i) {
        if (states[i] && compiled.tokens[i].kind == PatternToken::Kind::AnyRun)
            states[i + 1] = 1;
    }
}

bool matches(CompiledPattern& compiled, std::string_view text) {
    if (compiled.matchesNothing)
        return false;
    const std::size_t final = compiled.tokens.size();
    const bool endsInRun = final > 0 && compiled.tokens.back().kind == PatternToken::Kind::AnyRun;
    // Trailing spaces of the text are ignored: the match may end anywhere among them.
    const std::size_t textEnd = trimTrailingBlanks(text).size();
    auto& current = compiled.current;
    auto& next = compiled.next;
    current.assign(final + 1, 0);
    current[0] = 1;
    addEmptyRuns(compiled, current);
    if (current[final] && (textEnd == 0 || endsInRun))
        return true;

    std::size_t pos = 0;
    while (pos < text.size()) {
        const char32_t c = foldCase(nextCodePoint(text, pos));
        next.assign(final + 1, 0);
        bool anyActive = false;
        for (std::size_t i = 0; i < final; ++i) {
            if (!current[i])
                continue;
            const PatternToken& token = compiled.tokens[i];
            bool advances = false;
            switch (token.kind) {
            case PatternToken::Kind::AnyRun:
                next[i] = 1;
                anyActive = true;
                break;
            case PatternToken::Kind::AnyOne:
                advances = true;
                break;
            case PatternToken::Kind::Literal:
                advances = token.character == c;
                break;
            case PatternToken::Kind::Set:
                advances = inSet(compiled, token, c);
                break;
            }
            if (advances) {
                next[i + 1] = 1;
                anyActive = true;
            }
        }
        if (!anyActive)
            return false;
        addEmptyRuns(compiled, next);
        std::swap(current, next);
        // Once a final "%" is reached, whatever follows matches.
        if (current[final] && (pos >= textEnd || endsInRun))
            return true;
    }
    return false;
}

void destroyPattern(void* pattern) {
    delete static_cast<CompiledPattern*>(pattern);
}

void likeFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) {
            sqlite3_result_null(context);
            return;
        }
    }
    NumberChars patternBuffer;
    NumberChars textBuffer;
    const std::string_view pattern = argumentText(argv[0], patternBuffer);
    const std::string_view text = argumentText(argv[1], textBuffer);
    char32_t escape = kNoEscape;
    if (argc == 3) {
        NumberChars escapeBuffer;
        const std::string_view escapeText = argumentText(argv[2], escapeBuffer);
        std::size_t pos = 0;
        if (!escapeText.empty())
            escape = nextCodePoint(escapeText, pos);
        if (escapeText.empty() || pos != escapeText.size()) {
            resultError(context, concat({"The invalid escape character \"", escapeText,
                                         "\" was specified in a LIKE predicate."}));
            return;
        }
    }
    // A constant pattern is compiled once per statement: SQLite keeps it with the argument.
    auto* cached = static_cast<CompiledPattern*>(sqlite3_get_auxdata(context, 0));
    std::unique_ptr<CompiledPattern> fresh;
    if (!cached || cached->source != pattern || cached->escape != escape) {
        fresh = compile(pattern, escape);
        cached = fresh.get();
    }
    sqlite3_result_int(context, matches(*cached, text) ? 1 : 0);
    // SQLite may free the pattern at once, so it is handed over only after its last use here.
    if (fresh)
        sqlite3_set_auxdata(context, 0, fresh.release(), destroyPattern);
}

constexpr FunctionEntry kLikeFunctions[] = {
    {"like", 2, true, likeFunction},
    {"like", 3, true, likeFunction},
};

} // namespace

int compareIgnoringCase(std::string_view a, std::string_view b) {
    a = trimTrailingBlanks(a);
    b = trimTrailingBlanks(b);
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[j]);
        char32_t cx = 0;
        char32_t cy = 0;
        if (x < 0x80 && y < 0x80) {
            ++i;
            ++j;
            if (x == y)
                continue;
            cx = foldCase(x);
            cy = foldCase(y);
        } else {
            cx = foldCase(nextCodePoint(a, i));
            cy = foldCase(nextCodePoint(b, j));
        }
        if (cx != cy)
            return cx < cy ? -1 : 1;
    }
    if (i < a.size())
        return 1;
    return j < b.size() ? -1 : 0;
}

int collateIgnoringCase(void*, int aLength, const void* a, int bLength, const void* b) {
    const auto view = [](const void* data, int length) {
        return length <= 0
                   ? std::string_view()
                   : std::string_view(static_cast<const char*>(data), static_cast<std::size_t>(length));
    };
    return compareIgnoringCase(view(a, aLength), view(b, bLength));
}

std::u32string foldedCharacters(std::string_view text) {
    std::u32string folded;
    folded.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size())
        folded.push_back(foldCase(nextCodePoint(text, pos)));
    return folded;
}

std::span<const FunctionEntry> likeFunctions() {
    return kLikeFunctions;
}

} // namespace nerin::tsql
