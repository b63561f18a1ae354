#include "server/tsql/SqlTextFunctions.h"

#include "server/tsql/SqlCompareFunctions.h"
#include "text/Cp1252.h"

#include <QChar>
#include <algorithm>
#include <limits>
#include <string>
#include <vector>

namespace nerin::tsql {

namespace {

bool anyNull(int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL)
            return true;
    }
    return false;
}

void lenFunction(sqlite3_context* context, int, sqlite3_value** argv) {
    if (anyNull(1, argv)) {
        sqlite3_result_null(context);
        return;
    }
    NumberChars buffer;
    const std::string_view text = argumentText(argv[0], buffer);
    // A blob has no characters: its length is its bytes.
    const bool isBlob = sqlite3_value_type(argv[0]) == SQLITE_BLOB;
    sqlite3_result_int64(context, isBlob ? static_cast<qint64>(text.size())
                                         : characterCount(trimTrailingBlanks(text)));
}

void charIndexFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) {
        sqlite3_result_null(context);
        return;
    }
    qint64 start = 1;
    if (argc == 3) {
        const auto parsed = integerArgument(context, argv[2]);
        if (!parsed)
            return;
        start = std::max<qint64>(*parsed, 1);
    }
    NumberChars findBuffer;
    NumberChars inBuffer;
    const std::u32string find = foldedCharacters(argumentText(argv[0], findBuffer));
    const std::u32string in = foldedCharacters(argumentText(argv[1], inBuffer));
    const auto from = static_cast<std::size_t>(start - 1);
    if (find.empty() || from >= in.size()) {
        sqlite3_result_int64(context, 0);
        return;
    }
    const std::size_t found = in.find(find, from);
    sqlite3_result_int64(context, found == std::u32string::npos ? 0 : static_cast<qint64>(found) + 1);
}

// LEFT and RIGHT: the first or the last n characters.
template <bool fromRight> void edgeFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) {
        sqlite3_result_null(context);
        return;
    }
    const auto count = integerArgument(context, argv[1]);
    if (!count)
        return;
    if (*count < 0) {
        resultError(context, fromRight ? "Invalid length parameter passed to the right function."
                                       : "Invalid length parameter passed to the left function.");
        return;
    }
    NumberChars buffer;
    const std::string_view text = argumentText(argv[0], buffer);
    if (fromRight) {
        const qint64 skipped = std::max<qint64>(characterCount(text) - *count, 0);
        resultText(context, text.substr(bytesOfCharacters(text, skipped)));
    } else {
        resultText(context, text.substr(0, bytesOfCharacters(text, *count)));
    }
}

void spaceFunction(sqlite3_context* context, int, sqlite3_value** argv) {
    if (anyNull(1, argv)) {
        sqlite3_result_null(context);
        return;
    }
    const auto count = integerArgument(context, argv[0]);
    if (!count)
        return;
    if (*count < 0) {
        sqlite3_result_null(context);
        return;
    }
    resultText(context,
               std::string(static_cast<std::size_t>(std::min(*count, kMaxGeneratedCharacters)), ' '));
}

void replicateFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) {
        sqlite3_result_null(context);
        return;
    }
    const auto count = integerArgument(context, argv[1]);
    if (!count)
        return;
    if (*count < 0) {
        sqlite3_result_null(context);
        return;
    }
    NumberChars buffer;
    const std::string_view text = argumentText(argv[0], buffer);
    const qint64 characters = characterCount(text);
    if (characters == 0) {
        resultText(context, {});
        return;
    }
    // Each copy has at least one character, so no more than the cap's worth of copies count.
    const qint64 total =
        std::min(std::min(*count, kMaxGeneratedCharacters) * characters, kMaxGeneratedCharacters);
    std::string result;
    result.reserve(static_cast<std::size_t>(total / characters + 1) * text.size());
    for (qint64 copy = 0; copy < total / characters; ++copy)
        result.append(text);
    result.append(text.substr(0, bytesOfCharacters(text, total % characters)));
    resultText(context, result);
}

// UPPER and LOWER by the simple (one character to one) Unicode mappings, so lengths do not change.
template <bool toUpper> void caseFunction(sqlite3_context* context, int, sqlite3_value** argv) {
    if (anyNull(1, argv)) {
        sqlite3_result_null(context);
        return;
    }
    NumberChars buffer;
    const std::string_view text = argumentText(argv[0], buffer);
    std::string result;
    result.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto byte = static_cast<unsigned char>(text[pos]);
        if (byte < 0x80) {
            ++pos;
            const bool change = toUpper ? (byte >= 'a' && byte <= 'z') : (byte >= 'A' && byte <= 'Z');
            result.push_back(static_cast<char>(change ? byte ^ 0x20 : byte));
            continue;
        }
        const char32_t c = nextCodePoint(text, pos);
        appendCodePoint(result, toUpper ? QChar::toUpper(c) : QChar::toLower(c));
    }
    resultText(context, result);
}

