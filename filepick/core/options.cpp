#include "filepick/core/options.h"

#include "common/ansi_case.h"

namespace zk::filepick {

namespace {

bool IsSeparator(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

} // namespace

std::vector<std::string> TokenizeCommandLine(std::string_view commandLine) {
    std::vector<std::string> tokens;
    std::string current;
    bool inToken = false;
    bool inQuotes = false;
    for (char c : commandLine) {
        if (!inQuotes && IsSeparator(c)) {
            if (inToken) tokens.push_back(std::move(current));
            current.clear();
            inToken = false;
            continue;
        }
        if (c == '"') inQuotes = !inQuotes;
        current += c;
        inToken = true;
    }
    if (inToken) tokens.push_back(std::move(current));
    return tokens;
}

std::string RemoveQuotes(std::string_view token) {
    if (token.empty() || token.front() != '"' || token.size() >= kQuoteRemovalLimit)
        return std::string(token);
    token.remove_prefix(1);
    if (!token.empty() && token.back() == '"') token.remove_suffix(1);
    return std::string(token);
}

std::string LowerOutsideQuotes(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    bool inQuotes = false;
    for (char c : text) {
        if (c == '"') inQuotes = !inQuotes;
        result += inQuotes ? c : AnsiLowerChar(c);
    }
    return result;
}

Options ParseOptions(const std::vector<std::string>& tokens) {
    Options options;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const std::string& token = tokens[i];
        if (token.size() < 2 || token[0] != '-') continue;
        const char letter = token[1];
        switch (letter) {
        case 'o':
            options.mode = DialogMode::Open;
            continue;
        case 's':
            options.mode = DialogMode::Save;
            continue;
        case 'v':
        case 'V':
            options.showVersion = true;
            continue;
        case 't':
        case 'd':
        case 'f':
        case 'i':
        case 'p':
            break;
        default:
            continue;
        }
        if (i + 1 >= tokens.size()) break;
        const std::string& value = tokens[++i];
        switch (letter) {
        case 't':
            options.kind = LowerOutsideQuotes(RemoveQuotes(value));
            break;
        case 'd':
            options.startFolder = RemoveQuotes(value);
            break;
        case 'f':
            options.startFile = RemoveQuotes(value);
            break;
        case 'i':
            options.extraInfo = value;
            break;
        // A quoted output path is unquoted too: a name with quotes can never
        // be opened, and paths with spaces must be passed quoted.
        case 'p':
            options.outputFile = RemoveQuotes(value);
            break;
        }
    }
    // The mode may follow "-i", so its quote removal waits for the whole line.
    if (options.mode == DialogMode::Save && options.extraInfo)
        options.extraInfo = RemoveQuotes(*options.extraInfo);
    if (options.kind.starts_with("cal") && options.extraInfo)
        options.extraInfo = LowerOutsideQuotes(*options.extraInfo);
    return options;
}

} // namespace zk::filepick
