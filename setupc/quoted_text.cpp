#include "setupc/quoted_text.h"

namespace zk::setupc {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool ReadQuotedValue(std::string_view text, std::string& value, std::size_t& used,
                     std::string& error) {
    value.clear();
    if (text.empty() || text[0] != '"') {
        error = "expected a double-quoted value";
        return false;
    }
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (text[i] != '"') {
            value += text[i];
            continue;
        }
        if (i + 1 < text.size() && text[i + 1] == '"') {
            value += '"';
            ++i;
            continue;
        }
        used = i + 1;
        return true;
    }
    error = "unterminated quoted value (a quote inside a value is written twice)";
    return false;
}

bool ReadQuotedValues(std::string_view text, std::vector<std::string>& values, std::string& error) {
    std::size_t pos = 0;
    while (true) {
        while (pos < text.size() && IsBlank(text[pos]))
            ++pos;
        if (pos == text.size() || text[pos] == '#') return true;
        std::string value;
        std::size_t used = 0;
        if (!ReadQuotedValue(text.substr(pos), value, used, error)) {
            if (text[pos] != '"')
                error = "unexpected text \"" + std::string(TrimBlanks(text.substr(pos))) +
                        "\": values are written in double quotes";
            return false;
        }
        values.push_back(std::move(value));
        pos += used;
        if (pos < text.size() && !IsBlank(text[pos])) {
            error = "a quoted value must be followed by a blank or the end of the line";
            return false;
        }
    }
}

std::string QuoteValue(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
    return out;
}

} // namespace zk::setupc
