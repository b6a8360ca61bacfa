#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <span>

namespace fendry {

// Cryptographic random bytes that can be made again: ChaCha20's keystream under a fresh key from
// the system's generator. The last pass of a file that is to be read back writes it, and the
// reading makes the same bytes again to compare, so no copy of what was written is kept. The
// bytes come in the order asked for; `restart` begins the same stream anew.
class Keystream {
public:
    // Keyed at once; `keyed()` says whether that worked.
    Keystream();
    ~Keystream();
    Keystream(const Keystream&) = delete;
    Keystream& operator=(const Keystream&) = delete;

    bool keyed() const { return keyed_; }
    // The next bytes of the stream; false when the cipher fails.
    bool next(std::span<std::byte> bytes);
    bool restart();

private:
    struct Cipher;
    std::array<unsigned char, 32> key_{};
    std::array<unsigned char, 16> iv_{};  // ChaCha20's counter and nonce
    std::unique_ptr<Cipher> cipher_;
    bool keyed_ = false;
};

}  // namespace fendry
