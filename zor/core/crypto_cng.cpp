// Windows CNG (bcrypt) implementation of the crypto interface.
#include "zor/core/crypto.h"

#include <windows.h>

#include <bcrypt.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace zor::crypto {
namespace {

void Check(NTSTATUS status, const char* what) {
    if (status < 0) {
        throw std::runtime_error(std::string("CNG: ") + what + " failed, status " +
                                 std::to_string(static_cast<unsigned long>(status)));
    }
}

// Algorithm providers are opened once per process and kept; CNG handles are
// usable from any thread.
BCRYPT_ALG_HANDLE Provider(const wchar_t* algorithm, bool cbc) {
    BCRYPT_ALG_HANDLE alg = nullptr;
    Check(BCryptOpenAlgorithmProvider(&alg, algorithm, nullptr, 0), "open provider");
    if (cbc) {
        Check(
            BCryptSetProperty(alg, BCRYPT_CHAINING_MODE,
                              reinterpret_cast<PUCHAR>(const_cast<wchar_t*>(BCRYPT_CHAIN_MODE_CBC)),
                              sizeof(BCRYPT_CHAIN_MODE_CBC), 0),
            "set CBC");
    }
    return alg;
}

BCRYPT_ALG_HANDLE ShaProvider() {
    static BCRYPT_ALG_HANDLE alg = Provider(BCRYPT_SHA256_ALGORITHM, false);
    return alg;
}

BCRYPT_ALG_HANDLE AesProvider() {
    static BCRYPT_ALG_HANDLE alg = Provider(BCRYPT_AES_ALGORITHM, true);
    return alg;
}

} // namespace

struct Sha256::Impl {
    BCRYPT_HASH_HANDLE hash = nullptr;
};

Sha256::Sha256() : impl_(std::make_unique<Impl>()) {
    Check(BCryptCreateHash(ShaProvider(), &impl_->hash, nullptr, 0, nullptr, 0, 0), "create hash");
}

Sha256::~Sha256() {
    if (impl_->hash) BCryptDestroyHash(impl_->hash);
}

void Sha256::Update(const void* data, std::size_t size) {
    const auto* p = static_cast<const uint8_t*>(data);
    while (size > 0) {
        ULONG part = size > 0x40000000u ? 0x40000000u : static_cast<ULONG>(size);
        Check(BCryptHashData(impl_->hash, const_cast<PUCHAR>(p), part, 0), "hash data");
        p += part;
        size -= part;
    }
}

Digest Sha256::Finish() {
    Digest d{};
    Check(BCryptFinishHash(impl_->hash, d.data(), static_cast<ULONG>(d.size()), 0), "finish hash");
    return d;
}

struct AesCbc::Impl {
    AesKey key{};
};

AesCbc::AesCbc(const AesKey& key, const AesBlock& iv, bool encrypt)
    : impl_(std::make_unique<Impl>()), iv_(iv), encrypt_(encrypt) {
    impl_->key = key;
}

AesCbc::~AesCbc() {
    SecureZeroMemory(impl_->key.data(), impl_->key.size());
}

void AesCbc::Process(uint8_t* data, std::size_t size) {
    if (size % 16 != 0) throw std::logic_error("AES-CBC needs whole blocks");
    if (size == 0) return;
    // A fresh key object per call and our own chaining value: Wine's bcrypt
    // does not carry the CBC state between calls on one key the way Windows does.
    BCRYPT_KEY_HANDLE keyHandle = nullptr;
    Check(BCryptGenerateSymmetricKey(AesProvider(), &keyHandle, nullptr, 0, impl_->key.data(),
                                     static_cast<ULONG>(impl_->key.size()), 0),
          "generate key");
    AesBlock nextIv{};
    if (!encrypt_) std::memcpy(nextIv.data(), data + size - 16, 16);
    AesBlock iv = iv_;
    ULONG done = 0;
    NTSTATUS status = encrypt_
                          ? BCryptEncrypt(keyHandle, data, static_cast<ULONG>(size), nullptr,
                                          iv.data(), 16, data, static_cast<ULONG>(size), &done, 0)
                          : BCryptDecrypt(keyHandle, data, static_cast<ULONG>(size), nullptr,
                                          iv.data(), 16, data, static_cast<ULONG>(size), &done, 0);
    BCryptDestroyKey(keyHandle);
    Check(status, encrypt_ ? "encrypt" : "decrypt");
    if (done != size) throw std::runtime_error("CNG: short AES output");
    if (encrypt_) std::memcpy(nextIv.data(), data + size - 16, 16);
    iv_ = nextIv;
}

void RandomBytes(uint8_t* out, std::size_t size) {
    Check(BCryptGenRandom(nullptr, out, static_cast<ULONG>(size), BCRYPT_USE_SYSTEM_PREFERRED_RNG),
          "random");
}

} // namespace zor::crypto
