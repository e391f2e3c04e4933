// Line files: text split at CR LF, LF or a lone CR, written back with CR LF.
#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zk {

std::vector<std::string> SplitLines(std::string_view text);
// Each line followed by CR LF.
std::string JoinLinesCrLf(const std::vector<std::string>& lines);

// Whole file as bytes; nullopt when it cannot be read.
std::optional<std::string> ReadFileBytes(const std::filesystem::path& path);
// Writes the bytes, replacing the file; false on failure.
bool WriteFileBytes(const std::filesystem::path& path, std::string_view bytes);

std::optional<std::vector<std::string>> ReadLineFile(const std::filesystem::path& path);
bool WriteLineFile(const std::filesystem::path& path, const std::vector<std::string>& lines);

} // namespace zk
