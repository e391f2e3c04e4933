#include "engine/media/zor_wrapper.h"

#include "common/win/folder_tree.h"

#include "engine/media/archive_texts.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <exception>

namespace zk::media {
namespace {

// State of the default callbacks, per thread (callbacks carry no context).
struct DefaultState {
    std::string password;
    bool passwordGiven = false;
    bool answerFlag = true;
};
thread_local DefaultState t_state;

int ZOR_CALL DefaultPassword(char* buffer) {
    if (t_state.passwordGiven || t_state.password.empty()) return 0;
    t_state.passwordGiven = true;
    std::size_t n = std::min<std::size_t>(t_state.password.size(), kZorPasswordBufferSize - 1);
    std::memcpy(buffer, t_state.password.data(), n);
    buffer[n] = '\0';
    return 1;
}
int ZOR_CALL DefaultSecond(intptr_t, intptr_t) {
    return 1;
}
int ZOR_CALL DefaultAnswer(intptr_t, intptr_t, intptr_t, intptr_t, intptr_t, intptr_t, intptr_t,
                           intptr_t, intptr_t, intptr_t) {
    return t_state.answerFlag ? 4 : 1;
}
int ZOR_CALL DefaultProgress(const char*, uint64_t, uint64_t) {
    return 1;
}

std::string WithSlash(std::string folder) {
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return folder;
}

// Files below `folder` (with trailing "\"), sub-folders first; folders too.
void ListTree(const std::string& folder, std::vector<std::string>& files,
              std::vector<std::string>& folders) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return;
    std::vector<std::string> here;
    do {
        std::string name = fd.cFileName;
        if (name == "." || name == "..") continue;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            folders.push_back(folder + name + "\\");
            ListTree(folder + name + "\\", files, folders);
        } else {
            here.push_back(folder + name);
        }
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    files.insert(files.end(), here.begin(), here.end());
}

bool CreateFolderTree(const std::string& folder) {
    std::string path = folder;
    while (!path.empty() && path.back() == '\\')
        path.pop_back();
    if (path.empty()) return true;
    DWORD attr = GetFileAttributesA(path.c_str());
    if (attr != INVALID_FILE_ATTRIBUTES) return (attr & FILE_ATTRIBUTE_DIRECTORY) != 0;
    std::size_t cut = path.find_last_of('\\');
    if (cut != std::string::npos && cut > 0 && path[cut - 1] != ':')
        CreateFolderTree(path.substr(0, cut));
    return CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

} // namespace

bool ZorList(const std::string& archivePath, const std::string& password,
             ZorPasswordCallback passwordCallback, std::vector<std::string>& names,
             std::string& errorText) {
    try {
        errorText.clear();
        if (!passwordCallback) {
            t_state.password = password;
            t_state.passwordGiven = false;
            passwordCallback = DefaultPassword;
        }
        ZorListEntry* entries = nullptr;
        int32_t count = 0;
        void* handle = OpenListArchive(archivePath.c_str(), 0, passwordCallback, 0, 0, 0,
                                       password.c_str(), &entries, &count);
        if (!handle) {
            errorText = ListErrorText(GetLastArchiveError());
            return false;
        }
        const auto* base = reinterpret_cast<const unsigned char*>(entries);
        for (int32_t i = 0; i < count; ++i) {
            // Entries lie 48 bytes apart with the name's address at offset 0.
            const char* name =
                *reinterpret_cast<const char* const*>(base + 48 * static_cast<std::size_t>(i));
            names.push_back(name ? name : "");
        }
        CloseListArchive(handle);
        return true;
    } catch (const std::exception& e) {
        errorText = e.what();
        return false;
    } catch (...) {
        errorText = "General failure opening archive";
        return false;
    }
}

bool ZorExtract(const std::string& archivePath, const std::string& password,
                const std::string& destination, const ZorCallbacks& callbacks,
                const std::vector<std::string>* fileNames, bool answerFlag, bool extractionFlag,
                std::string& errorText) {
    std::vector<char*> raw;
    bool result = false;
    try {
        errorText.clear();
        std::vector<std::string> listed;
        if (!fileNames) {
            if (!ZorList(archivePath, password, callbacks.password, listed, errorText))
                return false;
            fileNames = &listed;
        }
        for (const std::string& name : *fileNames) {
            char* copy = new char[name.size() + 1];
            std::memcpy(copy, name.c_str(), name.size() + 1);
            raw.push_back(copy);
        }
        ZorTargetFiles targets{raw.data(), static_cast<intptr_t>(raw.size())};
        t_state.password = password;
        t_state.passwordGiven = false;
        t_state.answerFlag = answerFlag;
        int ok = ExtractArchive(archivePath.c_str(), 1, destination.c_str(), &targets,
                                extractionFlag ? 0 : 1, password.c_str(),
                                callbacks.password ? callbacks.password : DefaultPassword,
                                callbacks.progress ? callbacks.progress : DefaultProgress,
                                callbacks.second ? callbacks.second : DefaultSecond,
                                callbacks.answer ? callbacks.answer : DefaultAnswer);
        if (ok) {
            result = true;
        } else {
            errorText = ExtractErrorText(GetLastArchiveError());
        }
    } catch (const std::exception& e) {
        errorText = e.what();
        result = false;
    }
    for (char* p : raw)
        delete[] p;
    return result;
}

bool MoveTree(const std::string& source, const std::string& destination, bool move) {
    const std::string from = WithSlash(source), to = WithSlash(destination);
    std::vector<std::string> files, folders;
    ListTree(from, files, folders);
    // Empty folders are recreated too, so that a moved tree loses nothing.
    for (const std::string& f : folders) {
        if (!CreateFolderTree(to + f.substr(from.size()))) return false;
    }
    for (const std::string& file : files) {
        std::string rel = file.substr(from.size());
        std::size_t cut = rel.find_last_of('\\');
        std::string relFolder = cut == std::string::npos ? "" : rel.substr(0, cut + 1);
        if (!CreateFolderTree(to + relFolder)) return false;
        std::string target = to + rel;
        if (move) {
            if (GetFileAttributesA(target.c_str()) != INVALID_FILE_ATTRIBUTES) {
                SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(target.c_str());
            }
            if (!MoveFileA(file.c_str(), target.c_str())) return false;
        } else if (!CopyFileA(file.c_str(), target.c_str(), FALSE)) {
            return false;
        }
    }
    if (move) {
        for (int pass = 0; pass < 3; ++pass)
            EmptyFolder(from);
        RemoveDirectoryA(source.c_str());
    }
    return true;
}

} // namespace zk::media
