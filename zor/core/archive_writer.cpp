#include "zor/core/archive_writer.h"

#include "common/ansi_utf16.h"
#include "zor/core/aes_coder.h"
#include "zor/core/archive_error.h"
#include "zor/core/crc32.h"
#include "zor/core/crypto.h"
#include "zor/core/sevenz_database.h"
#include "zor/core/sevenz_format.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>

#include "LzmaEnc.h"

namespace zor {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void WriteFailed(const std::string& what) {
    throw ArchiveError(ArchiveErrorCode::WriteFailed, "Cannot write archive: " + what);
}

void* SdkAlloc(void*, size_t size) {
    return ::operator new(size, std::nothrow);
}
void SdkFree(void*, void* address) {
    ::operator delete(address);
}
ISzAlloc g_sdkAlloc = {SdkAlloc, SdkFree};

// Where encoded bytes go next.
class ByteSink {
  public:
    virtual ~ByteSink() = default;
    virtual void Put(const uint8_t* data, std::size_t size) = 0;
};

// Encrypts whole blocks on their way to the next sink; Finish pads the last block with zeros.
class AesSink : public ByteSink {
  public:
    AesSink(ByteSink& next, const crypto::AesKey& key, const crypto::AesBlock& iv)
        : next_(next), aes_(key, iv, true) {}
    void Put(const uint8_t* data, std::size_t size) override {
        while (size > 0) {
            std::size_t n = std::min(size, buf_.size() - used_);
            std::memcpy(buf_.data() + used_, data, n);
            used_ += n;
            data += n;
            size -= n;
            if (used_ == buf_.size()) Flush();
        }
    }
    void Finish() {
        std::size_t padded = (used_ + 15) & ~std::size_t(15);
        std::fill(buf_.begin() + static_cast<std::ptrdiff_t>(used_),
                  buf_.begin() + static_cast<std::ptrdiff_t>(padded), 0);
        used_ = padded;
        Flush();
    }

  private:
    void Flush() {
        aes_.Process(buf_.data(), used_);
        next_.Put(buf_.data(), used_);
        used_ = 0;
    }
    ByteSink& next_;
    crypto::AesCbc aes_;
    std::vector<uint8_t> buf_ = std::vector<uint8_t>(1 << 16);
    std::size_t used_ = 0;
};

class CountingSink : public ByteSink {
  public:
    explicit CountingSink(ByteSink& next) : next_(next) {}
    void Put(const uint8_t* data, std::size_t size) override {
        next_.Put(data, size);
        count += size;
    }
    uint64_t count = 0;

  private:
    ByteSink& next_;
};

// Pulls the bytes to compress.
class PullSource {
  public:
    virtual ~PullSource() = default;
    virtual std::size_t Pull(uint8_t* buffer, std::size_t size) = 0;
};

class MemoryPull : public PullSource {
  public:
    explicit MemoryPull(const std::vector<uint8_t>& d) : data_(d) {}
    std::size_t Pull(uint8_t* buffer, std::size_t size) override {
        std::size_t n = std::min(size, data_.size() - pos_);
        std::memcpy(buffer, data_.data() + pos_, n);
        pos_ += n;
        return n;
    }

