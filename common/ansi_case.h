// Case mapping and case-insensitive comparison of 8-bit ANSI text (Windows-1252).
// One table on every build so that native and Windows results agree.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// <windows.h> defines AnsiUpper and AnsiLower as macros; these are functions.
#ifdef AnsiUpper
#undef AnsiUpper
#endif
#ifdef AnsiLower
#undef AnsiLower
#endif

namespace zk {

char AnsiUpperChar(char c);
char AnsiLowerChar(char c);
std::string AnsiUpper(std::string_view s);
std::string AnsiLower(std::string_view s);
// Equal ignoring case.
bool AnsiSameText(std::string_view a, std::string_view b);
// Position of `needle` in `hay` ignoring case, from `from`; npos if absent.
std::size_t AnsiFindText(std::string_view hay, std::string_view needle, std::size_t from = 0);
// Replaces every occurrence of `from` by `to`, ignoring case, left to right.
std::string AnsiReplaceText(std::string_view text, std::string_view from, std::string_view to);
// Hash of the upper-cased text (consistent with AnsiSameText).
std::size_t AnsiHashText(std::string_view s);

} // namespace zk
