// The four functions of zor.lib over the portable 7z reader.
#define ZOR_BUILDING_DLL
#include "zor/api/zor_api.h"

#include "common/ansi_case.h"
#include "zor/core/archive_error.h"
#include "zor/core/archive_reader.h"
#include "zor/dll/file_output.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

namespace {

using zor::ArchiveError;
using zor::ArchiveErrorCode;

// Like GetLastError: each calling thread sees its own last failure.
thread_local int t_lastError = 0;

// The password argument when given, otherwise one answer of the callback.
class CallbackPassword : public zor::PasswordProvider {
  public:
    CallbackPassword(const char* password, ZorPasswordCallback callback)
        : given_(password ? password : ""), callback_(callback) {}
    std::u16string Password() override {
        if (!resolved_) {
            resolved_ = true;
            if (given_.empty() && callback_) {
                char buffer[kZorPasswordBufferSize] = {};
                if (callback_(buffer)) {
                    buffer[kZorPasswordBufferSize - 1] = '\0';
                    given_ = buffer;
                }
                SecureZeroMemory(buffer, sizeof buffer);
            }
        }
        return zor::FixedPassword(given_).Password();
    }

  private:
    std::string given_;
    ZorPasswordCallback callback_;
    bool resolved_ = false;
};

struct ListHandle {
    std::unique_ptr<CallbackPassword> password;
    std::unique_ptr<zor::ArchiveReader> reader;
    std::vector<ZorListEntry> entries;
};

int ErrorNumberOf(std::exception_ptr e) {
    try {
        std::rethrow_exception(e);
    } catch (const ArchiveError& error) {
        return error.Number();
    } catch (const std::bad_alloc&) {
        return static_cast<int>(ArchiveErrorCode::LimitExceeded);
    } catch (...) {
        return static_cast<int>(ArchiveErrorCode::Internal);
    }
}

std::wstring Widen(const char* text) {
    int n = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring w(n > 0 ? n - 1 : 0, L'\0');
    if (n > 1) MultiByteToWideChar(CP_ACP, 0, text, -1, w.data(), n);
    return w;
}

// Which entries the target names ask for; every name must match an entry.
std::vector<bool> SelectTargets(const std::vector<zor::ArchiveEntry>& entries,
                                const ZorTargetFiles* targets) {
    std::vector<bool> selected(entries.size(), false);
    if (!targets || targets->count <= 0) {
        for (std::size_t i = 0; i < entries.size(); ++i)
            selected[i] = !entries[i].isAnti;
        return selected;
    }
    if (!targets->names)
        throw ArchiveError(ArchiveErrorCode::InvalidArgument, "Target list without names");
    for (intptr_t k = 0; k < targets->count; ++k) {
        const char* raw = targets->names[k];
        std::string name = raw ? raw : "";
        std::replace(name.begin(), name.end(), '/', '\\');
        if (name.empty() || name.find_first_of("*?") != std::string::npos) {
            throw ArchiveError(ArchiveErrorCode::IllegalPath,
                               "Illegal path used in a wildcard expression");
        }
        bool found = false;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (!entries[i].isAnti && zk::AnsiSameText(entries[i].ansiName, name)) {
                selected[i] = true;
                found = true;
            }
        }
        if (!found)
            throw ArchiveError(ArchiveErrorCode::NameNotInArchive, "Not in the archive: " + name);
    }
    return selected;
}

} // namespace

ZOR_API void* ZOR_CALL OpenListArchive(const char* archivePath, intptr_t,
                                       ZorPasswordCallback passwordCallback, intptr_t, intptr_t,
                                       intptr_t, const char* password, ZorListEntry** entries,
                                       int32_t* count) {
    try {
        if (!archivePath || !entries || !count) {
            throw ArchiveError(ArchiveErrorCode::InvalidArgument, "Missing argument");
        }
        auto handle = std::make_unique<ListHandle>();
        handle->password = std::make_unique<CallbackPassword>(password, passwordCallback);
        handle->reader = std::make_unique<zor::ArchiveReader>(
            zor::ArchiveReader::OpenFile(archivePath, handle->password.get()));
        const auto& list = handle->reader->Entries();
        handle->entries.resize(list.size());
        for (std::size_t i = 0; i < list.size(); ++i) {
            ZorListEntry& e = handle->entries[i];
            std::memset(&e, 0, sizeof e);
            e.name = list[i].ansiName.c_str();
            e.size = list[i].size;
            e.crc = list[i].crc;
            e.flags = (list[i].isDirectory ? 1u : 0u) | (list[i].hasCrc ? 2u : 0u) |
                      (list[i].encrypted ? 4u : 0u);
            e.fileTime = list[i].hasMTime ? list[i].mtime : 0;
            e.attributes = list[i].hasAttributes
                               ? (list[i].attributes & 0xFFFF)
                               : (list[i].isDirectory ? FILE_ATTRIBUTE_DIRECTORY : 0);
        }
        *entries = handle->entries.data();
        *count = static_cast<int32_t>(handle->entries.size());
        t_lastError = 0;
        return handle.release();
    } catch (...) {
        t_lastError = ErrorNumberOf(std::current_exception());
        return nullptr;
    }
}

ZOR_API void ZOR_CALL CloseListArchive(void* handle) {
    delete static_cast<ListHandle*>(handle);
}

ZOR_API int ZOR_CALL ExtractArchive(const char* archivePath, intptr_t, const char* destination,
                                    const ZorTargetFiles* targets, intptr_t flatten,
                                    const char* password, ZorPasswordCallback passwordCallback,
                                    ZorProgressCallback progressCallback,
                                    ZorEntryCallback entryCallback,
                                    ZorAnswerCallback answerCallback) {
    try {
        if (!archivePath || !destination || !*destination) {
            throw ArchiveError(ArchiveErrorCode::InvalidArgument, "Missing argument");
        }
        CallbackPassword passwords(password, passwordCallback);
        auto reader = zor::ArchiveReader::OpenFile(archivePath, &passwords);
        std::vector<bool> selected = SelectTargets(reader.Entries(), targets);
        zor::dll::FileOutputOptions options;
        options.destination = Widen(destination);
        while (!options.destination.empty() &&
               (options.destination.back() == L'\\' || options.destination.back() == L'/')) {
            options.destination.pop_back();
        }
        options.flatten = flatten != 0;
        options.archivePath = archivePath;
        options.progress = progressCallback;
        options.entry = entryCallback;
        options.answer = answerCallback;
        zor::dll::FileOutputSink sink(reader.Entries(), options);
        sink.CheckPaths(selected); // before anything is written
        zor::dll::CreateFolders(options.destination);
        reader.Extract(selected, sink);
        t_lastError = 0;
        return 1;
    } catch (...) {
        t_lastError = ErrorNumberOf(std::current_exception());
        return 0;
    }
}

ZOR_API int ZOR_CALL GetLastArchiveError(void) {
    return t_lastError;
}
