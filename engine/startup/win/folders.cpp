#include "engine/startup/win/folders.h"

#include <windows.h>

#include "engine/script/engine_error.h"

namespace zk::startup {

std::string TemporaryFolder() {
    char buffer[MAX_PATH + 2] = {};
    const DWORD n = GetTempPathA(MAX_PATH + 1, buffer);
    std::string folder(buffer, n);
    if (folder.empty()) throw EngineError("Unable to find the temporary folder.");
    if (folder.back() != '\\') folder += '\\';
    CreateDirectoryA(folder.c_str(), nullptr); // usually exists already
    return folder;
}

std::string CreateSupportFolder(const std::string& tempFolder) {
    for (unsigned n = 1; n < 100000; ++n) {
        const std::string folder = tempFolder + "zor" + std::to_string(n);
        if (CreateDirectoryA(folder.c_str(), nullptr)) return folder + "\\";
        if (GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    throw EngineError("Unable to create a support folder in " + tempFolder);
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\:");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace zk::startup
