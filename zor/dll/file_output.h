// Writes extracted entries below a destination folder with the Win32 file API,
// asking the caller's callbacks about progress and existing files.
#pragma once
#include "zor/api/zor_api.h"
#include "zor/core/archive_reader.h"

#include <string>
#include <vector>

namespace zor::dll {

struct FileOutputOptions {
    std::wstring destination; // without trailing separator
    bool flatten = false;
    std::string archivePath;
    ZorProgressCallback progress = nullptr;
    ZorEntryCallback entry = nullptr;
    ZorAnswerCallback answer = nullptr;
};

class FileOutputSink : public ExtractSink {
  public:
    FileOutputSink(const std::vector<ArchiveEntry>& entries, FileOutputOptions options);
    // Checks every selected entry's path before anything is written.
    void CheckPaths(const std::vector<bool>& selected);
    std::unique_ptr<EntryWriter> Open(std::size_t index, const ArchiveEntry& entry) override;
    bool Progress(std::size_t index, uint64_t done, uint64_t total) override;

  private:
    std::wstring TargetPath(std::size_t index) const;

    const std::vector<ArchiveEntry>& entries_;
    FileOutputOptions options_;
    std::vector<std::wstring> targets_;
    bool replaceAll_ = false;
};

// Creates a folder and its missing parents; throws WriteFailed.
void CreateFolders(const std::wstring& path);

} // namespace zor::dll
