// filepick's command line: tokens, quote removal and the options they carry.
// TokenizeCommandLine splits a raw command line; ParseOptions reads the options
// from its tokens and finishes the values that depend on mode and kind.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zk::filepick {

enum class DialogMode { Open, Save };

struct Options {
    DialogMode mode = DialogMode::Open;
    std::string kind; // lower-cased outside quotes
    std::optional<std::string> startFolder;
    std::optional<std::string> startFile;
    std::optional<std::string> extraInfo; // "-i"; absent when not given
    std::optional<std::string> outputFile;
    bool showVersion = false;
};

// Tokens of at least this length keep their quotes.
inline constexpr std::size_t kQuoteRemovalLimit = 2048;

// Splits at runs of space, tab and line feed; double quotes group separators
// into a token and stay part of it.
std::vector<std::string> TokenizeCommandLine(std::string_view commandLine);

// Removes a leading double quote and, when present, the trailing one. Tokens
// without a leading quote or of kQuoteRemovalLimit characters or more are kept.
std::string RemoveQuotes(std::string_view token);

// Lower-cases (Windows-1252) the letters that are not between double quotes.
std::string LowerOutsideQuotes(std::string_view text);

// Reads the options from the tokens (the program name already removed).
// Tokens not beginning with "-" and unknown option letters are ignored; an
// option that takes a value takes the next token and is ignored when none follows.
Options ParseOptions(const std::vector<std::string>& tokens);

} // namespace zk::filepick
