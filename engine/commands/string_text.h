// The text work of "Parse String" and "Replace String", free of the variable
// store: splitting a text at a delimiter or a character count, and replacing
// the first or every occurrence of a search text.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace zk::commands {

// How "Parse String" cuts its source.
enum class ParseMode {
    FirstOccurrence = 0, // at the first occurrence of the delimiter
    LastOccurrence = 1,  // at the last occurrence of the delimiter
    CountFromLeft = 2,   // the left part holds the first n characters
    CountFromRight = 3,  // the right part holds the last n characters
};

struct ParsedParts {
    std::string left;
    std::string right;
    bool operator==(const ParsedParts&) const = default;
};

// Splits `source`. `delimiter` is the delimiter (modes 0 and 1) or the count
// (modes 2 and 3, an integer text; anything else gives two empty parts).
// `mode` outside 0 to 3 gives two empty parts. `ignoreCase` searches
// lower-cased copies; the parts are always cut from `source`. `trim` removes
// leading and trailing characters with codes up to 32 from both parts.
ParsedParts ParseParts(std::string_view source, std::string_view delimiter, int mode, bool trim,
                       bool ignoreCase);

// Removes leading and trailing characters with codes up to 32.
std::string TrimControl(std::string_view text);

// Replaces the first (or, with `all`, every) occurrence of `search` in `text`
// by `replacement`, scanning left to right; matches do not overlap and the
// replacement is never scanned again. An empty text, an empty search text or
// a text shorter than the search text comes back unchanged.
std::string ReplaceText(std::string_view text, std::string_view search,
                        std::string_view replacement, bool ignoreCase, bool all);

} // namespace zk::commands
