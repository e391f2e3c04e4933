#include "zor/core/filters.h"

#include "zor/core/archive_error.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace zor {

namespace {
inline bool Test86MSByte(uint8_t b) {
    return ((b + 1) & 0xFE) == 0;
}
} // namespace

std::size_t X86Convert(uint8_t* data, std::size_t size, uint32_t ip, uint32_t& state,
                       bool encoding) {
    std::size_t pos = 0;
    uint32_t mask = state & 7;
    if (size < 5) return 0;
    size -= 4;
    ip += 5;
    for (;;) {
        uint8_t* p = data + pos;
        const uint8_t* limit = data + size;
        for (; p < limit; ++p) {
            if ((*p & 0xFE) == 0xE8) break;
        }
        std::size_t d = static_cast<std::size_t>(p - data) - pos;
        pos = static_cast<std::size_t>(p - data);
        if (p >= limit) {
            state = d > 2 ? 0 : mask >> d;
            return pos;
        }
        if (d > 2) {
            mask = 0;
        } else {
            mask >>= d;
            if (mask != 0 && (mask > 4 || mask == 3 || Test86MSByte(p[(mask >> 1) + 1]))) {
                mask = (mask >> 1) | 4;
                ++pos;
                continue;
            }
        }
        if (Test86MSByte(p[4])) {
            uint32_t v = uint32_t(p[4]) << 24 | uint32_t(p[3]) << 16 | uint32_t(p[2]) << 8 | p[1];
            uint32_t cur = ip + static_cast<uint32_t>(pos);
            pos += 5;
            v = encoding ? v + cur : v - cur;
            if (mask != 0) {
                unsigned sh = (mask & 6) << 2;
                if (Test86MSByte(static_cast<uint8_t>(v >> sh))) {
                    v ^= (uint32_t(0x100) << sh) - 1;
                    v = encoding ? v + cur : v - cur;
                }
                mask = 0;
            }
            p[1] = static_cast<uint8_t>(v);
            p[2] = static_cast<uint8_t>(v >> 8);
            p[3] = static_cast<uint8_t>(v >> 16);
            p[4] = static_cast<uint8_t>(0 - ((v >> 24) & 1));
        } else {
            mask = (mask >> 1) | 4;
            ++pos;
        }
    }
}

namespace {

// Decodes into a buffer; bytes before `ready_` are final, the tail waits for
// more input (a branch may straddle two reads).
class BcjX86Source : public ByteSource {
  public:
    BcjX86Source(std::unique_ptr<ByteSource> input, uint64_t unpackSize)
        : in_(std::move(input)), remaining_(unpackSize), buf_(1 << 16) {}

    std::size_t Read(uint8_t* buffer, std::size_t size) override {
        while (pos_ == ready_) {
            if (remaining_ == 0) return 0;
            // Keep the unconverted tail, refill behind it.
            std::memmove(buf_.data(), buf_.data() + pos_, end_ - pos_);
            end_ -= pos_;
            pos_ = ready_ = 0;
            std::size_t got = 0;
            if (!eof_) {
                got = in_->Read(buf_.data() + end_, buf_.size() - end_);
                if (got == 0) eof_ = true;
                end_ += got;
            }
            if (eof_) {
                ready_ = end_; // the last bytes pass unconverted
                if (end_ == 0) return 0;
            } else {
                ready_ = X86Convert(buf_.data(), end_, ip_, state_, false);
                ip_ += static_cast<uint32_t>(ready_);
            }
        }
        std::size_t n = std::min<uint64_t>({size, ready_ - pos_, remaining_});
        std::memcpy(buffer, buf_.data() + pos_, n);
        pos_ += n;
        remaining_ -= n;
        return n;
    }

  private:
    std::unique_ptr<ByteSource> in_;
    uint64_t remaining_;
    std::vector<uint8_t> buf_;
    std::size_t pos_ = 0, ready_ = 0, end_ = 0;
    uint32_t ip_ = 0, state_ = 0;
    bool eof_ = false;
};

class DeltaSource : public ByteSource {
  public:
    DeltaSource(std::unique_ptr<ByteSource> input, unsigned distance, uint64_t unpackSize)
        : in_(std::move(input)), distance_(distance), remaining_(unpackSize) {}

    std::size_t Read(uint8_t* buffer, std::size_t size) override {
        std::size_t want = std::min<uint64_t>(size, remaining_);
        if (want == 0) return 0;
        std::size_t got = in_->Read(buffer, want);
        for (std::size_t i = 0; i < got; ++i) {
            uint8_t& prev = history_[(pos_ + 256 - distance_) & 0xFF];
            buffer[i] = static_cast<uint8_t>(buffer[i] + prev);
            history_[pos_ & 0xFF] = buffer[i];
            ++pos_;
        }
        remaining_ -= got;
        return got;
    }

