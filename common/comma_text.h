// Comma text: a list of strings as one line, the class library's way.
// Joining quotes an item (doubling inner quotes) when it holds a control
// character, a blank, a quote or a comma; a single empty item becomes "".
// Splitting drops blanks around items and splits unquoted items at blanks.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace zk {

std::string JoinCommaText(const std::vector<std::string>& items);
std::vector<std::string> SplitCommaText(std::string_view text);

} // namespace zk
