#include "engine/startup/win/module_image.h"

#include <string_view>
#include <vector>

#include "engine/script/engine_error.h"
#include "engine/startup/pe_image.h"

namespace zk::startup {

std::string ModuleFileName(HMODULE module) {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameA(module, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) throw EngineError("Unable to find the file of a loaded module.");
        if (n < buffer.size()) return std::string(buffer.data(), n);
        buffer.resize(buffer.size() * 2);
    }
}

std::optional<unsigned long long> ModuleImageEnd(HMODULE module) {
    if (!module) module = GetModuleHandleA(nullptr);
    const auto* base = reinterpret_cast<const char*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    // The headers are mapped as one block of SizeOfHeaders bytes.
    const std::string_view headers(base, nt->OptionalHeader.SizeOfHeaders);
    return PeImageEnd(headers);
}

AppendedData LocateAppendedData(HMODULE module) {
    AppendedData located{ModuleFileName(module), 0, 0};
    const auto imageEnd = ModuleImageEnd(module);
    if (!imageEnd) throw EngineError("The program file " + located.file + " is not a valid executable.");
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    if (!GetFileAttributesExA(located.file.c_str(), GetFileExInfoStandard, &attributes))
        throw EngineError("Unable to open " + located.file + " for reading.");
    const unsigned long long size =
        (static_cast<unsigned long long>(attributes.nFileSizeHigh) << 32) | attributes.nFileSizeLow;
    located.offset = *imageEnd;
    located.size = size > *imageEnd ? size - *imageEnd : 0;
    return located;
}

void CopyAppendedData(const AppendedData& located, const std::string& target) {
    HANDLE file = CreateFileA(located.file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw EngineError("Unable to open " + located.file + " for reading.");
    LARGE_INTEGER start{};
    start.QuadPart = static_cast<LONGLONG>(located.offset);
    std::string data(static_cast<std::size_t>(located.size), '\0');
    DWORD read = 0;
    const bool ok = SetFilePointerEx(file, start, nullptr, FILE_BEGIN) &&
                    ReadFile(file, data.data(), static_cast<DWORD>(data.size()), &read, nullptr) && read == data.size();
    CloseHandle(file);
    if (!ok) throw EngineError("Unable to read " + located.file + ".");

    HANDLE out = CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) throw EngineError("Unable to create " + target + ".");
    DWORD written = 0;
    const bool wrote = WriteFile(out, data.data(), static_cast<DWORD>(data.size()), &written, nullptr) &&
                       written == data.size();
    CloseHandle(out);
    if (!wrote) throw EngineError("Unable to write " + target + ".");
}

} // namespace zk::startup
