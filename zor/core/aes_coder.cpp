#include "zor/core/aes_coder.h"

#include "zor/core/archive_error.h"

#include <algorithm>
#include <cstring>

namespace zor {

AesParams ParseAesProps(const std::vector<uint8_t>& props) {
    AesParams p;
    if (props.empty())
        throw ArchiveError(ArchiveErrorCode::UnsupportedMethod, "Bad 7zAES properties");
    uint8_t b0 = props[0];
    p.cyclesPower = b0 & 0x3F;
    if ((b0 & 0xC0) == 0) {
        if (props.size() != 1)
            throw ArchiveError(ArchiveErrorCode::UnsupportedMethod, "Bad 7zAES properties");
        return p;
    }
    if (props.size() < 2)
        throw ArchiveError(ArchiveErrorCode::UnsupportedMethod, "Bad 7zAES properties");
    uint8_t b1 = props[1];
    std::size_t saltSize = ((b0 >> 7) & 1) + (b1 >> 4);
    std::size_t ivSize = ((b0 >> 6) & 1) + (b1 & 0x0F);
    if (props.size() != 2 + saltSize + ivSize) {
        throw ArchiveError(ArchiveErrorCode::UnsupportedMethod, "Bad 7zAES properties");
    }
    p.salt.assign(props.begin() + 2, props.begin() + 2 + static_cast<std::ptrdiff_t>(saltSize));
    std::copy_n(props.begin() + 2 + static_cast<std::ptrdiff_t>(saltSize), ivSize, p.iv.begin());
    return p;
}

std::vector<uint8_t> EncodeAesProps(const AesParams& params) {
    const std::size_t ivSize = params.iv.size();
    const std::size_t saltSize = params.salt.size();
    std::vector<uint8_t> out(2 + saltSize + ivSize);
    out[0] = static_cast<uint8_t>(params.cyclesPower | (saltSize ? 0x80 : 0) | 0x40);
    out[1] = static_cast<uint8_t>(((saltSize ? saltSize - 1 : 0) << 4) | (ivSize - 1));
    for (std::size_t i = 0; i < saltSize; ++i)
        out[2 + i] = params.salt[i];
    for (std::size_t i = 0; i < ivSize; ++i)
        out[2 + saltSize + i] = params.iv[i];
    return out;
}

crypto::AesKey DeriveAesKey(const AesParams& params, const std::u16string& password) {
    std::vector<uint8_t> unit(params.salt);
    for (char16_t c : password) {
        unit.push_back(static_cast<uint8_t>(c & 0xFF));
        unit.push_back(static_cast<uint8_t>(c >> 8));
    }
    crypto::AesKey key{};
    if (params.cyclesPower == 0x3F) {
        std::copy_n(unit.begin(), std::min(unit.size(), key.size()), key.begin());
        return key;
    }
    if (params.cyclesPower > kMaxCyclesPower) {
        throw ArchiveError(ArchiveErrorCode::LimitExceeded,
                           "Limit exceeded: too many key hash rounds");
    }
    // Many rounds go into one hash update: one call per round would make the
    // derivation slow on CNG.
    const std::size_t unitSize = unit.size() + 8;
    const uint64_t rounds = uint64_t(1) << params.cyclesPower;
    const std::size_t perBatch = std::max<std::size_t>(1, (1 << 16) / unitSize);
    std::vector<uint8_t> batch(perBatch * unitSize);
    crypto::Sha256 sha;
    uint64_t round = 0;
    while (round < rounds) {
        std::size_t n = static_cast<std::size_t>(std::min<uint64_t>(perBatch, rounds - round));
        uint8_t* p = batch.data();
        for (std::size_t i = 0; i < n; ++i, ++round) {
            std::memcpy(p, unit.data(), unit.size());
            p += unit.size();
            for (int k = 0; k < 8; ++k)
                *p++ = static_cast<uint8_t>(round >> (8 * k));
        }
        sha.Update(batch.data(), static_cast<std::size_t>(p - batch.data()));
    }
    return sha.Finish();
}

crypto::AesKey PasswordProvider::Key(const AesParams& params) {
    for (const CachedKey& k : cache_) {
        if (k.cyclesPower == params.cyclesPower && k.salt == params.salt) return k.key;
    }
    crypto::AesKey key = DeriveAesKey(params, Password());
    cache_.push_back({params.cyclesPower, params.salt, key});
    return key;
}

namespace {

class AesSource : public ByteSource {
  public:
    AesSource(std::unique_ptr<ByteSource> input, const crypto::AesKey& key,
              const crypto::AesBlock& iv, uint64_t unpackSize)
        : in_(std::move(input)), aes_(key, iv, false), remaining_(unpackSize), buf_(1 << 16) {}

    std::size_t Read(uint8_t* buffer, std::size_t size) override {
        if (remaining_ == 0) return 0;
        if (pos_ == end_) {
            // Fill whole blocks; the packed stream is a multiple of 16 bytes.
            std::size_t got = 0;
            while (got < buf_.size()) {
                std::size_t n = in_->Read(buf_.data() + got, buf_.size() - got);
                if (n == 0) break;
                got += n;
            }
            std::size_t whole = got & ~std::size_t(15);
            if (whole != got) ThrowDataError("encrypted stream is not a whole number of blocks");
            if (got == 0) return 0;
            aes_.Process(buf_.data(), whole);
            pos_ = 0;
            end_ = whole;
        }
        std::size_t n = std::min<uint64_t>({size, end_ - pos_, remaining_});
        std::memcpy(buffer, buf_.data() + pos_, n);
        pos_ += n;
        remaining_ -= n;
        return n;
    }

  private:
    std::unique_ptr<ByteSource> in_;
    crypto::AesCbc aes_;
    uint64_t remaining_;
    std::vector<uint8_t> buf_;
    std::size_t pos_ = 0, end_ = 0;
};

} // namespace

std::unique_ptr<ByteSource> MakeAesDecoder(std::unique_ptr<ByteSource> input,
                                           const std::vector<uint8_t>& props, uint64_t unpackSize,
                                           PasswordProvider& passwords) {
    AesParams params = ParseAesProps(props);
    if (params.cyclesPower > kMaxCyclesPower && params.cyclesPower != 0x3F) {
        throw ArchiveError(ArchiveErrorCode::LimitExceeded,
                           "Limit exceeded: too many key hash rounds");
    }
    crypto::AesKey key = passwords.Key(params);
    return std::make_unique<AesSource>(std::move(input), key, params.iv, unpackSize);
}

} // namespace zor
