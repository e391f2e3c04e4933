#include "zor/core/archive_reader.h"

#include "common/ansi_utf16.h"
#include "zor/core/archive_error.h"
#include "zor/core/crc32.h"
#include "zor/core/folder_decoder.h"
#include "zor/core/header_parser.h"
#include "zor/core/sevenz_format.h"

#include <algorithm>
#include <cstring>

namespace zor {
namespace {

// Fuzzing builds accept header checksums so that mutations reach the parser.
#if defined(FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION)
constexpr bool kCheckHeaderCrc = false;
#else
constexpr bool kCheckHeaderCrc = true;
#endif

uint64_t Le64(const uint8_t* p) {
    uint64_t v = 0;
    for (int i = 7; i >= 0; --i)
        v = v << 8 | p[i];
    return v;
}
uint32_t Le32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

[[noreturn]] void CannotOpen(const std::string& what) {
    throw ArchiveError(ArchiveErrorCode::CannotOpen, what);
}

class NoPassword : public PasswordProvider {
  public:
    std::u16string Password() override {
        throw ArchiveError(ArchiveErrorCode::CannotOpen,
                           "The archive is encrypted and no password was given");
    }
};

std::vector<uint64_t> PackOffsets(const StreamsInfo& s, uint64_t archiveSize) {
    std::vector<uint64_t> offsets;
    uint64_t pos = format::kSignatureHeaderSize + s.packPos;
    if (pos < s.packPos) CannotOpen("Malformed archive header: pack position");
    for (uint64_t size : s.packSizes) {
        if (pos > archiveSize || size > archiveSize - pos)
            CannotOpen("Malformed archive header: pack stream beyond the end");
        offsets.push_back(pos);
        pos += size;
    }
    return offsets;
}

} // namespace

FixedPassword::FixedPassword(const std::string& ansiPassword)
    : password_(zk::AnsiToUtf16(ansiPassword)), empty_(ansiPassword.empty()) {}

std::u16string FixedPassword::Password() {
    if (empty_)
        throw ArchiveError(ArchiveErrorCode::CannotOpen,
                           "The archive is encrypted and no password was given");
    return password_;
}

ArchiveReader::ArchiveReader(std::unique_ptr<RandomAccessInput> input, PasswordProvider* passwords)
    : input_(std::move(input)), passwords_(passwords) {
    ReadDatabase();
}

ArchiveReader ArchiveReader::OpenFile(const std::string& path, PasswordProvider* passwords) {
    return ArchiveReader(std::make_unique<FileInput>(path), passwords);
}

void ArchiveReader::ReadDatabase() {
    NoPassword noPassword;
    PasswordProvider& passwords = passwords_ ? *passwords_ : noPassword;
    const uint64_t archiveSize = input_->Size();
    uint8_t sig[format::kSignatureHeaderSize];
    if (archiveSize < sizeof sig) CannotOpen("Not a 7z archive");
    input_->ReadAt(0, sig, sizeof sig);
    if (std::memcmp(sig, format::kSignature, 6) != 0) CannotOpen("Not a 7z archive");
    if (sig[6] != 0) CannotOpen("Unsupported 7z version");
    if (kCheckHeaderCrc && Crc32Update(0, sig + 12, 20) != Le32(sig + 8))
        CannotOpen("Archive start header CRC mismatch");
    uint64_t nextOffset = Le64(sig + 12), nextSize = Le64(sig + 20);
    uint32_t nextCrc = Le32(sig + 28);
    if (nextSize == 0) return; // an archive without entries
    if (nextSize > kMaxHeaderSize)
        throw ArchiveError(ArchiveErrorCode::LimitExceeded, "Limit exceeded: header size");
    uint64_t headerPos = format::kSignatureHeaderSize + nextOffset;
    if (nextOffset > archiveSize || headerPos > archiveSize || nextSize > archiveSize - headerPos) {
        CannotOpen("The archive is truncated");
    }
    std::vector<uint8_t> header(static_cast<std::size_t>(nextSize));
    input_->ReadAt(headerPos, header.data(), header.size());
    if (kCheckHeaderCrc && Crc32Update(0, header.data(), header.size()) != nextCrc)
        CannotOpen("Archive header CRC mismatch");

    for (int round = 0;; ++round) {
        if (header.empty()) CannotOpen("Empty archive header");
        if (header[0] == format::kHeader) {
            db_ = ParseHeader(header.data() + 1, header.size() - 1);
            break;
        }
        if (header[0] != format::kEncodedHeader || round >= 4)
            CannotOpen("Malformed archive header");
        StreamsInfo s = ParseEncodedHeader(header.data() + 1, header.size() - 1);
        if (s.folders.empty()) CannotOpen("Malformed encoded header");
        std::vector<uint64_t> offsets = PackOffsets(s, archiveSize);
        std::vector<uint8_t> decoded;
        try {
            for (std::size_t f = 0; f < s.folders.size(); ++f) {
                const Folder& folder = s.folders[f];
                if (folder.IsEncrypted()) headerEncrypted_ = true;
                uint64_t size = folder.UnpackSize();
                if (size > kMaxHeaderSize - decoded.size()) {
                    throw ArchiveError(ArchiveErrorCode::LimitExceeded,
                                       "Limit exceeded: header size");
                }
                auto src = DecodeFolder(s, offsets, f, *input_, passwords);
                // Grows with the data actually decoded, not with the declared size.
                std::size_t start = decoded.size();
                uint64_t left = size;
                while (left > 0) {
                    std::size_t part = static_cast<std::size_t>(std::min<uint64_t>(left, 1 << 20));
                    std::size_t at = decoded.size();
                    decoded.resize(at + part);
                    src->ReadExact(decoded.data() + at, part);
                    left -= part;
                }
                if (folder.hasCrc && Crc32Update(0, decoded.data() + start, size) != folder.crc) {
                    ThrowDataError("header CRC mismatch");
                }
            }
        } catch (const ArchiveError& e) {
            // A wrong password shows as corrupt header data.
            if (e.Code() == ArchiveErrorCode::DataError ||
                e.Code() == ArchiveErrorCode::UnsupportedMethod) {
                CannotOpen(
                    "The archive cannot be opened: unsupported archive or incorrect password");
            }
            throw;
        }
        header = std::move(decoded);
    }
    db_.packOffsets = PackOffsets(db_.streams, archiveSize);

    entries_.reserve(db_.files.size());
    for (const FileItem& f : db_.files) {
        ArchiveEntry e;
        e.name = f.name;
        std::u16string backslashed = f.name;
        std::replace(backslashed.begin(), backslashed.end(), u'/', u'\\');
        e.ansiName = zk::Utf16ToAnsi(backslashed);
        e.isDirectory = f.isDirectory || (!f.hasStream && f.hasAttributes &&
                                          (f.attributes & format::kAttributeDirectory));
        e.isAnti = f.isAnti;
        e.size = f.size;
        e.hasCrc = f.hasCrc;
        e.crc = f.crc;
        e.hasMTime = f.hasMTime;
        e.mtime = f.mtime;
        e.hasAttributes = f.hasAttributes;
        e.attributes = f.attributes;
        e.encrypted = f.hasStream && db_.streams.folders[f.folder].IsEncrypted();
        entries_.push_back(std::move(e));
    }
}

void ArchiveReader::Extract(const std::vector<bool>& selectedIn, ExtractSink& sink) {
    NoPassword noPassword;
    PasswordProvider& passwords = passwords_ ? *passwords_ : noPassword;
    const std::size_t n = entries_.size();
    std::vector<bool> selected = selectedIn.empty() ? std::vector<bool>(n, true) : selectedIn;
    if (selected.size() != n)
        throw ArchiveError(ArchiveErrorCode::InvalidArgument,
                           "Selection does not match the entries");

    uint64_t total = 0;
    std::vector<std::size_t> lastSelectedInFolder(db_.streams.folders.size(), SIZE_MAX);
    for (std::size_t i = 0; i < n; ++i) {
        if (!selected[i]) continue;
        total += entries_[i].size;
        const FileItem& f = db_.files[i];
        if (f.hasStream) lastSelectedInFolder[f.folder] = i;
    }
    uint64_t done = 0;
    auto progress = [&](std::size_t index) {
        if (!sink.Progress(index, done, total))
            throw ArchiveError(ArchiveErrorCode::Cancelled, "Extraction cancelled");
    };

    std::vector<uint8_t> buffer(1 << 18);
    std::unique_ptr<ByteSource> folderSource;
    std::size_t currentFolder = SIZE_MAX;
    for (std::size_t i = 0; i < n; ++i) {
        const FileItem& f = db_.files[i];
        if (!f.hasStream) {
            if (!selected[i]) continue;
            progress(i);
            if (auto w = sink.Open(i, entries_[i])) w->Commit();
            continue;
        }
        if (lastSelectedInFolder[f.folder] == SIZE_MAX || i > lastSelectedInFolder[f.folder])
            continue;
        if (f.folder != currentFolder) {
            folderSource = DecodeFolder(db_.streams, db_.packOffsets, f.folder, *input_, passwords);
            currentFolder = f.folder;
        }
        const bool encrypted = entries_[i].encrypted;
        std::unique_ptr<EntryWriter> writer;
        if (selected[i]) {
            progress(i);
            writer = sink.Open(i, entries_[i]);
        }
        try {
            uint64_t left = f.size;
            uint32_t crc = 0;
            uint64_t sinceReport = 0;
            while (left > 0) {
                std::size_t want =
                    static_cast<std::size_t>(std::min<uint64_t>(left, buffer.size()));
                folderSource->ReadExact(buffer.data(), want);
                left -= want;
                if (!selected[i]) continue;
                crc = Crc32Update(crc, buffer.data(), want);
                if (writer) writer->Write(buffer.data(), want);
                done += want;
                sinceReport += want;
                if (sinceReport >= (1 << 20) && left > 0) {
                    sinceReport = 0;
                    progress(i);
                }
            }
            if (selected[i] && f.hasCrc && crc != f.crc)
                ThrowDataError("CRC mismatch in " + entries_[i].ansiName);
        } catch (const ArchiveError& e) {
            // In an encrypted folder, bad data almost always means a wrong password.
            if (encrypted && (e.Code() == ArchiveErrorCode::DataError)) {
                throw ArchiveError(
                    ArchiveErrorCode::CannotOpen,
                    "The archive cannot be opened: unsupported archive or incorrect password");
            }
            throw;
        }
        if (writer) writer->Commit();
    }
    if (n > 0 && total > 0) progress(n - 1);
}

std::vector<uint8_t> ArchiveReader::ReadEntry(std::size_t index) {
    class MemorySink : public ExtractSink {
      public:
        std::vector<uint8_t> data;
        std::unique_ptr<EntryWriter> Open(std::size_t, const ArchiveEntry&) override {
            struct W : EntryWriter {
                std::vector<uint8_t>* out;
                explicit W(std::vector<uint8_t>* o) : out(o) {}
                void Write(const uint8_t* d, std::size_t s) override {
                    out->insert(out->end(), d, d + s);
                }
                void Commit() override {}
            };
            return std::make_unique<W>(&data);
        }
    } sink;
    std::vector<bool> selected(entries_.size(), false);
    selected.at(index) = true;
    Extract(selected, sink);
    return std::move(sink.data);
}

} // namespace zor
