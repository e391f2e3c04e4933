// 7zAES: AES-256-CBC with a key derived from the password by SHA-256 over
// 2^NumCyclesPower rounds of (salt, UTF-16LE password, round counter).
#pragma once
#include "zor/core/byte_source.h"
#include "zor/core/crypto.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zor {

// The most hash rounds the reader accepts (2^24); more is refused as a limit.
inline constexpr unsigned kMaxCyclesPower = 24;

struct AesParams {
    unsigned cyclesPower = 19;
    std::vector<uint8_t> salt;
    crypto::AesBlock iv{};
};

AesParams ParseAesProps(const std::vector<uint8_t>& props);
std::vector<uint8_t> EncodeAesProps(const AesParams& params);
crypto::AesKey DeriveAesKey(const AesParams& params, const std::u16string& password);

// Supplies the password on demand; throws CannotOpen when there is none.
// Keys are derived once per salt and round count and then reused.
class PasswordProvider {
  public:
    virtual ~PasswordProvider() = default;
    virtual std::u16string Password() = 0;
    crypto::AesKey Key(const AesParams& params);

  private:
    struct CachedKey {
        unsigned cyclesPower;
        std::vector<uint8_t> salt;
        crypto::AesKey key;
    };
    std::vector<CachedKey> cache_;
};

std::unique_ptr<ByteSource> MakeAesDecoder(std::unique_ptr<ByteSource> input,
                                           const std::vector<uint8_t>& props, uint64_t unpackSize,
                                           PasswordProvider& passwords);

} // namespace zor
