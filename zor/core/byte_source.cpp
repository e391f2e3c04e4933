#include "zor/core/byte_source.h"

#include "zor/core/archive_error.h"

#include <cstring>

namespace zor {

void MemoryInput::ReadAt(uint64_t offset, void* buffer, std::size_t size) {
    if (offset > data_.size() || size > data_.size() - offset)
        ThrowDataError("unexpected end of archive");
    if (size) std::memcpy(buffer, data_.data() + offset, size);
}

FileInput::FileInput(const std::string& path) {
    file_ = std::fopen(path.c_str(), "rb");
    if (!file_) throw ArchiveError(ArchiveErrorCode::NotFound, "The archive file was not found");
#if defined(_WIN32)
    if (_fseeki64(file_, 0, SEEK_END) != 0) {
#else
    if (fseeko(file_, 0, SEEK_END) != 0) {
#endif
        std::fclose(file_);
        throw ArchiveError(ArchiveErrorCode::NotFound, "The archive file cannot be read");
    }
#if defined(_WIN32)
    long long end = _ftelli64(file_);
#else
    long long end = ftello(file_);
#endif
    if (end < 0) {
        std::fclose(file_);
        throw ArchiveError(ArchiveErrorCode::NotFound, "The archive file cannot be read");
    }
    size_ = static_cast<uint64_t>(end);
    position_ = size_;
}

FileInput::~FileInput() {
    if (file_) std::fclose(file_);
}

void FileInput::ReadAt(uint64_t offset, void* buffer, std::size_t size) {
    if (offset > size_ || size > size_ - offset) ThrowDataError("unexpected end of archive");
    if (size == 0) return;
    if (position_ != offset) {
#if defined(_WIN32)
        int rc = _fseeki64(file_, static_cast<long long>(offset), SEEK_SET);
#else
        int rc = fseeko(file_, static_cast<off_t>(offset), SEEK_SET);
#endif
        if (rc != 0) ThrowDataError("seek failed");
    }
    std::size_t got = std::fread(buffer, 1, size, file_);
    position_ = offset + got;
    if (got != size) ThrowDataError("read failed");
}

void ByteSource::ReadExact(uint8_t* buffer, std::size_t size) {
    while (size > 0) {
        std::size_t got = Read(buffer, size);
        if (got == 0) ThrowDataError("unexpected end of stream");
        buffer += got;
        size -= got;
    }
}

PackStreamSource::PackStreamSource(RandomAccessInput& input, uint64_t offset, uint64_t size)
    : input_(input), offset_(offset), remaining_(size) {
    if (offset > input.Size() || size > input.Size() - offset)
        ThrowDataError("packed stream beyond the archive end");
}

std::size_t PackStreamSource::Read(uint8_t* buffer, std::size_t size) {
    std::size_t n = size < remaining_ ? size : static_cast<std::size_t>(remaining_);
    if (n == 0) return 0;
    input_.ReadAt(offset_, buffer, n);
    offset_ += n;
    remaining_ -= n;
    return n;
}

uint8_t BufferedSource::NextOrThrow() {
    uint8_t b = 0;
    if (!Next(b)) ThrowDataError("unexpected end of stream");
    return b;
}

bool BufferedSource::Fill() {
    if (pos_ < end_) return true;
    pos_ = 0;
    end_ = source_->Read(buffer_.data(), buffer_.size());
    return end_ > 0;
}

} // namespace zor
