// File functions of the native build (tests, fuzzing): standard library only.
// "\" separators of Windows-style paths are mapped to "/".
#include "quorvconfig/velmora_util/velmora_util.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace zk::velm {

namespace {
std::filesystem::path Native_Path(const std::string& path) {
    std::string p = path;
    std::replace(p.begin(), p.end(), '\\', '/');
    return std::filesystem::path(p);
}
} // namespace

bool Is_File(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(Native_Path(path), ec);
}

bool Is_Dir(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_directory(Native_Path(path), ec);
}

bool Create_Dir(const std::string& path) {
    if (path.empty()) return false;
    std::error_code ec;
    std::filesystem::create_directories(Native_Path(path), ec);
    return Is_Dir(path);
}

std::FILE* Velm_Open_File(const std::string& path, const char* mode) {
    return std::fopen(Native_Path(path).c_str(), mode);
}

std::int64_t Velm_Get_File_Size(const std::string& path) {
    std::error_code ec;
    auto size = std::filesystem::file_size(Native_Path(path), ec);
    return ec ? -1 : static_cast<std::int64_t>(size);
}

bool Velm_Delete_File(const std::string& path) {
    std::error_code ec;
    return std::filesystem::remove(Native_Path(path), ec);
}

bool Velm_Get_Env(const char* name, std::string& value) {
    const char* v = std::getenv(name);
    if (v == nullptr) return false;
    value = v;
    return true;
}

std::string Error_Windows(std::uint32_t code) {
    return "system error " + std::to_string(code);
}

} // namespace zk::velm
