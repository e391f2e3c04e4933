// 7z archive reader: lists the entries of an archive and decodes them.
// Methods: Copy, LZMA, LZMA2, BCJ (x86), BCJ2, Delta and 7zAES (file data and
// encrypted headers); solid and non-solid; every file's CRC-32 is checked.
// Errors are ArchiveError with the library's error numbers.
#pragma once
#include "zor/core/aes_coder.h"
#include "zor/core/byte_source.h"
#include "zor/core/sevenz_database.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zor {

struct ArchiveEntry {
    std::u16string name;  // as stored
    std::string ansiName; // Windows-1252, folders separated by "\"
    bool isDirectory = false;
    bool isAnti = false;
    uint64_t size = 0;
    bool hasCrc = false;
    uint32_t crc = 0;
    bool hasMTime = false;
    uint64_t mtime = 0; // Windows file time
    bool hasAttributes = false;
    uint32_t attributes = 0;
    bool encrypted = false;
};

// Receives one entry's bytes; dropping it without Commit discards the output.
class EntryWriter {
  public:
    virtual ~EntryWriter() = default;
    virtual void Write(const uint8_t* data, std::size_t size) = 0;
    virtual void Commit() = 0;
};

class ExtractSink {
  public:
    virtual ~ExtractSink() = default;
    // nullptr: the entry is decoded but not stored.
    virtual std::unique_ptr<EntryWriter> Open(std::size_t index, const ArchiveEntry& entry) = 0;
    // Bytes of the selected entries done so far; false stops with Cancelled.
    virtual bool Progress(std::size_t /*index*/, uint64_t /*done*/, uint64_t /*total*/) {
        return true;
    }
};

// A fixed password (Windows-1252 text, turned into UTF-16 as 7zAES needs).
class FixedPassword : public PasswordProvider {
  public:
    explicit FixedPassword(const std::string& ansiPassword);
    std::u16string Password() override;

  private:
    std::u16string password_;
    bool empty_;
};

class ArchiveReader {
  public:
    // `passwords` may be null (an encrypted archive then fails with CannotOpen)
    // and must outlive the reader.
    ArchiveReader(std::unique_ptr<RandomAccessInput> input, PasswordProvider* passwords);
    static ArchiveReader OpenFile(const std::string& path, PasswordProvider* passwords);

    const std::vector<ArchiveEntry>& Entries() const { return entries_; }
    bool HeaderEncrypted() const { return headerEncrypted_; }

    // Decodes the selected entries (all when `selected` is empty), in archive order.
    void Extract(const std::vector<bool>& selected, ExtractSink& sink);
    // The contents of one entry.
    std::vector<uint8_t> ReadEntry(std::size_t index);

  private:
    void ReadDatabase();

    std::unique_ptr<RandomAccessInput> input_;
    PasswordProvider* passwords_;
    ArchiveDatabase db_;
    std::vector<ArchiveEntry> entries_;
    bool headerEncrypted_ = false;
};

} // namespace zor
