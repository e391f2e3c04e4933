// The two primitives 7zAES needs: SHA-256 and AES-256-CBC without padding.
// Implemented over libgcrypt natively and over Windows CNG (bcrypt) on Windows.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace zor::crypto {

using Digest = std::array<uint8_t, 32>;
using AesKey = std::array<uint8_t, 32>;
using AesBlock = std::array<uint8_t, 16>;

class Sha256 {
  public:
    Sha256();
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;
    void Update(const void* data, std::size_t size);
    Digest Finish();

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// CBC over whole 16-byte blocks; the chaining value carries over between calls.
class AesCbc {
  public:
    AesCbc(const AesKey& key, const AesBlock& iv, bool encrypt);
    ~AesCbc();
    AesCbc(const AesCbc&) = delete;
    AesCbc& operator=(const AesCbc&) = delete;
    // `size` must be a multiple of 16; works in place.
    void Process(uint8_t* data, std::size_t size);

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    AesBlock iv_;
    bool encrypt_;
};

// Fills `out` with random bytes (salt and IV of new archives).
void RandomBytes(uint8_t* out, std::size_t size);

} // namespace zor::crypto