  private:
    const std::vector<uint8_t>& data_;
    std::size_t pos_ = 0;
};

struct SeqIn {
    ISeqInStream vt;
    PullSource* source;
    std::optional<ArchiveError> error;
};
struct SeqOut {
    ISeqOutStream vt;
    ByteSink* sink;
    std::optional<ArchiveError> error;
};

SRes SeqInRead(void* p, void* buf, size_t* size) {
    auto* self = static_cast<SeqIn*>(p);
    try {
        *size = self->source->Pull(static_cast<uint8_t*>(buf), *size);
        return SZ_OK;
    } catch (const ArchiveError& e) {
        self->error = e;
    } catch (const std::exception& e) {
        self->error = ArchiveError(ArchiveErrorCode::WriteFailed, e.what());
    }
    *size = 0;
    return SZ_ERROR_READ;
}

size_t SeqOutWrite(void* p, const void* buf, size_t size) {
    auto* self = static_cast<SeqOut*>(p);
    try {
        self->sink->Put(static_cast<const uint8_t*>(buf), size);
        return size;
    } catch (const ArchiveError& e) {
        self->error = e;
    } catch (const std::exception& e) {
        self->error = ArchiveError(ArchiveErrorCode::WriteFailed, e.what());
    }
    return 0;
}

// Compresses `source` into `sink` with the chosen method; returns its coder.
Coder Encode(PullSource& source, ByteSink& sink, const WriterOptions& o, uint64_t totalSize) {
    Coder coder;
    if (o.method == WriteMethod::Copy) {
        coder.methodId = format::kMethodCopy;
        std::vector<uint8_t> buf(1 << 16);
        while (std::size_t n = source.Pull(buf.data(), buf.size()))
            sink.Put(buf.data(), n);
        return coder;
    }
    CLzmaEncProps props;
    LzmaEncProps_Init(&props);
    props.level = std::clamp(o.level, 0, 9);
    if (o.dictionarySize) props.dictSize = o.dictionarySize;
    LzmaEncProps_Normalize(&props);
    // No dictionary larger than the data: readers then need less memory.
    uint32_t fit = 1 << 12;
    while (fit < totalSize && fit < props.dictSize)
        fit <<= 1;
    props.dictSize = std::min(props.dictSize, fit);
    CLzmaEncHandle enc = LzmaEnc_Create(&g_sdkAlloc);
    if (!enc)
        throw ArchiveError(ArchiveErrorCode::LimitExceeded, "Not enough memory for the encoder");
    std::unique_ptr<void, void (*)(void*)> guard(
        enc, [](void* e) { LzmaEnc_Destroy(e, &g_sdkAlloc, &g_sdkAlloc); });
    if (LzmaEnc_SetProps(enc, &props) != SZ_OK)
        throw ArchiveError(ArchiveErrorCode::InvalidArgument, "Bad LZMA settings");
    Byte header[LZMA_PROPS_SIZE];
    SizeT headerSize = LZMA_PROPS_SIZE;
    LzmaEnc_WriteProperties(enc, header, &headerSize);
    SeqIn in{{SeqInRead}, &source, std::nullopt};
    SeqOut out{{SeqOutWrite}, &sink, std::nullopt};
    SRes res = LzmaEnc_Encode(enc, &out.vt, &in.vt, nullptr, &g_sdkAlloc, &g_sdkAlloc);
    if (in.error) throw *in.error;
    if (out.error) throw *out.error;
    if (res != SZ_OK) WriteFailed("LZMA encoder error " + std::to_string(res));
    coder.methodId = format::kMethodLzma;
    coder.props.assign(header, header + headerSize);
    return coder;
}

class HeaderBytes {
  public:
    std::vector<uint8_t> bytes;
    void Byte(uint8_t b) { bytes.push_back(b); }
    void Number(uint64_t v) {
        // 7z variable-length number: the count of leading 1 bits in the first byte
        // gives the count of extra little-endian bytes.
        int extra = 0;
        while (extra < 8 && v >= (uint64_t(1) << (7 * (extra + 1))))
            ++extra;
        if (extra == 8) {
            Byte(0xFF);
        } else {
            uint8_t first = static_cast<uint8_t>(0xFF00 >> extra);
            first = static_cast<uint8_t>(first | (v >> (8 * extra)));
            Byte(first);
        }
        for (int i = 0; i < extra; ++i)
            Byte(static_cast<uint8_t>(v >> (8 * i)));
    }
    void UInt32(uint32_t v) {
        for (int i = 0; i < 4; ++i)
            Byte(static_cast<uint8_t>(v >> (8 * i)));
    }
    void UInt64(uint64_t v) {
        for (int i = 0; i < 8; ++i)
            Byte(static_cast<uint8_t>(v >> (8 * i)));
    }
    void Bits(const std::vector<bool>& v) {
        uint8_t b = 0, mask = 0x80;
        for (bool bit : v) {
            if (bit) b |= mask;
            mask >>= 1;
            if (mask == 0) {
                Byte(b);
                b = 0;
                mask = 0x80;
            }
        }
        if (mask != 0x80) Byte(b);
    }
    void Append(const HeaderBytes& other) {
        bytes.insert(bytes.end(), other.bytes.begin(), other.bytes.end());
    }
};

void WriteCoder(HeaderBytes& h, const Coder& c) {
    uint8_t flags = static_cast<uint8_t>(c.methodId.size());
    if (!c.props.empty()) flags |= 0x20;
    h.Byte(flags);
    for (uint8_t b : c.methodId)
        h.Byte(b);
    if (!c.props.empty()) {
        h.Number(c.props.size());
        for (uint8_t b : c.props)
            h.Byte(b);
    }
}

// One pack stream, one folder of [method] or [method, 7zAES] coders.
struct EncodedFolder {
    Coder method;
    std::optional<Coder> aes;
    uint64_t unpackSize = 0;   // method output
    uint64_t methodPacked = 0; // method input = AES output
    uint64_t packSize = 0;
};

void WriteFolderInfo(HeaderBytes& h, uint64_t packPos, const EncodedFolder& f,
                     std::optional<uint32_t> folderCrc) {
    h.Byte(format::kPackInfo);
    h.Number(packPos);
    h.Number(1);
    h.Byte(format::kSize);
    h.Number(f.packSize);
    h.Byte(format::kEnd);
    h.Byte(format::kUnpackInfo);
    h.Byte(format::kFolder);
    h.Number(1);
    h.Byte(0);
    h.Number(f.aes ? 2 : 1);
    WriteCoder(h, f.method);
    if (f.aes) {
        WriteCoder(h, *f.aes);
        h.Number(0); // method's in stream 0 is fed by
        h.Number(1); // AES's out stream 1
    }
    h.Byte(format::kCodersUnpackSize);
    h.Number(f.unpackSize);
    if (f.aes) h.Number(f.methodPacked);
    if (folderCrc) {
        h.Byte(format::kCrc);
        h.Byte(1);
        h.UInt32(*folderCrc);
    }
    h.Byte(format::kEnd);
}

} // namespace

