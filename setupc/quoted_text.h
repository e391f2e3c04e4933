// The line syntax shared by script sources and project files: blanks around
// tokens are ignored, values are double-quoted with inner quotes doubled, and
// "#" starts a comment where a token could begin.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace zk::setupc {

bool IsBlank(char c);
std::string_view TrimBlanks(std::string_view text);

// Reads a sequence of quoted values separated by blanks, up to the end of the
// text or a "#" comment. Returns false with `error` set on malformed text.
bool ReadQuotedValues(std::string_view text, std::vector<std::string>& values, std::string& error);
// Reads one quoted value at the start of `text`; `used` gets the characters consumed.
bool ReadQuotedValue(std::string_view text, std::string& value, std::size_t& used,
                     std::string& error);

std::string QuoteValue(std::string_view text);

} // namespace zk::setupc
