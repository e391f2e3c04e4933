// 7z archive writer for the authoring tool: one solid folder compressed with
// LZMA (or stored), optionally encrypted with 7zAES including the header.
// Archive paths are Windows-1252 text; "\" or "/" separate folders.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace zor {

enum class WriteMethod { Copy, Lzma };

struct WriterOptions {
    WriteMethod method = WriteMethod::Lzma;
    int level = 5;                // 0..9, as LZMA levels
    uint32_t dictionarySize = 0;  // 0: from the level
    std::string password;         // empty: not encrypted
    bool encryptHeader = true;    // with a password: names are hidden too
    unsigned keyCyclesPower = 19; // 2^n SHA-256 rounds for the key
};

class ArchiveWriter {
  public:
    explicit ArchiveWriter(WriterOptions options = {});

    // Contents read from disk when the archive is written.
    void AddFile(const std::string& archivePath, const std::string& diskPath);
    void AddData(const std::string& archivePath, std::vector<uint8_t> data);
    void AddFolder(const std::string& archivePath);
    // Everything below `diskFolder`, under `archivePrefix` (may be empty).
    void AddTree(const std::string& diskFolder, const std::string& archivePrefix);

    // Throws ArchiveError (WriteFailed, InvalidArgument) on failure.
    void WriteFile(const std::string& archiveFile);
    std::vector<uint8_t> WriteToMemory();

  private:
    struct Item {
        std::u16string name;
        bool isFolder = false;
        bool fromDisk = false;
        std::filesystem::path diskPath;
        std::vector<uint8_t> data;
        bool hasMTime = false;
        uint64_t mtime = 0;
    };
    class Output;
    void Add(Item item, std::u16string name);
    void Write(Output& out);

    WriterOptions options_;
    std::vector<Item> items_;
};

} // namespace zor
