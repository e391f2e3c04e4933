// Conversion between 8-bit ANSI text (Windows-1252) and UTF-16, the same on every build.
#pragma once
#include <string>
#include <string_view>

namespace zk {

std::u16string AnsiToUtf16(std::string_view text);
// Characters without a Windows-1252 form become '?'.
std::string Utf16ToAnsi(std::u16string_view text);
// UTF-16LE bytes of the text, no byte-order mark.
std::string AnsiToUtf16LeBytes(std::string_view text);

} // namespace zk
