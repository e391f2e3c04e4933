#include "engine/commands/win/windows_command_platform.h"

#include <windows.h>

#include <vector>

namespace zk::commands {
namespace {

template <typename Function> Function Lookup(const char* module, const char* name) {
    HMODULE handle = GetModuleHandleA(module);
    if (handle == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(handle, name)));
}

using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE, PBOOL);
using DisableRedirectionFunction = BOOL(WINAPI*)(PVOID*);
using RevertRedirectionFunction = BOOL(WINAPI*)(PVOID);

// Closes a file handle when it goes out of scope.
class FileHandle {
  public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() {
        if (Valid()) CloseHandle(handle_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

  private:
    HANDLE handle_;
};

} // namespace

bool RunsOn64BitSystem() {
    const auto isWow64Process = Lookup<IsWow64ProcessFunction>("kernel32", "IsWow64Process");
    BOOL wow64 = FALSE;
    return isWow64Process != nullptr && isWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

std::string WindowsCommandPlatform::CreateTemporaryFile(const std::string& folder,
                                                        const std::string& prefix) {
    char name[MAX_PATH + 1] = {};
    if (GetTempFileNameA(folder.c_str(), prefix.c_str(), 0, name) == 0) return {};
    return name;
}

std::string WindowsCommandPlatform::ShortPath(const std::string& path) {
    // Asks for the size first, so that no result is cut at MAX_PATH.
    const DWORD needed = GetShortPathNameA(path.c_str(), nullptr, 0);
    if (needed == 0) return {};
    std::vector<char> buffer(needed + 1);
    const DWORD length =
        GetShortPathNameA(path.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0 || length >= buffer.size()) return {};
    return std::string(buffer.data(), length);
}

std::optional<std::string> WindowsCommandPlatform::StoredName(const std::string& path) {
    // A wildcard would match some other entry; such a path names nothing.
    if (path.empty() || path.find_first_of("*?") != std::string::npos) return std::nullopt;
    WIN32_FIND_DATAA data;
    HANDLE found = FindFirstFileA(path.c_str(), &data);
    if (found == INVALID_HANDLE_VALUE) return std::nullopt;
    FindClose(found);
    return std::string(data.cFileName);
}

std::optional<std::string> WindowsCommandPlatform::ReadFile(const std::string& path) {
    const FileHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return std::nullopt;
    std::string content;
    char chunk[64 * 1024];
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(file.Get(), chunk, sizeof chunk, &read, nullptr)) return std::nullopt;
        if (read == 0) break;
        content.append(chunk, read);
    }
    return content;
}

bool WindowsCommandPlatform::WriteFile(const std::string& path, std::string_view bytes) {
    const FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return false;
    while (!bytes.empty()) {
        const DWORD portion =
            bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!::WriteFile(file.Get(), bytes.data(), portion, &written, nullptr) || written == 0)
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

void WindowsCommandPlatform::MakeAttributesNormal(const std::string& path) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

RedirectionState WindowsCommandPlatform::RedirectionOff(std::string_view platformMode) {
    RedirectionState state;
    if (platformMode == "Win32" || !RunsOn64BitSystem()) return state;
    const auto disable =
        Lookup<DisableRedirectionFunction>("kernel32.dll", "Wow64DisableWow64FsRedirection");
    if (disable != nullptr && disable(&state.saved)) state.switched = true;
    return state;
}

void WindowsCommandPlatform::RestoreRedirection(const RedirectionState& state) {
    if (!state.switched) return;
    const auto revert =
        Lookup<RevertRedirectionFunction>("kernel32.dll", "Wow64RevertWow64FsRedirection");
    if (revert != nullptr) revert(state.saved);
}

} // namespace zk::commands
