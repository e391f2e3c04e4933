#include "zor/core/lzma_decoders.h"

#include "zor/core/archive_error.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "LzmaDec.h"

// Defined in LzmaDec.c but not declared in its header: resets the dictionary
// and/or the coder state between LZMA2 chunks.
extern "C" void LzmaDec_InitDicAndState(CLzmaDec* p, Bool initDic, Bool initState);

namespace zor {
namespace {

void* SdkAlloc(void*, size_t size) {
    return ::operator new(size, std::nothrow);
}
void SdkFree(void*, void* address) {
    ::operator delete(address);
}
ISzAlloc g_sdkAlloc = {SdkAlloc, SdkFree};

[[noreturn]] void LimitError(const std::string& what) {
    throw ArchiveError(ArchiveErrorCode::LimitExceeded, "Limit exceeded: " + what);
}

// Owns a CLzmaDec whose dictionary buffer we allocate ourselves: it needs to
// hold no more than the stream's unpacked size, which keeps memory bounded by
// what the archive actually contains.
class SdkDecoder {
  public:
    SdkDecoder(const uint8_t* props5, uint64_t dictSize, uint64_t unpackSize) {
        LzmaDec_Construct(&dec_);
        if (LzmaDec_AllocateProbs(&dec_, props5, LZMA_PROPS_SIZE, &g_sdkAlloc) != SZ_OK) {
            throw ArchiveError(ArchiveErrorCode::UnsupportedMethod, "Unsupported LZMA properties");
        }
        uint64_t bufSize = std::min(dictSize, unpackSize);
        if (bufSize > kMaxDictionarySize) LimitError("dictionary size");
        bufSize = std::max<uint64_t>(bufSize, 1 << 12);
        try {
            dic_.resize(static_cast<std::size_t>(bufSize));
        } catch (const std::bad_alloc&) {
            LzmaDec_FreeProbs(&dec_, &g_sdkAlloc);
            LimitError("not enough memory for the dictionary");
        }
        dec_.dic = dic_.data();
        dec_.dicBufSize = dic_.size();
        LzmaDec_Init(&dec_);
    }
    ~SdkDecoder() { LzmaDec_FreeProbs(&dec_, &g_sdkAlloc); }
    SdkDecoder(const SdkDecoder&) = delete;
    SdkDecoder& operator=(const SdkDecoder&) = delete;

    CLzmaDec& Dec() { return dec_; }
    // Room left before the circular buffer wraps (wrapping first when full).
    std::size_t Room() {
        if (dec_.dicPos == dec_.dicBufSize) dec_.dicPos = 0;
        return dec_.dicBufSize - dec_.dicPos;
    }

  private:
    CLzmaDec dec_;
    std::vector<uint8_t> dic_;
};

class LzmaSource : public ByteSource {
  public:
    LzmaSource(std::unique_ptr<ByteSource> input, const std::vector<uint8_t>& props,
               uint64_t unpackSize)
        : in_(std::move(input)), remaining_(unpackSize) {
        if (props.size() != 5)
            throw ArchiveError(ArchiveErrorCode::UnsupportedMethod, "Bad LZMA properties");
        uint64_t dict = uint64_t(props[1]) | uint64_t(props[2]) << 8 | uint64_t(props[3]) << 16 |
                        uint64_t(props[4]) << 24;
        decoder_ = std::make_unique<SdkDecoder>(props.data(), dict, unpackSize);
    }

    std::size_t Read(uint8_t* buffer, std::size_t size) override {
        CLzmaDec& dec = decoder_->Dec();
        for (;;) {
            if (remaining_ == 0 || size == 0) return 0;
            std::size_t room = decoder_->Room();
            std::size_t want = std::min<uint64_t>({room, size, remaining_});
            std::size_t start = dec.dicPos;
            bool haveInput = in_.Fill();
            SizeT inLen = in_.Available();
            ELzmaStatus status;
            SRes res = LzmaDec_DecodeToDic(&dec, start + want, in_.Data(), &inLen, LZMA_FINISH_ANY,
                                           &status);
            in_.Consume(inLen);
            if (res != SZ_OK) ThrowDataError("LZMA stream is corrupt");
            std::size_t produced = dec.dicPos - start;
            if (produced > 0) {
                std::memcpy(buffer, dec.dic + start, produced);
                remaining_ -= produced;
                return produced;
            }
            if (status == LZMA_STATUS_FINISHED_WITH_MARK) ThrowDataError("LZMA stream ends early");
            if (!haveInput) ThrowDataError("LZMA stream is truncated");
            if (inLen == 0) ThrowDataError("LZMA decoder made no progress");
        }
    }

  private:
    BufferedSource in_;
    uint64_t remaining_;
    std::unique_ptr<SdkDecoder> decoder_;
};

uint64_t Lzma2DictSize(uint8_t prop) {
    if (prop > 40) throw ArchiveError(ArchiveErrorCode::UnsupportedMethod, "Bad LZMA2 dictionary");
    if (prop == 40) return 0xFFFFFFFFu;
    return uint64_t(2 | (prop & 1)) << (prop / 2 + 11);
}

class Lzma2Source : public ByteSource {
  public:
    Lzma2Source(std::unique_ptr<ByteSource> input, const std::vector<uint8_t>& props,
                uint64_t unpackSize)
        : in_(std::move(input)), remaining_(unpackSize) {
        if (props.size() != 1)
            throw ArchiveError(ArchiveErrorCode::UnsupportedMethod, "Bad LZMA2 properties");
        uint64_t dict = Lzma2DictSize(props[0]);
        // Probabilities sized for the largest lc + lp LZMA2 allows (4).
        const uint8_t props5[5] = {4, 0, 0x10, 0, 0};
        decoder_ = std::make_unique<SdkDecoder>(props5, dict, unpackSize);
        decoder_->Dec().prop.dicSize = static_cast<UInt32>(dict);
    }

