#include "quorvconfig/prefs/line_scan.h"

#include "quorvconfig/velmora_util/velmora_util.h"

#include <climits>
#include <vector>

namespace zk::qcfg {

namespace {
bool Is_Blank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
} // namespace

bool Starts_With_Set(const std::string& line) {
    return line.compare(0, 4, "set:") == 0;
}

bool Scan_Number(const std::string& line, int skipWords, int& value) {
    std::size_t p = 0, n = line.size();
    for (int w = 0; w < skipWords; ++w) {
        while (p < n && Is_Blank(line[p]))
            ++p;
        if (p == n) return false;
        while (p < n && !Is_Blank(line[p]))
            ++p;
    }
    while (p < n && Is_Blank(line[p]))
        ++p;
    bool negative = false;
    if (p < n && (line[p] == '+' || line[p] == '-')) negative = line[p++] == '-';
    if (p == n || line[p] < '0' || line[p] > '9') return false;
    long long number = 0;
    for (; p < n && line[p] >= '0' && line[p] <= '9'; ++p) {
        if (number <= static_cast<long long>(INT_MAX) + 1) number = number * 10 + (line[p] - '0');
    }
    if (negative) number = -number;
    value = number > INT_MAX ? INT_MAX : number < INT_MIN ? INT_MIN : static_cast<int>(number);
    return true;
}

bool Read_Number(const std::string& line, int& value) {
    return Scan_Number(line, Starts_With_Set(line) ? 2 : 1, value);
}

bool Read_Path(const std::string& line, std::string& value) {
    std::vector<char> buffer(line.begin(), line.end());
    buffer.push_back('\0');
    const char* separators = " \t\r\n";
    char* token = velm::Str_Strtok(buffer.data(), separators);
    int skip = Starts_With_Set(line) ? 1 : 0; // the key itself is the first token skipped below
    for (int i = 0; i < skip && token != nullptr; ++i)
        token = velm::Str_Strtok(nullptr, separators);
    if (token != nullptr) token = velm::Str_Strtok(nullptr, separators);
    if (token == nullptr) return false;
    std::string path = velm::Str_Strip_Quotes(token);
    // A double quote cannot be part of a Windows path and could not be written back.
    if (path.find('"') != std::string::npos) return false;
    value = path;
    return true;
}

} // namespace zk::qcfg