  private:
    std::unique_ptr<ByteSource> in_;
    unsigned distance_;
    uint64_t remaining_;
    std::array<uint8_t, 256> history_{};
    std::size_t pos_ = 0;
};

class Bcj2Source : public ByteSource {
  public:
    Bcj2Source(std::vector<std::unique_ptr<ByteSource>> inputs, uint64_t unpackSize)
        : main_(std::move(inputs[0])), call_(std::move(inputs[1])), jump_(std::move(inputs[2])),
          rc_(std::move(inputs[3]), 1 << 12), remaining_(unpackSize) {
        probs_.fill(kBitModelTotal >> 1);
    }

    std::size_t Read(uint8_t* buffer, std::size_t size) override {
        if (!rcStarted_) {
            for (int i = 0; i < 5; ++i)
                code_ = code_ << 8 | rc_.NextOrThrow();
            rcStarted_ = true;
        }
        std::size_t n = 0;
        size = std::min<uint64_t>(size, remaining_);
        while (n < size) {
            if (pendingLen_ > 0) {
                buffer[n++] = pending_[4 - pendingLen_];
                --pendingLen_;
                ++outPos_;
                continue;
            }
            uint8_t b;
            if (!main_.Next(b)) break;
            buffer[n++] = b;
            ++outPos_;
            if (!IsJump(prevByte_, b)) {
                prevByte_ = b;
                continue;
            }
            uint16_t& prob = probs_[b == 0xE8 ? prevByte_ : (b == 0xE9 ? 256 : 257)];
            if (!DecodeBit(prob)) {
                prevByte_ = b;
                continue;
            }
            BufferedSource& src = b == 0xE8 ? call_ : jump_;
            uint32_t target = 0;
            for (int i = 0; i < 4; ++i)
                target = target << 8 | src.NextOrThrow();
            uint32_t dest = target - static_cast<uint32_t>(outPos_ + 4);
            for (int i = 0; i < 4; ++i)
                pending_[i] = static_cast<uint8_t>(dest >> (8 * i));
            pendingLen_ = 4;
            prevByte_ = static_cast<uint8_t>(dest >> 24);
        }
        remaining_ -= n;
        return n;
    }

  private:
    static constexpr uint32_t kBitModelTotal = 1 << 11;
    static bool IsJump(uint8_t b0, uint8_t b1) {
        return (b1 & 0xFE) == 0xE8 || (b0 == 0x0F && (b1 & 0xF0) == 0x80);
    }
    bool DecodeBit(uint16_t& prob) {
        uint32_t bound = (range_ >> 11) * prob;
        bool bit;
        if (code_ < bound) {
            range_ = bound;
            prob = static_cast<uint16_t>(prob + ((kBitModelTotal - prob) >> 5));
            bit = false;
        } else {
            range_ -= bound;
            code_ -= bound;
            prob = static_cast<uint16_t>(prob - (prob >> 5));
            bit = true;
        }
        if (range_ < (1u << 24)) {
            range_ <<= 8;
            code_ = code_ << 8 | rc_.NextOrThrow();
        }
        return bit;
    }

    BufferedSource main_, call_, jump_, rc_;
    uint64_t remaining_;
    uint64_t outPos_ = 0;
    std::array<uint16_t, 258> probs_{};
    uint32_t range_ = 0xFFFFFFFFu, code_ = 0;
    bool rcStarted_ = false;
    uint8_t prevByte_ = 0;
    std::array<uint8_t, 4> pending_{};
    int pendingLen_ = 0;
};

} // namespace

std::unique_ptr<ByteSource> MakeBcjX86Decoder(std::unique_ptr<ByteSource> input,
                                              uint64_t unpackSize) {
    return std::make_unique<BcjX86Source>(std::move(input), unpackSize);
}

std::unique_ptr<ByteSource> MakeDeltaDecoder(std::unique_ptr<ByteSource> input,
                                             const std::vector<uint8_t>& props,
                                             uint64_t unpackSize) {
    if (props.size() != 1)
        throw ArchiveError(ArchiveErrorCode::UnsupportedMethod, "Bad Delta properties");
    return std::make_unique<DeltaSource>(std::move(input), props[0] + 1u, unpackSize);
}

std::unique_ptr<ByteSource> MakeBcj2Decoder(std::vector<std::unique_ptr<ByteSource>> inputs,
                                            uint64_t unpackSize) {
    if (inputs.size() != 4)
        throw ArchiveError(ArchiveErrorCode::UnsupportedMethod, "BCJ2 needs four streams");
    return std::make_unique<Bcj2Source>(std::move(inputs), unpackSize);
}

} // namespace zor