// SUBSTRING: the characters from `start` to start + length - 1 that the text has; a start before 1
// still counts towards the length. A blob gives its bytes so counted.
void substringFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) {
        sqlite3_result_null(context);
        return;
    }
    const auto start = integerArgument(context, argv[1]);
    if (!start)
        return;
    const auto length = integerArgument(context, argv[2]);
    if (!length)
        return;
    if (*length < 0) {
        resultError(context, "Invalid length parameter passed to the substring function.");
        return;
    }
    qint64 end = 0;
    if (__builtin_add_overflow(*start, *length, &end))
        end = std::numeric_limits<qint64>::max();
    const qint64 first = std::max<qint64>(*start, 1);
    const qint64 count = std::max<qint64>(end - first, 0);
    NumberChars buffer;
    const std::string_view text = argumentText(argv[0], buffer);
    if (sqlite3_value_type(argv[0]) == SQLITE_BLOB) {
        const auto from =
            static_cast<std::size_t>(std::min<qint64>(first - 1, static_cast<qint64>(text.size())));
        const auto size =
            static_cast<std::size_t>(std::min<qint64>(count, static_cast<qint64>(text.size() - from)));
        sqlite3_result_blob64(context, text.data() + from, size, SQLITE_TRANSIENT);
        return;
    }
    const std::string_view rest = text.substr(bytesOfCharacters(text, first - 1));
    resultText(context, rest.substr(0, bytesOfCharacters(rest, count)));
}

// REPLACE: every appearance of `pattern`, in any case but with its accents, replaced by `replacement`;
// an empty pattern replaces nothing.
void replaceFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (anyNull(argc, argv)) {
        sqlite3_result_null(context);
        return;
    }
    NumberChars textBuffer;
    NumberChars patternBuffer;
    NumberChars replacementBuffer;
    const std::string_view text = argumentText(argv[0], textBuffer);
    const std::u32string pattern = foldedCharacters(argumentText(argv[1], patternBuffer));
    const std::string_view replacement = argumentText(argv[2], replacementBuffer);
    if (pattern.empty()) {
        resultText(context, text);
        return;
    }
    // Folding maps each character to one, so the n-th folded character is the n-th of the text.
    const std::u32string folded = foldedCharacters(text);
    std::vector<std::size_t> starts;
    starts.reserve(folded.size() + 1);
    for (std::size_t pos = 0; pos < text.size();) {
        starts.push_back(pos);
        nextCodePoint(text, pos);
    }
    starts.push_back(text.size());
    std::string result;
    std::size_t kept = 0;
    for (std::size_t found = folded.find(pattern); found != std::u32string::npos;
         found = folded.find(pattern, kept)) {
        result.append(text.substr(starts[kept], starts[found] - starts[kept]));
        result.append(replacement);
        kept = found + pattern.size();
    }
    result.append(text.substr(starts[kept]));
    resultText(context, result);
}

// CHAR: the character of code n in the Windows-1252 code page; NULL outside 0 to 255.
void charFunction(sqlite3_context* context, int, sqlite3_value** argv) {
    if (anyNull(1, argv)) {
        sqlite3_result_null(context);
        return;
    }
    const auto code = integerArgument(context, argv[0]);
    if (!code)
        return;
    if (*code < 0 || *code > 255) {
        sqlite3_result_null(context);
        return;
    }
    std::string character;
    appendCodePoint(character, Cp1252::decodeByte(static_cast<unsigned char>(*code)));
    resultText(context, character);
}

constexpr FunctionEntry kTextFunctions[] = {
    {"nerin_len", 1, true, lenFunction},
    {"nerin_charindex", 2, true, charIndexFunction},
    {"nerin_charindex", 3, true, charIndexFunction},
    {"nerin_left", 2, true, edgeFunction<false>},
    {"nerin_right", 2, true, edgeFunction<true>},
    {"nerin_space", 1, true, spaceFunction},
    {"nerin_replicate", 2, true, replicateFunction},
    {"nerin_upper", 1, true, caseFunction<true>},
    {"nerin_lower", 1, true, caseFunction<false>},
    {"nerin_substring", 3, true, substringFunction},
    {"nerin_replace", 3, true, replaceFunction},
    {"nerin_char", 1, true, charFunction},
};

} // namespace

std::span<const FunctionEntry> textFunctions() {
    return kTextFunctions;
}

} // namespace nerin::tsql
