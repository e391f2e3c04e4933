// The one error type of the 7z reader and writer. Its code is the number the
// archive library reports through GetLastArchiveError.
#pragma once
#include <stdexcept>
#include <string>

namespace zor {

enum class ArchiveErrorCode : int {
    NotFound = 1001,          // the archive file does not exist
    IllegalPath = 1002,       // a requested name is not a plain archive path
    CannotOpen = 1003,        // not an archive, unsupported header, or wrong/missing password
    DataError = 1004,         // corrupted or truncated data, CRC mismatch
    UnsafePath = 1005,        // an entry would land outside the destination folder
    WriteFailed = 1006,       // a destination file or folder could not be written
    Cancelled = 1007,         // a callback asked to stop
    UnsupportedMethod = 1008, // a compression or filter method this reader lacks
    NameNotInArchive = 1009,  // a requested name is not in the archive
    LimitExceeded = 1010,     // a declared size, count or cost beyond the reader's caps
    InvalidArgument = 1011,   // a missing or malformed argument
    Internal = 1012,          // an unexpected failure (out of memory, system error)
};

class ArchiveError : public std::runtime_error {
  public:
    ArchiveError(ArchiveErrorCode code, const std::string& message)
        : std::runtime_error(message), code_(code) {}
    ArchiveErrorCode Code() const { return code_; }
    int Number() const { return static_cast<int>(code_); }

  private:
    ArchiveErrorCode code_;
};

[[noreturn]] inline void ThrowDataError(const std::string& what) {
    throw ArchiveError(ArchiveErrorCode::DataError, "Data error: " + what);
}

} // namespace zor
