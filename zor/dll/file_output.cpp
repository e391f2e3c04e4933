#include "zor/dll/file_output.h"

#include "zor/core/archive_error.h"
#include "zor/core/entry_path.h"

#include <windows.h>

namespace zor::dll {
namespace {

std::string Narrow(const std::wstring& w) {
    int n = WideCharToMultiByte(CP_ACP, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string s(n > 0 ? n - 1 : 0, '\0');
    if (n > 1) WideCharToMultiByte(CP_ACP, 0, w.c_str(), -1, s.data(), n, nullptr, nullptr);
    return s;
}

[[noreturn]] void WriteFailed(const std::wstring& path) {
    throw ArchiveError(ArchiveErrorCode::WriteFailed, "Cannot write " + Narrow(path));
}

class FileWriter : public EntryWriter {
  public:
    FileWriter(std::wstring path, const ArchiveEntry& entry)
        : path_(std::move(path)), entry_(entry) {
        handle_ = CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle_ == INVALID_HANDLE_VALUE) WriteFailed(path_);
    }
    ~FileWriter() override {
        if (handle_ != INVALID_HANDLE_VALUE) {
            // Not committed: the entry failed, leave no partial file behind.
            CloseHandle(handle_);
            DeleteFileW(path_.c_str());
        }
    }
    void Write(const uint8_t* data, std::size_t size) override {
        while (size > 0) {
            DWORD part = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
            DWORD written = 0;
            if (!WriteFile(handle_, data, part, &written, nullptr) || written != part)
                WriteFailed(path_);
            data += part;
            size -= part;
        }
    }
    void Commit() override {
        if (entry_.hasMTime) {
            FILETIME ft{static_cast<DWORD>(entry_.mtime), static_cast<DWORD>(entry_.mtime >> 32)};
            SetFileTime(handle_, nullptr, nullptr, &ft);
        }
        BOOL closed = CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        if (!closed) WriteFailed(path_);
        // Only the classic attribute bits; the high bits may carry Unix modes.
        const DWORD keep = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                           FILE_ATTRIBUTE_ARCHIVE;
        if (entry_.hasAttributes && (entry_.attributes & keep)) {
            SetFileAttributesW(path_.c_str(), entry_.attributes & keep);
        }
    }

  private:
    std::wstring path_;
    const ArchiveEntry& entry_;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

} // namespace

void CreateFolders(const std::wstring& path) {
    if (path.empty()) return;
    DWORD attr = GetFileAttributesW(path.c_str());
    if (attr != INVALID_FILE_ATTRIBUTES) {
        if (!(attr & FILE_ATTRIBUTE_DIRECTORY)) WriteFailed(path);
        return;
    }
    std::size_t cut = path.find_last_of(L"\\/");
    if (cut != std::wstring::npos && cut > 0 && path[cut - 1] != L':')
        CreateFolders(path.substr(0, cut));
    if (!CreateDirectoryW(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        WriteFailed(path);
}

FileOutputSink::FileOutputSink(const std::vector<ArchiveEntry>& entries, FileOutputOptions options)
    : entries_(entries), options_(std::move(options)), targets_(entries.size()) {}

void FileOutputSink::CheckPaths(const std::vector<bool>& selected) {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (!selected[i]) continue;
        std::vector<std::u16string> parts = SafePathComponents(entries_[i].name);
        std::wstring target = options_.destination;
        if (options_.flatten) {
            if (entries_[i].isDirectory) continue;
            parts.erase(parts.begin(), parts.end() - 1);
        }
        for (const std::u16string& p : parts) {
            target += L'\\';
            target.append(p.begin(), p.end());
        }
        targets_[i] = target;
    }
}

std::wstring FileOutputSink::TargetPath(std::size_t index) const {
    return targets_.at(index);
}

std::unique_ptr<EntryWriter> FileOutputSink::Open(std::size_t index, const ArchiveEntry& entry) {
    if (options_.entry && !options_.entry(reinterpret_cast<intptr_t>(entry.ansiName.c_str()),
                                          static_cast<intptr_t>(index))) {
        throw ArchiveError(ArchiveErrorCode::Cancelled, "Extraction cancelled");
    }
    std::wstring target = TargetPath(index);
    if (target.empty()) return nullptr; // a folder in a flattened extraction
    if (entry.isDirectory) {
        CreateFolders(target);
        return nullptr;
    }
    CreateFolders(target.substr(0, target.find_last_of(L'\\')));
    WIN32_FILE_ATTRIBUTE_DATA existing;
    if (GetFileAttributesExW(target.c_str(), GetFileExInfoStandard, &existing)) {
        if (existing.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) WriteFailed(target);
        int answer = kZorAnswerReplaceAll;
        if (!replaceAll_ && options_.answer) {
            std::string targetAnsi = Narrow(target);
            answer = options_.answer(reinterpret_cast<intptr_t>(options_.archivePath.c_str()),
                                     reinterpret_cast<intptr_t>(targetAnsi.c_str()),
                                     static_cast<intptr_t>(existing.nFileSizeLow),
                                     static_cast<intptr_t>(existing.nFileSizeHigh),
                                     static_cast<intptr_t>(existing.ftLastWriteTime.dwLowDateTime),
                                     static_cast<intptr_t>(existing.ftLastWriteTime.dwHighDateTime),
                                     static_cast<intptr_t>(static_cast<uint32_t>(entry.size)),
                                     static_cast<intptr_t>(entry.size >> 32),
                                     static_cast<intptr_t>(static_cast<uint32_t>(entry.mtime)),
                                     static_cast<intptr_t>(entry.mtime >> 32));
        }
        switch (answer) {
        case kZorAnswerKeep:
            return nullptr;
        case kZorAnswerReplace:
            break;
        case kZorAnswerReplaceAll:
            replaceAll_ = true;
            break;
        default:
            throw ArchiveError(ArchiveErrorCode::Cancelled, "Extraction cancelled");
        }
        SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    return std::make_unique<FileWriter>(target, entry);
}

bool FileOutputSink::Progress(std::size_t index, uint64_t done, uint64_t total) {
    if (!options_.progress) return true;
    return options_.progress(entries_.at(index).ansiName.c_str(), done, total) != 0;
}

} // namespace zor::dll
