#include "zor/core/header_parser.h"

#include "zor/core/archive_error.h"
#include "zor/core/sevenz_format.h"

#include <algorithm>
#include <string>

namespace zor {
namespace {

[[noreturn]] void Bad(const std::string& what) {
    throw ArchiveError(ArchiveErrorCode::CannotOpen, "Malformed archive header: " + what);
}

class Cursor {
  public:
    Cursor(const uint8_t* data, std::size_t size) : p_(data), size_(size) {}

    std::size_t Remaining() const { return size_ - pos_; }
    uint8_t Byte() {
        if (pos_ >= size_) Bad("unexpected end");
        return p_[pos_++];
    }
    uint64_t Number() {
        uint8_t first = Byte();
        uint8_t mask = 0x80;
        uint64_t value = 0;
        for (int i = 0; i < 8; ++i) {
            if ((first & mask) == 0) {
                uint64_t high = first & (mask - 1u);
                return value | (high << (8 * i));
            }
            value |= uint64_t(Byte()) << (8 * i);
            mask >>= 1;
        }
        return value;
    }
    // A count of items each taking at least `minBits` bits of the header.
    uint64_t Count(uint64_t cap = kMaxEntries) {
        uint64_t n = Number();
        if (n > cap || n > uint64_t(size_) * 8 + 8) {
            throw ArchiveError(ArchiveErrorCode::LimitExceeded,
                               "Limit exceeded: too many items in header");
        }
        return n;
    }
    uint32_t UInt32() {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v |= uint32_t(Byte()) << (8 * i);
        return v;
    }
    uint64_t UInt64() {
        uint64_t v = 0;
        for (int i = 0; i < 8; ++i)
            v |= uint64_t(Byte()) << (8 * i);
        return v;
    }
    void Skip(uint64_t n) {
        if (n > Remaining()) Bad("property beyond the header end");
        pos_ += static_cast<std::size_t>(n);
    }
    void SkipData() { Skip(Number()); }
    const uint8_t* Here() const { return p_ + pos_; }
    void Expect(uint8_t id) {
        if (Number() != id) Bad("unexpected property");
    }

    std::vector<bool> Bits(std::size_t n) {
        std::vector<bool> v(n);
        uint8_t b = 0, mask = 0;
        for (std::size_t i = 0; i < n; ++i) {
            if (mask == 0) {
                b = Byte();
                mask = 0x80;
            }
            v[i] = (b & mask) != 0;
            mask >>= 1;
        }
        return v;
    }
    // "All defined" byte, else a bit vector.
    std::vector<bool> DefinedBits(std::size_t n) {
        if (Byte() != 0) return std::vector<bool>(n, true);
        return Bits(n);
    }

