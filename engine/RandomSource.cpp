#include "RandomSource.h"

#include <openssl/rand.h>

#include <algorithm>
#include <climits>

namespace fendry {

bool cryptoRandomBytes(std::span<std::byte> buffer) {
    while (!buffer.empty()) {
        const std::size_t step = std::min<std::size_t>(buffer.size(), INT_MAX);
        if (RAND_bytes(reinterpret_cast<unsigned char*>(buffer.data()), static_cast<int>(step)) !=
            1) {
            return false;
        }
        buffer = buffer.subspan(step);
    }
    return true;
}

}  // namespace fendry
