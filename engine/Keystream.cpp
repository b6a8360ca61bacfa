#include "Keystream.h"

#include <openssl/evp.h>
#include <openssl/rand.h>

#include <algorithm>
#include <climits>
#include <cstring>

namespace fendry {

struct Keystream::Cipher {
    EVP_CIPHER_CTX* context = EVP_CIPHER_CTX_new();
    ~Cipher() { EVP_CIPHER_CTX_free(context); }
};

Keystream::Keystream() : cipher_(std::make_unique<Cipher>()) {
    keyed_ = RAND_bytes(key_.data(), static_cast<int>(key_.size())) == 1 &&
             RAND_bytes(iv_.data(), static_cast<int>(iv_.size())) == 1 && restart();
}

Keystream::~Keystream() {
    OPENSSL_cleanse(key_.data(), key_.size());
}

bool Keystream::restart() {
    return cipher_->context != nullptr &&
           EVP_EncryptInit_ex(cipher_->context, EVP_chacha20(), nullptr, key_.data(),
                              iv_.data()) == 1;
}

bool Keystream::next(std::span<std::byte> bytes) {
    // The keystream is what encrypting zeros gives.
    std::memset(bytes.data(), 0, bytes.size());
    auto* data = reinterpret_cast<unsigned char*>(bytes.data());
    for (std::size_t done = 0; done < bytes.size();) {
        const int step = static_cast<int>(std::min<std::size_t>(bytes.size() - done, INT_MAX));
        int written = 0;
        if (EVP_EncryptUpdate(cipher_->context, data + done, &written, data + done, step) != 1 ||
            written != step) {
            return false;
        }
        done += static_cast<std::size_t>(step);
    }
    return true;
}

}  // namespace fendry
