// Streams the 7z reader is built from: a random-access archive input and the
// sequential byte sources each decoder in a folder's coder chain offers.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace zor {

// The archive file (or a memory image of it).
class RandomAccessInput {
  public:
    virtual ~RandomAccessInput() = default;
    virtual uint64_t Size() const = 0;
    // Reads exactly `size` bytes at `offset`; throws DataError past the end.
    virtual void ReadAt(uint64_t offset, void* buffer, std::size_t size) = 0;
};

class MemoryInput : public RandomAccessInput {
  public:
    explicit MemoryInput(std::vector<uint8_t> data) : data_(std::move(data)) {}
    MemoryInput(const uint8_t* data, std::size_t size) : data_(data, data + size) {}
    uint64_t Size() const override { return data_.size(); }
    void ReadAt(uint64_t offset, void* buffer, std::size_t size) override;

  private:
    std::vector<uint8_t> data_;
};

// A file opened by 8-bit path; throws ArchiveError NotFound when it cannot be opened.
class FileInput : public RandomAccessInput {
  public:
    explicit FileInput(const std::string& path);
    ~FileInput() override;
    FileInput(const FileInput&) = delete;
    FileInput& operator=(const FileInput&) = delete;
    uint64_t Size() const override { return size_; }
    void ReadAt(uint64_t offset, void* buffer, std::size_t size) override;

  private:
    std::FILE* file_ = nullptr;
    uint64_t size_ = 0;
    uint64_t position_ = 0;
};

// A sequential source of decoded (or packed) bytes.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // Up to `size` bytes; 0 only at the end of the stream. Throws on corrupt data.
    virtual std::size_t Read(uint8_t* buffer, std::size_t size) = 0;
    // Reads exactly `size` bytes or throws DataError("unexpected end").
    void ReadExact(uint8_t* buffer, std::size_t size);
};

// A window [offset, offset + size) of the archive input, read in large blocks.
class PackStreamSource : public ByteSource {
  public:
    PackStreamSource(RandomAccessInput& input, uint64_t offset, uint64_t size);
    std::size_t Read(uint8_t* buffer, std::size_t size) override;

  private:
    RandomAccessInput& input_;
    uint64_t offset_;
    uint64_t remaining_;
};

// A buffered reader over another source, for decoders that consume byte by byte.
class BufferedSource {
  public:
    explicit BufferedSource(std::unique_ptr<ByteSource> source, std::size_t bufferSize = 1 << 16)
        : source_(std::move(source)), buffer_(bufferSize) {}
    // Next byte; false at the end of the stream.
    bool Next(uint8_t& b) {
        if (pos_ == end_ && !Fill()) return false;
        b = buffer_[pos_++];
        return true;
    }
    uint8_t NextOrThrow();
    // Direct access to the buffered bytes: Fill then consume.
    bool Fill();
    const uint8_t* Data() const { return buffer_.data() + pos_; }
    std::size_t Available() const { return end_ - pos_; }
    void Consume(std::size_t n) { pos_ += n; }

  private:
    std::unique_ptr<ByteSource> source_;
    std::vector<uint8_t> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
};

} // namespace zor