class ArchiveWriter::Output {
  public:
    virtual ~Output() = default;
    virtual void Write(const uint8_t* data, std::size_t size) = 0;
    virtual void WriteStart(const uint8_t* data, std::size_t size) = 0;
};

namespace {

class OutputSink : public ByteSink {
  public:
    explicit OutputSink(std::function<void(const uint8_t*, std::size_t)> f) : f_(std::move(f)) {}
    void Put(const uint8_t* data, std::size_t size) override { f_(data, size); }

  private:
    std::function<void(const uint8_t*, std::size_t)> f_;
};

uint64_t FileTimeOf(const fs::path& p) {
    std::error_code ec;
    auto t = fs::last_write_time(p, ec);
    if (ec) return 0;
    auto sys = std::chrono::file_clock::to_sys(t);
    auto ticks =
        std::chrono::duration_cast<std::chrono::microseconds>(sys.time_since_epoch()).count();
    return static_cast<uint64_t>(ticks * 10 + 116444736000000000LL);
}

} // namespace

ArchiveWriter::ArchiveWriter(WriterOptions options) : options_(std::move(options)) {}

void ArchiveWriter::Add(Item item, std::u16string name) {
    std::replace(name.begin(), name.end(), u'\\', u'/');
    while (!name.empty() && name.back() == u'/')
        name.pop_back();
    if (name.empty() || name[0] == u'/') {
        throw ArchiveError(ArchiveErrorCode::InvalidArgument,
                           "Bad archive path: " + zk::Utf16ToAnsi(name));
    }
    item.name = name;
    items_.push_back(std::move(item));
}

void ArchiveWriter::AddFile(const std::string& archivePath, const std::string& diskPath) {
    Item item;
    item.fromDisk = true;
    item.diskPath = diskPath;
    if (!fs::is_regular_file(item.diskPath))
        throw ArchiveError(ArchiveErrorCode::InvalidArgument, "Not a file: " + diskPath);
    item.mtime = FileTimeOf(item.diskPath);
    item.hasMTime = item.mtime != 0;
    Add(std::move(item), zk::AnsiToUtf16(archivePath));
}