    std::size_t Read(uint8_t* buffer, std::size_t size) override {
        CLzmaDec& dec = decoder_->Dec();
        for (;;) {
            if (remaining_ == 0 || size == 0 || ended_) return 0;
            if (chunkUnpack_ == 0) {
                if (chunkPack_ != 0) ThrowDataError("LZMA2 chunk has unused packed bytes");
                StartChunk();
                continue;
            }
            std::size_t room = decoder_->Room();
            std::size_t want = std::min<uint64_t>({room, size, remaining_, chunkUnpack_});
            std::size_t start = dec.dicPos;
            if (!in_.Fill()) ThrowDataError("LZMA2 stream is truncated");
            std::size_t avail = std::min<uint64_t>(in_.Available(), chunkPack_);
            std::size_t produced = 0;
            if (!lzmaChunk_) {
                std::size_t n = std::min(want, avail);
                std::memcpy(dec.dic + start, in_.Data(), n);
                dec.dicPos += n;
                if (dec.checkDicSize == 0 && dec.prop.dicSize - dec.processedPos <= n) {
                    dec.checkDicSize = dec.prop.dicSize;
                }
                dec.processedPos += static_cast<UInt32>(n);
                in_.Consume(n);
                chunkPack_ -= n;
                produced = n;
            } else {
                SizeT inLen = avail;
                ELzmaStatus status;
                SRes res = LzmaDec_DecodeToDic(&dec, start + want, in_.Data(), &inLen,
                                               LZMA_FINISH_ANY, &status);
                in_.Consume(inLen);
                chunkPack_ -= inLen;
                if (res != SZ_OK) ThrowDataError("LZMA2 stream is corrupt");
                produced = dec.dicPos - start;
                if (produced == 0) {
                    if (status == LZMA_STATUS_FINISHED_WITH_MARK)
                        ThrowDataError("LZMA2 chunk ends early");
                    if (inLen == 0) ThrowDataError("LZMA2 chunk is truncated");
                    continue;
                }
            }
            chunkUnpack_ -= produced;
            remaining_ -= produced;
            std::memcpy(buffer, dec.dic + start, produced);
            return produced;
        }
    }

  private:
    uint32_t NextBigEndian16() {
        uint32_t hi = in_.NextOrThrow();
        return hi << 8 | in_.NextOrThrow();
    }

    void StartChunk() {
        CLzmaDec& dec = decoder_->Dec();
        uint8_t control = in_.NextOrThrow();
        if (control == 0) {
            ended_ = true;
            return;
        }
        if (control == 1 || control == 2) {
            if (control == 2 && needDictReset_)
                ThrowDataError("LZMA2 stream lacks a dictionary reset");
            chunkUnpack_ = NextBigEndian16() + 1;
            chunkPack_ = chunkUnpack_;
            lzmaChunk_ = false;
            LzmaDec_InitDicAndState(&dec, control == 1, False);
            needDictReset_ = false;
            return;
        }
        if (control < 0x80) ThrowDataError("bad LZMA2 control byte");
        chunkUnpack_ = (uint32_t(control & 0x1F) << 16) + NextBigEndian16() + 1;
        chunkPack_ = NextBigEndian16() + 1;
        unsigned mode = (control >> 5) & 3;
        if (needDictReset_ && mode != 3) ThrowDataError("LZMA2 stream lacks a dictionary reset");
        if (mode >= 2) {
            unsigned p = in_.NextOrThrow();
            if (p >= 9 * 5 * 5) ThrowDataError("bad LZMA2 properties");
            unsigned lc = p % 9;
            p /= 9;
            unsigned lp = p % 5;
            unsigned pb = p / 5;
            if (lc + lp > 4) ThrowDataError("bad LZMA2 properties");
            dec.prop.lc = lc;
            dec.prop.lp = lp;
            dec.prop.pb = pb;
            needProps_ = false;
        } else if (needProps_) {
            ThrowDataError("LZMA2 stream lacks properties");
        }
        LzmaDec_InitDicAndState(&dec, mode == 3, mode != 0);
        needDictReset_ = false;
        lzmaChunk_ = true;
    }

    BufferedSource in_;
    uint64_t remaining_;
    std::unique_ptr<SdkDecoder> decoder_;
    uint64_t chunkUnpack_ = 0;
    uint64_t chunkPack_ = 0;
    bool lzmaChunk_ = false;
    bool needDictReset_ = true;
    bool needProps_ = true;
    bool ended_ = false;
};

} // namespace

std::unique_ptr<ByteSource> MakeLzmaDecoder(std::unique_ptr<ByteSource> input,
                                            const std::vector<uint8_t>& props,
                                            uint64_t unpackSize) {
    return std::make_unique<LzmaSource>(std::move(input), props, unpackSize);
}

std::unique_ptr<ByteSource> MakeLzma2Decoder(std::unique_ptr<ByteSource> input,
                                             const std::vector<uint8_t>& props,
                                             uint64_t unpackSize) {
    return std::make_unique<Lzma2Source>(std::move(input), props, unpackSize);
}

} // namespace zor
