#include "common/line_file.h"

#include <fstream>
#include <iterator>

namespace zk {

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t p = 0;
    while (p < text.size()) {
        std::size_t start = p;
        while (p < text.size() && text[p] != '\r' && text[p] != '\n') ++p;
        lines.emplace_back(text.substr(start, p - start));
        if (p < text.size() && text[p] == '\r') ++p;
        if (p < text.size() && text[p] == '\n') ++p;
    }
    return lines;
}

std::string JoinLinesCrLf(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return data;
}

bool WriteFileBytes(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

std::optional<std::vector<std::string>> ReadLineFile(const std::filesystem::path& path) {
    auto bytes = ReadFileBytes(path);
    if (!bytes) return std::nullopt;
    return SplitLines(*bytes);
}

bool WriteLineFile(const std::filesystem::path& path, const std::vector<std::string>& lines) {
    return WriteFileBytes(path, JoinLinesCrLf(lines));
}

} // namespace zk