void ArchiveWriter::AddData(const std::string& archivePath, std::vector<uint8_t> data) {
    Item item;
    item.data = std::move(data);
    Add(std::move(item), zk::AnsiToUtf16(archivePath));
}

void ArchiveWriter::AddFolder(const std::string& archivePath) {
    Item item;
    item.isFolder = true;
    Add(std::move(item), zk::AnsiToUtf16(archivePath));
}

void ArchiveWriter::AddTree(const std::string& diskFolder, const std::string& archivePrefix) {
    std::vector<fs::path> paths;
    for (const auto& e : fs::recursive_directory_iterator(diskFolder))
        paths.push_back(e.path());
    std::sort(paths.begin(), paths.end());
    // File-system names go in as UTF-16 so that no character is lost on the way.
    std::u16string prefix = zk::AnsiToUtf16(archivePrefix);
    for (const fs::path& p : paths) {
        std::u16string name = fs::relative(p, diskFolder).generic_u16string();
        if (!prefix.empty()) name = prefix + u"/" + name;
        Item item;
        if (fs::is_directory(p)) {
            item.isFolder = true;
        } else if (fs::is_regular_file(p)) {
            item.fromDisk = true;
            item.diskPath = p;
            item.mtime = FileTimeOf(p);
            item.hasMTime = item.mtime != 0;
        } else {
            continue;
        }
        Add(std::move(item), name);
    }
}

