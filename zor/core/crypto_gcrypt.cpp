// libgcrypt implementation of the crypto interface (native builds).
#include "zor/core/crypto.h"

#include <gcrypt.h>

#include <cstring>
#include <mutex>
#include <stdexcept>

namespace zor::crypto {
namespace {

void InitGcrypt() {
    static std::once_flag once;
    std::call_once(once, [] {
        if (!gcry_check_version(GCRYPT_VERSION)) throw std::runtime_error("libgcrypt too old");
        gcry_control(GCRYCTL_DISABLE_SECMEM, 0);
        gcry_control(GCRYCTL_INITIALIZATION_FINISHED, 0);
    });
}

void Check(gcry_error_t err, const char* what) {
    if (err)
        throw std::runtime_error(std::string("libgcrypt: ") + what + ": " + gcry_strerror(err));
}

} // namespace

struct Sha256::Impl {
    gcry_md_hd_t hd = nullptr;
};

Sha256::Sha256() : impl_(std::make_unique<Impl>()) {
    InitGcrypt();
    Check(gcry_md_open(&impl_->hd, GCRY_MD_SHA256, 0), "sha256 open");
}

Sha256::~Sha256() {
    gcry_md_close(impl_->hd);
}

void Sha256::Update(const void* data, std::size_t size) {
    gcry_md_write(impl_->hd, data, size);
}

Digest Sha256::Finish() {
    Digest d{};
    std::memcpy(d.data(), gcry_md_read(impl_->hd, GCRY_MD_SHA256), d.size());
    return d;
}

struct AesCbc::Impl {
    gcry_cipher_hd_t hd = nullptr;
};

AesCbc::AesCbc(const AesKey& key, const AesBlock& iv, bool encrypt)
    : impl_(std::make_unique<Impl>()), iv_(iv), encrypt_(encrypt) {
    InitGcrypt();
    Check(gcry_cipher_open(&impl_->hd, GCRY_CIPHER_AES256, GCRY_CIPHER_MODE_CBC, 0), "aes open");
    Check(gcry_cipher_setkey(impl_->hd, key.data(), key.size()), "aes key");
    Check(gcry_cipher_setiv(impl_->hd, iv_.data(), iv_.size()), "aes iv");
}

AesCbc::~AesCbc() {
    gcry_cipher_close(impl_->hd);
}

void AesCbc::Process(uint8_t* data, std::size_t size) {
    if (size % 16 != 0) throw std::logic_error("AES-CBC needs whole blocks");
    if (size == 0) return;
    // The handle keeps the chaining value between calls.
    gcry_error_t err = encrypt_ ? gcry_cipher_encrypt(impl_->hd, data, size, nullptr, 0)
                                : gcry_cipher_decrypt(impl_->hd, data, size, nullptr, 0);
    Check(err, "aes");
}

void RandomBytes(uint8_t* out, std::size_t size) {
    InitGcrypt();
    gcry_randomize(out, size, GCRY_STRONG_RANDOM);
}

} // namespace zor::crypto
