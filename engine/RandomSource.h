#pragma once

#include <cstddef>
#include <functional>
#include <span>

namespace fendry {

// Fills the whole span with fresh random bytes; false when the generator reports failure.
using RandomSource = std::function<bool(std::span<std::byte>)>;

// OpenSSL's kernel-seeded DRBG: cryptographic, and fast enough to keep up with the disk.
bool cryptoRandomBytes(std::span<std::byte> buffer);

}  // namespace fendry
