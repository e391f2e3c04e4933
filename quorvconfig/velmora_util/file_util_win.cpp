// File functions of the Windows build: ANSI Win32 calls, so that paths keep
// the system's 8-bit code page.
#include "quorvconfig/velmora_util/velmora_util.h"

#include <windows.h>

#include <vector>

namespace zk::velm {

namespace {
DWORD Attributes(const std::string& path) {
    return path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(path.c_str());
}

bool Is_Drive_Or_Root(const std::string& path) {
    return path.empty() || (path.size() == 2 && path[1] == ':') || path == "\\" ||
           (path.size() >= 2 && path[0] == '\\' && path[1] == '\\' &&
            path.find('\\', 2) == std::string::npos);
}
} // namespace

bool Is_File(const std::string& path) {
    DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Is_Dir(const std::string& path) {
    DWORD a = Attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Create_Dir(const std::string& path) {
    std::string p = path;
    for (char& c : p)
        if (c == '/') c = '\\';
    while (p.size() > 1 && p.back() == '\\' && !(p.size() == 3 && p[1] == ':'))
        p.pop_back();
    if (p.empty()) return false;
    if (Is_Dir(p)) return true;
    std::size_t cut = p.find_last_of('\\');
    if (cut != std::string::npos) {
        std::string parent = p.substr(0, cut);
        if (!Is_Drive_Or_Root(parent) && !Is_Dir(parent) && !Create_Dir(parent)) return false;
    }
    if (CreateDirectoryA(p.c_str(), nullptr)) return true;
    return Is_Dir(p);
}

std::FILE* Velm_Open_File(const std::string& path, const char* mode) {
    return std::fopen(path.c_str(), mode);
}

std::int64_t Velm_Get_File_Size(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return (static_cast<std::int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool Velm_Delete_File(const std::string& path) {
    return DeleteFileA(path.c_str()) != 0;
}

bool Velm_Get_Env(const char* name, std::string& value) {
    std::vector<char> buffer(256);
    for (;;) {
        SetLastError(ERROR_SUCCESS);
        DWORD n = GetEnvironmentVariableA(name, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) {
            if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return false;
            value.clear();
            return true;
        }
        if (n < buffer.size()) {
            value.assign(buffer.data(), n);
            return true;
        }
        buffer.resize(n);
    }
}

std::string Error_Windows(std::uint32_t code) {
    if (code == 0) code = GetLastError();
    char* text = nullptr;
    DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
    std::string result = n != 0 && text != nullptr ? std::string(text, n) : "";
    if (text != nullptr) LocalFree(text);
    while (!result.empty() &&
           (result.back() == '\r' || result.back() == '\n' || result.back() == ' '))
        result.pop_back();
    if (result.empty()) result = "system error " + std::to_string(code);
    return result;
}

} // namespace zk::velm
