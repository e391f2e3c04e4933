// Value scanning of preference lines.
#pragma once
#include <string>

namespace zk::qcfg {

// Like sscanf with `skipWords` times "%*s " followed by "%d": words are runs
// of non-blank characters; the number is an optional sign and digits, clamped
// to the int range. False when a word or the number is missing.
bool Scan_Number(const std::string& line, int skipWords, int& value);
// The number of a key line: "%*s %*s %d" after "set:", else "%*s %d".
bool Read_Number(const std::string& line, int& value);
// The token after the key (after "set:" and the key for "set:" lines), quotes
// removed. False when there is none or it holds a double quote.
bool Read_Path(const std::string& line, std::string& value);
bool Starts_With_Set(const std::string& line);

} // namespace zk::qcfg