void ArchiveWriter::Write(Output& out) {
    const bool encrypt = !options_.password.empty();
    const std::u16string password = zk::AnsiToUtf16(options_.password);
    AesParams aesParams;
    crypto::AesKey key{};
    if (encrypt) {
        aesParams.cyclesPower = options_.keyCyclesPower;
        crypto::RandomBytes(aesParams.iv.data(), aesParams.iv.size());
        key = DeriveAesKey(aesParams, password);
    }
    uint8_t zeros[format::kSignatureHeaderSize] = {};
    out.Write(zeros, sizeof zeros);
    uint64_t packedTotal = 0;
    OutputSink fileSink([&](const uint8_t* d, std::size_t s) {
        out.Write(d, s);
        packedTotal += s;
    });

    // Stream items, with sizes known up front (a file that changes meanwhile is an error).
    std::vector<std::size_t> streamItems;
    std::vector<uint64_t> sizes(items_.size(), 0);
    uint64_t totalSize = 0;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const Item& it = items_[i];
        if (it.isFolder) continue;
        std::error_code ec;
        sizes[i] = it.fromDisk ? fs::file_size(it.diskPath, ec) : it.data.size();
        if (ec) WriteFailed("cannot read " + it.diskPath.string());
        if (sizes[i] > 0) {
            streamItems.push_back(i);
            totalSize += sizes[i];
        }
    }
    std::vector<uint32_t> crcs(items_.size(), 0);

    class ItemsPull : public PullSource {
      public:
        ItemsPull(std::vector<Item>& items, const std::vector<std::size_t>& order,
                  const std::vector<uint64_t>& sizes, std::vector<uint32_t>& crcs)
            : items_(items), order_(order), sizes_(sizes), crcs_(crcs) {}
        std::size_t Pull(uint8_t* buffer, std::size_t size) override {
            while (k_ < order_.size()) {
                std::size_t i = order_[k_];
                Item& it = items_[i];
                uint64_t left = sizes_[i] - pos_;
                std::size_t n = static_cast<std::size_t>(std::min<uint64_t>(size, left));
                if (n > 0) {
                    if (it.fromDisk) {
                        if (!file_.is_open()) {
                            file_.open(it.diskPath, std::ios::binary);
                            if (!file_) WriteFailed("cannot open " + it.diskPath.string());
                        }
                        file_.read(reinterpret_cast<char*>(buffer),
                                   static_cast<std::streamsize>(n));
                        if (static_cast<std::size_t>(file_.gcount()) != n) {
                            WriteFailed(it.diskPath.string() + " changed while archiving");
                        }
                    } else {
                        std::memcpy(buffer, it.data.data() + pos_, n);
                    }
                    crcs_[i] = Crc32Update(crcs_[i], buffer, n);
                    pos_ += n;
                    return n;
                }
                if (file_.is_open()) {
                    bool grew = file_.peek() != std::char_traits<char>::eof();
                    file_.close();
                    file_.clear();
                    if (grew) WriteFailed(it.diskPath.string() + " changed while archiving");
                }
                ++k_;
                pos_ = 0;
            }
            return 0;
        }

      private:
        std::vector<Item>& items_;
        const std::vector<std::size_t>& order_;
        const std::vector<uint64_t>& sizes_;
        std::vector<uint32_t>& crcs_;
        std::size_t k_ = 0;
        uint64_t pos_ = 0;
        std::ifstream file_;
    };

    // Encodes one folder: method then (optionally) AES, straight into the file.
    auto encodeFolder = [&](PullSource& source, uint64_t size, const WriterOptions& o) {
        EncodedFolder f;
        uint64_t before = packedTotal;
        if (encrypt) {
            AesSink aesSink(fileSink, key, aesParams.iv);
            CountingSink counted(aesSink);
            f.method = Encode(source, counted, o, size);
            aesSink.Finish();
            f.methodPacked = counted.count;
            Coder aes;
            aes.methodId = format::kMethodAes;
            aes.props = EncodeAesProps(aesParams);
            f.aes = aes;
        } else {
            f.method = Encode(source, fileSink, o, size);
        }
        f.unpackSize = size;
        f.packSize = packedTotal - before;
        return f;
    };

    HeaderBytes h;
    h.Byte(format::kHeader);
    if (!streamItems.empty()) {
        ItemsPull pull(items_, streamItems, sizes, crcs);
        EncodedFolder folder = encodeFolder(pull, totalSize, options_);
        h.Byte(format::kMainStreamsInfo);
        WriteFolderInfo(h, 0, folder, std::nullopt);
        h.Byte(format::kSubStreamsInfo);
        h.Byte(format::kNumUnpackStream);
        h.Number(streamItems.size());
        if (streamItems.size() > 1) {
            h.Byte(format::kSize);
            for (std::size_t k = 0; k + 1 < streamItems.size(); ++k)
                h.Number(sizes[streamItems[k]]);
        }
        h.Byte(format::kCrc);
        h.Byte(1);
        for (std::size_t i : streamItems)
            h.UInt32(crcs[i]);
        h.Byte(format::kEnd);
        h.Byte(format::kEnd);
    }
    if (!items_.empty()) {
        const std::size_t n = items_.size();
        h.Byte(format::kFilesInfo);
        h.Number(n);
        auto property = [&](uint8_t id, const HeaderBytes& p) {
            h.Byte(id);
            h.Number(p.bytes.size());
            h.Append(p);
        };
        std::vector<bool> emptyStream(n), emptyFile;
        for (std::size_t i = 0; i < n; ++i) {
            emptyStream[i] = items_[i].isFolder || sizes[i] == 0;
            if (emptyStream[i]) emptyFile.push_back(!items_[i].isFolder);
        }
        if (!emptyFile.empty()) {
            HeaderBytes p;
            p.Bits(emptyStream);
            property(format::kEmptyStream, p);
            if (std::find(emptyFile.begin(), emptyFile.end(), true) != emptyFile.end()) {
                HeaderBytes q;
                q.Bits(emptyFile);
                property(format::kEmptyFile, q);
            }
        }
        HeaderBytes names;
        names.Byte(0);
        for (const Item& it : items_) {
            for (char16_t c : it.name) {
                names.Byte(static_cast<uint8_t>(c & 0xFF));
                names.Byte(static_cast<uint8_t>(c >> 8));
            }
            names.Byte(0);
            names.Byte(0);
        }
        property(format::kName, names);
        std::vector<bool> timeDefined(n);
        for (std::size_t i = 0; i < n; ++i)
            timeDefined[i] = items_[i].hasMTime;
        if (std::find(timeDefined.begin(), timeDefined.end(), true) != timeDefined.end()) {
            HeaderBytes p;
            if (std::find(timeDefined.begin(), timeDefined.end(), false) == timeDefined.end()) {
                p.Byte(1);
            } else {
                p.Byte(0);
                p.Bits(timeDefined);
            }
            p.Byte(0);
            for (const Item& it : items_) {
                if (it.hasMTime) p.UInt64(it.mtime);
            }
            property(format::kMTime, p);
        }
        HeaderBytes attributes;
        attributes.Byte(1);
        attributes.Byte(0);
        for (const Item& it : items_)
            attributes.UInt32(it.isFolder ? format::kAttributeDirectory : 0x20);
        property(format::kWinAttributes, attributes);
        h.Byte(format::kEnd);
    }
    h.Byte(format::kEnd);

    std::vector<uint8_t> header;
    if (!items_.empty()) header = h.bytes;
    if (!items_.empty() && encrypt && options_.encryptHeader) {
        MemoryPull hp(h.bytes);
        WriterOptions headerOptions = options_;
        headerOptions.level = 5;
        headerOptions.dictionarySize = 0;
        uint64_t headerPackPos = packedTotal;
        EncodedFolder hf = encodeFolder(hp, h.bytes.size(), headerOptions);
        HeaderBytes e;
        e.Byte(format::kEncodedHeader);
        WriteFolderInfo(e, headerPackPos, hf, Crc32Update(0, h.bytes.data(), h.bytes.size()));
        e.Byte(format::kEnd);
        header = e.bytes;
    }
    const uint64_t nextOffset = packedTotal;
    if (!header.empty()) out.Write(header.data(), header.size());
    uint8_t sig[format::kSignatureHeaderSize] = {};
    std::memcpy(sig, format::kSignature, 6);
    sig[6] = 0;
    sig[7] = 4;
    auto put64 = [&](std::size_t at, uint64_t v) {
        for (int i = 0; i < 8; ++i)
            sig[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    auto put32 = [&](std::size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            sig[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    put64(12, nextOffset);
    put64(20, header.size());
    put32(28, Crc32Update(0, header.data(), header.size()));
    put32(8, Crc32Update(0, sig + 12, 20));
    out.WriteStart(sig, sizeof sig);
}

void ArchiveWriter::WriteFile(const std::string& archiveFile) {
    class File : public Output {
      public:
        explicit File(const std::string& path) : path_(path) {
            f_ = std::fopen(path.c_str(), "wb");
            if (!f_) WriteFailed("cannot create " + path);
        }
        ~File() override {
            if (f_) std::fclose(f_);
        }
        void Write(const uint8_t* data, std::size_t size) override {
            if (size && std::fwrite(data, 1, size, f_) != size)
                WriteFailed("cannot write " + path_);
        }
        void WriteStart(const uint8_t* data, std::size_t size) override {
            if (std::fseek(f_, 0, SEEK_SET) != 0) WriteFailed("cannot seek in " + path_);
            Write(data, size);
            if (std::fclose(f_) != 0) {
                f_ = nullptr;
                WriteFailed("cannot close " + path_);
            }
            f_ = nullptr;
        }

      private:
        std::string path_;
        std::FILE* f_ = nullptr;
    };
    try {
        File file(archiveFile);
        Write(file);
    } catch (...) {
        std::remove(archiveFile.c_str());
        throw;
    }
}

std::vector<uint8_t> ArchiveWriter::WriteToMemory() {
    class Memory : public Output {
      public:
        std::vector<uint8_t> data;
        void Write(const uint8_t* d, std::size_t size) override {
            data.insert(data.end(), d, d + size);
        }
        void WriteStart(const uint8_t* d, std::size_t size) override {
            std::memcpy(data.data(), d, size);
        }
    } memory;
    Write(memory);
    return std::move(memory.data);
}

} // namespace zor
