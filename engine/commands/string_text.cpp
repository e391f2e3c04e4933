#include "engine/commands/string_text.h"

#include "common/ansi_case.h"
#include "engine/script/integer_text.h"

namespace zk::commands {
namespace {

// Characters of `s` from 1-based `start`, at most `count` (negative: to the
// end). A start below 1 counts as 1; a count of 0 or below gives the empty
// text, as does a start beyond the end.
std::string Copy(std::string_view s, long long start, long long count) {
    if (start < 1) start = 1;
    if (count == 0 || start > static_cast<long long>(s.size())) return {};
    const auto from = static_cast<std::size_t>(start - 1);
    if (count < 0) return std::string(s.substr(from));
    return std::string(s.substr(from, static_cast<std::size_t>(count)));
}

constexpr long long kToEnd = -1;

bool IsControlOrSpace(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

} // namespace

std::string TrimControl(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsControlOrSpace(text[first]))
        ++first;
    while (last > first && IsControlOrSpace(text[last - 1]))
        --last;
    return std::string(text.substr(first, last - first));
}

ParsedParts ParseParts(std::string_view source, std::string_view delimiter, int mode, bool trim,
                       bool ignoreCase) {
    const std::string searchSource = ignoreCase ? AnsiLower(source) : std::string(source);
    const std::string searchDelimiter = ignoreCase ? AnsiLower(delimiter) : std::string(delimiter);
    const auto length = static_cast<long long>(source.size());

    // Cut position p (1-based; 0 = no parts), characters before p the left
    // part leaves out (a), distance from p to the right part (b).
    long long p = 0;
    long long a = 0;
    long long b = 0;
    switch (mode) {
    case static_cast<int>(ParseMode::FirstOccurrence): {
        const std::size_t at =
            delimiter.empty() ? std::string::npos : searchSource.find(searchDelimiter);
        p = at == std::string::npos ? length + 1 : static_cast<long long>(at) + 1;
        a = 1;
        b = static_cast<long long>(delimiter.size());
        break;
    }
    case static_cast<int>(ParseMode::LastOccurrence): {
        const std::size_t at =
            delimiter.empty() ? std::string::npos : searchSource.rfind(searchDelimiter);
        a = 1;
        if (at == std::string::npos) {
            p = 1;
            b = 0;
        } else {
            p = static_cast<long long>(at) + 1;
            b = static_cast<long long>(delimiter.size());
        }
        break;
    }
    case static_cast<int>(ParseMode::CountFromLeft):
        if (const auto n = script::TryTextToInt(delimiter)) {
            if (*n == 0) {
                p = 1, a = 1, b = -1;
            } else {
                p = *n, a = 0, b = 1;
            }
        }
        break;
    case static_cast<int>(ParseMode::CountFromRight):
        if (const auto n = script::TryTextToInt(delimiter)) p = length - *n, a = 0, b = 1;
        break;
    default:
        break;
    }

    ParsedParts parts;
    if (p != 0) {
        parts.left = Copy(source, 1, p - a <= 0 ? 0 : p - a);
        parts.right = Copy(source, p + b, kToEnd);
    }
    if (trim) {
        parts.left = TrimControl(parts.left);
        parts.right = TrimControl(parts.right);
    }
    return parts;
}

std::string ReplaceText(std::string_view text, std::string_view search,
                        std::string_view replacement, bool ignoreCase, bool all) {
    if (text.empty() || search.empty() || text.size() < search.size()) return std::string(text);
    const std::string hay = ignoreCase ? AnsiUpper(text) : std::string(text);
    const std::string needle = ignoreCase ? AnsiUpper(search) : std::string(search);
    std::string result;
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = hay.find(needle, from);
        if (at == std::string::npos) break;
        result.append(text.substr(from, at - from));
        result.append(replacement);
        from = at + needle.size();
        if (!all) break;
    }
    result.append(text.substr(from));
    return result;
}

} // namespace zk::commands