  private:
    const uint8_t* p_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

void ReadDigests(Cursor& c, std::size_t n, std::vector<bool>& defined,
                 std::vector<uint32_t>& crcs) {
    defined = c.DefinedBits(n);
    crcs.assign(n, 0);
    for (std::size_t i = 0; i < n; ++i) {
        if (defined[i]) crcs[i] = c.UInt32();
    }
}

void ReadPackInfo(Cursor& c, StreamsInfo& s) {
    s.packPos = c.Number();
    uint64_t n = c.Count();
    uint64_t id = c.Number();
    while (id != format::kSize) {
        if (id == format::kEnd) Bad("pack sizes missing");
        c.SkipData();
        id = c.Number();
    }
    s.packSizes.resize(static_cast<std::size_t>(n));
    for (auto& size : s.packSizes)
        size = c.Number();
    for (;;) {
        id = c.Number();
        if (id == format::kEnd) break;
        if (id == format::kCrc) {
            std::vector<bool> defined;
            std::vector<uint32_t> crcs;
            ReadDigests(c, s.packSizes.size(), defined, crcs);
        } else {
            c.SkipData();
        }
    }
}

void ValidateFolder(const Folder& f) {
    uint32_t totalIn = 0, totalOut = 0;
    for (const Coder& coder : f.coders) {
        totalIn += coder.numInStreams;
        totalOut += coder.numOutStreams;
    }
    std::vector<bool> inUsed(totalIn), outUsed(totalOut);
    for (const BindPair& bp : f.bindPairs) {
        if (bp.inIndex >= totalIn || bp.outIndex >= totalOut) Bad("bind pair out of range");
        if (inUsed[bp.inIndex] || outUsed[bp.outIndex]) Bad("stream bound twice");
        inUsed[bp.inIndex] = outUsed[bp.outIndex] = true;
    }
    for (uint32_t in : f.packedStreams) {
        if (in >= totalIn || inUsed[in]) Bad("packed stream index");
        inUsed[in] = true;
    }
}

Folder ReadFolder(Cursor& c) {
    Folder f;
    uint64_t numCoders = c.Number();
    if (numCoders == 0 || numCoders > kMaxCoders) Bad("coder count");
    uint32_t totalIn = 0, totalOut = 0;
    for (uint64_t i = 0; i < numCoders; ++i) {
        uint8_t flags = c.Byte();
        if (flags & 0xC0) Bad("unsupported coder flags");
        Coder coder;
        std::size_t idSize = flags & 0x0F;
        for (std::size_t k = 0; k < idSize; ++k)
            coder.methodId.push_back(c.Byte());
        if (flags & 0x10) {
            uint64_t in = c.Number(), out = c.Number();
            if (in == 0 || in > kMaxCoders || out != 1) Bad("coder stream counts");
            coder.numInStreams = static_cast<uint32_t>(in);
            coder.numOutStreams = static_cast<uint32_t>(out);
        }
        if (flags & 0x20) {
            uint64_t n = c.Number();
            if (n > c.Remaining()) Bad("coder properties");
            coder.props.assign(c.Here(), c.Here() + n);
            c.Skip(n);
        }
        totalIn += coder.numInStreams;
        totalOut += coder.numOutStreams;
        f.coders.push_back(std::move(coder));
    }
    uint32_t numBindPairs = totalOut - 1;
    if (numBindPairs > totalIn) Bad("bind pairs");
    for (uint32_t i = 0; i < numBindPairs; ++i) {
        BindPair bp;
        bp.inIndex = static_cast<uint32_t>(std::min<uint64_t>(c.Number(), UINT32_MAX));
        bp.outIndex = static_cast<uint32_t>(std::min<uint64_t>(c.Number(), UINT32_MAX));
        f.bindPairs.push_back(bp);
    }
    uint32_t numPacked = totalIn - numBindPairs;
    if (numPacked == 1) {
        for (uint32_t i = 0; i < totalIn; ++i) {
            bool bound = std::any_of(f.bindPairs.begin(), f.bindPairs.end(),
                                     [i](const BindPair& bp) { return bp.inIndex == i; });
            if (!bound) {
                f.packedStreams.push_back(i);
                break;
            }
        }
        if (f.packedStreams.empty()) Bad("no packed stream");
    } else {
        for (uint32_t i = 0; i < numPacked; ++i) {
            f.packedStreams.push_back(
                static_cast<uint32_t>(std::min<uint64_t>(c.Number(), UINT32_MAX)));
        }
    }
    ValidateFolder(f);
    f.unpackSizes.resize(totalOut);
    return f;
}

void ReadUnpackInfo(Cursor& c, StreamsInfo& s) {
    c.Expect(format::kFolder);
    uint64_t n = c.Count();
    if (c.Byte() != 0) Bad("external folders");
    s.folders.reserve(static_cast<std::size_t>(n));
    std::size_t pack = 0;
    for (uint64_t i = 0; i < n; ++i) {
        s.folders.push_back(ReadFolder(c));
        s.folders.back().firstPackStream = pack;
        pack += s.folders.back().packedStreams.size();
    }
    c.Expect(format::kCodersUnpackSize);
    for (Folder& f : s.folders) {
        for (auto& size : f.unpackSizes)
            size = c.Number();
        f.MainOutStream();
    }
    for (;;) {
        uint64_t id = c.Number();
        if (id == format::kEnd) break;
        if (id == format::kCrc) {
            std::vector<bool> defined;
            std::vector<uint32_t> crcs;
            ReadDigests(c, s.folders.size(), defined, crcs);
            for (std::size_t i = 0; i < s.folders.size(); ++i) {
                s.folders[i].hasCrc = defined[i];
                s.folders[i].crc = crcs[i];
            }
        } else {
            c.SkipData();
        }
    }
}

void ReadSubStreamsInfo(Cursor& c, StreamsInfo& s) {
    uint64_t id;
    uint64_t total = 0;
    for (;;) {
        id = c.Number();
        if (id == format::kNumUnpackStream) {
            total = 0;
            for (Folder& f : s.folders) {
                f.numUnpackStreams = c.Count();
                total += f.numUnpackStreams;
                if (total > kMaxEntries)
                    throw ArchiveError(ArchiveErrorCode::LimitExceeded,
                                       "Limit exceeded: too many streams");
            }
            continue;
        }
        if (id == format::kCrc || id == format::kSize || id == format::kEnd) break;
        c.SkipData();
    }
    s.subSizes.clear();
    for (const Folder& f : s.folders) {
        uint64_t n = f.numUnpackStreams;
        if (n == 0) continue;
        uint64_t folderSize = f.UnpackSize();
        if (id == format::kSize) {
            uint64_t sum = 0;
            for (uint64_t j = 1; j < n; ++j) {
                uint64_t size = c.Number();
                if (size > folderSize - sum) Bad("sub-stream sizes exceed the folder");
                sum += size;
                s.subSizes.push_back(size);
            }
            s.subSizes.push_back(folderSize - sum);
        } else {
            if (n > 1) Bad("sub-stream sizes missing");
            s.subSizes.push_back(folderSize);
        }
    }
    if (id == format::kSize) id = c.Number();

    std::size_t numDigests = 0;
    for (const Folder& f : s.folders) {
        if (!(f.numUnpackStreams == 1 && f.hasCrc))
            numDigests += static_cast<std::size_t>(f.numUnpackStreams);
    }
    s.subHasCrc.assign(s.subSizes.size(), false);
    s.subCrcs.assign(s.subSizes.size(), 0);
    bool haveDigests = false;
    std::vector<bool> defined;
    std::vector<uint32_t> crcs;
    while (id != format::kEnd) {
        if (id == format::kCrc) {
            ReadDigests(c, numDigests, defined, crcs);
            haveDigests = true;
        } else {
            c.SkipData();
        }
        id = c.Number();
    }
    std::size_t sub = 0, digest = 0;
    for (const Folder& f : s.folders) {
        if (f.numUnpackStreams == 1 && f.hasCrc) {
            s.subHasCrc[sub] = true;
            s.subCrcs[sub] = f.crc;
            ++sub;
            continue;
        }
        for (uint64_t j = 0; j < f.numUnpackStreams; ++j, ++sub) {
            if (haveDigests) {
                s.subHasCrc[sub] = defined[digest];
                s.subCrcs[sub] = crcs[digest];
                ++digest;
            }
        }
    }
}

StreamsInfo ReadStreamsInfo(Cursor& c) {
    StreamsInfo s;
    uint64_t id = c.Number();
    if (id == format::kPackInfo) {
        ReadPackInfo(c, s);
        id = c.Number();
    }
    if (id == format::kUnpackInfo) {
        ReadUnpackInfo(c, s);
        id = c.Number();
    }
    bool haveSub = false;
    if (id == format::kSubStreamsInfo) {
        ReadSubStreamsInfo(c, s);
        haveSub = true;
        id = c.Number();
    }
    if (!haveSub) {
        for (const Folder& f : s.folders) {
            s.subSizes.push_back(f.UnpackSize());
            s.subHasCrc.push_back(f.hasCrc);
            s.subCrcs.push_back(f.crc);
        }
    }
    if (id != format::kEnd) Bad("streams info end");
    std::size_t packNeeded = 0;
    for (const Folder& f : s.folders)
        packNeeded += f.packedStreams.size();
    if (packNeeded > s.packSizes.size()) Bad("folders need more pack streams than declared");
    return s;
}

void ReadFilesInfo(Cursor& c, ArchiveDatabase& db) {
    const std::size_t numFiles = static_cast<std::size_t>(c.Count());
    db.files.assign(numFiles, FileItem{});
    std::vector<bool> emptyStream(numFiles, false), emptyFile, anti;
    std::size_t numEmpty = 0;
    for (;;) {
        uint64_t type = c.Number();
        if (type == format::kEnd) break;
        uint64_t size = c.Number();
        if (size > c.Remaining()) Bad("file property beyond the header end");
        Cursor p(c.Here(), static_cast<std::size_t>(size));
        c.Skip(size);
        switch (type) {
        case format::kEmptyStream:
            emptyStream = p.Bits(numFiles);
            numEmpty =
                static_cast<std::size_t>(std::count(emptyStream.begin(), emptyStream.end(), true));
            emptyFile.assign(numEmpty, false);
            anti.assign(numEmpty, false);
            break;
        case format::kEmptyFile:
            emptyFile = p.Bits(numEmpty);
            break;
        case format::kAnti:
            anti = p.Bits(numEmpty);
            break;
        case format::kName: {
            if (p.Byte() != 0) Bad("external names");
            for (FileItem& f : db.files) {
                for (;;) {
                    uint8_t lo = p.Byte(), hi = p.Byte();
                    char16_t ch = static_cast<char16_t>(lo | hi << 8);
                    if (ch == 0) break;
                    f.name.push_back(ch);
                }
            }
            break;
        }
        case format::kMTime: {
            std::vector<bool> defined = p.DefinedBits(numFiles);
            if (p.Byte() != 0) Bad("external times");
            for (std::size_t i = 0; i < numFiles; ++i) {
                if (!defined[i]) continue;
                db.files[i].hasMTime = true;
                db.files[i].mtime = p.UInt64();
            }
            break;
        }
        case format::kWinAttributes: {
            std::vector<bool> defined = p.DefinedBits(numFiles);
            if (p.Byte() != 0) Bad("external attributes");
            for (std::size_t i = 0; i < numFiles; ++i) {
                if (!defined[i]) continue;
                db.files[i].hasAttributes = true;
                db.files[i].attributes = p.UInt32();
            }
            break;
        }
        default:
            break; // times we do not use, padding and unknown properties
        }
    }
    const StreamsInfo& s = db.streams;
    std::size_t emptyIndex = 0, sub = 0, folder = 0;
    uint64_t inFolder = 0;
    for (std::size_t i = 0; i < numFiles; ++i) {
        FileItem& f = db.files[i];
        if (emptyStream[i]) {
            f.isDirectory = !emptyFile[emptyIndex];
            f.isAnti = anti[emptyIndex];
            ++emptyIndex;
            continue;
        }
        if (sub >= s.subSizes.size()) Bad("more files than streams");
        while (folder < s.folders.size() && inFolder >= s.folders[folder].numUnpackStreams) {
            ++folder;
            inFolder = 0;
        }
        if (folder >= s.folders.size()) Bad("more files than streams");
        f.hasStream = true;
        f.folder = folder;
        f.size = s.subSizes[sub];
        f.hasCrc = s.subHasCrc[sub];
        f.crc = s.subCrcs[sub];
        ++sub;
        ++inFolder;
    }
    if (sub != s.subSizes.size()) Bad("streams without files");
}

} // namespace

ArchiveDatabase ParseHeader(const uint8_t* data, std::size_t size) {
    Cursor c(data, size);
    ArchiveDatabase db;
    uint64_t id = c.Number();
    if (id == format::kArchiveProperties) {
        while (c.Number() != 0)
            c.SkipData();
        id = c.Number();
    }
    if (id == format::kAdditionalStreamsInfo) {
        ReadStreamsInfo(c);
        id = c.Number();
    }
    if (id == format::kMainStreamsInfo) {
        db.streams = ReadStreamsInfo(c);
        id = c.Number();
    }
    if (id == format::kFilesInfo) {
        ReadFilesInfo(c, db);
        id = c.Number();
    } else if (!db.streams.subSizes.empty()) {
        Bad("streams without a file list");
    }
    if (id != format::kEnd) Bad("header end");
    return db;
}

StreamsInfo ParseEncodedHeader(const uint8_t* data, std::size_t size) {
    Cursor c(data, size);
    return ReadStreamsInfo(c);
}

} // namespace zor
